#include "guilib/controls/KGPEdit.h"

IMPLEMENT_DYNAMIC(CKGPEdit, CEdit)

BEGIN_MESSAGE_MAP(CKGPEdit, CEdit)
    ON_WM_MOUSEMOVE()
    ON_WM_MOUSELEAVE()
END_MESSAGE_MAP()

void CKGPEdit::OnMouseMove(UINT nFlags, CPoint point)
{
    if (!m_bHighlighted) {
        m_bHighlighted = TRUE;
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, m_hWnd, 0};
        ::TrackMouseEvent(&track);
        RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    }
    CEdit::OnMouseMove(nFlags, point);
}

void CKGPEdit::OnMouseLeave()
{
    m_bHighlighted = FALSE;
    RedrawWindow(nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
    Default();
}
