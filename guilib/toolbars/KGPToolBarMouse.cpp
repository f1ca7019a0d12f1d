// The toolbar under the mouse: hit tests, the hot button and its prompt, a
// press that captures the mouse until the release sends the command, double
// clicks, and in customisation mode the selected button and the widening of
// a resizable one by its right edge.
#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "guilib/toolbars/KGPToolbarMdiButtons.h"
#include "guilib/toolbars/KGPToolbarMenuButton.h"

#include <cstdlib>

namespace {

constexpr UINT kWmSetMessageString = 0x362;
// A resizable button is widened by a press this near its right edge.
constexpr int kResizeEdge = 7;

bool IsRealCommand(UINT uiCmd) { return uiCmd != 0 && uiCmd != 0xFFFFFFFF; }

}  // namespace

int CKGPToolBar::HitTest(CPoint point) { return kgp::HitTest(PlacedItems(), point.x, point.y); }

std::vector<kgp::PlacedItem> CKGPToolBar::PlacedItems() const
{
    std::vector<kgp::PlacedItem> items;
    items.reserve(static_cast<std::size_t>(GetCount()));
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        const CRect& r = button->m_rcButton;
        kgp::PlacedItem item;
        item.box = kgp::Box{r.left, r.top, r.right, r.bottom};
        item.separator = button->IsSeparator() != FALSE;
        item.overflowed = button->m_bOverflowed || !button->m_bShown;
        item.customise = button == static_cast<const CKGPToolbarButton*>(m_pChevron);
        items.push_back(item);
    }
    return items;
}

void CKGPToolBar::RepaintButton(int iIndex) { InvalidateButton(iIndex); }

// No prompt goes to the status bar while help mode has its hook in: the
// pointer then names what help is shown for, not what a click would do.
void CKGPToolBar::SendIdlePrompt()
{
    if (IsHelpMode())
        return;
    if (CWnd* target = CommandTarget())
        target->SendMessage(kWmSetMessageString, kgp::kIdlePrompt);
}

void CKGPToolBar::TakeCapture()
{
    CWnd* previous = GetCapture();
    m_track.prevCapture = previous != nullptr && previous != this ? previous->GetSafeHwnd() : nullptr;
    SetCapture();
}

void CKGPToolBar::GiveCaptureBack()
{
    if (GetCapture() == this)
        ReleaseCapture();
    if (m_track.prevCapture != nullptr && ::IsWindow(m_track.prevCapture))
        ::SetCapture(m_track.prevCapture);
    m_track.prevCapture = nullptr;
}

// ---- Press ----

void CKGPToolBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int hit = HitTest(point);
    CKGPToolbarButton* button = GetButton(hit);
    if (s_bCustomizing) {
        if (s_pCustomSelBar != nullptr && s_pCustomSelBar != this) {
            s_pCustomSelBar->SelectForCustomizing(-1);
        }
        s_pCustomSelBar = this;
    } else if (CWnd* parent = GetParent(); parent != nullptr && parent->IsKindOf(RUNTIME_CLASS(CKGPBaseControlBar))) {
        parent->SetFocus();
    }

    if (button == nullptr) {
        if (s_bCustomizing)
            SelectForCustomizing(-1);
        CKGPBaseToolBar::OnLButtonDown(nFlags, point);  // drags the bar where it may be dragged
        return;
    }
    // Alt and a drag move a button when the library allows it.
    const BOOL altDrag = !s_bCustomizing && s_bAltDragAllowed && AllowsAltDrag() && ::GetKeyState(VK_MENU) < 0;
    if (altDrag)
        s_bAltDragCustomizing = TRUE;
    if (s_bCustomizing || altDrag) {
        if (!IsLocked() && !m_bDropsElsewhere)
            PressForCustomizing(hit, point);
        if (altDrag)
            s_bAltDragCustomizing = FALSE;
        return;
    }

    UpdateButton(hit);
    if ((button->m_nBits & TBBS_DISABLED) != 0 && !button->IsDropDown())
        return;
    m_track.pressed = hit;
    SetButtonStyle(hit, button->m_nBits | TBBS_PRESSED);
    ShowCommandMessageString(button->m_nCommand);
    if (button->HandleClick(this, FALSE)) {
        // Menus and drop-downs take the click themselves. The click may have
        // rebuilt the buttons (a popup's show-all item goes as its menu shows
        // every item): only a button still on the bar is released.
        if (CKGPToolbarButton* still = GetButton(hit); still != nullptr && still == button)
            SetButtonStyle(hit, still->m_nBits & ~TBBS_PRESSED);
        m_track.pressed = -1;
        return;
    }
    TakeCapture();
}

