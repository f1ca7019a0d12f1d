#include "guilib/toolbars/KGPToolbarControlSupport.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPMouseLeave.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <algorithm>

namespace KGPToolbarControls {

BOOL ShowContextMenu(CWnd* pControl, UINT uiMenuResId, CPoint ptScreen)
{
    CWnd* bar = pControl->GetParent();
    CMenu menu;
    if (uiMenuResId == 0 || bar == nullptr || !menu.LoadMenu(uiMenuResId))
        return FALSE;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return FALSE;
    if (ptScreen.x == -1 && ptScreen.y == -1) {
        // From the keyboard: at the control's top-left corner.
        CRect rect;
        pControl->GetWindowRect(rect);
        ptScreen = rect.TopLeft();
    }
    if (IKGPMenuLink* link = CKGPLink<IKGPMenuLink>::Get(); link != nullptr && link->HasContextMenuManager()) {
        const HWND barWindow = bar->GetSafeHwnd();
        const UINT command = link->TrackContextMenu(popup->GetSafeHmenu(), ptScreen.x, ptScreen.y, bar, FALSE);
        if (command != 0 && ::IsWindow(barWindow))
            ::PostMessageW(barWindow, WM_COMMAND, command, 0);
        return TRUE;
    }
    popup->TrackPopupMenu(TPM_CENTERALIGN | TPM_LEFTBUTTON, ptScreen.x, ptScreen.y, bar);
    return TRUE;
}

void CHoverTracking::Track(CWnd* pControl)
{
    if (m_bTracked)
        return;
    TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, pControl->GetSafeHwnd(), 0};
    m_bTracked = TrackMouseLeaveByTimer(&track);
}

BOOL MoveFocusOnKey(CWnd* pControl, UINT nKey)
{
    if (nKey == VK_TAB) {
        if (CWnd* parent = pControl->GetParent()) {
            const BOOL backwards = ::GetKeyState(VK_SHIFT) < 0;
            if (CWnd* next = parent->GetNextDlgTabItem(pControl, backwards))
                next->SetFocus();
        }
        return TRUE;
    }
    if (nKey == VK_ESCAPE) {
        if (CFrameWnd* frame = pControl->GetTopLevelFrame())
            frame->SetFocus();
        return TRUE;
    }
    return FALSE;
}

HBRUSH WindowColours(CDC* pDC)
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    pDC->SetTextColor(global.clrWindowText);
    pDC->SetBkColor(global.clrWindow);
    return global.GetWindowBrush();
}

CString CommandTip(UINT uiCmd)
{
    CString text;
    if (uiCmd == 0 || !text.LoadString(uiCmd))
        return CString();
    const int newline = text.Find(L'\n');
    return newline < 0 ? CString() : text.Mid(newline + 1);
}

int LabelHeight(CDC* pDC, const CString& strCaption, int nWidth, int nHeight)
{
    if (pDC == nullptr || strCaption.IsEmpty())
        return 0;
    CRect rectText(0, 0, nWidth, nHeight);
    return pDC->DrawText(strCaption, rectText, DT_WORDBREAK | DT_CENTER | DT_CALCRECT);
}

void DrawMockControl(CDC* pDC, const CRect& rectRow, int nTextWidth, BOOL bDropArrow)
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    const int width = std::max(20, rectRow.Width() - nTextWidth - 10);
    CRect mock(rectRow.right - width, rectRow.top, rectRow.right, rectRow.bottom);
    mock.DeflateRect(1, 1);
    ::FillRect(pDC->GetSafeHdc(), mock, global.GetWindowBrush());
    pDC->Draw3dRect(mock, global.clrBtnShadow, global.clrBtnShadow);
    if (bDropArrow) {
        const int arrow = 2 * CKGPMenuGlyphs::GetWidth();
        CKGPMenuGlyphs::Draw(pDC, CKGPMenuGlyphs::kArrowDown,
                             CRect(mock.right - arrow, mock.top + 1, mock.right - 1, mock.bottom - 1));
    }
}

BOOL CopyFromFirstOfCommand(CKGPToolbarButton& button)
{
    CObList buttons;
    CKGPToolBar::GetCommandButtons(button.m_nCommand, buttons);
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        auto* other = static_cast<CKGPToolbarButton*>(buttons.GetNext(pos));
        if (other != &button && other->IsKindOf(button.GetRuntimeClass())) {
            button.CopyButton(*other);
            return TRUE;
        }
    }
    return FALSE;
}

} // namespace KGPToolbarControls
