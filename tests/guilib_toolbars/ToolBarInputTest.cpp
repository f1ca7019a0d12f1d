// The toolbar's input with the managers the menus bring standing in: user
// tools, shortcut texts and the recently-used option; commands of embedded
// controls; clicks a button takes itself; widening a button in
// customisation mode.
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"

namespace {

using namespace toolbar_test;

constexpr UINT kUserTool = 0x8100;

class CFakeManagers final : public IKGPUserToolsLink, public IKGPKeyboardLink, public IKGPMenuOptionsLink {
public:
    CFakeManagers()
    {
        CKGPLink<IKGPUserToolsLink>::StandIn(this);
        CKGPLink<IKGPKeyboardLink>::StandIn(this);
        CKGPLink<IKGPMenuOptionsLink>::StandIn(this);
    }
    ~CFakeManagers()
    {
        CKGPLink<IKGPUserToolsLink>::StandIn(nullptr);
        CKGPLink<IKGPKeyboardLink>::StandIn(nullptr);
        CKGPLink<IKGPMenuOptionsLink>::StandIn(nullptr);
    }
    BOOL IsUserToolCommand(UINT uiCmd) const override { return uiCmd >= kUserTool && uiCmd < kUserTool + 10; }
    UINT GetToolsEntryCommand() const override { return kUserTool - 1; }
    BOOL DrawToolIcon(CDC*, const CRect& rect, UINT uiCmd) const override
    {
        if (!IsUserToolCommand(uiCmd))
            return FALSE;
        iconRects.push_back(rect);
        return TRUE;
    }
    BOOL InvokeTool(UINT uiCmd) override
    {
        if (!IsUserToolCommand(uiCmd))
            return FALSE;
        invoked.push_back(uiCmd);
        return TRUE;
    }
    BOOL CopyToolIconToClipboard(UINT uiCmd) override { return IsUserToolCommand(uiCmd); }
    BOOL GetCommandShortcutText(UINT uiCmd, CString& strText, CFrameWnd* pFrame) const override
    {
        strText = uiCmd == ID_TEST_OPEN && pFrame != nullptr ? _T("Ctrl+O") : _T("");
        return !strText.IsEmpty();
    }
    BOOL AreRecentlyUsedMenusOn() const override { return recentlyUsed; }
    void SetRecentlyUsedMenus(BOOL bOn) override { recentlyUsed = bOn; }

    std::vector<UINT> invoked;
    mutable std::vector<CRect> iconRects;
    BOOL recentlyUsed = TRUE;
};

TEST_F(ToolBarTest, UserToolsShortcutsAndTheRecentlyUsedRule)
{
    CFakeManagers managers;
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    EXPECT_EQ(0, bar.OnToolHitTest(bar.GetButton(0)->m_rcButton.CenterPoint(), &tool));
    EXPECT_STREQ(L"Open (Ctrl+O)", tool.lpszText) << "the short name and the shortcut";
    free(tool.lpszText);

    CKGPToolbarButton user(kUserTool, -1, _T("My tool"));
    bar.InsertButtonCopy(user, 1);
    bar.AdjustLayout();
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_EQ(0u, bar.GetButtonStyle(1) & TBBS_DISABLED) << "a user tool runs without a handler";
    EXPECT_NE(0u, bar.GetButtonStyle(0) & TBBS_DISABLED) << "Open has none";
    CKGPToolbarButton* userButton = bar.GetButton(1);
    userButton->m_bShowImage = TRUE;
    userButton->m_bShowCaption = FALSE;
    userButton->m_nImage = 0;
    userButton->RestoreCommandImage();
    EXPECT_EQ(0, userButton->m_nImage) << "a user tool keeps its place for the icon";
    CClientDC dc(&bar);
    auto* strip = const_cast<CKGPToolBarImages*>(&bar.GetImages());
    userButton->OnDraw(&dc, CRect(0, 0, 22, 21), strip);
    ASSERT_EQ(1u, managers.iconRects.size()) << "drawn with its tool's icon";
    EXPECT_EQ(CRect(3, 3, 19, 18), managers.iconRects[0]) << "where the image goes";
    const CPoint at = userButton->m_rcButton.CenterPoint();
    Click(at, at);
    EXPECT_EQ(std::vector<UINT>{kUserTool}, managers.invoked);
    EXPECT_TRUE(frame.commands.empty()) << "the tool ran instead of a command";

    // The recently-used rule.
    CKGPToolBar::s_usage.Reset();
    for (int i = 0; i < 94; ++i)
        CKGPToolBar::AddCommandUsage(ID_TEST_SAVE);
    for (int i = 0; i < 6; ++i)
        CKGPToolBar::AddCommandUsage(ID_TEST_PRINT);
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(ID_TEST_PRINT)) << "6 of 100 is used often enough";
    EXPECT_TRUE(CKGPToolBar::IsCommandRarelyUsed(ID_TEST_OPEN)) << "never used";
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(17020)) << "the library's own entries";
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(0xE110)) << "recent files";
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(kUserTool - 1)) << "the user tools' entry";
    CKGPToolBar::AddBasicCommand(ID_TEST_OPEN);
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(ID_TEST_OPEN)) << "a basic command";
    managers.recentlyUsed = FALSE;
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(ID_TEST_SAVE + 50)) << "the option is off";
    CKGPToolBar::s_usage.Reset();
    CKGPToolBar::s_lstAlwaysShownCommands.clear();
}

