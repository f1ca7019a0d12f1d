// Customisation mode on the toolbars: the mode itself, the customisation
// menu and its commands on the selected button, buttons dropped onto a bar
// (and dragged by the mouse within a bar, to another one and off the bars),
// the reset prompt, and help mode's hit tests.
#include <gtest/gtest.h>

#include "guilib/controls/KGPToolTipFactory.h"
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/tabs/KGPTabWindowLinks.h"
#include "guilib/toolbars/KGPCustomizeRules.h"
#include "guilib/toolbars/KGPTabbedToolbar.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarComboBoxButton.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"
#include "tests/support/DialogTesting.h"
#include "tests/support/ButtonDataObject.h"

#include <afxole.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace {

using toolbar_test::ToolBarTest;

constexpr UINT kSecondBarId = 0xE806;

// The appearance dialog as the toolbars reach it: answers OK or Cancel.
class CAppearanceAnswer : public IKGPButtonAppearanceLink {
public:
    explicit CAppearanceAnswer(BOOL bOk) : m_bOk(bOk) { CKGPLink<IKGPButtonAppearanceLink>::StandIn(this); }
    ~CAppearanceAnswer() { CKGPLink<IKGPButtonAppearanceLink>::StandIn(nullptr); }
    BOOL EditButtonAppearance(CKGPToolbarButton* pButton, CKGPToolBar*) override
    {
        ++calls;
        if (m_bOk && pButton->m_strCaption.IsEmpty())
            pButton->m_strCaption = L"Edited";
        return m_bOk;
    }
    int calls = 0;

private:
    BOOL m_bOk;
};

// A bar that counts how often it hears of customisation mode.
class CCountingBar : public CKGPToolBar {
public:
    void OnCustomizeMode(BOOL bSet) override
    {
        ++told;
        CKGPToolBar::OnCustomizeMode(bSet);
    }
    int told = 0;
};

class ToolBarCustomizeTest : public ToolBarTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(SUCCEEDED(::OleInitialize(nullptr)));
        ToolBarTest::SetUp();
    }
    void TearDown() override
    {
        CKGPToolBar::SetCustomizeMode(FALSE);
        CKGPToolBar::SetHelpMode(FALSE);
        if (second.GetSafeHwnd() != nullptr)
            second.DestroyWindow();
        ToolBarTest::TearDown();
        ::OleUninitialize();
    }
    void MakeSecondBar()
    {
        ASSERT_TRUE(second.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kSecondBarId));
        second.InsertButtonCopy(CKGPToolbarButton(ID_TEST_PRINT, 2, L"Print"));
        second.InsertButtonCopy(CKGPToolbarButton(ID_TEST_SAVE, 1, L"Save"));
        second.AdjustLayout();
        CRect first;
        bar.GetWindowRect(first);
        frame.ScreenToClient(first);
        CRect window;
        second.GetWindowRect(window);
        second.SetWindowPos(&CWnd::wndTop, first.left, first.bottom + 40, window.Width() + 60, window.Height(),
                            SWP_NOACTIVATE);
        second.AdjustLayout();
    }
    // The command as the customisation menu sends it, on the selected button.
    void Customize(int iSelect, UINT uiCmd)
    {
        const CPoint centre = bar.GetButton(iSelect)->m_rcButton.CenterPoint();
        bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(centre.x, centre.y));
        bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(centre.x, centre.y));
        ASSERT_EQ(iSelect, bar.GetCustomizeSelection());
        bar.SendMessage(WM_COMMAND, uiCmd);
    }
    static std::vector<UINT> CommandsOf(const CKGPToolBar& target)
    {
        std::vector<UINT> ids;
        for (int i = 0; i < target.GetCount(); ++i)
            ids.push_back(target.GetButton(i)->m_nCommand);
        return ids;
    }

    CKGPToolBar second;
};

