// The monkey's docking steps: panes dragged and dropped, Esc in a drag,
// captions double-clicked, pins, closes and shows, sliders.
#include "tests/guilib_apphost/HostMonkey.h"

#include "guilib/docking/KGPAutoHideButton.h"
#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPCaptionButton.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/docking/KGPSlider.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "tests/guilib_apphost/HostFixture.h"
#include "tests/guilib_apphost/HostInvariants.h"

#include <algorithm>
#include <atomic>
#include <sstream>

namespace apphost {

namespace {

const CPoint kNowhere(-1, -1);

std::string At(CPoint point)
{
    return "(" + std::to_string(point.x) + "," + std::to_string(point.y) + ")";
}

// What stands in the layout for the pane: its tabbed pane when it is a tab.
CKGPDockingControlBar& HostOf(CKGPDockingControlBar& pane)
{
    auto* tabbed = DYNAMIC_DOWNCAST(CKGPDockingControlBar, pane.GetParentTabbedBar());
    return pane.IsTabbed() && tabbed != nullptr ? *tabbed : pane;
}

std::string NameOf(CWnd& wnd)
{
    CString title;
    wnd.GetWindowText(title);
    return std::to_string(wnd.GetDlgCtrlID()) + " " + std::string(CStringA(title).GetString());
}

// A point of the pane's own caption where it hits as asked (its pin, its
// close button) and the user sees the pane; kNowhere when it has none there.
CPoint HitPoint(CKGPDockingControlBar& pane, int hit)
{
    const CRect rect = ScreenRect(pane);
    for (int y = rect.top; y < rect.top + 30 && y < rect.bottom; ++y) {
        for (int x = rect.right - 2; x > rect.right - 80 && x > rect.left; --x) {
            if (pane.HitTest(CPoint(x, y)) == hit)
                return ShowsAt(pane.GetSafeHwnd(), CPoint(x - 3, y + 3)) ? CPoint(x - 3, y + 3) : kNowhere;
        }
    }
    return kNowhere;
}

// Where the user takes a caption found at `point`: there when the caption
// shows there, else further along it (a floating frame partly beyond the
// screen's edge, a caption partly covered); kNowhere when no part shows.
// Never on a caption button: a floating frame's hit test takes its buttons
// for its caption, and a double click there closes the frame.
CPoint SeenOnCaption(CKGPDockingControlBar& pane, bool ownCaption, CPoint point)
{
    if (point == kNowhere)
        return kNowhere;
    CKGPMiniFrameWnd* floating = ownCaption ? nullptr : pane.GetParentMiniFrame(TRUE);
    const HWND hWnd = floating != nullptr ? floating->GetSafeHwnd() : pane.GetSafeHwnd();
    const CRect rect = ScreenRect(hWnd);
    for (int x = point.x; x < rect.right - 8; x += 8) {
        const CPoint at(x, point.y);
        const LRESULT hit = floating != nullptr ? floating->HitTest(at, TRUE) : pane.HitTest(at, TRUE);
        const bool onButton = floating != nullptr && floating->FindCaptionButtonAtPoint(at) != nullptr;
        if (hit == HTCAPTION && !onButton && ShowsAt(hWnd, at))
            return at;
    }
    return kNowhere;
}

// The middle of a floating frame's caption button, kNowhere without one or
// where another window covers it (the click would go to that window).
CPoint CaptionButtonPoint(CKGPMiniFrameWnd& floating, UINT hit)
{
    CKGPCaptionButton* button = floating.FindCaptionButton(hit);
    if (button == nullptr || button->m_bHidden)
        return kNowhere;
    CRect rect = button->GetRect();
    rect.OffsetRect(ScreenRect(floating).TopLeft());
    return ShowsAt(floating.GetSafeHwnd(), rect.CenterPoint()) ? rect.CenterPoint() : kNowhere;
}

// The middle of an auto-hidden pane's button on its strip.
// The middle of an auto-hidden pane's button on its strip, where the strip
// shows it (a floating frame over the strip takes a click there: a toolbar's
// Options... button opened its modal sheet); kNowhere otherwise.
CPoint StripButtonPoint(CKGPDockingControlBar& pane)
{
    CKGPAutoHideToolBar* strip = pane.GetAutoHideToolBar();
    CKGPAutoHideButton* button = pane.GetAutoHideButton();
    if (strip == nullptr || button == nullptr || strip->GetSafeHwnd() == nullptr)
        return kNowhere;
    CRect rect = button->GetRect();
    strip->ClientToScreen(rect);
    return ShowsAt(strip->GetSafeHwnd(), rect.CenterPoint()) ? rect.CenterPoint() : kNowhere;
}

// A point of the pane's own caption (in a floating frame of several panes
// it is not the frame's); kNowhere without one.
CPoint OwnCaptionPoint(CKGPDockingControlBar& pane)
{
    const CRect rect = ScreenRect(pane);
    for (int y = rect.top; y < rect.top + 30 && y < rect.bottom; ++y) {
        if (pane.HitTest(CPoint(rect.left + 16, y), TRUE) == HTCAPTION)
            return CPoint(rect.left + 16, y + 3);
    }
    return kNowhere;
}

bool MarkersShown()
{
    return !ShownTopLevels(L"KGPSmartDockingMarker").empty() || !ShownTopLevels(L"KGPSmartDockingGroup").empty();
}

// The point of a side marker or of the central group picked by `aim`.
CPoint MarkerPoint(bool central, int aim)
{
    if (central) {
        const std::vector<HWND> groups = ShownTopLevels(L"KGPSmartDockingGroup");
        if (groups.empty())
            return kNowhere;
        const CRect rect = ScreenRect(groups.front());
        const CPoint centre = rect.CenterPoint();
        const int dx = rect.Width() / 3;
        const int dy = rect.Height() / 3;
        const CPoint places[] = {centre, centre - CSize(dx, 0), centre + CSize(dx, 0), centre - CSize(0, dy),
                                 centre + CSize(0, dy)};
        return places[aim % 5];
    }
    // In the order of their places, so that a seed aims at the same one.
    std::vector<CPoint> markers;
    for (HWND marker : ShownTopLevels(L"KGPSmartDockingMarker"))
        markers.push_back(ScreenRect(marker).CenterPoint());
    if (markers.empty())
        return kNowhere;
    std::sort(markers.begin(), markers.end(),
              [](CPoint a, CPoint b) { return a.x != b.x ? a.x < b.x : a.y < b.y; });
    return markers[static_cast<size_t>(aim) % markers.size()];
}

// The panes the frame made that are tabs of the tabbed pane or float in
// the frame, to learn which a close took away.
std::vector<CKGPDockingControlBar*> PanesUnder(CHostMainFrame& frame, CWnd& holder)
{
    std::vector<CKGPDockingControlBar*> under;
    for (CKGPDockingControlBar* pane : frame.StoredPanes()) {
        if (pane == &holder || ::IsChild(holder.GetSafeHwnd(), pane->GetSafeHwnd()))
            under.push_back(pane);
    }
    return under;
}

// What the steps take a pane by: its tab or a caption (its own, its tabbed
// pane's or its floating frame's), its pin, its close button.
bool HasDragSource(CKGPDockingControlBar& pane)
{
    return pane.IsTabbed() || AppHostTest::CaptionPoint(HostOf(pane)) != kNowhere;
}

bool HasCaption(CKGPDockingControlBar& pane)
{
    return AppHostTest::CaptionPoint(HostOf(pane)) != kNowhere;
}

bool HasPin(CKGPDockingControlBar& pane)
{
    CKGPDockingControlBar& host = HostOf(pane);
    return host.GetParentMiniFrame(TRUE) == nullptr && HitPoint(host, KGP_PANE_HIT_PIN) != kNowhere;
}

// The close button a user takes: the floating frame's when the pane floats
// alone, else its caption's.
CPoint ClosePoint(CKGPDockingControlBar& pane)
{
    CKGPDockingControlBar& host = HostOf(pane);
    CKGPMiniFrameWnd* floating = host.GetParentMiniFrame(TRUE);
    if (floating != nullptr && floating->GetControlBarCount() == 1)
        return CaptionButtonPoint(*floating, HTCLOSE);
    return HitPoint(host, KGP_PANE_HIT_CLOSE);
}

} // namespace

CKGPDockingControlBar* CHostMonkey::DrawShownPane(const std::function<bool(CKGPDockingControlBar&)>& usable)
{
    std::vector<CKGPDockingControlBar*> shown;
    for (CKGPDockingControlBar* pane : Frame().StoredPanes()) {
        if (IsPaneShownInHost(*pane) && !pane->IsAutoHideMode() && (!usable || usable(*pane)))
            shown.push_back(pane);
    }
    return shown.empty() ? nullptr : shown[static_cast<size_t>(Pick(static_cast<int>(shown.size())))];
}

CPoint CHostMonkey::DragSource(CKGPDockingControlBar& pane, std::string& what)
{
    const int way = Pick(3);
    if (pane.IsTabbed() && way == 0) {
        auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, pane.GetParentTabbedBar());
        CKGPBaseTabWnd* tabs = tabbed != nullptr ? tabbed->GetTabWnd() : nullptr;
        CRect rect;
        const int tab = tabs != nullptr ? tabs->GetTabFromHwnd(pane.GetSafeHwnd()) : -1;
        if (tab < 0 || !tabs->GetTabRect(tab, rect))
            return kNowhere;
        tabs->ClientToScreen(rect);
        what = "its tab";
        return ShowsAt(tabs->GetSafeHwnd(), rect.CenterPoint()) ? rect.CenterPoint() : kNowhere;
    }
    CKGPDockingControlBar& host = HostOf(pane);
    CKGPMiniFrameWnd* floating = host.GetParentMiniFrame(TRUE);
    if (floating != nullptr && floating->GetControlBarCount() > 1 && way == 1) {
        what = "its own caption in a floating frame";
        return SeenOnCaption(host, true, OwnCaptionPoint(host));
    }
    what = floating != nullptr ? "its floating frame's caption" : host.IsTabbed() ? "" : "its caption";
    if (&host != &pane)
        what += " (the tabbed pane's)";
    return SeenOnCaption(host, false, AppHostTest::CaptionPoint(host));
}