// In customisation mode a press selects the button; near the right edge of
// a resizable one it starts widening it, else the button is dragged (by OLE
// drag and drop, within the bar, to another one or off the bars); a menu
// pressed and released without a drag opens.
void CKGPToolBar::PressForCustomizing(int iIndex, CPoint point)
{
    CKGPToolbarButton* button = GetButton(iIndex);
    SelectForCustomizing(button->IsSelectable() ? iIndex : -1);
    m_customize.dragged = button;
    m_customize.dragOrigin = point;
    m_customize.dragCopies = (::GetKeyState(VK_CONTROL) & 0x8000) != 0;
    if (!s_bAltDragCustomizing && button->IsResizable() && point.x >= button->m_rcButton.right - kResizeEdge) {
        m_customize.resizing = TRUE;
        m_customize.resizeFrame = button->m_rcButton;
        TakeCapture();
        ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
        return;
    }
    // A menu clicked (not dragged away) while customising opens, so that
    // commands can be dropped into it; an open one closes as it is taken.
    auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, button);
    const BOOL opensOnClick = !s_bAltDragCustomizing && menu != nullptr && !menu->IsDroppedDown() &&
                              (menu->m_nCommand == 0 || !menu->GetCommands().IsEmpty()) &&
                              !menu->IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton)) &&
                              !menu->IsKindOf(RUNTIME_CLASS(CCustomizeButton));
    if (!button->IsArchivable() || !button->IsDraggable())
        return;
    const BOOL altDrag = s_bAltDragCustomizing;
    if (altDrag)
        SetCustomizeMode(TRUE);
    const BOOL dragged = DragButton(iIndex);
    if (altDrag)
        SetCustomizeMode(FALSE);
    if (opensOnClick && !dragged && ::IsWindow(m_hWnd) && ButtonToIndex(menu) >= 0)
        menu->HandleClick(this, FALSE);
}

void CKGPToolBar::SelectForCustomizing(int iIndex)
{
    if (iIndex == m_customize.selected)
        return;
    RepaintButton(m_customize.selected);
    m_customize.selected = iIndex;
    RepaintButton(iIndex);
}

// A double click reaches the button, then presses it as a click would (not
// the system-menu button of the menu bar, which closes its window on a double
// click).
void CKGPToolBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    CKGPToolbarButton* button = GetButton(HitTest(point));
    if (button == nullptr) {
        CKGPBaseToolBar::OnLButtonDblClk(nFlags, point);
        return;
    }
    // Asked first: the window it closes may take the button off the bar
    // (the last maximised document's buttons go with it).
    const BOOL closesItsWindow = button->IsKindOf(RUNTIME_CLASS(CKGPToolbarSystemMenuButton));
    button->OnDblClk(this);
    if (!closesItsWindow)
        OnLButtonDown(nFlags, point);
}

// ---- Hot tracking ----

void CKGPToolBar::OnMouseMove(UINT nFlags, CPoint point)
{
    if (IsDragMode()) {
        CKGPBaseToolBar::OnMouseMove(nFlags, point);
        return;
    }
    if (s_bCustomizing && !IsLocked()) {
        if (m_customize.resizing)
            TrackResize(point);
        return;
    }
    if (point == m_track.mouseLast)
        return;
    m_track.mouseLast = point;

    int hit = HitTest(point);
    const CKGPToolbarButton* under = GetButton(hit);
    if (under != nullptr && (under->m_nBits & TBBS_DISABLED) != 0 && !HighlightsDisabled())
        hit = -1;
    if (hit < 0 && GetFocus() == this)
        hit = m_track.hot;  // a bar with the focus keeps its hot button

    if (!m_track.leaveTracking) {
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, HOVER_DEFAULT};
        m_track.leaveTracking = ::TrackMouseEvent(&track);
    }

    if (CKGPToolbarButton* pressed = GetButton(m_track.pressed)) {
        const UINT bits = HitTest(point) == m_track.pressed ? pressed->m_nBits | TBBS_PRESSED
                                                             : pressed->m_nBits & ~TBBS_PRESSED;
        if (bits != pressed->m_nBits) {
            pressed->m_nBits = bits;
            RepaintButton(m_track.pressed);
        }
    }
    if (hit != m_track.hot) {
        const CKGPToolbarButton* hot = GetButton(hit);
        if (hot == nullptr || m_bIsMenuBar) {
            if (m_track.pressed < 0)
                SendIdlePrompt();
        } else {
            ShowCommandMessageString(hot->m_nCommand);
        }
        const int keyHot = m_track.keyHot;
        ChangeHot(hit);
        m_track.keyHot = keyHot == hit ? hit : -1;
    }
    if (m_bIsMenuBar && s_bMenuHoverOpening && HitTest(point) != m_track.hoverTimer)
        RestartHoverTimer(HitTest(point));
    CKGPBaseToolBar::OnMouseMove(nFlags, point);
}

void CKGPToolBar::RestartHoverTimer(int iIndex)
{
    KillTimer(kHoverTimer);
    m_track.hoverTimer = iIndex;
    if (iIndex < 0)
        return;
    // A menu button whose menu waits to open (none of the bar's is open) waits longer.
    const auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, GetButton(iIndex));
    const BOOL waitsForMenu = menu != nullptr && !menu->IsDroppedDown() && GetDroppedDownMenu() == nullptr;
    SetTimer(kHoverTimer, waitsForMenu ? 1300 : 500, nullptr);
}