TEST_F(ToolBarCustomizeTest, TheModeReachesEveryBarOnceAndTurnsTheirControlsOff)
{
    CCountingBar counting;
    ASSERT_TRUE(counting.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kSecondBarId + 1));
    counting.InsertButtonCopy(CKGPToolbarComboBoxButton(ID_TEST_SAVE, -1, CBS_DROPDOWNLIST, 80));
    counting.AdjustLayout();
    const HWND combo = counting.GetButton(0)->ControlWindow();
    ASSERT_NE(nullptr, combo);
    EXPECT_TRUE(::IsWindowEnabled(combo));

    CKGPToolBar::SetCustomizeMode(TRUE);
    CKGPToolBar::SetCustomizeMode(TRUE);
    EXPECT_EQ(1, counting.told) << "the mode is on already";
    EXPECT_TRUE(CKGPToolBar::IsCustomizeMode());
    EXPECT_FALSE(::IsWindowEnabled(combo)) << "embedded controls are off while customising";
    CKGPToolBar::SetCustomizeMode(FALSE);
    EXPECT_EQ(2, counting.told);
    EXPECT_TRUE(::IsWindowEnabled(combo));
    counting.DestroyWindow();
}

TEST_F(ToolBarCustomizeTest, BeginningAGroupInsertsOrRemovesTheSeparatorBefore)
{
    CKGPToolBar::SetCustomizeMode(TRUE);
    Customize(1, kgp::kCmdBeginGroup);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands());
    EXPECT_EQ(2, bar.GetCustomizeSelection()) << "the same button stays selected";
    Customize(4, kgp::kCmdBeginGroup);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_SAVE, ID_TEST_PRINT}), Commands());
    EXPECT_EQ(3, bar.GetCustomizeSelection()) << "the last button stays selected where it moved";
    Customize(3, kgp::kCmdBeginGroup);
    Customize(4, kgp::kCmdBeginGroup);
    EXPECT_EQ(3, bar.GetCustomizeSelection()) << "again, after the separator went";
    Customize(2, kgp::kCmdBeginGroup);
    EXPECT_EQ(1, bar.GetCustomizeSelection()) << "a button inside the bar";
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, ID_TEST_PRINT}), Commands());
    Customize(1, kgp::kCmdBeginGroup);
    Customize(0, kgp::kCmdBeginGroup);
    EXPECT_EQ(4, bar.GetCount()) << "the first button begins nothing";

    Customize(3, kgp::kCmdDeleteButton);
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, 0, ID_TEST_SAVE}), Commands());
    EXPECT_EQ(-1, bar.GetCustomizeSelection());
}