// A library frame that keeps 0xE805..0xE80F for user toolbars and names the
// tooltip of Print.
class CFakeFrameLink final : public IKGPToolbarFrameLink {
public:
    CFakeFrameLink() { CKGPLink<IKGPToolbarFrameLink>::StandIn(this); }
    ~CFakeFrameLink() { CKGPLink<IKGPToolbarFrameLink>::StandIn(nullptr); }
    BOOL OnUserToolTip(CFrameWnd*, CKGPToolbarButton* pButton, CString& strText) const override
    {
        strText = _T("Print it");
        return pButton->m_nCommand == ID_TEST_PRINT;
    }
    BOOL GetToolbarIdRange(CFrameWnd*, UINT& uiFirst, UINT& uiLast) const override
    {
        uiFirst = 0xE805;
        uiLast = 0xE80F;
        return TRUE;
    }
};

TEST_F(ToolBarTest, TheFrameNamesTooltipsAndKeepsTheUserToolbarIds)
{
    EXPECT_FALSE(bar.IsInFrameIdRange()) << "no library frame says so";
    CFakeFrameLink link;
    EXPECT_TRUE(bar.IsInFrameIdRange()) << "0xE805";
    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    EXPECT_EQ(3, bar.OnToolHitTest(bar.GetButton(3)->m_rcButton.CenterPoint(), &tool));
    EXPECT_STREQ(L"Print it", tool.lpszText) << "Print has no string of its own";
    free(tool.lpszText);
}

TEST(ToolBarCommands, ReservedIdsAndTheRuleWithoutMenus)
{
    for (UINT id : {0xE110u, 0xE11Fu, 0xE210u, 0xE21Fu, 0xF000u, 0xF1EFu, 0xFF00u, 0xFFFFu})
        EXPECT_TRUE(CKGPToolBar::IsReservedCommandId(id)) << std::hex << id;
    for (UINT id : {0xE10Fu, 0xE120u, 0xE220u, 0xF1F0u, 0xFEFFu})
        EXPECT_FALSE(CKGPToolBar::IsReservedCommandId(id)) << std::hex << id;
    EXPECT_FALSE(CKGPToolBar::IsCommandRarelyUsed(ID_TEST_OPEN)) << "no menus: nothing is hidden";
}

// A button holding an edit control, the way combo and edit buttons do.
class CEditButton : public CKGPToolbarButton {
public:
    CEditButton() : CKGPToolbarButton(ID_TEST_PRINT + 1, -1) {}
    HWND ControlWindow() const override { return edit.GetSafeHwnd(); }
    BOOL NotifyCommand(int iNotifyCode) override { return iNotifyCode == EN_CHANGE; }
    CWnd edit;
};

