// The monkey's toolbar and menu steps: bars dragged by their grippers, a
// floating bar resized by its edge, menus opened by the mouse and the keys
// and their items chosen, the customise button's menu.
#include "tests/guilib_apphost/HostMonkey.h"

#include <afxadv.h>
#include <afxmdi.h>

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPCustomizeMenuButton.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/menus/KGPPopupMenuBar.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostFixture.h"
#include "tests/guilib_apphost/HostInvariants.h"

namespace apphost {

namespace {

const CPoint kNowhere(-1, -1);

std::string At(CPoint point)
{
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

std::string BarName(CWnd& bar)
{
    CString title;
    bar.GetWindowText(title);
    return std::string(CStringA(title).GetString());
}

std::string Caption(const CKGPToolbarButton& button)
{
    return std::string(CStringA(button.m_strCaption.SpanExcluding(_T("\t"))).GetString());
}

// The Window menu's "More Windows..." the system adds after nine notes: its
// modal list of the notes.
constexpr UINT kMoreWindows = AFX_IDM_FIRST_MDICHILD + 9;

// Commands a user of the monkey does not choose: the end of the program,
// modal dialogs of the system's own (saving a note, the options, the list of
// notes), and the customisation sheet (opened by a step of its own).
bool IsLeftAlone(UINT command)
{
    switch (command) {
    case kMoreWindows:
    case ID_APP_EXIT:
    case ID_FILE_SAVE:
    case ID_FILE_OPEN:
    case ID_VIEW_OPTIONS:
    case ID_VIEW_CUSTOMIZE:
    case ID_CONTEXT_HELP:
        return true;
    default:
        return command >= ID_FILE_MRU_FILE1 && command <= ID_FILE_MRU_LAST;
    }
}

CKGPPopupMenu* OpenPopup()
{
    CKGPPopupMenu* popup = CKGPPopupMenu::GetActiveMenu();
    return popup != nullptr && popup->GetSafeHwnd() != nullptr && popup->IsWindowVisible() ? popup : nullptr;
}

CPoint ItemCentre(CKGPToolBar& bar, int index)
{
    CRect rect;
    bar.GetItemRect(index, rect);
    if (rect.IsRectEmpty())
        return kNowhere;
    bar.ClientToScreen(rect);
    // (A button half under the frame's sizing border would take the press
    // as the border's: the frame is resized.)
    return ShowsAt(bar.GetSafeHwnd(), rect.CenterPoint()) ? rect.CenterPoint() : kNowhere;
}

// The menu bar's top-level menus (not the buttons of a maximised note), and
// the commands customisation put there, but for those left alone (a click on
// Options... runs its modal sheet, which the step would wait in until Esc).
std::vector<int> TopLevelMenus(CKGPMenuBar& bar)
{
    std::vector<int> menus;
    for (int i = 0; i < bar.GetCount(); ++i) {
        CKGPToolbarButton* button = bar.GetButton(i);
        if (button != nullptr && !button->IsSeparator() && !button->m_strCaption.IsEmpty() &&
            !IsLeftAlone(button->m_nCommand) &&
            !button->IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton)) &&
            !button->IsKindOf(RUNTIME_CLASS(CKGPToolbarMenuButtonsButton)) &&
            !button->IsKindOf(RUNTIME_CLASS(CCustomizeButton)) && ItemCentre(bar, i) != kNowhere)
            menus.push_back(i);
    }
    return menus;
}

// A point of a floating frame's caption that shows on the screen (the frame
// may stand partly beyond its edge), kNowhere without one.
CPoint FloatingCaption(CKGPMiniFrameWnd& floating)
{
    const CRect rect = ScreenRect(floating);
    for (int y = rect.top; y < rect.top + 30 && y < rect.bottom; ++y) {
        if (floating.HitTest(CPoint(rect.left + 12, y), TRUE) != HTCAPTION)
            continue;
        for (int x = rect.left + 12; x < rect.right - 8; x += 8) {
            if (floating.HitTest(CPoint(x, y + 3), TRUE) == HTCAPTION && ShowsAt(floating.GetSafeHwnd(), CPoint(x, y + 3)))
                return CPoint(x, y + 3);
        }
        return kNowhere;
    }
    return kNowhere;
}

bool ShowsBar(CKGPToolBar& bar)
{
    return bar.GetSafeHwnd() != nullptr && IsShown(bar);
}

} // namespace