TEST_F(ToolBarCustomizeTest, TheMenuChecksTheButtonsLookAndItsCommandsChangeIt)
{
    CKGPToolBar::SetCustomizeMode(TRUE);
    CMenu menu;
    ASSERT_TRUE(menu.CreatePopupMenu());
    for (UINT command = kgp::kCmdResetImage; command <= kgp::kCmdNewMenu; ++command)
        menu.AppendMenu(MF_STRING, command, CKGPToolBar::GetCustomizeCommandText(command));
    CKGPToolbarButton* save = bar.GetButton(1);
    ASSERT_TRUE(bar.EnableContextMenuItems(save, &menu));
    EXPECT_NE(0u, menu.GetMenuState(kgp::kCmdImageOnly, MF_BYCOMMAND) & MF_CHECKED);
    EXPECT_EQ(0u, menu.GetMenuState(kgp::kCmdCopyImage, MF_BYCOMMAND) & MF_GRAYED);
    EXPECT_EQ(0u, menu.GetMenuState(kgp::kCmdBeginGroup, MF_BYCOMMAND) & MF_CHECKED);
    ASSERT_TRUE(bar.EnableContextMenuItems(bar.GetButton(3), &menu));
    EXPECT_NE(0u, menu.GetMenuState(kgp::kCmdBeginGroup, MF_BYCOMMAND) & MF_CHECKED) << "after a separator";

    // Text only: the command's short name is the caption ("Open" has one, "Save" none).
    Customize(0, kgp::kCmdTextOnly);
    EXPECT_TRUE(bar.GetButton(0)->m_bShowCaption);
    EXPECT_FALSE(bar.GetButton(0)->m_bShowImage);
    EXPECT_EQ(L"Open", bar.GetButton(0)->m_strCaption);
    Customize(1, kgp::kCmdTextOnly);
    EXPECT_FALSE(bar.GetButton(1)->m_bShowCaption) << "no caption: back to image only (with a beep)";
    EXPECT_TRUE(bar.GetButton(1)->m_bShowImage);

    Customize(0, kgp::kCmdResetImage);
    EXPECT_TRUE(bar.GetButton(0)->m_bShowImage) << "the command's standard image again";
    EXPECT_FALSE(bar.GetButton(0)->m_bShowCaption);

    // A button without an image asks the appearance dialog; Cancel restores it.
    bar.InsertButtonCopy(CKGPToolbarButton(ID_TEST_SAVE + 50, -1, L"Plain"));
    bar.AdjustLayout();
    const int plain = bar.GetCount() - 1;
    {
        CAppearanceAnswer cancel(FALSE);
        Customize(plain, kgp::kCmdImageOnly);
        EXPECT_EQ(1, cancel.calls);
        EXPECT_TRUE(bar.GetButton(plain)->m_bShowCaption);
        EXPECT_FALSE(bar.GetButton(plain)->m_bShowImage);
    }
    {
        CAppearanceAnswer ok(TRUE);
        Customize(plain, kgp::kCmdImageAndText);
        EXPECT_EQ(1, ok.calls);
        EXPECT_TRUE(bar.GetButton(plain)->m_bShowCaption);
        EXPECT_TRUE(bar.GetButton(plain)->m_bShowImage);
        Customize(plain, kgp::kCmdNewMenu);
        EXPECT_EQ(2, ok.calls);
        EXPECT_EQ(L"Edited", bar.GetButton(plain)->m_strCaption) << "the new menu stands where the selection was";
        EXPECT_NE(nullptr, DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, bar.GetButton(plain)));
    }
}

using keyloft_test::CButtonData;

// A tabbed toolbar that counts its layouts.
class CCountingTabbedToolbar : public CKGPTabbedToolbar {
public:
    void AdjustLayout() override
    {
        ++layouts;
        CKGPTabbedToolbar::AdjustLayout();
    }
    int layouts = 0;
};

TEST_F(ToolBarCustomizeTest, AButtonDroppedOntoABarInsideATabbedToolbarRefitsTheTabbedToolbar)
{
    KGPRegisterTabsLinks();
    CCountingTabbedToolbar tabbed;
    ASSERT_TRUE(tabbed.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kSecondBarId + 5));
    MakeSecondBar();
    ASSERT_TRUE(tabbed.AddTab(&second));
    tabbed.layouts = 0;
    CKGPToolbarButton print(ID_TEST_PRINT, 2, L"Print");
    CButtonData data(print);
    const CPoint first = second.GetButton(0)->m_rcButton.TopLeft() + CPoint(2, 2);
    second.DragOverBar(data.Get(), MK_CONTROL, first);
    ASSERT_TRUE(second.DropButton(data.Get(), DROPEFFECT_COPY, first));
    EXPECT_EQ(3, second.GetCount());
    EXPECT_GT(tabbed.layouts, 0);
    second.SetParent(&frame); // the tabbed toolbar goes first
    tabbed.DestroyWindow();
}

