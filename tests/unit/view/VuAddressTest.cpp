// Opening the address at the caret or the one the mouse left: URLs go to the
// browser, mail addresses (without "mailto:") to the mail link; the messages
// when address detection is off or nothing is there.
#include "VuTestSupport.h"

#include "keys/CommandIds.h"
#include "view/AddressOpener.h"

namespace {

class CRecordingOpener : public IAddressOpener {
public:
    bool OpenUrl(const std::string& url) override
    {
        m_calls.push_back("url " + url);
        return true;
    }
    void NewMail(const std::string& address) override { m_calls.push_back("mail " + address); }
    void RegisterAddress(const std::string& address) override { m_calls.push_back("register " + address); }
    std::vector<std::string> m_calls;
};

class VuAddressTest : public VuTest {
protected:
    VuAddressTest() { m_pOld = SetAddressOpener(&m_opener); }
    ~VuAddressTest() override { SetAddressOpener(m_pOld); }
    CRecordingOpener m_opener;
    IAddressOpener* m_pOld = nullptr;
};

} // namespace

TEST_F(VuAddressTest, OpensTheAddressAtTheCaretOrTheOneTheMouseFound)
{
    Show({"see http://x.jp/a?b=1 now", "mailto: ab@example.com", "to ab@example.com", "plain"});
    PutCaret(8, 0);
    Run(ID_OPEN_URL);
    PutCaret(3, 1);
    Run(ID_OPEN_URL);  // "mailto:" and a blank: an empty address
    PutCaret(5, 2);
    Run(ID_OPEN_URL);
    Run(ID_REGISTER_ADDRESS);
    EXPECT_EQ(m_opener.m_calls,
              (std::vector<std::string>{"url http://x.jp/a", "mail ", "mail ab@example.com", "register ab@example.com"}));
    EXPECT_TRUE(m_ui.m_boxes.empty());
    // The mouse's address is used once, wherever the caret is.
    m_opener.m_calls.clear();
    m_vu.AddressAt(5, 2);
    PutCaret(0, 3);
    Run(ID_OPEN_URL);
    Run(ID_OPEN_URL);
    EXPECT_EQ(m_opener.m_calls, (std::vector<std::string>{"mail ab@example.com"}));
    ASSERT_EQ(m_ui.m_boxes.size(), 1u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "カーソルを URL の所へ置いてください");
    // Only a mail address goes to the address book: a URL, or nothing, is
    // told so in the address book's words.
    PutCaret(8, 0);
    Run(ID_REGISTER_ADDRESS);
    PutCaret(0, 3);
    Run(ID_REGISTER_ADDRESS);
    ASSERT_EQ(m_ui.m_boxes.size(), 3u);
    EXPECT_EQ(m_ui.m_boxes[1].text, "カーソルをメールアドレスの所へ置いてください");
    EXPECT_EQ(m_ui.m_boxes[2].text, "カーソルをメールアドレスの所へ置いてください");
    AppSettings().m_bUrlSensitive = false;
    PutCaret(8, 0);
    Run(ID_OPEN_URL);
    EXPECT_EQ(m_ui.m_boxes.back().text,
              "ﾒﾆｭｰの [ｵﾌﾟｼｮﾝ] -> [その他の設定] で、「URL･ﾒｰﾙｱﾄﾞﾚｽを検出」をﾁｪｯｸしてください");
    EXPECT_EQ(m_opener.m_calls.size(), 1u);
}

TEST_F(VuAddressTest, WithoutAMailClientTheMailEntriesSaySo)
{
    SetAddressOpener(m_pOld);
    Show({"ab@example.com"});
    Run(ID_OPEN_URL);
    Run(ID_REGISTER_ADDRESS);
    ASSERT_EQ(m_ui.m_boxes.size(), 2u);
    EXPECT_EQ(m_ui.m_boxes[0].text, "メールクライアントが設定されていません");
    EXPECT_EQ(m_ui.m_boxes[1].text, "メールクライアントが設定されていません");
}
