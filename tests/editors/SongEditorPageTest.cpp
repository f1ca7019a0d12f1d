// The song editor page as the keyboard and the eye meet it: it takes the focus
// when it is shown, an Alt chord it handles leaves no menu mode behind (the next
// Space would open the window menu), and its column captions fit in English.
#include "editors/song/EditSongDlg1.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include "res/resource.h"
#include "tests/editors/EditorsTestSupport.h"
#include "tests/support/MessagePump.h"

namespace {

using editorstest::CHostFrame;
using editorstest::TypeKeys;
using keyloft_test::Pump;

class SongEditorPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_frame.CreateHost());
        // Where the page tree keeps the focus after a click on it.
        ASSERT_TRUE(m_tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER, CRect(0, 0, 200, 600), &m_frame, 32769));
        m_page = CreateSongEditorPage(&m_frame);
        ASSERT_TRUE(m_page);
        m_page->Attach(&m_host, nullptr);
        m_page->MoveWindow(210, 0, 860, 700);
        m_tree.SetFocus();
        Pump(100);
    }

    static void PressChordReleasingAltFirst(WORD key)
    {
        INPUT inputs[4] = {};
        const WORD keys[4] = {VK_MENU, key, VK_MENU, key};
        for (int i = 0; i < 4; ++i) {
            inputs[i].type = INPUT_KEYBOARD;
            inputs[i].ki.wVk = keys[i];
            inputs[i].ki.dwFlags = i < 2 ? 0 : KEYEVENTF_KEYUP;
        }
        ::SendInput(4, inputs, sizeof(INPUT));
        editorstest::PumpWithPreTranslation(300);
    }

    bool FocusIsInPage() const
    {
        const HWND focus = ::GetFocus();
        return focus == m_page->GetSafeHwnd() || ::IsChild(m_page->GetSafeHwnd(), focus);
    }

    CHostFrame m_frame;
    CEdit m_tree;
    editorstest::RecordingPageHost m_host;
    boost::shared_ptr<CBaseDlg> m_page;
};

TEST_F(SongEditorPageTest, ThePageTakesTheFocusWhenItIsShown)
{
    ASSERT_EQ(::GetFocus(), m_tree.GetSafeHwnd());
    m_page->ShowWindow(SW_SHOW);
    Pump(300);
    EXPECT_TRUE(FocusIsInPage()) << "Space and Alt+P would go to the page tree";
}

TEST_F(SongEditorPageTest, AnAltChordThePageTakesLeavesNoMenuMode)
{
    m_page->ShowWindow(SW_SHOW);
    m_page->SetFocus();
    Pump(200);
    ASSERT_TRUE(FocusIsInPage());
    TypeKeys({'S'}, VK_MENU);  // Alt+S: Stop, one of the page's keys
    EXPECT_EQ(m_frame.keyMenuRequests, 0) << "releasing Alt put the frame in menu mode";
    // Alt let go before the letter, as quick hands do.
    PressChordReleasingAltFirst('S');
    EXPECT_EQ(m_frame.keyMenuRequests, 0) << "releasing Alt put the frame in menu mode";
    // Alt pressed alone still opens the menu as it should.
    TypeKeys({}, VK_MENU);
    EXPECT_EQ(m_frame.keyMenuRequests, 1);
}

TEST_F(SongEditorPageTest, EveryColumnCaptionFitsInEnglish)
{
    editorstest::CLanguageInForce english(2);
    ASSERT_TRUE(english.Loaded());
    m_page->ReloadTexts();
    HWND list = ::GetDlgItem(m_page->GetSafeHwnd(), IDC_SONG_TRACK_LIST);
    ASSERT_NE(list, nullptr);
    HWND header = ListView_GetHeader(list);
    const int columns = Header_GetItemCount(header);
    ASSERT_EQ(columns, 6);
    for (int column = 0; column < columns; ++column) {
        wchar_t text[64] = {};
        LVCOLUMNW info{};
        info.mask = LVCF_TEXT;
        info.pszText = text;
        info.cchTextMax = 64;
        ASSERT_TRUE(ListView_GetColumn(list, column, &info));
        const int textWidth = ListView_GetStringWidth(list, text);
        // The header's margins on both sides leave at least 12 pixels beside it.
        EXPECT_GE(ListView_GetColumnWidth(list, column), textWidth + 12) << "column " << column << ": clipped";
    }
}

}  // namespace