std::string CHostMonkey::DragToolBar()
{
    CHostMainFrame& frame = Frame();
    std::vector<CKGPToolBar*> bars;
    for (CKGPToolBar* bar : MonkeyBars(frame)) {
        if (ShowsBar(*bar))
            bars.push_back(bar);
    }
    if (bars.empty())
        return "(no bar shows)";
    CKGPToolBar& bar = *bars[static_cast<size_t>(Pick(static_cast<int>(bars.size())))];
    CKGPMiniFrameWnd* floating = bar.GetParentMiniFrame(TRUE);
    const CRect rect = ScreenRect(bar);
    CPoint from;
    if (floating != nullptr)
        from = FloatingCaption(*floating);
    else
        from = bar.IsHorizontal() ? CPoint(rect.left + 4, rect.CenterPoint().y) : CPoint(rect.CenterPoint().x, rect.top + 4);
    CRect client;
    frame.GetClientRect(client);
    frame.ClientToScreen(client);
    const CRect notes = ScreenRect(frame.m_hWndMDIClient);
    CPoint to;
    std::string where;
    switch (PickKind(6)) {
    case 0:
        to = PointIn(CRect(client.left, client.top, client.right, std::max(client.top + 10, notes.top)), 2);
        where = "the top rows";
        break;
    case 1:
        to = PointIn(CRect(client.left, notes.bottom - 8, client.right, client.bottom - 20), 2);
        where = "the bottom";
        break;
    case 2:
        to = CPoint(client.left + 3 + Pick(10), notes.top + Pick(std::max(1, notes.Height())));
        where = "the left edge";
        break;
    case 3:
        to = CPoint(client.right - 3 - Pick(10), notes.top + Pick(std::max(1, notes.Height())));
        where = "the right edge";
        break;
    case 4:
        to = PointIn(notes, 40);
        where = "the notes (floating)";
        break;
    default: {
        CKGPToolBar& other = *bars[static_cast<size_t>(Pick(static_cast<int>(bars.size())))];
        to = PointIn(ScreenRect(other), 2);
        where = "the place of " + BarName(other);
        break;
    }
    }
    if (from == kNowhere)
        return BarName(bar) + " (nothing to take it by)";
    Perform([&](CGestures& user) { user.Drag(from, to, 14); });
    return BarName(bar) + (floating != nullptr ? " by its floating caption " : " by its gripper ") + At(from) +
           " to " + where + " " + At(to);
}

std::string CHostMonkey::ResizeFloatingToolBar()
{
    std::vector<CKGPMiniFrameWnd*> floating;
    for (CKGPToolBar* bar : MonkeyBars(Frame())) {
        CKGPMiniFrameWnd* frame = bar->GetParentMiniFrame(TRUE);
        if (frame != nullptr && IsShown(*frame))
            floating.push_back(frame);
    }
    if (floating.empty())
        return "(no toolbar floats)";
    CKGPMiniFrameWnd& frame = *floating[static_cast<size_t>(Pick(static_cast<int>(floating.size())))];
    const CRect rect = ScreenRect(frame);
    CRect border;
    frame.CalcBorderSize(border);
    const bool right = Pick(2) == 0;
    const CPoint edge = right ? CPoint(rect.right - border.right / 2 - 1, rect.CenterPoint().y + rect.Height() / 4)
                              : CPoint(rect.CenterPoint().x, rect.bottom - border.bottom / 2 - 1);
    const int by = Pick(201) - 100;
    const CPoint to = right ? edge + CSize(by, 0) : edge + CSize(0, by);
    if (!ShowsAt(frame.GetSafeHwnd(), edge))
        return BarName(*frame.GetControlBar()) + " (that edge is off the screen) " + At(edge);
    bool covered = false;
    Perform([&](CGestures& user) {
        user.MoveTo(edge);
        user.Pause(60);
        // Another floating frame may have come over the edge meanwhile (the
        // owner's activation reorders them late on a busy machine): a press
        // there would be that frame's.
        covered = !ShowsAt(frame.GetSafeHwnd(), edge);
        if (covered)
            return;
        user.Press();
        user.DragTo(to, 10);
        user.Pause(60);
        user.Release();
    });
    if (covered)
        return BarName(*frame.GetControlBar()) + " (another frame came over that edge) " + At(edge);
    return BarName(*frame.GetControlBar()) + (right ? " by its right edge " : " by its bottom edge ") + At(edge) +
           " by " + std::to_string(by);
}

