// User tools: ids from the range, order, stored form and registry state,
// icons found on the search path, and a tool run with its arguments.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/menus/KGPUserToolsManager.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "tests/guilib_menus/MenusTestSupport.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/TempFolder.h"

#include <afxarch.h>

#include <vector>

namespace {

constexpr UINT kToolsEntry = 34000;
constexpr UINT kFirstTool = 34001;
constexpr UINT kLastTool = 34010;
constexpr LPCTSTR kProfile = _T("Software\\KeyloftTests\\UserTools\\");

std::vector<UINT> Ids(const CKGPUserToolsManager& manager)
{
    std::vector<UINT> ids;
    for (POSITION pos = manager.GetUserTools().GetHeadPosition(); pos != nullptr;)
        ids.push_back(static_cast<CKGPUserTool*>(manager.GetUserTools().GetNext(pos))->GetCommandId());
    return ids;
}

class UserToolsTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        CKGPRegistryHandle(FALSE, FALSE)->DeleteKey(_T("Software\\KeyloftTests\\UserTools"), TRUE);
    }
    CKGPUserToolsManager manager{kToolsEntry, kFirstTool, kLastTool};
};

TEST_F(UserToolsTest, EachToolTakesTheLowestFreeIdOfTheRange)
{
    EXPECT_EQ(&manager, g_pUserToolsManager);
    EXPECT_EQ(10, manager.GetMaxTools());
    std::vector<CKGPUserTool*> tools;
    for (int i = 0; i < 10; ++i)
        tools.push_back(manager.CreateNewTool());
    EXPECT_EQ(kLastTool, tools.back()->GetCommandId());
    EXPECT_EQ(nullptr, manager.CreateNewTool()) << "the range is full";

    EXPECT_TRUE(manager.RemoveTool(tools.front()));
    EXPECT_FALSE(manager.RemoveTool(tools.front())) << "no longer listed";
    CKGPUserTool* again = manager.CreateNewTool();
    ASSERT_NE(nullptr, again);
    EXPECT_EQ(kFirstTool, again->GetCommandId());
    EXPECT_EQ(again, manager.FindTool(kFirstTool));
    EXPECT_EQ(nullptr, manager.FindTool(kToolsEntry)) << "outside the range";
    EXPECT_TRUE(manager.IsUserToolCmd(kLastTool));
    EXPECT_FALSE(manager.IsUserToolCmd(kLastTool + 1));
    EXPECT_FALSE(manager.InvokeTool(kLastTool + 1));

    CKGPUserToolsManager none;
    EXPECT_EQ(nullptr, none.CreateNewTool()) << "no range";
    EXPECT_FALSE(none.IsUserToolCmd(0)) << "without a range no command is a tool's, not even 0";
    EXPECT_FALSE(KGPToolbarLinks::IsUserToolCommand(0)) << "the toolbars hear the same";
}

TEST_F(UserToolsTest, ToolsMoveUpAndDownButNotPastTheEnds)
{
    CKGPUserTool* a = manager.CreateNewTool();
    CKGPUserTool* b = manager.CreateNewTool();
    CKGPUserTool* c = manager.CreateNewTool();
    EXPECT_FALSE(manager.MoveToolUp(a));
    EXPECT_FALSE(manager.MoveToolDown(c));
    EXPECT_TRUE(manager.MoveToolUp(c));
    EXPECT_EQ((std::vector<UINT>{kFirstTool, kFirstTool + 2, kFirstTool + 1}), Ids(manager));
    EXPECT_TRUE(manager.MoveToolDown(a));
    EXPECT_EQ((std::vector<UINT>{kFirstTool + 2, kFirstTool, kFirstTool + 1}), Ids(manager));
    CKGPUserTool stranger;
    EXPECT_FALSE(manager.MoveToolUp(&stranger));
    (void)b;
}

TEST_F(UserToolsTest, StoredFormAndRegistryStateLoadWholeOrNotAtAll)
{
    CKGPUserTool* tool = manager.CreateNewTool();
    tool->m_strLabel = L"&Notes";
    tool->SetCommand(L"notes.exe");
    tool->m_strArguments = L"/x $(File)";
    tool->m_strInitialDirectory = L"C:\\work";

    CKGPUserTool copy;
    keyloft_test::LoadBytes(menus_test::Stored(*tool), [&](CArchive& ar) { copy.Serialize(ar); });
    EXPECT_EQ(L"&Notes", copy.m_strLabel);
    EXPECT_EQ(L"notes.exe", copy.GetCommand());
    EXPECT_EQ(L"/x $(File)", copy.m_strArguments);
    EXPECT_EQ(L"C:\\work", copy.m_strInitialDirectory);
    EXPECT_EQ(kFirstTool, copy.GetCommandId());
    EXPECT_NE(nullptr, copy.GetIcon());

    ASSERT_TRUE(manager.SaveState(kProfile));
    CKGPUserToolsManager loaded(kToolsEntry, kFirstTool, kLastTool);
    ASSERT_TRUE(loaded.LoadState(kProfile));
    ASSERT_EQ(1, loaded.GetUserTools().GetCount());
    EXPECT_EQ(L"&Notes", loaded.FindTool(kFirstTool)->m_strLabel);

    // A narrower range refuses a stored tool outside it and keeps its own.
    CKGPUserToolsManager narrow(kToolsEntry, kFirstTool + 5, kLastTool);
    CKGPUserTool* own = narrow.CreateNewTool();
    EXPECT_FALSE(narrow.LoadState(kProfile));
    ASSERT_EQ(1, narrow.GetUserTools().GetCount());
    EXPECT_EQ(own, narrow.GetUserTools().GetHead());
    EXPECT_FALSE(narrow.LoadState(_T("Software\\KeyloftTests\\UserTools\\Missing\\")));
}

