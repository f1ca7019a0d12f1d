// A toolbar in a frame: built from its resource, pressed by clicks that send
// commands, its resource lists and forbidden commands across its stored state.
#include <gtest/gtest.h>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/frames/KGPFrameWnd.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolCmdUI.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"

#include <afxarch.h>

#include <vector>

namespace {

using toolbar_test::ToolBarTest;
using toolbar_test::kBarId;
using toolbar_test::kProfile;

TEST_F(ToolBarTest, BuiltFromItsResourceAndClickedButtonsSendTheirCommands)
{
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands());
    EXPECT_EQ(CSize(22, 21), bar.GetCurrentButtonSize());
    EXPECT_EQ(2, bar.GetButton(3)->m_nImage) << "images follow the ids, separators take none";
    EXPECT_EQ(2, GetCmdMgr()->GetCmdImage(ID_TEST_PRINT, FALSE));

    const CPoint save = bar.GetButton(1)->m_rcButton.CenterPoint();
    Click(save, save);
    EXPECT_EQ(std::vector<UINT>{ID_TEST_SAVE}, frame.commands);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE, 0xE001, ID_TEST_SAVE}), frame.prompts)
        << "its prompt, the idle one at the release, then its prompt as the hot button under the mouse";
    EXPECT_EQ(0u, bar.GetButton(1)->m_nBits & TBBS_PRESSED);

    frame.commands.clear();
    Click(save, bar.GetButton(3)->m_rcButton.CenterPoint());
    EXPECT_TRUE(frame.commands.empty()) << "released over another button";
    bar.GetButton(0)->m_nBits |= TBBS_DISABLED;
    Click(bar.GetButton(0)->m_rcButton.CenterPoint(), bar.GetButton(0)->m_rcButton.CenterPoint());
    EXPECT_TRUE(frame.commands.empty()) << "disabled";
    bar.GetButton(3)->m_nBits |= TBBS_CHECKBOX;
    Click(bar.GetButton(3)->m_rcButton.CenterPoint(), bar.GetButton(3)->m_rcButton.CenterPoint());
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, frame.commands);
    EXPECT_NE(0u, bar.GetButton(3)->m_nBits & TBBS_CHECKED);

    CKGPToolBar other;
    ASSERT_TRUE(other.Create(&frame, WS_CHILD, kBarId + 1));
    EXPECT_FALSE(other.LoadToolBar(999)) << "no such resource";
    EXPECT_FALSE(other.LoadToolBar(IDR_TOOLBAR_WITHOUT_BITMAP)) << "its bitmap is missing";
    EXPECT_EQ(0, other.GetCount());
    EXPECT_EQ(0u, other.GetResourceID());

    const int sharedImages = bar.GetImages().GetCount();
    ASSERT_TRUE(other.LoadToolBar(IDR_TEST_TOOLBAR, 0, 0, TRUE));
    EXPECT_EQ(3, other.GetImages().GetCount()) << "a locked bar has its own strip";
    EXPECT_EQ(sharedImages, bar.GetImages().GetCount());
    EXPECT_EQ(2, other.GetButton(3)->m_nImage);
}

TEST_F(ToolBarTest, CancelModeEndsADragOfTheDockedBar)
{
    frame.EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&bar, AFX_IDW_DOCKBAR_TOP);
    CRect client;
    bar.GetClientRect(client);
    CPoint empty(client.left, client.CenterPoint().y);
    while (empty.x < client.right && bar.HitTest(empty) >= 0)
        ++empty.x;
    ASSERT_LT(empty.x, client.right) << "a place on the bar without a button";
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(empty.x, empty.y));
    ASSERT_TRUE(bar.IsDragMode());
    ASSERT_EQ(&bar, CWnd::GetCapture());
    bar.SendMessage(WM_CANCELMODE);
    EXPECT_FALSE(bar.IsDragMode());
    EXPECT_NE(&bar, CWnd::GetCapture());
}

TEST_F(ToolBarTest, APressFirstAsksTheCommandUiOfItsButton)
{
    frame.m_bAutoMenuEnable = TRUE;
    const CPoint save = bar.GetButton(1)->m_rcButton.CenterPoint();
    Click(save, save);
    EXPECT_TRUE(frame.commands.empty()) << "no handler: disabled before the press";
    EXPECT_NE(0u, bar.GetButtonStyle(1) & TBBS_DISABLED);
    EXPECT_EQ(0u, bar.GetButtonStyle(0) & TBBS_DISABLED) << "the other buttons are left alone";
}

