#include "widgets/ResizableDialog.h"

#include <algorithm>

const UINT WMU_RESIZESUPPORT = ::RegisterWindowMessageW(L"WMU_RESIZESUPPORT");

BEGIN_MESSAGE_MAP(CResizableDialog, CDialog)
    ON_WM_SIZE()
    ON_WM_GETMINMAXINFO()
END_MESSAGE_MAP()

CResizableDialog::CResizableDialog() = default;

CResizableDialog::CResizableDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog(nIDTemplate, pParentWnd) {}

CResizableDialog::~CResizableDialog() = default;

BOOL CResizableDialog::OnInitDialog()
{
    const BOOL result = CDialog::OnInitDialog();
    if (m_minClient.cx == 0 && m_minClient.cy == 0) {
        m_minClient = CurrentClientSize();
    }
    return result;
}

SIZE CResizableDialog::CurrentClientSize() const
{
    RECT client{};
    ::GetClientRect(m_hWnd, &client);
    return SIZE{client.right - client.left, client.bottom - client.top};
}

void CResizableDialog::AddAnchor(UINT nID, ResizeAnchor topLeft, ResizeAnchor bottomRight)
{
    AddAnchor(::GetDlgItem(m_hWnd, static_cast<int>(nID)), topLeft, bottomRight);
}

void CResizableDialog::AddAnchor(HWND hWndChild, ResizeAnchor topLeft, ResizeAnchor bottomRight)
{
    if (hWndChild == nullptr || ::GetParent(hWndChild) != m_hWnd) {
        return;
    }
    Anchor anchor;
    anchor.hWnd = hWndChild;
    ::GetWindowRect(hWndChild, &anchor.original);
    ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&anchor.original), 2);
    // The control's place is taken as designed for the layout size in force now.
    anchor.originalClient = ClampLayoutSize(CurrentClientSize(), m_minClient);
    anchor.topLeft = topLeft;
    anchor.bottomRight = bottomRight;
    auto existing = std::find_if(m_anchors.begin(), m_anchors.end(),
                                 [hWndChild](const Anchor& a) { return a.hWnd == hWndChild; });
    if (existing != m_anchors.end()) {
        *existing = anchor;
    } else {
        m_anchors.push_back(anchor);
    }
}

void CResizableDialog::RemoveAnchor(UINT nID)
{
    HWND hWnd = ::GetDlgItem(m_hWnd, static_cast<int>(nID));
    std::erase_if(m_anchors, [hWnd](const Anchor& a) { return a.hWnd == hWnd; });
}

void CResizableDialog::RemoveAllAnchors()
{
    m_anchors.clear();
}

void CResizableDialog::ArrangeLayout()
{
    if (m_hWnd == nullptr || m_anchors.empty()) {
        return;
    }
    const SIZE layoutSize = ClampLayoutSize(CurrentClientSize(), m_minClient);
    std::vector<std::pair<HWND, RECT>> moves;
    for (const Anchor& anchor : m_anchors) {
        if (!::IsWindow(anchor.hWnd)) {
            continue;
        }
        const RECT target =
            LayoutAnchoredRect(anchor.original, anchor.originalClient, layoutSize, anchor.topLeft, anchor.bottomRight);
        RECT now{};
        ::GetWindowRect(anchor.hWnd, &now);
        ::MapWindowPoints(nullptr, m_hWnd, reinterpret_cast<POINT*>(&now), 2);
        if (::EqualRect(&now, &target) == FALSE) {
            moves.emplace_back(anchor.hWnd, target);
        }
    }
    if (moves.empty()) {
        return;
    }
    HDWP defer = ::BeginDeferWindowPos(static_cast<int>(moves.size()));
    for (const auto& [hWnd, rect] : moves) {
        const UINT flags = SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS;
        if (defer != nullptr) {
            defer = ::DeferWindowPos(defer, hWnd, nullptr, rect.left, rect.top, rect.right - rect.left,
                                     rect.bottom - rect.top, flags);
        } else {
            ::SetWindowPos(hWnd, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                           flags);
        }
    }
    if (defer != nullptr) {
        ::EndDeferWindowPos(defer);
    }
    // Moved controls may leave stale pixels behind (their old place) and some
    // controls do not repaint on a move: refresh both unless the control says
    // it takes care of itself.
    for (const auto& [hWnd, rect] : moves) {
        if (::SendMessageW(hWnd, WMU_RESIZESUPPORT, RESIZESUPPORT_QUERY_NOREPAINT, 0) == 0) {
            ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        }
    }
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_NOCHILDREN);
}

void CResizableDialog::OnSize(UINT nType, int cx, int cy)
{
    CDialog::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED) {
        ArrangeLayout();
    }
}

void CResizableDialog::OnGetMinMaxInfo(MINMAXINFO* lpMMI)
{
    CDialog::OnGetMinMaxInfo(lpMMI);
    if (m_hWnd == nullptr || (m_minClient.cx == 0 && m_minClient.cy == 0) ||
        (::GetWindowLongPtrW(m_hWnd, GWL_STYLE) & WS_CHILD) != 0) {
        return;
    }
    RECT frame{0, 0, m_minClient.cx, m_minClient.cy};
    ::AdjustWindowRectEx(&frame, static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_STYLE)),
                         ::GetMenu(m_hWnd) != nullptr, static_cast<DWORD>(::GetWindowLongPtrW(m_hWnd, GWL_EXSTYLE)));
    lpMMI->ptMinTrackSize.x = std::max<LONG>(lpMMI->ptMinTrackSize.x, frame.right - frame.left);
    lpMMI->ptMinTrackSize.y = std::max<LONG>(lpMMI->ptMinTrackSize.y, frame.bottom - frame.top);
}