CPoint CHostMonkey::DropTarget(CKGPDockingControlBar& pane, int& marker, std::string& what)
{
    CHostMainFrame& frame = Frame();
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    marker = 0;
    CKGPDockingControlBar* other = DrawShownPane();
    switch (PickKind(m_leftOut.count("drop-on-outlook-bar") != 0 ? 7 : 8)) {
    case 0:
        marker = 1;
        what = "a side marker";
        return kNowhere;
    case 1:
        if (other == nullptr || &HostOf(*other) == &HostOf(pane))
            break;
        marker = 2;
        what = "the central markers over " + NameOf(*other);
        return ScreenRect(HostOf(*other)).CenterPoint();
    case 2:
        if (other == nullptr || &HostOf(*other) == &HostOf(pane))
            break;
        if (AppHostTest::CaptionPoint(HostOf(*other)) == kNowhere)
            break;
        what = "the caption of " + NameOf(HostOf(*other));
        return AppHostTest::CaptionPoint(HostOf(*other));
    case 3: {
        if (other == nullptr || !other->IsTabbed() || &HostOf(*other) == &HostOf(pane))
            break;
        auto* tabbed = DYNAMIC_DOWNCAST(CKGPBaseTabbedBar, other->GetParentTabbedBar());
        CRect top, bottom;
        tabbed->GetTabArea(top, bottom);
        const CRect strip = bottom.IsRectEmpty() ? top : bottom;
        if (strip.IsRectEmpty())
            break;
        what = "the tab strip of " + NameOf(*tabbed);
        return PointIn(strip, 3);
    }
    case 4: {
        const CRect notes = ScreenRect(frame.m_hWndMDIClient);
        if (notes.IsRectEmpty())
            break;
        what = "the notes";
        return PointIn(notes, 10);
    }
    case 5: {
        // Off the frame: in the widest strip of the screen beside it.
        const CRect rect = ScreenRect(frame);
        const CRect strips[] = {CRect(screen.left, screen.top, rect.left, screen.bottom),
                                CRect(rect.right, screen.top, screen.right, screen.bottom),
                                CRect(screen.left, screen.top, screen.right, rect.top),
                                CRect(screen.left, rect.bottom, screen.right, screen.bottom)};
        const CRect* widest = &strips[0];
        for (const CRect& strip : strips) {
            if (strip.Width() * strip.Height() > widest->Width() * widest->Height())
                widest = &strip;
        }
        if (widest->Width() < 40 || widest->Height() < 40)
            break;
        what = "off the frame";
        return PointIn(*widest, 15);
    }
    case 7:
        if (!IsPaneShownInHost(frame.m_wndShortcuts) || &pane == &frame.m_wndShortcuts)
            break;
        what = "the outlook bar";
        return PointIn(ScreenRect(frame.m_wndShortcuts), 10);
    default:
        break;
    }
    what = "anywhere";
    return PointIn(screen, 20);
}