TEST_F(ToolBarTest, TooltipsFromTheFactoryFollowItsSettingsAndEscLeavesTheHotButton)
{
    CToolTipCtrl* tip = bar.GetToolTipCtrl();
    ASSERT_NE(nullptr, tip);
    EXPECT_EQ(UINT(KGP_TOOLTIP_TOOLBAR), CKGPToolTipFactory::GetKind(tip));
    EXPECT_EQ(3, tip->GetToolCount()) << "separators have no tool";
    CString text;
    tip->GetText(text, &bar, 1);
    EXPECT_EQ(CString(L"Open\nOpen a file"), text) << "the short name, then the frame's description";

    const HWND oldTip = tip->m_hWnd;
    CKGPToolTipFactory::SetTooltipParams(KGP_TOOLTIP_TOOLBAR, CKGPToolTipParams{});
    tip = bar.GetToolTipCtrl();
    ASSERT_NE(nullptr, tip);
    EXPECT_FALSE(::IsWindow(oldTip)) << "re-created";
    EXPECT_EQ(3, tip->GetToolCount());

    const CPoint open = bar.GetButton(0)->m_rcButton.CenterPoint();
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(open.x, open.y));
    MSG escape{bar.m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(bar.PreTranslateMessage(&escape));
    EXPECT_EQ(-1, bar.GetHotButton());
}

TEST_F(ToolBarTest, MnemonicsRunTheirCommandsAndTheKeyboardHotButtonToggles)
{
    CKGPToolbarButton* print = bar.GetButton(3);
    print->m_strCaption = L"&Print";
    print->m_bShowCaption = TRUE;
    bar.AdjustLayout();
    EXPECT_FALSE(bar.ProcessMnemonic(L'x'));
    EXPECT_TRUE(bar.ProcessMnemonic(L'p')) << "either case";
    for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);)
        ::DispatchMessage(&msg);
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, frame.commands);

    bar.ChangeHot(1);
    EXPECT_EQ(1, bar.GetKeyHotButton());
    EXPECT_EQ(1, bar.GetHotButton());
    bar.ChangeHot(1);
    EXPECT_EQ(-1, bar.GetKeyHotButton()) << "the same button again";
}

TEST_F(ToolBarTest, LargeIconsMenuStripsAndMadeColdImages)
{
    CKGPToolBar locked;
    ASSERT_TRUE(locked.Create(&frame, WS_CHILD, kBarId + 3));
    CKGPToolBar::s_bMakeColdImages = TRUE;
    const BOOL loaded = locked.LoadToolBar(IDR_TEST_TOOLBAR, 0, IDR_TEST_TOOLBAR, TRUE);
    CKGPToolBar::s_bMakeColdImages = FALSE;
    ASSERT_TRUE(loaded);
    EXPECT_EQ(3, locked.GetColdImages().GetCount()) << "one pale copy per image";
    EXPECT_EQ(3, locked.GetMenuImages().GetCount());

    locked.m_bFollowLargeIcons = FALSE;
    CKGPToolBar::SetLargeIcons(TRUE);
    const CSize large = bar.GetCurrentButtonSize();
    const CSize kept = locked.GetCurrentButtonSize();
    CKGPToolBar::SetLargeIcons(FALSE);
    EXPECT_EQ(CSize(44, 42), large);
    EXPECT_EQ(CSize(22, 21), kept) << "a bar that does not follow the mode";
    EXPECT_EQ(CSize(22, 21), bar.GetCurrentButtonSize());
}

TEST_F(ToolBarTest, DropPlacesAndTheInsertMarker)
{
    const CRect save = bar.GetButton(1)->m_rcButton;
    CRect marker;
    EXPECT_EQ(1, bar.DropIndexAt(CPoint(save.left + 2, save.CenterPoint().y), marker));
    EXPECT_EQ(CRect(save.left, save.top, save.left, save.bottom), marker);
    const CRect print = bar.GetButton(3)->m_rcButton;
    EXPECT_EQ(4, bar.DropIndexAt(CPoint(print.right - 2, print.CenterPoint().y), marker)) << "after the last";
    EXPECT_EQ(print.right, marker.left);

    CKGPToolBar::s_bCustomizing = TRUE;
    bar.SetInsertMarker(9, marker);
    bar.UpdateWindow();
    CKGPToolBar::s_bCustomizing = FALSE;
    EXPECT_EQ(-1, bar.GetInsertMarker()) << "beyond the buttons: cleared when painted";
    bar.SetInsertMarker(1, marker);
    bar.ClearInsertMarker();
    EXPECT_EQ(-1, bar.GetInsertMarker());

    bar.GetButton(1)->m_bRowBreak = TRUE;
    bar.ButtonRectForMarker(bar.GetButton(1), marker, TRUE);
    CRect client;
    bar.GetClientRect(client);
    EXPECT_EQ(CRect(client.left, save.bottom, client.right, save.bottom + 5), marker) << "the strip below the row";
    bar.ButtonRectForMarker(bar.GetButton(1), marker, FALSE);
    EXPECT_EQ(save, marker);
}

