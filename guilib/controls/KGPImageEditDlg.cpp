#include "guilib/controls/KGPImageEditDlg.h"

#include <commdlg.h>

#include <algorithm>

#include "guilib/core/KGPDib.h"
#include "guilib/core/KGPGlobalData.h"

IMPLEMENT_DYNAMIC(CKGPImageEditDlg, CKGPDialog)

BEGIN_MESSAGE_MAP(CKGPImageEditDlg, CKGPDialog)
    ON_WM_PAINT()
END_MESSAGE_MAP()

namespace {

constexpr int kGridSide = 256;  // pixels
constexpr int kMargin = 8;
constexpr int kButtonWidth = 80;
constexpr int kButtonHeight = 24;
constexpr int kPaletteHeight = 22;

// A dialog template with no controls: the editor makes its children itself.
std::vector<WORD> MakeEmptyTemplate(const wchar_t* title, short cx, short cy)
{
    const DWORD style = DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU;
    std::vector<WORD> data = {LOWORD(style), HIWORD(style), 0, 0, 0, 0, 0, static_cast<WORD>(cx),
                              static_cast<WORD>(cy), 0, 0};
    for (const wchar_t* p = title; *p != L'\0'; ++p)
        data.push_back(static_cast<WORD>(*p));
    data.push_back(0);
    data.push_back(0);
    return data;
}

// COLORREF (0x00BBGGRR) and a 32-bit DIB pixel (0x00RRGGBB) swap red and blue.
DWORD SwapRedBlue(DWORD value)
{
    return (value & 0xFF00u) | ((value & 0xFFu) << 16) | ((value >> 16) & 0xFFu);
}

} // namespace

CKGPImageEditDlg::CKGPImageEditDlg(CBitmap* pBitmap, CWnd* pParent, CSize sizeImage)
    : m_pBitmap(pBitmap), m_sizeImage(sizeImage)
{
    m_pParentWnd = pParent;
}

INT_PTR CKGPImageEditDlg::DoModal()
{
    if (!ReadPixels())
        return IDABORT;
    m_template = MakeEmptyTemplate(L"Image Editor", 260, 200);
    InitModalIndirect(reinterpret_cast<LPCDLGTEMPLATE>(m_template.data()), m_pParentWnd);
    return CKGPDialog::DoModal();
}

BOOL CKGPImageEditDlg::ReadPixels()
{
    BITMAP info{};
    if (m_pBitmap == nullptr || m_pBitmap->GetSafeHandle() == nullptr || m_pBitmap->GetBitmap(&info) == 0)
        return FALSE;
    if (m_sizeImage.cx <= 0 || m_sizeImage.cy <= 0 || m_sizeImage.cx > info.bmWidth || m_sizeImage.cy > info.bmHeight)
        m_sizeImage = CSize(info.bmWidth, info.bmHeight);
    std::vector<DWORD> all(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    BITMAPINFO format = kgp::Dib32Info(info.bmWidth, info.bmHeight);
    const int rows = ::GetDIBits(CWindowDCHandle(nullptr).Get(), static_cast<HBITMAP>(m_pBitmap->GetSafeHandle()), 0,
                                 static_cast<UINT>(info.bmHeight), all.data(), &format, DIB_RGB_COLORS);
    if (rows != info.bmHeight)
        return FALSE;
    m_pixels.clear();
    for (int y = 0; y < m_sizeImage.cy; ++y)
        for (int x = 0; x < m_sizeImage.cx; ++x)
            m_pixels.push_back(SwapRedBlue(all[static_cast<size_t>(y) * info.bmWidth + x]) & 0xFFFFFFu);
    return TRUE;
}

void CKGPImageEditDlg::WritePixels()
{
    BITMAP info{};
    m_pBitmap->GetBitmap(&info);
    std::vector<DWORD> all(static_cast<size_t>(info.bmWidth) * static_cast<size_t>(info.bmHeight));
    BITMAPINFO format = kgp::Dib32Info(info.bmWidth, info.bmHeight);
    const HBITMAP bitmap = static_cast<HBITMAP>(m_pBitmap->GetSafeHandle());
    const CWindowDCHandle screen(nullptr);
    ::GetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), all.data(), &format, DIB_RGB_COLORS);
    const std::vector<COLORREF>& edited = m_wndGrid.GetPixels();
    for (int y = 0; y < m_sizeImage.cy; ++y) {
        for (int x = 0; x < m_sizeImage.cx; ++x) {
            DWORD& pixel = all[static_cast<size_t>(y) * info.bmWidth + x];
            // Keep the alpha byte of 32-bit images.
            pixel = (pixel & 0xFF000000u) | SwapRedBlue(edited[static_cast<size_t>(y) * m_sizeImage.cx + x]);
        }
    }
    ::SetDIBits(screen.Get(), bitmap, 0, static_cast<UINT>(info.bmHeight), all.data(), &format, DIB_RGB_COLORS);
}

