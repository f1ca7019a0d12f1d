// The tools page: tools made up to the size of the tools' id range (then a
// message naming that size), removed, their fields stored as they are typed,
// an argument typed from the page's menu text, and a sheet whose tools are
// not sound staying open on the tools page.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/sheets/KGPToolsPage.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/MessagePump.h"
#include "tests/support/WindowCapture.h"

#include <vector>

namespace {

std::vector<CString> g_boxes;

int CALLBACK RecordBox(HWND, LPCTSTR lpszText, LPCTSTR, UINT, LPVOID)
{
    g_boxes.emplace_back(lpszText);
    return IDOK;
}

// A sheet whose tools are judged unsound while told so.
class CStrictSheet : public CKGPToolbarCustomize {
public:
    explicit CStrictSheet(CFrameWnd* pFrame) : CKGPToolbarCustomize(pFrame, FALSE) {}
    BOOL CheckToolsValidity(const CObList&) override { return toolsSound; }
    BOOL toolsSound = TRUE;
};

class ToolsPageTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(frame.Open());
        g_boxes.clear();
        m_previousHook = AfxSetMessageBoxHook(&RecordBox);
        sheet = new CStrictSheet(&frame);
        ASSERT_NE(nullptr, sheet->GetToolsPage());
        ASSERT_TRUE(sheet->Create());
        ASSERT_TRUE(sheet->SetActivePage(sheet->GetToolsPage()));
        page = sheet->GetToolsPage();
    }
    void TearDown() override
    {
        if (CKGPToolbarCustomize::GetOpenSheet() != nullptr) {
            sheet->toolsSound = TRUE;
            CKGPToolbarCustomize::GetOpenSheet()->DestroyWindow();
        }
        AfxSetMessageBoxHook(m_previousHook);
        frame.DestroyWindow();
    }

    menus_test::CCommandFrame frame;
    CKGPUserToolsManager tools{0x8FFF, 0x9000, 0x9001};
    CStrictSheet* sheet = nullptr;
    CKGPToolsPage* page = nullptr;

private:
    AFX_MSGBOX_HOOK m_previousHook = nullptr;
};

TEST_F(ToolsPageTest, ToolsAreMadeUpToTheRangeEditedAndRemoved)
{
    EXPECT_EQ(nullptr, page->GetSelectedTool());
    EXPECT_FALSE(page->GetDlgItem(IDC_KGP_TOOL_COMMAND)->IsWindowEnabled()) << "no tool: no fields";
    CKGPUserTool* notes = page->AddTool(L"Notes");
    ASSERT_NE(nullptr, notes);
    EXPECT_EQ(0x9000u, notes->GetCommandId());
    EXPECT_EQ(CString(L"Notes"), notes->m_strLabel);
    EXPECT_EQ(notes, page->GetSelectedTool());
    ASSERT_NE(nullptr, page->AddTool(L"Shell"));
    EXPECT_EQ(nullptr, page->AddTool(L"Third")) << "every id of the range is used";
    ASSERT_EQ(1u, g_boxes.size());
    EXPECT_NE(-1, g_boxes[0].Find(L"2")) << "the message names the largest number of tools";
    EXPECT_EQ(2, page->GetToolsList().GetCount());
    EXPECT_EQ(2, tools.GetUserTools().GetCount());

    page->SelectTool(0);
    page->SetDlgItemText(IDC_KGP_TOOL_COMMAND, L"notepad.exe");
    EXPECT_EQ(CString(L"notepad.exe"), notes->GetCommand()) << "stored as it is typed";
    page->TypeInto(IDC_KGP_TOOL_ARGUMENTS, L"$(FilePath)");
    EXPECT_EQ(CString(L"$(FilePath)"), notes->m_strArguments);
    keyloft_test::PumpPending();
    EXPECT_TRUE(keyloft_test::SaveScreenshot(sheet->GetSafeHwnd(), L"customize-tools.bmp"));

    ASSERT_TRUE(page->RemoveTool(0));
    EXPECT_EQ(1, tools.GetUserTools().GetCount());
    EXPECT_EQ(1, page->GetToolsList().GetCount());
    ASSERT_NE(nullptr, page->AddTool(L"Again")) << "the freed id is used again";
    EXPECT_EQ(0x9000u, page->GetSelectedTool()->GetCommandId());
}

TEST_F(ToolsPageTest, BrowseOffersTheManagersFilter)
{
    tools.SetFilter(L"Scripts (*.cmd)|*.cmd|Any file (*.*)|*.*||", L"cmd");
    ASSERT_NE(nullptr, page->AddTool(L"Build"));
    std::vector<CString> offered;
    keyloft_test::CDialogAnswerer answerer(L"Open", [&offered](HWND dialog) {
        // The file-type combo of the system's open dialog.
        const HWND types = ::GetDlgItem(dialog, 0x470);
        const int count = static_cast<int>(::SendMessageW(types, CB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            WCHAR text[128] = {};
            ::SendMessageW(types, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            offered.emplace_back(text);
        }
        ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    });
    page->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_KGP_TOOL_BROWSE, BN_CLICKED),
                      reinterpret_cast<LPARAM>(page->GetDlgItem(IDC_KGP_TOOL_BROWSE)->GetSafeHwnd()));
    answerer.Stop();
    EXPECT_TRUE(answerer.Found());
    EXPECT_EQ((std::vector<CString>{L"Scripts (*.cmd)", L"Any file (*.*)"}), offered);
    EXPECT_TRUE(page->GetSelectedTool()->GetCommand().IsEmpty()) << "cancelled: nothing chosen";
}

TEST_F(ToolsPageTest, UnsoundToolsKeepTheSheetOpenOnTheToolsPage)
{
    ASSERT_TRUE(sheet->SetActivePage(0));
    sheet->toolsSound = FALSE;
    EXPECT_FALSE(sheet->CloseSheet());
    ASSERT_EQ(sheet, CKGPToolbarCustomize::GetOpenSheet());
    EXPECT_EQ(sheet->GetPageIndex(sheet->GetToolsPage()), sheet->GetActiveIndex());
    EXPECT_FALSE(sheet->SetActivePage(0)) << "the page is not left either";
    sheet->toolsSound = TRUE;
    EXPECT_TRUE(sheet->CloseSheet());
    EXPECT_EQ(nullptr, CKGPToolbarCustomize::GetOpenSheet());
}

TEST(ToolsPageRulesTest, WithoutAManagerOrWithTheFlagThereIsNoToolsPage)
{
    menus_test::CCommandFrame frame;
    ASSERT_TRUE(frame.Open());
    {
        CKGPToolbarCustomize sheet(&frame);
        EXPECT_EQ(nullptr, sheet.GetToolsPage()) << "no user-tools manager";
    }
    CKGPUserToolsManager tools(0x8FFF, 0x9000, 0x9001);
    {
        CKGPToolbarCustomize sheet(&frame, FALSE, KGP_CUSTOMIZE_NOTOOLS);
        EXPECT_EQ(nullptr, sheet.GetToolsPage());
    }
    CKGPToolbarCustomize sheet(&frame);
    EXPECT_NE(nullptr, sheet.GetToolsPage());
    EXPECT_EQ(2, sheet.GetPageIndex(sheet.GetToolsPage())) << "after the toolbars page";
    frame.DestroyWindow();
}

} // namespace