TEST_F(UserToolsTest, IconsComeFromTheFileFoundOnThePathOrTheDefault)
{
    CKGPUserTool tool;
    const HICON fallback = tool.LoadDefaultIcon();
    ASSERT_NE(nullptr, fallback);
    tool.SetCommand(L"keyloft_no_such_tool_here");
    EXPECT_EQ(fallback, tool.GetIcon()) << "a bare name that is not found";

    keyloft_test::TempFolder folder;
    const CString path = folder.Path() + L"tool.exe";
    ASSERT_TRUE(::CopyFileW(L"C:\\windows\\system32\\cmd.exe", path, FALSE));
    tool.SetCommand(path);
    EXPECT_NE(nullptr, tool.GetIcon());
    EXPECT_NE(fallback, tool.GetIcon()) << "a path goes to the shell";

    wchar_t previous[MAX_PATH] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    ::SetCurrentDirectoryW(folder.Path());
    tool.SetCommand(L"tool.exe");
    ::SetCurrentDirectoryW(previous);
    EXPECT_NE(fallback, tool.GetIcon()) << "a bare name found on the search path";

    tool.SetCommand(L"");
    EXPECT_EQ(fallback, tool.GetIcon());
    EXPECT_FALSE(tool.Invoke()) << "no command";
}

TEST_F(UserToolsTest, AToolRunsWithItsArgumentsInItsFolder)
{
    keyloft_test::TempFolder folder;
    CKGPUserTool* tool = manager.CreateNewTool();
    tool->SetCommand(L"cmd.exe");
    tool->m_strArguments = L"/c echo ran> marker.txt";
    tool->m_strInitialDirectory = folder.Path();
    ASSERT_TRUE(manager.InvokeTool(tool->GetCommandId()));

    const CString marker = folder.Path() + L"marker.txt";
    const DWORD start = ::GetTickCount();
    while (::GetFileAttributesW(marker) == INVALID_FILE_ATTRIBUTES && ::GetTickCount() - start < 10000)
        ::Sleep(50);
    EXPECT_NE(INVALID_FILE_ATTRIBUTES, ::GetFileAttributesW(marker)) << "written in the tool's folder";
}

TEST_F(UserToolsTest, ARemovedToolLeavesEveryBarAndToolsAreDrawnWithTheirIcons)
{
    menus_test::CCommandFrame frame;
    ASSERT_TRUE(frame.Open());
    CKGPToolBar bars[2];
    CKGPUserTool* tool = manager.CreateNewTool();
    CKGPUserTool* other = manager.CreateNewTool();
    for (int i = 0; i < 2; ++i) {
        ASSERT_TRUE(bars[i].Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE840 + i));
        bars[i].InsertButtonCopy(CKGPToolbarButton(tool->GetCommandId(), -1, L"Tool"));
        bars[i].InsertButtonCopy(CKGPToolbarButton(other->GetCommandId(), -1, L"Other"));
        bars[i].InsertButtonCopy(CKGPToolbarButton(tool->GetCommandId(), -1, L"Tool again"));
        bars[i].AdjustLayout();
    }
    EXPECT_TRUE(KGPToolbarLinks::IsUserToolCommand(tool->GetCommandId())) << "the toolbars see the tools";
    EXPECT_TRUE(KGPToolbarLinks::IsToolsEntryCommand(kToolsEntry));
    CClientDC dc(&bars[0]);
    EXPECT_TRUE(KGPToolbarLinks::DrawToolIcon(&dc, CRect(0, 0, 16, 16), other->GetCommandId()));
    EXPECT_FALSE(KGPToolbarLinks::DrawToolIcon(&dc, CRect(0, 0, 16, 16), kToolsEntry));

    const UINT removed = tool->GetCommandId();
    ASSERT_TRUE(manager.RemoveTool(tool));
    for (CKGPToolBar& bar : bars) {
        ASSERT_EQ(1, bar.GetCount());
        EXPECT_EQ(other->GetCommandId(), bar.GetButton(0)->m_nCommand);
        EXPECT_EQ(-1, bar.CommandToIndex(removed));
    }
    for (CKGPToolBar& bar : bars)
        bar.DestroyWindow();
    frame.DestroyWindow();
}

} // namespace