TEST_F(ToolBarCustomizeTest, ButtonsDroppedOntoABarLandAtTheMarker)
{
    MakeSecondBar();
    CKGPToolbarButton print(ID_TEST_PRINT, 2, L"Print\tCtrl+P");
    CButtonData data(print);
    const CPoint first = bar.GetButton(0)->m_rcButton.TopLeft() + CPoint(2, 2);
    EXPECT_EQ(DROPEFFECT_MOVE, bar.DragOverBar(data.Get(), 0, first));
    EXPECT_EQ(0, bar.GetInsertMarker());
    EXPECT_EQ(DROPEFFECT_COPY, bar.DragOverBar(data.Get(), MK_CONTROL, first));
    ASSERT_TRUE(bar.DropButton(data.Get(), DROPEFFECT_COPY, first));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT, ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands());
    EXPECT_EQ(L"Print", bar.GetButton(0)->m_strCaption) << "cut at the tab";
    EXPECT_EQ(-1, bar.GetInsertMarker());

    bar.m_bDropsElsewhere = TRUE;
    EXPECT_EQ(DROPEFFECT_NONE, bar.DragOverBar(data.Get(), 0, first));
    EXPECT_FALSE(bar.DropButton(data.Get(), DROPEFFECT_MOVE, first));
    bar.m_bDropsElsewhere = FALSE;
    EXPECT_FALSE(bar.DropButton(data.Get(), DROPEFFECT_MOVE, first)) << "no marker";

    CKGPToolBar locked;
    ASSERT_TRUE(locked.Create(&frame, WS_CHILD | CBRS_TOP, kSecondBarId + 2));
    ASSERT_TRUE(locked.LoadToolBar(IDR_TEST_TOOLBAR, 0, 0, TRUE));
    EXPECT_EQ(DROPEFFECT_NONE, locked.DragOverBar(data.Get(), 0, CPoint(2, 2)));
    locked.DestroyWindow();

    // From the customisation command list: image only; nothing to show asks
    // the appearance dialog, whose Cancel drops the button.
    CKGPToolbarButton fresh(ID_TEST_SAVE + 60, -1, L"");
    fresh.m_bFromCommandList = TRUE;
    CButtonData freshData(fresh);
    CAppearanceAnswer cancel(FALSE);
    EXPECT_EQ(nullptr, std::unique_ptr<CKGPToolbarButton>(bar.CreateDroppedButton(freshData.Get())).get());
    EXPECT_EQ(1, cancel.calls);
    fresh.m_strCaption = L"Fresh";
    CButtonData named(fresh);
    std::unique_ptr<CKGPToolbarButton> made(bar.CreateDroppedButton(named.Get()));
    ASSERT_NE(nullptr, made);
    EXPECT_TRUE(made->m_bShowCaption) << "without an image it ends text only";
    EXPECT_FALSE(made->m_bShowImage);
}

// Drives the real mouse: down on one place, moves in steps, up on another.
class CMouseDrag {
public:
    CMouseDrag(CPoint from, CPoint to, bool escape = false)
    {
        m_thread = std::thread([this, from, to, escape]() {
            ::Sleep(200);
            Move(from);
            ::Sleep(50);
            Button(MOUSEEVENTF_LEFTDOWN);
            ::Sleep(100);
            for (int step = 1; step <= 20; ++step) {
                Move(CPoint(from.x + (to.x - from.x) * step / 20, from.y + (to.y - from.y) * step / 20));
                ::Sleep(20);
            }
            ::Sleep(100);
            if (escape) {
                INPUT key[2] = {};
                key[0].type = key[1].type = INPUT_KEYBOARD;
                key[0].ki.wVk = key[1].ki.wVk = VK_ESCAPE;
                key[1].ki.dwFlags = KEYEVENTF_KEYUP;
                ::SendInput(2, key, sizeof(INPUT));
                ::Sleep(100);
            }
            Button(MOUSEEVENTF_LEFTUP);
            ::Sleep(100);
            m_done = true;
        });
    }
    ~CMouseDrag()
    {
        if (m_thread.joinable())
            m_thread.join();
    }
    // Pumps messages until the drag is over.
    void Run()
    {
        const DWORD start = ::GetTickCount();
        while (!m_done && ::GetTickCount() - start < 10000) {
            for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);) {
                ::TranslateMessage(&msg);
                ::DispatchMessage(&msg);
            }
            ::Sleep(5);
        }
        m_thread.join();
        for (MSG msg; ::PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE);)
            ::DispatchMessage(&msg);
    }