void CKGPToolBar::OnMouseLeave()
{
    if (IsHelpMode())
        return;  // the help hook keeps the button under the pointer hot
    if (m_track.hoverTimer != -10)
        RestartHoverTimer(-10);
    m_track.leaveTracking = FALSE;
    m_track.mouseLast = CPoint(-1, -1);
    if (m_track.hot < 0) {
        SendIdlePrompt();
        return;
    }
    if (GetFocus() == this || KeepsHotOnLeave())
        return;
    ChangeHot(-1);
    SendIdlePrompt();
}

void CKGPToolBar::LeaveHotState()
{
    if (m_track.hot < 0)
        return;
    const int hot = m_track.hot;
    m_track.hot = -1;
    m_track.keyHot = -1;
    RepaintButton(hot);
    SendIdlePrompt();
}

// ---- Release ----

void CKGPToolBar::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_customize.resizing) {
        EndResize(point);
        return;
    }
    if (IsDragMode()) {
        CKGPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }
    const int index = m_track.pressed;
    CKGPToolbarButton* button = GetButton(index);
    if (button == nullptr) {
        if (HitTest(point) < 0)
            CKGPBaseToolBar::OnLButtonUp(nFlags, point);
        return;
    }

    GiveCaptureBack();
    UINT style = button->m_nBits & ~TBBS_PRESSED;
    const BOOL overSame = HitTest(point) == index && (style & TBBS_DISABLED) == 0;
    if (overSame && (style & TBBS_CHECKBOX) != 0) {
        style &= ~TBBS_INDETERMINATE;
        style ^= TBBS_CHECKED;
    }
    SendIdlePrompt();
    m_track.pressed = -1;
    m_track.hot = -1;
    RestoreFocus();

    const UINT command = button->m_nCommand;
    if (overSame && ::IsWindow(m_hWnd) && HitTest(point) == index && !HandledOnRelease(button) &&
        IsRealCommand(command)) {
        RepaintButton(index);
        AddCommandUsage(command);
        if (!KGPToolbarLinks::InvokeTool(command)) {
            if (CWnd* target = CommandTarget())
                target->SendMessage(WM_COMMAND, command);
        }
    }
    // The command may have destroyed the bar or rebuilt its buttons.
    if (::IsWindow(m_hWnd) && GetButton(index) == button) {
        SetButtonStyle(index, style);
        UpdateButton(index);
        RepaintButton(index);
    }
    if (::IsWindow(m_hWnd)) {
        m_track.mouseLast = CPoint(-1, -1);
        OnMouseMove(0, point);
    }
}

void CKGPToolBar::OnCancelMode()
{
    CKGPBaseToolBar::OnCancelMode();  // ends a drag of the bar itself
    if (m_customize.resizing) {
        m_customize.resizing = FALSE;
        DrawResizeFrame(m_customize.resizeFrame);
        GiveCaptureBack();
    }
    if (m_track.pressed >= 0 || m_track.hot >= 0) {
        if (const CKGPToolbarButton* pressed = GetButton(m_track.pressed))
            SetButtonStyle(m_track.pressed, pressed->m_nBits & ~TBBS_PRESSED);
        GiveCaptureBack();
        m_track.pressed = -1;
        ChangeHot(-1);
    }
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;)
        static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos))->CancelState();
    Invalidate();
}

// ---- Widening a button in customisation mode ----

void CKGPToolBar::DrawResizeFrame(const CRect& rect)
{
    if (rect.IsRectEmpty())
        return;
    CClientDC dc(this);
    constexpr int kFrame = 2;
    dc.PatBlt(rect.left, rect.top, rect.Width(), kFrame, PATINVERT);
    dc.PatBlt(rect.left, rect.bottom - kFrame, rect.Width(), kFrame, PATINVERT);
    dc.PatBlt(rect.left, rect.top + kFrame, kFrame, rect.Height() - 2 * kFrame, PATINVERT);
    dc.PatBlt(rect.right - kFrame, rect.top + kFrame, kFrame, rect.Height() - 2 * kFrame, PATINVERT);
}

void CKGPToolBar::TrackResize(CPoint point)
{
    const CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button == nullptr || point.x < button->m_rcButton.left + 5)
        return;
    DrawResizeFrame(m_customize.resizeFrame);
    m_customize.resizeFrame.right = point.x;
    DrawResizeFrame(m_customize.resizeFrame);
    ::SetCursor(::LoadCursorW(nullptr, IDC_SIZEWE));
}

void CKGPToolBar::EndResize(CPoint point)
{
    m_customize.resizing = FALSE;
    DrawResizeFrame(m_customize.resizeFrame);
    m_customize.resizeFrame.SetRectEmpty();
    CKGPToolbarButton* button = GetButton(m_customize.selected);
    if (button != nullptr && point.x > button->m_rcButton.left + 4 && std::abs(point.x - button->m_rcButton.right) > 6) {
        button->ApplyWidth(point.x - button->m_rcButton.left);
        AdjustLayout();
    }
    GiveCaptureBack();
    RefitAfterChange();
}
