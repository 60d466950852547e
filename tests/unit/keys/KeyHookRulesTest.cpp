// What the keypad hook and the key-capture hook do with each key event, and
// which table a document window translates keys with.
#include <gtest/gtest.h>

#include "keys/FrameAccelerator.h"
#include "keys/KeyHookRules.h"

namespace {

constexpr int kPeek = 3;            // HC_NOREMOVE: looked at, left in the queue
constexpr uint32_t kPress = 0x00490001;
constexpr uint32_t kRelease = kPress | kKeyReleased | 0x40000000;

} // namespace

TEST(KeyHookRules, KeypadHookTakesTheKeypadOnly)
{
    for (unsigned key = 96; key <= 111; ++key) {
        EXPECT_EQ(KeypadHookVerdict(kHookTakeEvent, key, kPress), EHookVerdict::Repost) << key;
        EXPECT_EQ(KeypadHookVerdict(kHookTakeEvent, key, kRelease), EHookVerdict::Swallow) << key;
    }
    EXPECT_EQ(KeypadHookVerdict(kHookTakeEvent, 146, kPress), EHookVerdict::Repost);
    EXPECT_EQ(KeypadHookVerdict(kHookTakeEvent, 146, kRelease), EHookVerdict::Swallow);
    for (unsigned key : {95u, 112u, 145u, 147u, 13u, 53u})
        EXPECT_EQ(KeypadHookVerdict(kHookTakeEvent, key, kPress), EHookVerdict::PassOn) << key;
}

TEST(KeyHookRules, HooksActOnlyOnEventsTakenFromTheQueue)
{
    // A peek comes back as a take: acting on both would post the key twice.
    EXPECT_EQ(KeypadHookVerdict(kPeek, 104, kPress), EHookVerdict::PassOn);
    EXPECT_EQ(KeypadHookVerdict(-1, 104, kPress), EHookVerdict::PassOn);
    EXPECT_EQ(KeyCaptureVerdict(kPeek, 27, kPress), EHookVerdict::PassOn);
    EXPECT_EQ(KeyCaptureVerdict(-1, 27, kPress), EHookVerdict::PassOn);
}

TEST(KeyHookRules, CaptureTakesEveryKeyButTheModifiers)
{
    // Escape, Return and Tab too: they must not close the dialog or move the focus.
    for (unsigned key : {27u, 13u, 9u, 83u, 116u, 96u, 146u, 255u}) {
        EXPECT_EQ(KeyCaptureVerdict(kHookTakeEvent, key, kPress), EHookVerdict::Repost) << key;
        EXPECT_EQ(KeyCaptureVerdict(kHookTakeEvent, key, kRelease), EHookVerdict::Swallow) << key;
    }
    for (unsigned key : {16u, 17u, 18u}) {
        EXPECT_EQ(KeyCaptureVerdict(kHookTakeEvent, key, kPress), EHookVerdict::PassOn) << key;
        EXPECT_EQ(KeyCaptureVerdict(kHookTakeEvent, key, kRelease), EHookVerdict::PassOn) << key;
    }
}

TEST(FrameAccelerator, ControlCodeModeThenTheMainTableThenTheDocumentKinds)
{
    int main = 0, kind = 0;
    EXPECT_EQ(FrameAccelerator(false, &main, &kind), &main);
    EXPECT_EQ(FrameAccelerator(false, nullptr, &kind), &kind);
    EXPECT_EQ(FrameAccelerator(false, nullptr, nullptr), nullptr);
    EXPECT_EQ(FrameAccelerator(true, &main, &kind), nullptr);
    EXPECT_EQ(FrameAccelerator(true, nullptr, &kind), nullptr);
}