namespace {

// Presses at the source, drags toward the target (or the marker picked by
// `aim` once the markers show), Esc before the release when asked.
struct PaneDrag {
    CPoint from;
    CPoint target;
    int marker = 0;
    int aim = 0;
    int escapeAfter = -1; // of the 12 moves toward the target; -1: no Esc

    CPoint aimed = kNowhere;

    bool Play()
    {
        return Perform([this](CGestures& user) {
            user.MoveTo(from);
            user.Pause(60);
            user.Press();
            user.DragTo(from + CSize(24, 24), 4);
            if (marker != 0) {
                user.WaitFor(MarkersShown, 1500);
                if (marker == 2) {
                    user.DragTo(target, 10);
                    user.WaitFor([] { return !ShownTopLevels(L"KGPSmartDockingGroup").empty(); }, 1000);
                }
                aimed = MarkerPoint(marker == 2, aim);
                if (aimed == kNowhere)
                    aimed = target != kNowhere ? target : from + CSize(60, 60);
                user.DragTo(aimed, 8);
            } else {
                aimed = target;
                const CPoint start = CGestures::CursorPos();
                for (int step = 1; step <= 12; ++step) {
                    user.MoveTo(start + CSize((target.x - start.x) * step / 12, (target.y - start.y) * step / 12));
                    user.Pause(15);
                    if (step == escapeAfter) {
                        user.Key(VK_ESCAPE);
                        break;
                    }
                }
            }
            user.Pause(150);
            user.Release();
        });
    }
};

} // namespace