TEST_F(ToolBarTest, CommandsOfEmbeddedControlsGoToTheOwner)
{
    auto owned = std::make_unique<CEditButton>();
    CEditButton* button = owned.get();
    ASSERT_EQ(4, bar.InsertButton(std::move(owned)));
    ASSERT_TRUE(button->edit.Create(L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 0, 40, 20), &bar, 77));

    button->edit.SetWindowText(L"typed");  // EN_CHANGE
    button->edit.SendMessage(WM_KILLFOCUS);
    Pump();
    ASSERT_EQ(1u, frame.controlCommands.size()) << "the change, the button's own choice, not the focus loss";
    EXPECT_EQ(MAKEWPARAM(ID_TEST_PRINT + 1, EN_CHANGE), frame.controlCommands[0]);

    bar.SendMessage(WM_COMMAND, IDCANCEL);
    bar.SendMessage(WM_COMMAND, ID_TEST_OPEN);
    Pump();
    EXPECT_EQ(1u, frame.controlCommands.size());
    EXPECT_EQ(std::vector<UINT>{ID_TEST_OPEN}, frame.commands) << "a command without a control passes on";
}

// A button that handles its click itself, as menu buttons do.
class CClickButton : public CKGPToolbarButton {
public:
    CClickButton() : CKGPToolbarButton(ID_TEST_PRINT + 2, 0) {}
    BOOL HandleClick(CWnd* pWnd, BOOL) override
    {
        clickedOn = pWnd;
        return TRUE;
    }
    CWnd* clickedOn = nullptr;
};

TEST_F(ToolBarTest, AButtonThatTakesItsClickIsNotHeldPressed)
{
    auto owned = std::make_unique<CClickButton>();
    CClickButton* button = owned.get();
    bar.InsertButton(std::move(owned));
    bar.AdjustLayout();
    const CPoint at = button->m_rcButton.CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    EXPECT_EQ(&bar, button->clickedOn);
    EXPECT_EQ(0u, button->m_nBits & TBBS_PRESSED);
    EXPECT_NE(&bar, CWnd::GetCapture()) << "nothing waits for the release";
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    EXPECT_TRUE(frame.commands.empty());
}

TEST_F(ToolBarTest, TheFocusGoesBackAfterAClickAndCancelModeEndsAPress)
{
    CWnd edit;
    ASSERT_TRUE(edit.Create(L"EDIT", L"", WS_CHILD | WS_VISIBLE, CRect(0, 100, 80, 120), &frame, 78));
    edit.SetFocus();
    bar.SetFocus();
    const CPoint save = bar.GetButton(1)->m_rcButton.CenterPoint();
    Click(save, save);
    EXPECT_EQ(&edit, CWnd::GetFocus()) << "given back after the click";
    EXPECT_EQ(std::vector<UINT>{ID_TEST_SAVE}, frame.commands);
    frame.commands.clear();

    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(save.x, save.y));
    ASSERT_NE(0u, bar.GetButtonStyle(1) & TBBS_PRESSED);
    bar.SendMessage(WM_CANCELMODE);
    EXPECT_EQ(0u, bar.GetButtonStyle(1) & TBBS_PRESSED);
    EXPECT_NE(&bar, CWnd::GetCapture());
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(save.x, save.y));
    EXPECT_TRUE(frame.commands.empty()) << "the press was cancelled";
    edit.DestroyWindow();
}

class CWideButton : public CKGPToolbarButton {
public:
    CWideButton() : CKGPToolbarButton(ID_TEST_PRINT + 3, 0) {}
    BOOL IsResizable() const override { return TRUE; }
    void ApplyWidth(int nWidth) override { widths.push_back(nWidth); }
    std::vector<int> widths;
};

TEST_F(ToolBarTest, AResizableButtonIsWidenedByItsRightEdgeInCustomisationMode)
{
    auto owned = std::make_unique<CWideButton>();
    CWideButton* button = owned.get();
    bar.InsertButton(std::move(owned));
    bar.AdjustLayout();
    const CRect rect = button->m_rcButton;
    CKGPToolBar::s_bCustomizing = TRUE;
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 2, rect.CenterPoint().y));
    EXPECT_EQ(&bar, CWnd::GetCapture()) << "resizing";
    bar.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(rect.right + 30, rect.CenterPoint().y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.right + 30, rect.CenterPoint().y));
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.right - 2, rect.CenterPoint().y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.right + 3, rect.CenterPoint().y));
    CKGPToolBar::s_bCustomizing = FALSE;
    EXPECT_EQ(std::vector<int>{rect.Width() + 30}, button->widths) << "a move of 3 pixels changes nothing";
    EXPECT_TRUE(frame.commands.empty());
    EXPECT_NE(&bar, CWnd::GetCapture());
}

}  // namespace