void CHostMonkey::AfterCommand(UINT command)
{
    for (CKGPDockingControlBar* pane : Frame().StoredPanes()) {
        if (static_cast<UINT>(pane->GetDlgCtrlID()) != command)
            continue;
        if (IsPaneShownInHost(*pane))
            m_closed.erase(pane->GetDlgCtrlID());
        else
            m_closed.insert(pane->GetDlgCtrlID());
    }
}

std::string CHostMonkey::ChooseInPopup()
{
    std::string chosen;
    for (int depth = 0; depth < 3; ++depth) {
        CKGPPopupMenu* popup = OpenPopup();
        if (popup == nullptr)
            return chosen + " (no menu open)";
        CKGPPopupMenuBar& items = *popup->GetMenuBar();
        std::vector<int> candidates;
        for (int i = 0; i < items.GetCount(); ++i) {
            CKGPToolbarButton* item = items.GetButton(i);
            if (item != nullptr && !item->IsSeparator() && !IsLeftAlone(item->m_nCommand) &&
                ItemCentre(items, i) != kNowhere)
                candidates.push_back(i);
        }
        if (candidates.empty() || Pick(8) == 0) {
            Perform([](CGestures& user) { user.Key(VK_ESCAPE); });
            return chosen + " then Esc";
        }
        const int index = candidates[static_cast<size_t>(Pick(static_cast<int>(candidates.size())))];
        CKGPToolbarButton* item = items.GetButton(index);
        const bool showAll = item->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton));
        auto* menuItem = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, item);
        const bool subMenu = !showAll && menuItem != nullptr && !menuItem->GetCommands().IsEmpty();
        const UINT command = item->m_nCommand;
        const CPoint point = ItemCentre(items, index);
        chosen += " > " + (showAll ? std::string("(show all)") : Caption(*item)) + " " + At(point);
        Perform([&](CGestures& user) { user.Click(point); });
        if (showAll) {
            WaitUntil([&] { return OpenPopup() != nullptr && OpenPopup()->GetMenuBar()->GetCount() != items.GetCount(); },
                      800);
            continue;
        }
        if (subMenu) {
            if (!WaitUntil([popup] { return OpenPopup() != nullptr && OpenPopup() != popup; }, 1000))
                return chosen + " (no sub-menu)";
            continue;
        }
        WaitUntil([] { return OpenPopup() == nullptr; }, 1000);
        PumpFor(50);
        AfterCommand(command);
        return chosen;
    }
    return chosen;
}

int CHostMonkey::PickTopLevelMenu(CKGPMenuBar& bar, std::string& none)
{
    if (!ShowsBar(bar)) {
        none = "(the menu bar is hidden)";
        return -1;
    }
    const std::vector<int> menus = TopLevelMenus(bar);
    if (menus.empty()) {
        none = "(no menu)";
        return -1;
    }
    return menus[static_cast<size_t>(Pick(static_cast<int>(menus.size())))];
}

std::string CHostMonkey::MenuByMouse()
{
    CKGPMenuBar& bar = Frame().m_wndMenuBar;
    std::string none;
    const int index = PickTopLevelMenu(bar, none);
    if (index < 0)
        return none;
    const CPoint point = ItemCentre(bar, index);
    const std::string name = Caption(*bar.GetButton(index));
    Perform([&](CGestures& user) {
        user.Pause(::GetDoubleClickTime());
        user.Click(point);
    });
    if (!WaitUntil([] { return OpenPopup() != nullptr; }, 1000))
        return name + " " + At(point) + " (did not open)";
    return name + " " + At(point) + ChooseInPopup();
}