private:
    static void Move(CPoint point)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dx = point.x * 65535 / (::GetSystemMetrics(SM_CXSCREEN) - 1);
        input.mi.dy = point.y * 65535 / (::GetSystemMetrics(SM_CYSCREEN) - 1);
        input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE;
        ::SendInput(1, &input, sizeof(INPUT));
    }
    static void Button(DWORD flags)
    {
        INPUT input{};
        input.type = INPUT_MOUSE;
        input.mi.dwFlags = flags;
        ::SendInput(1, &input, sizeof(INPUT));
    }
    std::atomic<bool> m_done{false};
    std::thread m_thread;
};

CPoint ScreenCentre(CKGPToolBar& target, int index)
{
    CPoint centre = target.GetButton(index)->m_rcButton.CenterPoint();
    target.ClientToScreen(&centre);
    return centre;
}

TEST_F(ToolBarCustomizeTest, AButtonDraggedToAnotherBarMovesThereAndOffTheBarsGoes)
{
    MakeSecondBar();
    frame.SetForegroundWindow();
    frame.UpdateWindow();
    CKGPToolBar::SetCustomizeMode(TRUE);

    // "Open" onto the second bar's first button: it moves there.
    {
        CMouseDrag drag(ScreenCentre(bar, 0), ScreenCentre(second, 0) + CPoint(-4, 0));
        drag.Run();
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_PRINT, ID_TEST_SAVE}), CommandsOf(second));
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands()) << "it left the first bar";

    // "Print" of the first bar to its own start: it moves within the bar.
    {
        CMouseDrag drag(ScreenCentre(bar, 2), ScreenCentre(bar, 0) + CPoint(-6, 0));
        drag.Run();
    }
    EXPECT_EQ(ID_TEST_PRINT, bar.GetButton(0)->m_nCommand);
    EXPECT_EQ(ID_TEST_SAVE, bar.GetButton(1)->m_nCommand);

    // "Save" of the second bar dropped on the frame, where no bar takes it: it goes.
    CRect client;
    frame.GetClientRect(client);
    CPoint nowhere(client.CenterPoint().x, client.bottom - 20);
    frame.ClientToScreen(&nowhere);
    {
        CMouseDrag drag(ScreenCentre(second, 2), nowhere);
        drag.Run();
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_PRINT}), CommandsOf(second));
}

// A bar made to take no drops is no place to drop a button: one dragged onto
// it is dropped where no bar takes it (and so leaves its own bar).
TEST_F(ToolBarCustomizeTest, ABarMadeWithoutADropTargetTakesNoButtonDraggedOntoIt)
{
    second.m_bSkipDropTarget = TRUE;
    MakeSecondBar();
    frame.SetForegroundWindow();
    frame.UpdateWindow();
    CKGPToolBar::SetCustomizeMode(TRUE);
    ASSERT_EQ(ID_TEST_OPEN, bar.GetButton(0)->m_nCommand);
    {
        CMouseDrag drag(ScreenCentre(bar, 0), ScreenCentre(second, 0) + CPoint(-4, 0));
        drag.Run();
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_PRINT, ID_TEST_SAVE}), CommandsOf(second)) << "nothing landed there";
    EXPECT_LT(bar.CommandToIndex(ID_TEST_OPEN), 0) << "dropped where no bar takes it";
}

