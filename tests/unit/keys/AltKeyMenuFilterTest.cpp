// After an Alt+key binding ran, the menu request of the Alt release is dropped;
// a lone Alt press still opens the menu bar.
#include <gtest/gtest.h>

#include "keys/AltKeyMenuFilter.h"

namespace {

constexpr unsigned kKeyDown = 0x0100, kSysKeyDown = 0x0104, kSysKeyUp = 0x0105;
constexpr unsigned kAlt = 18;
constexpr uint32_t kWithAlt = 0x20000001u;
constexpr uint32_t kAltRepeat = 0x60000001u;

} // namespace

TEST(AltKeyMenuFilter, DropsTheReleaseAfterAnAltBinding)
{
    CAltKeyMenuFilter filter;
    filter.OnKeyMessage(kSysKeyDown, kAlt, kWithAlt, false);
    filter.OnKeyMessage(kSysKeyDown, kAlt, kAltRepeat, false);
    filter.OnKeyMessage(kSysKeyDown, 'R', kWithAlt, true);
    filter.OnKeyMessage(kSysKeyUp, 'R', kWithAlt | 0xC0000000u, false);
    EXPECT_TRUE(filter.TakeKeyMenuRequest());
    EXPECT_FALSE(filter.TakeKeyMenuRequest());  // once only

    // Alt alone, later: the menu bar opens.
    filter.OnKeyMessage(kSysKeyDown, 'R', kWithAlt, true);
    filter.OnKeyMessage(kSysKeyDown, kAlt, kWithAlt, false);
    EXPECT_FALSE(filter.TakeKeyMenuRequest());
}

TEST(AltKeyMenuFilter, OnlyBindingsThatRanWithAltCount)
{
    CAltKeyMenuFilter filter;
    filter.OnKeyMessage(kSysKeyDown, 'Q', kWithAlt, false);  // no binding: the system decides
    EXPECT_FALSE(filter.TakeKeyMenuRequest());
    filter.OnKeyMessage(kKeyDown, 'S', 0x1F0001, true);  // Ctrl+S
    EXPECT_FALSE(filter.TakeKeyMenuRequest());
    // A keypad key with Alt arrives as a plain key-down from the keypad hook.
    filter.OnKeyMessage(kKeyDown, 103, kWithAlt, true);
    EXPECT_TRUE(filter.TakeKeyMenuRequest());
    // A later key that no binding took ends the watch.
    filter.OnKeyMessage(kSysKeyDown, 'R', kWithAlt, true);
    filter.OnKeyMessage(kSysKeyDown, 'Q', kWithAlt, false);
    EXPECT_FALSE(filter.TakeKeyMenuRequest());
}