std::string CHostMonkey::DragPane()
{
    CKGPDockingControlBar* pane = DrawShownPane(HasDragSource);
    if (pane == nullptr)
        return "(no pane shows)";
    std::string source;
    std::string target;
    PaneDrag drag;
    drag.from = DragSource(*pane, source);
    drag.target = DropTarget(*pane, drag.marker, target);
    drag.aim = Pick(100);
    if (drag.from == kNowhere)
        return NameOf(*pane) + " (nothing to take it by)";
    drag.Play();
    WaitUntil([] { return !MarkersShown(); }, 1000);
    return NameOf(*pane) + " by " + source + " " + At(drag.from) + " to " + target + " " + At(drag.aimed);
}

std::string CHostMonkey::EscapeInDrag()
{
    CKGPDockingControlBar* pane = DrawShownPane(HasDragSource);
    if (pane == nullptr)
        return "(no pane shows)";
    std::string source;
    std::string target;
    PaneDrag drag;
    drag.from = DragSource(*pane, source);
    int marker = 0;
    drag.target = DropTarget(*pane, marker, target);
    if (drag.target == kNowhere)
        drag.target = drag.from + CSize(150, 100);
    drag.escapeAfter = 3 + Pick(9);
    if (drag.from == kNowhere)
        return NameOf(*pane) + " (nothing to take it by)";
    drag.Play();
    WaitUntil([] { return !MarkersShown(); }, 1000);
    return NameOf(*pane) + " by " + source + " " + At(drag.from) + " toward " + target + " " + At(drag.target) +
           ", Esc after " + std::to_string(drag.escapeAfter) + " moves";
}

std::string CHostMonkey::DoubleClickCaption()
{
    CKGPDockingControlBar* pane = DrawShownPane(HasCaption);
    if (pane == nullptr)
        return "(no pane shows)";
    CKGPDockingControlBar& host = HostOf(*pane);
    const CPoint caption = SeenOnCaption(host, false, AppHostTest::CaptionPoint(host));
    if (caption == kNowhere)
        return NameOf(host) + " (no caption shows)";
    const bool floating = host.GetParentMiniFrame(TRUE) != nullptr;
    Perform([&](CGestures& user) {
        user.DoubleClick(caption);
    });
    return NameOf(host) + (floating ? " floating" : " docked") + " at " + At(caption);
}

std::string CHostMonkey::Pin()
{
    CKGPDockingControlBar* pane = DrawShownPane(HasPin);
    if (pane == nullptr)
        return "(no docked pane with a pin shows)";
    CKGPDockingControlBar& host = HostOf(*pane);
    const CPoint pin = host.GetParentMiniFrame(TRUE) == nullptr ? HitPoint(host, KGP_PANE_HIT_PIN) : kNowhere;
    if (pin == kNowhere)
        return NameOf(host) + " (no pin)";
    const CPoint away = PointIn(ScreenRect(Frame().m_hWndMDIClient), 30);
    const std::string name = NameOf(host);
    const HWND hHost = host.GetSafeHwnd();
    Perform([&](CGestures& user) {
        user.Click(pin);
        user.DragTo(away, 6);
    });
    // (A tabbed pane may go as it is pinned: its tabs take its place.)
    WaitUntil([&] { return !::IsWindow(hHost) || host.IsAutoHideMode(); }, 1000);
    return name + " by its pin " + At(pin) + (::IsWindow(hHost) ? "" : ", the pane went");
}