BOOL CKGPImageEditDlg::OnInitDialog()
{
    CKGPDialog::OnInitDialog();
    CFont* font = CFont::FromHandle(GetKGPGlobalData().GetRegularFont());
    const int cell = std::max(1, kGridSide / static_cast<int>(std::max(m_sizeImage.cx, m_sizeImage.cy)));
    const CRect grid(kMargin, kMargin, kMargin + cell * m_sizeImage.cx, kMargin + cell * m_sizeImage.cy);
    m_wndGrid.Create(grid, this, kGridId);
    m_wndGrid.SetPixels(m_sizeImage.cx, m_sizeImage.cy, m_pixels);
    const int paletteTop = kMargin + kGridSide + kMargin;
    m_wndPalette.Create(CRect(kMargin, paletteTop, kMargin + kGridSide, paletteTop + kPaletteHeight), this,
                        kPaletteId, kKGPImageEditPalette, static_cast<int>(std::size(kKGPImageEditPalette)));
    m_wndGrid.SetColour(m_wndPalette.GetColour());

    const int right = kMargin + kGridSide + kMargin;
    const int buttonsLeft = right + std::max(0, static_cast<int>(m_sizeImage.cx) - kButtonWidth) / 2;
    struct ButtonPlace {
        CButton* button;
        const wchar_t* text;
        UINT id;
        int top;
    };
    const ButtonPlace buttons[] = {
        {&m_wndOk, L"OK", IDOK, kMargin},
        {&m_wndCancel, L"Cancel", IDCANCEL, kMargin + kButtonHeight + 6},
        {&m_wndOtherColour, L"Other colour...", kOtherColourId, paletteTop - 1},
    };
    for (const ButtonPlace& place : buttons) {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | (place.id == IDOK ? BS_DEFPUSHBUTTON : 0);
        place.button->Create(place.text, style, CRect(buttonsLeft, place.top, buttonsLeft + 100, place.top + kButtonHeight),
                             this, place.id);
        place.button->SetFont(font);
    }
    CRect window;
    GetWindowRect(window);
    CRect client;
    GetClientRect(client);
    const int wantWidth = right + std::max(100, static_cast<int>(m_sizeImage.cx)) + kMargin;
    const int wantHeight = paletteTop + kPaletteHeight + kMargin;
    SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, window.Width() - client.Width() + wantWidth,
                 window.Height() - client.Height() + wantHeight, SWP_NOMOVE | SWP_NOZORDER);
    CenterWindow();
    return TRUE;
}

CRect CKGPImageEditDlg::PreviewRect() const
{
    const int left = kMargin + kGridSide + kMargin;
    const int top = kMargin + 2 * (kButtonHeight + 6) + kMargin;
    return CRect(left, top, left + m_sizeImage.cx, top + m_sizeImage.cy);
}

void CKGPImageEditDlg::OnPaint()
{
    CPaintDC dc(this);
    const CRect preview = PreviewRect();
    const std::vector<COLORREF>& pixels = m_wndGrid.GetPixels();
    for (int y = 0; y < m_sizeImage.cy; ++y)
        for (int x = 0; x < m_sizeImage.cx; ++x)
            dc.SetPixel(preview.left + x, preview.top + y, pixels[static_cast<size_t>(y) * m_sizeImage.cx + x]);
    CRect frame = preview;
    frame.InflateRect(1, 1);
    dc.Draw3dRect(frame, RGB(64, 64, 64), RGB(64, 64, 64));
}

BOOL CKGPImageEditDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case kGridId:
        if (HIWORD(wParam) == KGP_PGN_COLOURPICKED)
            m_wndPalette.SetColour(m_wndGrid.GetColour());
        InvalidateRect(PreviewRect(), FALSE);
        return TRUE;
    case kPaletteId:
        m_wndGrid.SetColour(m_wndPalette.GetColour());
        return TRUE;
    case kOtherColourId:
        if (HIWORD(wParam) == BN_CLICKED)
            ChooseOtherColour();
        return TRUE;
    default:
        return CKGPDialog::OnCommand(wParam, lParam);
    }
}

void CKGPImageEditDlg::ChooseOtherColour()
{
    static COLORREF customColours[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.hwndOwner = m_hWnd;
    choose.rgbResult = m_wndGrid.GetColour();
    choose.lpCustColors = customColours;
    choose.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (::ChooseColorW(&choose)) {
        m_wndGrid.SetColour(choose.rgbResult);
        m_wndPalette.SetColour(choose.rgbResult);
    }
}

void CKGPImageEditDlg::OnOK()
{
    WritePixels();
    CKGPDialog::OnOK();
}