TEST_F(ToolBarTest, StoredResourceButtonsMergedWithTheResourceNow)
{
    EXPECT_EQ(4, bar.GetResourceButtons().GetCount());
    EXPECT_EQ(4, bar.GetAfterResetButtons().GetCount()) << "copies after the frame's reset";

    // The resource stored with an old state had Open, a separator and Close.
    CObList stored;
    stored.AddTail(new CKGPToolbarButton(ID_TEST_OPEN, -1));
    stored.AddTail(new CKGPToolbarButton(0, -1));
    stored.AddTail(new CKGPToolbarButton(ID_TEST_PRINT + 1, -1));
    bar.RemoveAllButtons();  // the user's bar, loaded from that state
    bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_OPEN, 0));
    bar.InsertSeparator();
    bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_PRINT + 1, -1));
    EXPECT_TRUE(bar.MergeResourceButtons(stored));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands())
        << "Close lost, Save and Print gained";
    while (!stored.IsEmpty())
        delete stored.RemoveHead();

    CKGPWorkspace workspace;
    workspace.m_bResourceSmartUpdate = TRUE;
    SetWorkspace(&workspace);
    ASSERT_TRUE(bar.SaveState(kProfile));
    const BOOL loaded = bar.LoadState(kProfile);
    SetWorkspace(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_FALSE(bar.WasResourceChanged()) << "the stored resource list came back whole";
    EXPECT_EQ(4, bar.GetAfterResetButtons().GetCount());
}

// A resource that lost a separator its stored state still has: the bar
// without separators keeps its customise button, and the list a reset brings
// back follows the resource while the customise button offers it.
TEST_F(ToolBarTest, AStoredSeparatorTheResourceLostNeverTakesTheCustomiseButton)
{
    CKGPWorkspace workspace;
    workspace.m_bResourceSmartUpdate = TRUE;
    SetWorkspace(&workspace);
    bar.EnableCustomizeButton(TRUE, ID_TEST_PRINT + 9, L"Customize...", TRUE);
    // Saved when the resource was Open, a separator, Save, Close; the user had
    // taken the separator off the bar.
    const UINT before[] = {ID_TEST_OPEN, 0, ID_TEST_SAVE, ID_TEST_PRINT + 1};
    ASSERT_TRUE(bar.SetButtons(before, 4, TRUE));
    ASSERT_EQ(4, bar.GetAfterResetButtons().GetCount()) << "the customise button is never part of it";
    ASSERT_TRUE(bar.RemoveButton(1));
    ASSERT_TRUE(bar.SaveState(kProfile));
    // The resource now: Open, Save, Print.
    const UINT now[] = {ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT};
    ASSERT_TRUE(bar.SetButtons(now, 3, TRUE));
    const BOOL loaded = bar.LoadState(kProfile);
    SetWorkspace(nullptr);
    ASSERT_TRUE(loaded);
    EXPECT_TRUE(bar.WasResourceChanged());
    ASSERT_EQ(4, bar.GetCount()) << "Open, Save, Print and the customise button";
    EXPECT_EQ(static_cast<CKGPToolbarButton*>(bar.GetCustomizeButton()), bar.GetButton(3))
        << "the customise button stays the bar's last";
    std::vector<UINT> commands = Commands();
    commands.pop_back();
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT}), commands);
    bar.AdjustLayout();  // lays out through the customise button the bar points to
    std::vector<UINT> afterReset;
    for (POSITION pos = bar.GetAfterResetButtons().GetHeadPosition(); pos != nullptr;)
        afterReset.push_back(static_cast<CKGPToolbarButton*>(bar.GetAfterResetButtons().GetNext(pos))->m_nCommand);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT}), afterReset)
        << "the stored reset list lost the separator and Close and gained Print";

    // A command lost between two separators goes through the bar's own
    // removal, which leaves no doubled separator behind.
    const UINT resource[] = {ID_TEST_OPEN, 0, ID_TEST_PRINT};
    ASSERT_TRUE(bar.SetButtons(resource, 3));
    bar.RemoveAllButtons();
    for (UINT id : {UINT(ID_TEST_OPEN), 0u, UINT(ID_TEST_PRINT + 1), 0u, UINT(ID_TEST_PRINT)}) {
        if (id == 0)
            bar.InsertSeparator();
        else
            bar.InsertButtonCopy(CKGPToolbarButton(id, 0));
    }
    CKGPToolbarButtonList storedWithClose;
    for (UINT id : {UINT(ID_TEST_OPEN), 0u, UINT(ID_TEST_PRINT + 1), 0u, UINT(ID_TEST_PRINT)})
        storedWithClose.AddTail(new CKGPToolbarButton(id, -1));
    EXPECT_TRUE(bar.MergeResourceButtons(storedWithClose));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), Commands());
}