std::string CHostMonkey::KeysToFrame()
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    std::string done;
    // The keys go to the window in front: a click on the status bar brings
    // the frame there, as a user's would.
    if (::GetForegroundWindow() != frame.GetSafeHwnd()) {
        const CPoint status = ScreenRect(frame.m_wndStatusBar).CenterPoint();
        Perform([&](CGestures& user) { user.Click(status); });
        done += "(frame brought to the front) ";
    }
    // A menu bar still taking the keys (a menu closed by Esc leaves it so)
    // would leave them at Alt or F10: Esc gives them back first.
    if (::GetFocus() == bar.GetSafeHwnd() || bar.GetHotButton() >= 0) {
        Perform([](CGestures& user) { user.Key(VK_ESCAPE); });
        WaitUntil([&] { return ::GetFocus() != bar.GetSafeHwnd() && bar.GetHotButton() < 0; }, 500);
        done += "(Esc to leave the menu bar) ";
    }
    return done;
}

std::string CHostMonkey::MenuByKeys()
{
    CHostMainFrame& frame = Frame();
    CKGPMenuBar& bar = frame.m_wndMenuBar;
    std::string none;
    const int index = PickTopLevelMenu(bar, none);
    if (index < 0)
        return none;
    const CString caption = bar.GetButton(index)->m_strCaption;
    const int amp = caption.Find(_T('&'));
    const UINT mnemonic = amp >= 0 && amp + 1 < caption.GetLength() ? static_cast<UINT>(_totupper(caption[amp + 1])) : 0;
    const int way = mnemonic != 0 ? Pick(3) : 1 + Pick(2);
    const int downs = Pick(6);
    const bool right = Pick(4) == 0;
    const bool showAll = Pick(5) == 0;
    std::string done = KeysToFrame();
    Perform([&](CGestures& user) {
        if (way == 0) {
            user.Chord(VK_MENU, mnemonic);
        } else if (way == 1) {
            user.Key(VK_F10);
            user.Key(VK_DOWN);
        } else {
            user.Key(VK_MENU);
            user.Key(VK_RIGHT);
            user.Key(VK_DOWN);
        }
        user.Pause(100);
        if (showAll)
            user.Chord(VK_CONTROL, VK_DOWN);
        for (int i = 0; i < downs; ++i)
            user.Key(VK_DOWN);
        if (right)
            user.Key(VK_RIGHT);
        user.Pause(100);
    });
    done += way == 0 ? "Alt+" + std::string(1, static_cast<char>(mnemonic)) : way == 1 ? "F10 Down" : "Alt Right Down";
    done += showAll ? ", Ctrl+Down" : "";
    done += ", Down x" + std::to_string(downs) + (right ? ", Right" : "");
    CKGPPopupMenu* popup = OpenPopup();
    if (popup == nullptr)
        return done + " (no menu open)";
    CKGPPopupMenuBar& items = *popup->GetMenuBar();
    const int hot = items.GetHotButton();
    CKGPToolbarButton* item = hot >= 0 && hot < items.GetCount() ? items.GetButton(hot) : nullptr;
    if (item == nullptr || item->IsSeparator() || IsLeftAlone(item->m_nCommand) || Pick(6) == 0) {
        Perform([](CGestures& user) {
            user.Key(VK_ESCAPE);
            user.Key(VK_ESCAPE);
        });
        return done + ", Esc";
    }
    const UINT command = item->m_nCommand;
    done += ", Enter on " + Caption(*item);
    Perform([](CGestures& user) { user.Key(VK_RETURN); });
    PumpFor(50);
    if (OpenPopup() != nullptr)
        done += ChooseInPopup();
    AfterCommand(command);
    return done;
}

