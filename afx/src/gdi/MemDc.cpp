// CMemDC: off-screen painting copied to the target DC on destruction.
#include <afxwin.h>


IMPLEMENT_DYNAMIC(CMemDC, CDC)

CMemDC::CMemDC(CDC& dc, const CRect& rect) : m_dcTarget(dc)
{
    Init(rect);
}

CMemDC::CMemDC(CDC& dc, CWnd* pWnd) : m_dcTarget(dc)
{
    CRect rect;
    if (pWnd && pWnd->m_hWnd)
        ::GetClientRect(pWnd->m_hWnd, &rect);
    Init(rect);
}

namespace {

// Up to this many pixels, the picture behind a window's or the screen's DC is
// a 32-bit top-down DIB section: it draws and copies to the screen as a bitmap
// compatible with the display does, but is made and selected without asking
// for the display's format (under Wine a round trip to its server each time).
// A larger one takes fresh pages from the system for its pixels, which costs
// more than those round trips (measured under Wine: a 60 x 56 buffer painted
// and copied in about half the time, one of 450 x 350 in up to twice as long).
constexpr long long kLargestPictureSection = 256LL * 256LL;

// Behind a memory DC, or when large, the picture is a bitmap compatible with
// the target DC, whatever its format.
BOOL CreatePictureFor(CBitmap& bitmap, CDC& target, int cx, int cy)
{
    if (::GetObjectType(target.GetSafeHdc()) != OBJ_DC || static_cast<long long>(cx) * cy > kLargestPictureSection)
        return bitmap.CreateCompatibleBitmap(&target, cx, cy);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = cx;
    info.bmiHeader.biHeight = -cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return bitmap.Attach(::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

} // namespace

void CMemDC::Init(const CRect& rect)
{
    m_rect = rect;
    if (rect.IsRectEmpty() || !CreateCompatibleDC(&m_dcTarget))
        return;
    if (!CreatePictureFor(m_bitmap, m_dcTarget, rect.Width(), rect.Height())) {
        DeleteDC();
        return;
    }
    m_hOldBitmap = ::SelectObject(m_hDC, m_bitmap.m_hObject);
    // Callers keep drawing in the target's coordinates.
    SetWindowOrg(rect.left, rect.top);
    m_bMemDC = TRUE;
}

CMemDC::~CMemDC()
{
    if (!m_bMemDC)
        return;
    if (!m_bDiscard)
        m_dcTarget.BitBlt(m_rect.left, m_rect.top, m_rect.Width(), m_rect.Height(), this, m_rect.left,
                          m_rect.top, SRCCOPY);
    ::SelectObject(m_hDC, m_hOldBitmap);
    DeleteDC();
    // m_bitmap is deleted by its own destructor, now that it is no longer selected.
}
