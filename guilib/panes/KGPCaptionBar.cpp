// The caption bar: its elements laid out by the plain layout, painted through
// the visual manager into a buffer, and its button tracked with the mouse.
#include "guilib/panes/KGPCaptionBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPMenuLinks.h"
#include "guilib/core/KGPVisualManager.h"

#include <windowsx.h>

#include <algorithm>

IMPLEMENT_DYNCREATE(CKGPCaptionBar, CKGPControlBar)

namespace {

kgp::Box ToBox(const CRect& rect)
{
    return kgp::Box{rect.left, rect.top, rect.right, rect.bottom};
}

CRect ToRect(const kgp::Box& box)
{
    return CRect(box.left, box.top, box.right, box.bottom);
}

constexpr UINT kTextFormat = DT_END_ELLIPSIS | DT_SINGLELINE | DT_VCENTER;

} // namespace

CKGPCaptionBar::CKGPCaptionBar() = default;

CKGPCaptionBar::~CKGPCaptionBar() = default;

BOOL CKGPCaptionBar::Create(DWORD dwStyle, CWnd* pParentWnd, UINT uID, int nHeight)
{
    m_nFixedHeight = nHeight;
    if (!CKGPControlBar::Create(nullptr, dwStyle | CBRS_ALIGN_TOP, CRect(0, 0, 0, 0), pParentWnd, uID, 0))
        return FALSE;
    SetWindowText(_T("Caption Bar"));
    EnableDocking(CBRS_ALIGN_TOP);
    RecalcElements();
    return TRUE;
}

CSize CKGPCaptionBar::CalcFixedLayout(BOOL, BOOL)
{
    RecalcElements();
    return CSize(32767, m_nCurrentHeight);
}

void CKGPCaptionBar::RecalcLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    if (CFrameWnd* frame = GetParentFrame())
        frame->RecalcLayout();
    RecalcElements();
}

void CKGPCaptionBar::AdjustHostLayout()
{
    CKGPControlBar::AdjustHostLayout();
    RecalcElements();
}

void CKGPCaptionBar::SetButton(LPCTSTR lpszLabel, UINT uiCmdUI, BarElementAlignment btnAlignment,
                               BOOL bHasDropDownArrow)
{
    m_strBtnText = lpszLabel != nullptr ? lpszLabel : _T("");
    m_uiBtnID = uiCmdUI;
    m_nBtnAlign = btnAlignment;
    m_bBtnActive = bHasDropDownArrow;
    RecalcLayout();
}

void CKGPCaptionBar::EnableButton(BOOL bEnable)
{
    m_bBtnActive = bEnable;
    RecalcLayout();
}

void CKGPCaptionBar::SetButtonPressed(BOOL bPresed)
{
    m_bBtnChecked = bPresed;
    RedrawButton();
}

void CKGPCaptionBar::RemoveButton()
{
    m_strBtnText.Empty();
    m_uiBtnID = 0;
    m_bBtnPressed = m_bBtnHighlight = FALSE;
    RecalcLayout();
}

void CKGPCaptionBar::SetIcon(HICON hIcon, BarElementAlignment iconAlignment)
{
    m_Bitmap.Clear();
    m_hIcon = hIcon;
    m_nImageAlign = iconAlignment;
    RecalcLayout();
}

void CKGPCaptionBar::RemoveIcon()
{
    m_hIcon = nullptr;
    RecalcLayout();
}

void CKGPCaptionBar::SetBitmap(HBITMAP hBitmap, COLORREF clrTransparent, BOOL bStretch,
                               BarElementAlignment bmpAlignment, CSize sizeImage)
{
    m_hIcon = nullptr;
    m_Bitmap.Clear();
    BITMAP info{};
    if (hBitmap != nullptr && ::GetObjectW(hBitmap, sizeof(info), &info) != 0) {
        m_Bitmap.SetImageSize(sizeImage.cx > 0 && sizeImage.cy > 0 ? sizeImage
                                                                   : CSize(info.bmWidth, info.bmHeight));
        m_Bitmap.SetTransparentColor(clrTransparent);
        m_Bitmap.AddImage(hBitmap);
    }
    m_bStretchImage = bStretch;
    m_nImageAlign = bmpAlignment;
    RecalcLayout();
}