TEST_F(ToolBarCustomizeTest, AToolBarDeletedBeforeItsWindowTakesItsTooltipAndTheSelectionWithIt)
{
    auto doomed = std::make_unique<CKGPToolBar>();
    ASSERT_TRUE(doomed->Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS, kSecondBarId));
    doomed->InsertButtonCopy(CKGPToolbarButton(ID_TEST_PRINT, 2, L"Print"));
    doomed->AdjustLayout();
    const CToolTipCtrl* tip = doomed->GetToolTipCtrl();
    ASSERT_NE(nullptr, tip);
    ASSERT_EQ(UINT(KGP_TOOLTIP_TOOLBAR), CKGPToolTipFactory::GetKind(tip));
    const HWND window = doomed->GetSafeHwnd();

    // Customising, the user picks its button.
    CKGPToolBar::SetCustomizeMode(TRUE);
    const CPoint print = doomed->GetButton(0)->m_rcButton.CenterPoint();
    doomed->SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(print.x, print.y));
    doomed->SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(print.x, print.y));
    ASSERT_EQ(doomed.get(), CKGPToolBar::s_pCustomSelBar);
    ASSERT_EQ(0, doomed->GetCustomizeSelection());

    // The object goes while its window stands: the window goes as the bar's.
    doomed.reset();
    EXPECT_FALSE(::IsWindow(window));
    EXPECT_EQ(nullptr, CKGPToolBar::s_pCustomSelBar) << "the selection points at no bar that went";
    EXPECT_EQ(0u, CKGPToolTipFactory::GetKind(tip)) << "its tooltip went with it";

    // A pick on the other bar selects there (no bar that went is asked to let go).
    const CPoint save = bar.GetButton(1)->m_rcButton.CenterPoint();
    bar.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(save.x, save.y));
    bar.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(save.x, save.y));
    EXPECT_EQ(&bar, CKGPToolBar::s_pCustomSelBar);
    EXPECT_EQ(1, bar.GetCustomizeSelection());
}

TEST_F(ToolBarCustomizeTest, TheResetPromptResetsTheBarOnOkOnly)
{
    bar.RemoveButton(0);
    bar.SetWindowText(L"  Standard  ");
    {
        keyloft_test::CDialogAnswerer cancel(L"Standard",
                                             [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0); });
        bar.SendMessage(KGTOOLBAR_RESETRPROMPT);
        EXPECT_TRUE(cancel.Found());
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands());
    {
        keyloft_test::CDialogAnswerer ok(L"Standard", [](HWND dialog) { ::PostMessageW(dialog, WM_COMMAND, IDOK, 0); });
        bar.SendMessage(KGTOOLBAR_RESETRPROMPT);
        EXPECT_TRUE(ok.Found());
    }
    EXPECT_EQ((std::vector<UINT>{ID_TEST_OPEN, ID_TEST_SAVE, 0, ID_TEST_PRINT}), Commands());
}

TEST_F(ToolBarCustomizeTest, HelpHitsAnswerTheCommandsHelpIdAndEndHelpMode)
{
    bar.InsertButtonCopy(CKGPToolbarButton(SC_CLOSE, -1, L"Close"));
    bar.InsertButtonCopy(CKGPToolbarMenuButtonsButton(SC_MINIMIZE));
    bar.AdjustLayout();
    const auto hit = [this](int index) {
        const CPoint centre = bar.GetButton(index)->m_rcButton.CenterPoint();
        return bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(centre.x, centre.y));
    };

    CKGPToolBar::SetHelpMode(TRUE);
    EXPECT_TRUE(CKGPToolBar::IsHelpMode());
    EXPECT_EQ(-1, bar.SendMessage(WM_HELPHITTEST, 0, MAKELPARAM(1000, 5))) << "no button: a beep";
    EXPECT_TRUE(CKGPToolBar::IsHelpMode());
    EXPECT_EQ(0x1EF00 + 6, hit(4)) << "the system command's help id";
    EXPECT_FALSE(CKGPToolBar::IsHelpMode()) << "a help id ends help mode";

    CKGPToolBar::SetHelpMode(TRUE);
    EXPECT_EQ(0x1EF00 + 2, hit(5)) << "the MDI button's system command";
    CKGPToolBar::SetHelpMode(TRUE);
    EXPECT_EQ(0x10000 + ID_TEST_SAVE, hit(1));
}

} // namespace