std::string CHostMonkey::Unpin()
{
    std::vector<CKGPDockingControlBar*> hidden;
    for (CKGPDockingControlBar* pane : Frame().StoredPanes()) {
        if (pane->IsAutoHideMode() && IsPaneShownInHost(*pane))
            hidden.push_back(pane);
    }
    if (hidden.empty())
        return "(no pane auto-hidden)";
    CKGPDockingControlBar& pane = *hidden[static_cast<size_t>(Pick(static_cast<int>(hidden.size())))];
    const CPoint button = StripButtonPoint(pane);
    if (button == kNowhere)
        return NameOf(pane) + " (no button on its strip shows)";
    CKGPDockingControlBar& host = HostOf(pane);
    Perform([&](CGestures& user) { user.Click(button); });
    // The pin is sought once the pane has come to rest: while it slides it
    // stands partly beyond its strip, under the frame's caption or off the
    // screen, where its pin shows nowhere (a click there took the frame's
    // caption or the desktop).
    if (!WaitUntil([&] { return IsShown(host) && !host.IsSliding(); }, 2000))
        return NameOf(pane) + " clicked on its strip " + At(button) + ", did not slide out";
    const CPoint pin = HitPoint(host, KGP_PANE_HIT_PIN);
    if (pin == kNowhere || !ShowsAt(host.GetSafeHwnd(), pin))
        return NameOf(pane) + " slid out, no pin";
    Perform([&](CGestures& user) { user.Click(pin); });
    WaitUntil([&] { return !host.IsAutoHideMode(); }, 1000);
    return NameOf(pane) + " slid out from " + At(button) + ", unpinned at " + At(pin);
}

std::string CHostMonkey::ClosePane()
{
    CKGPDockingControlBar* pane =
        DrawShownPane([](CKGPDockingControlBar& shown) { return ClosePoint(shown) != kNowhere; });
    if (pane == nullptr)
        return "(no pane with a close button shows)";
    CKGPDockingControlBar& host = HostOf(*pane);
    CKGPMiniFrameWnd* floating = host.GetParentMiniFrame(TRUE);
    const bool alone = floating != nullptr && floating->GetControlBarCount() == 1;
    CWnd* holder = alone ? static_cast<CWnd*>(floating) : &host;
    const CPoint close = ClosePoint(*pane);
    const std::string how = alone ? "its floating frame's close button" : "its caption's close button";
    if (close == kNowhere)
        return NameOf(host) + " (no close button)";
    const std::vector<CKGPDockingControlBar*> under = PanesUnder(Frame(), *holder);
    Perform([&](CGestures& user) { user.Click(close); });
    PumpFor(100);
    std::string closed;
    for (CKGPDockingControlBar* gone : under) {
        if (!IsPaneShownInHost(*gone)) {
            m_closed.insert(gone->GetDlgCtrlID());
            closed += " " + std::to_string(gone->GetDlgCtrlID());
        }
    }
    return NameOf(host) + " by " + how + " " + At(close) + "; closed:" + closed;
}