void CKGPCaptionBar::RemoveBitmap()
{
    m_Bitmap.Clear();
    RecalcLayout();
}

void CKGPCaptionBar::SetText(const CString& strText, BarElementAlignment textAlignment)
{
    m_strText = strText;
    m_nTextAlign = textAlignment;
    RecalcLayout();
}

void CKGPCaptionBar::RemoveText()
{
    m_strText.Empty();
    RecalcLayout();
}

CKGPCaptionBar::BarElementAlignment CKGPCaptionBar::GetAlignment(BarElement elem) const
{
    switch (elem) {
    case ELEM_BUTTON:
        return static_cast<BarElementAlignment>(m_nBtnAlign);
    case ELEM_TEXT:
        return static_cast<BarElementAlignment>(m_nTextAlign);
    case ELEM_ICON:
        return static_cast<BarElementAlignment>(m_nImageAlign);
    default:
        return ALIGN_INVALID;
    }
}

CSize CKGPCaptionBar::GetImageSize() const
{
    if (m_Bitmap.GetCount() > 0)
        return m_Bitmap.GetImageSize();
    if (m_hIcon == nullptr)
        return CSize(0, 0);
    ICONINFO info{};
    if (!::GetIconInfo(m_hIcon, &info))
        return CSize(0, 0);
    const CGdiHandle<HBITMAP> colour(info.hbmColor);
    const CGdiHandle<HBITMAP> mask(info.hbmMask);
    BITMAP bitmap{};
    if (colour.Get() != nullptr && ::GetObjectW(colour.Get(), sizeof(bitmap), &bitmap) != 0)
        return CSize(bitmap.bmWidth, bitmap.bmHeight);
    // A monochrome icon: its mask holds the image and the mask, one above the other.
    if (mask.Get() != nullptr && ::GetObjectW(mask.Get(), sizeof(bitmap), &bitmap) != 0)
        return CSize(bitmap.bmWidth, bitmap.bmHeight / 2);
    return CSize(0, 0);
}

void CKGPCaptionBar::RecalcElements()
{
    CClientDC dc(GetSafeHwnd() != nullptr ? this : nullptr);
    const HFONT font = m_hFont != nullptr ? m_hFont : GetKGPGlobalData().GetRegularFont();
    CSelectionScope selected(dc.GetSafeHdc(), font);
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(dc.GetSafeHdc(), &metrics);

    kgp::caption::CaptionInput in;
    if (GetSafeHwnd() != nullptr) {
        CRect client;
        GetClientRect(client);
        in.client = ToBox(client);
    }
    in.borderSize = m_nBorderSize;
    in.margin = m_nMargin;
    in.gap = m_nHorzElementOffset;
    in.fixedHeight = m_nFixedHeight;
    in.textHeight = metrics.tmHeight + 2;
    const CSize image = GetImageSize();
    in.hasImage = m_hIcon != nullptr || m_Bitmap.GetCount() > 0;
    in.imageCx = image.cx;
    in.imageCy = image.cy;
    in.stretchImage = m_bStretchImage != FALSE;
    in.imageAlign = m_nImageAlign;
    in.hasButton = !m_strBtnText.IsEmpty();
    in.buttonLabelWidth = in.hasButton ? dc.GetTextExtent(m_strBtnText).cx : 0;
    in.buttonArrow = m_uiBtnID != 0 && m_bBtnActive;
    in.buttonAlign = m_nBtnAlign;
    in.hasText = !m_strText.IsEmpty();
    if (in.hasText) {
        CRect measured(0, 0, 0, 0);
        dc.DrawText(m_strText, measured, DT_CALCRECT | DT_VCENTER);
        in.textCx = measured.Width();
        in.textCy = measured.Height();
    }
    in.textAlign = m_nTextAlign;

    const kgp::caption::CaptionLayout out = kgp::caption::LayOutCaption(in);
    m_nCurrentHeight = out.height;
    m_rectImage = ToRect(out.image);
    m_rectButton = ToRect(out.button);
    m_rectText = ToRect(out.text);
    m_rectDrawText = ToRect(out.drawText);
}

void CKGPCaptionBar::OnDrawBackground(CDC* pDC, CRect rect)
{
    CKGPVisualManager::GetInstance()->FillBarBackground(pDC, this, rect, rect);
}