std::string CHostMonkey::CustomiseButtonMenu()
{
    CHostMainFrame& frame = Frame();
    std::vector<CKGPToolBar*> bars;
    for (CKGPToolBar* bar : {static_cast<CKGPToolBar*>(&frame.m_wndToolBar), static_cast<CKGPToolBar*>(&frame.m_wndFormatBar)}) {
        // (A floating bar shows no customise button.)
        if (ShowsBar(*bar) && bar->GetCustomizeButton() != nullptr &&
            ItemCentre(*bar, bar->ButtonToIndex(bar->GetCustomizeButton())) != kNowhere)
            bars.push_back(bar);
    }
    if (bars.empty())
        return "(no toolbar shows its customise button)";
    CKGPToolBar& bar = *bars[static_cast<size_t>(Pick(static_cast<int>(bars.size())))];
    const CPoint point = ItemCentre(bar, bar.ButtonToIndex(bar.GetCustomizeButton()));
    const CString addRemove = CCustomizeButton::AddRemoveButtonsText();
    const bool hiddenOne = Pick(3) == 0;
    Perform([&](CGestures& user) { user.Click(point); });
    if (!WaitUntil([&] { return AppHostTest::PopupItemPoint(addRemove) != kNowhere; }, 1000))
        return BarName(bar) + " " + At(point) + " (no menu)";
    const std::string done = BarName(bar) + " " + At(point);
    // A button the bar has no room for, from the top of the menu: it acts as
    // the button does.
    CKGPPopupMenu* menu = OpenPopup();
    std::vector<int> hidden;
    for (int i = 0; menu != nullptr && i < menu->GetMenuItemCount(); ++i) {
        CKGPToolbarButton* item = menu->GetMenuItem(i);
        if (item->IsSeparator() || item->m_strCaption == addRemove)
            break;
        if (!IsLeftAlone(item->m_nCommand))
            hidden.push_back(i);
    }
    if (hiddenOne && !hidden.empty()) {
        const int index = hidden[static_cast<size_t>(Pick(static_cast<int>(hidden.size())))];
        const std::string name = Caption(*menu->GetMenuItem(index));
        const UINT command = menu->GetMenuItem(index)->m_nCommand;
        const CPoint at = ItemCentre(*menu->GetMenuBar(), index);
        Perform([&](CGestures& user) { user.Click(at); });
        PumpFor(50);
        AfterCommand(command);
        return done + " > hidden " + name + " " + At(at) + (OpenPopup() != nullptr ? ChooseInPopup() : "");
    }
    // "Add or Remove Buttons", the bar's name, then one of its buttons.
    CString name;
    bar.GetWindowText(name);
    const CPoint addRemovePoint = AppHostTest::PopupItemPoint(addRemove);
    Perform([&](CGestures& user) { user.Click(addRemovePoint); });
    if (!WaitUntil([&] { return AppHostTest::PopupItemPoint(name) != kNowhere; }, 1000))
        return done + " > Add or Remove Buttons (no bar's name)";
    const CPoint named = AppHostTest::PopupItemPoint(name);
    Perform([&](CGestures& user) { user.Click(named); });
    if (!WaitUntil([] {
            const CKGPPopupMenu* popup = OpenPopup();
            return popup != nullptr && popup->GetMenuItemCount() > 0 &&
                   popup->GetMenuItem(0)->IsKindOf(RUNTIME_CLASS(CKGPCustomizeMenuButton));
        }, 1000))
        return done + " > Add or Remove Buttons > " + BarName(bar) + " (no buttons' menu)";
    CKGPPopupMenu* buttons = OpenPopup();
    std::vector<int> entries;
    for (int i = 0; i < buttons->GetMenuItemCount(); ++i) {
        // (Not the entry opening the customisation sheet: a step of its own.)
        const auto* item = DYNAMIC_DOWNCAST(CKGPCustomizeMenuButton, buttons->GetMenuItem(i));
        if (item != nullptr && item->m_nCommand != ID_VIEW_CUSTOMIZE)
            entries.push_back(i);
    }
    if (entries.empty())
        return done + " > Add or Remove Buttons > " + BarName(bar) + " (no entries)";
    const int chosen = entries[static_cast<size_t>(Pick(static_cast<int>(entries.size())))];
    const auto* entry = static_cast<CKGPCustomizeMenuButton*>(buttons->GetMenuItem(chosen));
    const bool reset = entry->GetItemIndex() == CKGPCustomizeMenuButton::kResetEntry;
    const std::string button = reset ? std::string("(reset)") : Caption(*entry);
    const CPoint at = ItemCentre(*buttons->GetMenuBar(), chosen);
    bool asked = false;
    Perform([&](CGestures& user) {
        user.Click(at);
        // The reset asks first, in a message box of its own.
        if (reset && (asked = user.WaitFor([] { return !ShownTopLevels(L"#32770").empty(); }, 1500))) {
            user.Pause(100);
            user.Key(VK_RETURN);
        }
    });
    return done + " > Add or Remove Buttons > " + BarName(bar) + " > " + button + " " + At(at) +
           (asked ? ", confirmed" : "");
}

} // namespace apphost
