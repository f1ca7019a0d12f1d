// A menu torn off into a toolbar: the caption across the popup's top (its
// tooltip, its press and the drag off it), the bar made of the menu's items
// and handed to the frame, floated where the caption was dragged.
#include "guilib/menus/KGPPopupMenu.h"

#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/menus/KGPPopupFrameLink.h"

#include <memory>

namespace {

constexpr DWORD kTearOffBarStyle = 0x50402808;
constexpr DWORD kTearOffBarStyleExtra = 0x34;
constexpr int kMaxItemText = 1024;

}  // namespace

BOOL CKGPPopupMenu::TearOff(CPoint point)
{
    if (m_pParentBtn == nullptr || !m_pParentBtn->HasTearOffId())
        return FALSE;
    IKGPPopupFrameLink* link = CKGPLink<IKGPPopupFrameLink>::Get();
    CWnd* frame = TopFrame();
    if (link == nullptr || frame == nullptr)
        return FALSE;
    const UINT id = m_pParentBtn->GetTearOffId();
    CKGPToolBar* bar = link->FindTearOffBar(frame, id);
    if (bar == nullptr) {
        CString name = m_pParentBtn->m_strCaption.SpanExcluding(_T("\t"));
        name.Remove(L'&');
        bar = link->CreateTearOffBar(frame, this, id, name);
    }
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return FALSE;
    bar->ShowWindow(SW_SHOWNOACTIVATE);
    if (bar->GetParentMiniFrame() == nullptr) {
        const CSize size = bar->CalcFixedLayout(FALSE, TRUE);
        bar->FloatBar(CRect(point, size));
    }
    CloseChain();
    return TRUE;
}

CKGPToolBar* CKGPPopupMenu::CreateTearOffBar(CFrameWnd* pWndMain, UINT uiID, LPCTSTR lpszName)
{
    if (pWndMain == nullptr || !::IsMenu(m_hMenu))
        return nullptr;
    auto bar = std::make_unique<CKGPToolBar>();
    if (!bar->Create(pWndMain, kTearOffBarStyle, uiID))
        return nullptr;
    bar->SetWindowText(lpszName);
    IKGPTearOffLink* tearOff = KGPMenuButtonLinks::TearOff();
    const int count = ::GetMenuItemCount(m_hMenu);
    for (int i = 0; i < count; ++i) {
        const UINT state = ::GetMenuState(m_hMenu, static_cast<UINT>(i), MF_BYPOSITION);
        WCHAR text[kMaxItemText + 1] = {};
        ::GetMenuStringW(m_hMenu, static_cast<UINT>(i), text, kMaxItemText, MF_BYPOSITION);
        CString caption = CString(text).SpanExcluding(_T("\t"));
        if ((state & MF_SEPARATOR) != 0) {
            if (i + 1 < count)
                bar->InsertSeparator();
            continue;
        }
        if (HMENU sub = ::GetSubMenu(m_hMenu, i)) {
            const UINT subId = tearOff != nullptr ? tearOff->ParseTearOffId(caption) : 0;
            auto item = std::make_unique<CKGPToolbarMenuButton>(0, sub, -1, caption);
            item->SetTearOffId(subId);
            bar->InsertButton(std::move(item));
            continue;
        }
        const UINT command = ::GetMenuItemID(m_hMenu, i);
        bar->InsertButton(std::make_unique<CKGPToolbarButton>(command, GetCmdMgr()->GetCmdImage(command, FALSE), caption));
    }
    bar->SetBarStyleWord(bar->GetBarStyleWord() | kTearOffBarStyleExtra);
    bar->EnableDocking(CBRS_ALIGN_ANY);
    return bar.release();
}

// ---- The caption ----

void CKGPPopupMenu::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!CKGPToolBar::IsCustomizeMode() && m_rectTearOffCaption.PtInRect(point)) {
        m_bTearOffTracking = TRUE;
        m_bIsTearOffCaptionActive = TRUE;
        InvalidateRect(m_rectTearOffCaption);
        SetCapture();
        return;
    }
    CMiniFrameWnd::OnLButtonDown(nFlags, point);
}

void CKGPPopupMenu::OnLButtonUp(UINT nFlags, CPoint point)
{
    if (m_bTearOffTracking) {
        m_bTearOffTracking = FALSE;
        m_bIsTearOffCaptionActive = FALSE;
        ReleaseCapture();
        InvalidateRect(m_rectTearOffCaption);
        return;
    }
    CMiniFrameWnd::OnLButtonUp(nFlags, point);
}

BOOL CKGPPopupMenu::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    CPoint cursor;
    ::GetCursorPos(&cursor);
    ScreenToClient(&cursor);
    if (m_rectTearOffCaption.PtInRect(cursor)) {
        static const HCURSOR sizeAll = ::LoadCursorW(nullptr, IDC_SIZEALL);
        ::SetCursor(sizeAll);
        return TRUE;
    }
    return CMiniFrameWnd::OnSetCursor(pWnd, nHitTest, message);
}

BOOL CKGPPopupMenu::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header != nullptr && m_wndToolTip.GetSafeHwnd() != nullptr && header->hwndFrom == m_wndToolTip.m_hWnd) {
        switch (header->code) {
        case TTN_SHOW:
            m_bIsTearOffCaptionActive = TRUE;
            InvalidateRect(m_rectTearOffCaption);
            return TRUE;
        case TTN_POP:
            m_bIsTearOffCaptionActive = m_bTearOffTracking;
            InvalidateRect(m_rectTearOffCaption);
            return TRUE;
        case TTN_GETDISPINFOW: {
            // The tooltip names the menu torn off.
            static CString text;
            text = m_pParentBtn != nullptr ? m_pParentBtn->m_strCaption.SpanExcluding(_T("\t")) : CString();
            text.Remove(L'&');
            reinterpret_cast<NMTTDISPINFOW*>(lParam)->lpszText = const_cast<LPWSTR>(text.GetString());
            return TRUE;
        }
        default:
            break;
        }
    }
    return CMiniFrameWnd::OnNotify(wParam, lParam, pResult);
}

BOOL CKGPPopupMenu::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndToolTip.GetSafeHwnd() != nullptr)
        m_wndToolTip.RelayEvent(pMsg);
    return CMiniFrameWnd::PreTranslateMessage(pMsg);
}