std::string CHostMonkey::ShowFromMenu()
{
    CHostMainFrame& frame = Frame();
    CWnd* bar = nullptr;
    if (!m_closed.empty() && Pick(4) != 0) {
        auto closed = m_closed.begin();
        std::advance(closed, Pick(static_cast<int>(m_closed.size())));
        bar = frame.GetDlgItem(*closed) != nullptr ? frame.GetDlgItem(*closed) : nullptr;
        for (CKGPDockingControlBar* pane : frame.StoredPanes()) {
            if (pane->GetDlgCtrlID() == *closed)
                bar = pane;
        }
    } else {
        std::vector<CWnd*> bars;
        for (CKGPDockingControlBar* pane : frame.StoredPanes())
            bars.push_back(pane);
        bars.push_back(&frame.m_wndToolBar);
        bars.push_back(&frame.m_wndFormatBar);
        bar = bars[static_cast<size_t>(Pick(static_cast<int>(bars.size())))];
    }
    if (bar == nullptr)
        return "(no bar)";
    CString title;
    bar->GetWindowText(title);
    const bool byContextMenu = Pick(2) == 0 && m_leftOut.count("bars-context-menu") == 0;
    // (On the menu bar's gripper: its other end may hold a maximised note's
    // buttons.)
    const CPoint menuBarEnd(ScreenRect(frame.m_wndMenuBar).left + 3, ScreenRect(frame.m_wndMenuBar).CenterPoint().y);
    CPoint entry = kNowhere;
    if (byContextMenu) {
        if (!IsShown(frame.m_wndMenuBar))
            return NameOf(*bar) + " (the menu bar is hidden)";
        // The bars' context menu is tracked in a loop of its own on the
        // application's thread: the whole choice is played on the input
        // thread (the entry sought where it shows, else the menu closed).
        Perform([&](CGestures& user) {
            user.RightClick(menuBarEnd);
            if (user.WaitFor([&] { return AppHostTest::PopupItemPoint(title) != kNowhere; }, 1500)) {
                entry = AppHostTest::PopupItemPoint(title);
                user.Click(entry);
            } else {
                user.Key(VK_ESCAPE);
            }
        });
        if (entry == kNowhere)
            return NameOf(*bar) + " (not in the bars' context menu)";
    } else {
        const CPoint item = OpenToItem(_T("&View"), _T("&Toolbars and Panes"));
        if (item == kNowhere)
            return NameOf(*bar) + " (no View > Toolbars and Panes)";
        Perform([&](CGestures& user) { user.Click(item); });
        // A bar's entry used rarely waits behind the show-all item.
        if (!WaitUntil([&] { return AppHostTest::PopupItemPoint(title) != kNowhere; }, 800)) {
            Perform([](CGestures& user) { user.Chord(VK_CONTROL, VK_DOWN); });
            if (!WaitUntil([&] { return AppHostTest::PopupItemPoint(title) != kNowhere; }, 800))
                return NameOf(*bar) + " (not listed)";
        }
        entry = ShownItemPoint(title);
        if (entry == kNowhere)
            return NameOf(*bar) + " (its entry does not show)";
        Perform([&](CGestures& user) { user.Click(entry); });
    }
    WaitUntil([] { return CKGPPopupMenu::GetActiveMenu() == nullptr; }, 1000);
    PumpFor(50);
    std::string shown;
    if (auto* pane = DYNAMIC_DOWNCAST(CKGPDockingControlBar, bar)) {
        if (IsPaneShownInHost(*pane)) {
            m_closed.erase(pane->GetDlgCtrlID());
            shown = ", shows";
        } else {
            m_closed.insert(pane->GetDlgCtrlID());
            shown = ", hidden";
        }
    }
    return NameOf(*bar) + (byContextMenu ? " from the bars' context menu" : " from View") + " at " + At(entry) + shown;
}

std::string CHostMonkey::DragSlider()
{
    std::vector<CKGPSlider*> sliders;
    std::vector<HWND> roots{Frame().GetSafeHwnd()};
    for (HWND floating : ShownTopLevels(L""))
        roots.push_back(floating);
    for (HWND root : roots) {
        ::EnumChildWindows(
            root,
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                auto* slider = DYNAMIC_DOWNCAST(CKGPSlider, CWnd::FromHandlePermanent(hWnd));
                if (slider != nullptr && IsShown(hWnd))
                    reinterpret_cast<std::vector<CKGPSlider*>*>(lParam)->push_back(slider);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&sliders));
    }
    if (sliders.empty())
        return "(no slider shows)";
    CKGPSlider& slider = *sliders[static_cast<size_t>(Pick(static_cast<int>(sliders.size())))];
    const CPoint from = ScreenRect(slider).CenterPoint();
    const int by = Pick(161) - 80;
    const CPoint to = slider.IsHorizontal() ? from + CSize(0, by) : from + CSize(by, 0);
    const std::string kind = slider.IsHorizontal() ? "horizontal" : "vertical";
    // A floating frame may stand over the slider's middle (or come over it
    // by the press): the press there would be that frame's.
    bool covered = false;
    Perform([&](CGestures& user) {
        user.MoveTo(from);
        user.Pause(60);
        covered = !ShowsAt(slider.GetSafeHwnd(), from);
        if (covered)
            return;
        user.Press();
        user.DragTo(to, 8);
        user.Pause(60);
        user.Release();
    });
    if (covered)
        return kind + " slider (covered at its middle) " + At(from);
    return kind + " slider from " + At(from) + " by " + std::to_string(by);
}

} // namespace apphost