void CKGPCaptionBar::OnDrawBorder(CDC* pDC, CRect rect)
{
    rect.InflateRect(2, 0);
    CKGPVisualManager::GetInstance()->DrawCaptionBarBorder(pDC, this, rect, m_clrBarBorder, m_bFlatBorder);
}

void CKGPCaptionBar::OnDrawText(CDC* pDC, CRect rect, const CString& strText)
{
    pDC->DrawText(strText, rect, kTextFormat);
}

void CKGPCaptionBar::OnDrawImage(CDC* pDC, CRect rect)
{
    if (rect.IsRectEmpty())
        return;
    if (m_hIcon != nullptr) {
        ::DrawIconEx(pDC->GetSafeHdc(), rect.left, rect.top, m_hIcon, rect.Width(), rect.Height(), 0, nullptr,
                     DI_NORMAL);
        return;
    }
    if (m_Bitmap.GetCount() == 0)
        return;
    if (m_Bitmap.BeginDrawImage(FALSE, rect.Size())) {
        m_Bitmap.DrawImage(pDC, rect.left, rect.top, 0);
        m_Bitmap.EndDrawImage();
    }
}

void CKGPCaptionBar::OnDrawButton(CDC* pDC, CRect rect, const CString& strButton, BOOL bEnabled)
{
    const BOOL arrow = m_uiBtnID != 0 && bEnabled;
    CRect text = rect;
    text.DeflateRect(m_nHorzElementOffset, 0);
    if (arrow)
        text.right -= kgp::caption::kMenuArrowWidth;
    pDC->DrawText(strButton, text, kTextFormat);

    if (arrow) {
        // A triangle pointing down in a box at the right, a third as high as wide.
        const int boxLeft = text.right;
        const int width = kgp::caption::kMenuArrowWidth - 2;
        const int height = std::max(1, width / 3 + 1);
        const int top = rect.top + (rect.Height() - height) / 2;
        const int left = boxLeft + 1;
        const POINT points[3] = {{left, top}, {left + width, top}, {left + width / 2, top + height}};
        const COLORREF colour = pDC->GetTextColor();
        CGdiHandle<HBRUSH> brush(::CreateSolidBrush(colour));
        CGdiHandle<HPEN> pen(::CreatePen(PS_NULL, 0, colour));
        CSelectionScope brushIn(pDC->GetSafeHdc(), brush.Get());
        CSelectionScope penIn(pDC->GetSafeHdc(), pen.Get());
        const int oldMode = ::SetPolyFillMode(pDC->GetSafeHdc(), WINDING);
        ::Polygon(pDC->GetSafeHdc(), points, 3);
        ::SetPolyFillMode(pDC->GetSafeHdc(), oldMode);
    }

    const CKGPGlobalData& data = GetKGPGlobalData();
    if (m_bBtnPressed || m_bBtnChecked)
        pDC->Draw3dRect(rect, data.clrBtnShadow, data.clrBtnHilite);
    else if (m_bBtnHighlight)
        pDC->Draw3dRect(rect, data.clrBtnHilite, data.clrBtnShadow);
}

void CKGPCaptionBar::PaintClient()
{
    CPaintDC paint(this);
    CKGPMemDC buffer(paint, this);
    CDC& dc = buffer.GetDC();
    CRect client;
    GetClientRect(client);
    OnDrawBackground(&dc, client);

    dc.SetBkMode(TRANSPARENT);
    const COLORREF text = m_clrBarText != static_cast<COLORREF>(-1)
                              ? m_clrBarText
                              : CKGPVisualManager::GetInstance()->GetCaptionBarTextColor(this);
    dc.SetTextColor(text);
    const HFONT font = m_hFont != nullptr ? m_hFont : GetKGPGlobalData().GetRegularFont();
    CSelectionScope selected(dc.GetSafeHdc(), font);
    if (!m_strBtnText.IsEmpty())
        OnDrawButton(&dc, m_rectButton, m_strBtnText, m_bBtnActive);
    if (!m_strText.IsEmpty())
        OnDrawText(&dc, m_rectDrawText, m_strText);
    OnDrawImage(&dc, m_rectImage);
}

