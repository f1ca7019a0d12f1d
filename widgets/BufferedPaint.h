// A WM_PAINT handler's frame for the controls that draw their whole client
// area: the paint DC, and an off-screen picture of the client area copied to
// it when the scope ends (before the paint ends).
#pragma once

#include <afxwin.h>

#include <memory>

namespace widgets {

class CBufferedPaint {
public:
    explicit CBufferedPaint(CWnd& window);
    ~CBufferedPaint();
    CBufferedPaint(const CBufferedPaint&) = delete;
    CBufferedPaint& operator=(const CBufferedPaint&) = delete;

    HDC Dc() { return m_memory->GetDC().GetSafeHdc(); }
    const CRect& Client() const { return m_client; }
    // Fills the whole client area with one colour.
    void Fill(COLORREF colour);

private:
    CPaintDC m_paint;
    CRect m_client;
    std::unique_ptr<CMemDC> m_memory;  // declared after the paint DC: goes (and copies) first
};

} // namespace widgets