TEST_F(ToolBarTest, CommandStatesTipsAndGroups)
{
    COldToolCmdUI save(bar, 1, bar.GetCount());
    save.Enable(FALSE);
    EXPECT_NE(0u, bar.GetButtonStyle(1) & TBBS_DISABLED);
    save.SetCheck(5);
    EXPECT_EQ(UINT(TBBS_DISABLED | TBBS_CHECKED | TBBS_CHECKBOX), bar.GetButtonStyle(1));
    save.SetCheck(2);
    EXPECT_EQ(UINT(TBBS_DISABLED | TBBS_INDETERMINATE | TBBS_CHECKBOX), bar.GetButtonStyle(1));
    save.SetText(_T("Save all\tCtrl+S"));
    EXPECT_EQ(CString(_T("Save all")), bar.GetButton(1)->m_strCaption);

    bar.OnUpdateCmdUI(&frame, FALSE);
    EXPECT_EQ(0u, bar.GetButtonStyle(0) & TBBS_DISABLED);
    bar.OnUpdateCmdUI(&frame, TRUE);
    EXPECT_NE(0u, bar.GetButtonStyle(0) & TBBS_DISABLED) << "no handler";

    TTTOOLINFOW tool{};
    tool.cbSize = sizeof(tool);
    EXPECT_EQ(0, bar.OnToolHitTest(bar.GetButton(0)->m_rcButton.CenterPoint(), &tool));
    EXPECT_STREQ(L"Open", tool.lpszText) << "the short name of the command";
    free(tool.lpszText);
    EXPECT_EQ(-1, bar.OnToolHitTest(bar.GetButton(3)->m_rcButton.CenterPoint(), &tool)) << "no text";

    EXPECT_TRUE(bar.GetButton(0)->StartsGroup());
    EXPECT_TRUE(bar.GetButton(1)->EndsGroup());
    EXPECT_TRUE(bar.GetButton(3)->StartsGroup());
    EXPECT_FALSE(bar.GetButton(1)->StartsGroup());
    EXPECT_FALSE(CKGPToolbarButton(ID_TEST_OPEN, 0).StartsGroup()) << "on no bar";
}

TEST_F(ToolBarTest, HotButtonsForbiddenCommandsAndTheListOfBars)
{
    const CPoint open = bar.GetButton(0)->m_rcButton.CenterPoint();
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(open.x, open.y));
    EXPECT_EQ(0, bar.GetHotButton());
    const CPoint separator = bar.GetButton(2)->m_rcButton.CenterPoint();
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(separator.x, separator.y));
    EXPECT_EQ(-1, bar.GetHotButton()) << "separators are never hot";
    bar.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(open.x, open.y));
    bar.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(-1, bar.GetHotButton());
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0xE001, ID_TEST_OPEN, 0xE001}), frame.prompts);

    CObList buttons;
    EXPECT_EQ(1, CKGPToolBar::GetCommandButtons(ID_TEST_SAVE, buttons));
    EXPECT_EQ(bar.GetButton(1), buttons.GetHead());

    ASSERT_TRUE(bar.SaveState(kProfile));
    CList<UINT, UINT> forbidden;
    forbidden.AddTail(ID_TEST_SAVE);
    CKGPToolBar::SetForbiddenCommands(forbidden);
    EXPECT_EQ(-1, bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_SAVE, 1)));
    EXPECT_TRUE(bar.LoadState(kProfile));
    CKGPToolBar::SetForbiddenCommands(CList<UINT, UINT>());
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_PRINT}), Commands()) << "dropped from the stored state";
}

}  // namespace