void CKGPCaptionBar::PaintBorders()
{
    CWindowDC dc(this);
    CRect window;
    GetWindowRect(window);
    window.OffsetRect(-window.left, -window.top);
    CRect bottom = window;
    bottom.top = bottom.bottom - m_nBorderSize;
    CRect top = window;
    top.bottom = top.top + m_nBorderSize;
    OnDrawBorder(&dc, bottom);
    OnDrawBorder(&dc, top);
}

void CKGPCaptionBar::RedrawButton()
{
    if (GetSafeHwnd() != nullptr && !m_rectButton.IsRectEmpty())
        RedrawWindow(m_rectButton, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void CKGPCaptionBar::OnMouseMoveOverButton(UINT nFlags, CPoint point)
{
    if (m_uiBtnID == 0 || !m_bBtnActive)
        return;
    const BOOL highlight = m_rectButton.PtInRect(point);
    if (highlight != m_bBtnHighlight) {
        m_bBtnHighlight = highlight;
        m_bBtnPressed = (nFlags & MK_LBUTTON) != 0 && m_bBtnHighlight;
        RedrawButton();
    }
    if (!m_bTracked) {
        m_bTracked = TRUE;
        TRACKMOUSEEVENT track{};
        track.cbSize = sizeof(track);
        track.dwFlags = TME_LEAVE;
        track.hwndTrack = m_hWnd;
        track.dwHoverTime = HOVER_DEFAULT;
        ::TrackMouseEvent(&track);
    }
}

void CKGPCaptionBar::OnButtonDown(CPoint point)
{
    if (m_uiBtnID == 0 || !m_bBtnActive)
        return;
    m_bBtnHighlight = m_rectButton.PtInRect(point);
    if (!m_bBtnHighlight)
        return;
    m_bBtnPressed = TRUE;
    RedrawButton();
    CWnd* target = GetOwner() != nullptr ? GetOwner() : GetParent();
    if (target != nullptr)
        target->SendMessage(WM_COMMAND, m_uiBtnID, 0);
}

void CKGPCaptionBar::OnButtonUp()
{
    if (m_bBtnPressed) {
        m_bBtnPressed = FALSE;
        RedrawButton();
    }
}

void CKGPCaptionBar::OnMouseLeft()
{
    m_bTracked = FALSE;
    if (m_bBtnPressed || m_bBtnHighlight) {
        m_bBtnPressed = FALSE;
        m_bBtnHighlight = FALSE;
        RedrawButton();
    }
}

LRESULT CKGPCaptionBar::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const CPoint point(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
    switch (message) {
    case WM_PAINT:
        PaintClient();
        return 0;
    case WM_ERASEBKGND:
        return TRUE;
    case WM_SYSCOLORCHANGE:
        return 0;
    case WM_SIZE: {
        const LRESULT result = CKGPControlBar::WindowProc(message, wParam, lParam);
        RecalcElements();
        Invalidate();
        return result;
    }
    case WM_NCCALCSIZE: {
        auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
        RECT& client = params->rgrc[0];
        client.top += m_nBorderSize;
        client.bottom = std::max(client.top, client.bottom - m_nBorderSize);
        return 0;
    }
    case WM_NCPAINT:
        PaintBorders();
        return 0;
    case WM_MOUSEMOVE: {
        const LRESULT result = CKGPControlBar::WindowProc(message, wParam, lParam);
        OnMouseMoveOverButton(static_cast<UINT>(wParam), point);
        return result;
    }
    case WM_LBUTTONDOWN: {
        const LRESULT result = CKGPControlBar::WindowProc(message, wParam, lParam);
        OnButtonDown(point);
        return result;
    }
    case WM_LBUTTONUP:
        OnButtonUp();
        break;
    case WM_MOUSELEAVE:
        OnMouseLeft();
        return 0;
    case WM_RBUTTONUP: {
        if (KGPMenuLinks::IsCustomizeMode())
            break;
        CWnd* target = GetOwner() != nullptr ? GetOwner() : GetParent();
        CPoint screen = point;
        ClientToScreen(&screen);
        OnShowContextMenu(target, screen);
        return 0;
    }
    case WM_SETFONT:
        m_hFont = reinterpret_cast<HFONT>(wParam);
        RecalcLayout();
        if (LOWORD(lParam) != 0 && GetSafeHwnd() != nullptr)
            Invalidate();
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(m_hFont);
    default:
        break;
    }
    return CKGPControlBar::WindowProc(message, wParam, lParam);
}
