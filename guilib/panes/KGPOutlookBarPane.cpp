#include "guilib/panes/KGPOutlookBarPane.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMemDC.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPOutlookButton.h"
#include "guilib/tabs/KGPBaseTabWnd.h"
#include "guilib/toolbars/KGPCustomizeButton.h"

#include <cstdint>
#include <memory>
#include <vector>

IMPLEMENT_SERIAL(CKGPOutlookBarPane, CKGPToolBar, VERSIONABLE_SCHEMA | 1)

CKGPToolBarImages CKGPOutlookBarPane::s_images;
CSize CKGPOutlookBarPane::s_sizeImage(0, 0);

namespace {

constexpr DWORD kBorderAndGripperMask = 0xFFBFF0FF;
constexpr int kMenuGlyphScrollUp = 24;
constexpr int kMenuGlyphScrollDown = 13;

std::unique_ptr<CKGPToolbarButton> FreshCopy(const CKGPToolbarButton& button)
{
    CObject* pObject = button.GetRuntimeClass()->CreateObject();
    std::unique_ptr<CKGPToolbarButton> pCopy(static_cast<CKGPToolbarButton*>(pObject));
    if (pCopy == nullptr)
        pCopy = std::make_unique<CKGPOutlookButton>();
    pCopy->CopyButton(button);
    return pCopy;
}

// An icon's size from its bitmaps (a monochrome icon's mask is two images high).
CSize IconSize(HICON hIcon)
{
    ICONINFO info{};
    if (!::GetIconInfo(hIcon, &info))
        return CSize(0, 0);
    CGdiHandle<HBITMAP> color(info.hbmColor);
    CGdiHandle<HBITMAP> mask(info.hbmMask);
    BITMAP bmp{};
    ::GetObject(info.hbmColor != nullptr ? info.hbmColor : info.hbmMask, sizeof(bmp), &bmp);
    return CSize(bmp.bmWidth, info.hbmColor != nullptr ? bmp.bmHeight : bmp.bmHeight / 2);
}

BOOL SameButton(const CKGPToolbarButton& a, const CKGPToolbarButton& b)
{
    return a.GetRuntimeClass() == b.GetRuntimeClass() && a.m_nCommand == b.m_nCommand &&
           a.GetImage() == b.GetImage() && a.m_strCaption == b.m_strCaption;
}

}  // namespace

BEGIN_MESSAGE_MAP(CKGPOutlookBarPane, CKGPToolBar)
    ON_WM_CREATE()
    ON_WM_SIZE()
    ON_WM_NCCALCSIZE()
    ON_WM_SYSCOLORCHANGE()
    ON_WM_TIMER()
    ON_WM_LBUTTONUP()
    ON_WM_NCDESTROY()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CKGPOutlookBarPane::CKGPOutlookBarPane() : m_clrBackColor(GetKGPGlobalData().clrBtnShadow)
{
    s_images.SetTransparentColor(RGB(255, 0, 255));
}

// Its own WM_NCDESTROY takes it out of the floating frames' map and its frame.
CKGPOutlookBarPane::~CKGPOutlookBarPane()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CKGPOutlookBarPane::CreatePane(CWnd* pParentWnd, DWORD dwStyle, UINT uiID, DWORD dwControlBarStyle)
{
    if (!CKGPToolBar::Create(pParentWnd, dwStyle, uiID))
        return FALSE;
    SetLibraryBarStyle(dwControlBarStyle);
    return TRUE;
}

int CKGPOutlookBarPane::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CKGPToolBar::OnCreate(lpCreateStruct) == -1)
        return -1;
    SetBarStyleWord(GetBarStyleWord() & kBorderAndGripperMask);
    SetWindowPos(&CWnd::wndBottom, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetBorders(0, 0, 0, 0);

    CRect rectGlyph(CPoint(0, 0), CKGPMenuGlyphs::GetImageSize());
    rectGlyph.InflateRect(3, 3);
    m_btnUp.Create(_T(""), WS_CHILD | BS_OWNERDRAW, rectGlyph, this, static_cast<UINT>(-1));
    m_btnUp.SetStdImage(kMenuGlyphScrollUp);
    m_btnDown.Create(_T(""), WS_CHILD | BS_OWNERDRAW, rectGlyph, this, static_cast<UINT>(-1));
    m_btnDown.SetStdImage(kMenuGlyphScrollDown);
    return 0;
}

namespace {

// One image's pixels as a strip holds them.
std::vector<std::uint32_t> ImagePixels(const CKGPToolBarImages& strip, int iImage)
{
    const CSize size = strip.GetImageSize();
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<size_t>(size.cx) * size.cy);
    for (int y = 0; y < size.cy; ++y) {
        for (int x = 0; x < size.cx; ++x)
            pixels.push_back(strip.GetPixel(iImage, x, y));
    }
    return pixels;
}

std::size_t HashPixels(const std::vector<std::uint32_t>& pixels)
{
    std::size_t hash = 14695981039346656037ull;
    for (std::uint32_t p : pixels)
        hash = (hash ^ p) * 1099511628211ull;
    return hash;
}

} // namespace

std::vector<std::size_t> CKGPOutlookBarPane::s_imageHashes;

int CKGPOutlookBarPane::FindSharedImage(const CKGPToolBarImages& probe)
{
    if (probe.GetCount() == 0 || probe.GetImageSize() != s_images.GetImageSize())
        return -1;
    // The hashes follow the strip: images added since are hashed, a strip
    // emptied or shortened behind the panes' back is hashed anew.
    if (s_imageHashes.size() > static_cast<size_t>(s_images.GetCount()))
        s_imageHashes.clear();
    while (s_imageHashes.size() < static_cast<size_t>(s_images.GetCount()))
        s_imageHashes.push_back(HashPixels(ImagePixels(s_images, static_cast<int>(s_imageHashes.size()))));
    const std::vector<std::uint32_t> wanted = ImagePixels(probe, 0);
    const std::size_t hash = HashPixels(wanted);
    for (size_t i = 0; i < s_imageHashes.size(); ++i) {
        if (s_imageHashes[i] == hash && ImagePixels(s_images, static_cast<int>(i)) == wanted)
            return static_cast<int>(i);
    }
    return -1;
}

int CKGPOutlookBarPane::AddBitmapImage(HBITMAP hBitmap)
{
    if (hBitmap == nullptr)
        return -1;
    if (s_images.GetCount() == 0) {
        BITMAP bmp{};
        if (::GetObject(hBitmap, sizeof(bmp), &bmp) == 0)
            return -1;
        s_sizeImage = CSize(bmp.bmWidth, bmp.bmHeight);
        s_images.SetImageSize(s_sizeImage);
    }
    return s_images.AddImage(hBitmap);
}

void CKGPOutlookBarPane::ClearSharedImages()
{
    s_images.Clear();
    s_sizeImage = CSize(0, 0);
    s_imageHashes.clear();
}

int CKGPOutlookBarPane::InsertButton(std::unique_ptr<CKGPToolbarButton> pButton, int iInsertAt)
{
    m_measured.bValid = FALSE;
    return CKGPToolBar::InsertButton(std::move(pButton), iInsertAt);
}

BOOL CKGPOutlookBarPane::RemoveButton(int iIndex)
{
    m_measured.bValid = FALSE;
    return CKGPToolBar::RemoveButton(iIndex);
}

BOOL CKGPOutlookBarPane::AddButton(int iImage, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt)
{
    auto pButton = std::make_unique<CKGPOutlookButton>();
    pButton->m_nCommand = iIdCommand;
    pButton->m_strCaption = lpszLabel != nullptr ? lpszLabel : _T("");
    pButton->SetImage(iImage);
    pButton->m_bShowCaption = AreTextLabels();
    if (InsertButton(std::move(pButton), iInsertAt) < 0)
        return FALSE;
    if (GetSafeHwnd() != nullptr)
        AdjustLayout();
    return TRUE;
}

CGdiHandle<HBITMAP> CKGPOutlookBarPane::IconOnBackground(HICON hIcon, CSize size) const
{
    CClientDC dcScreen(static_cast<CWnd*>(nullptr));
    CGdiHandle<HBITMAP> bitmap(::CreateCompatibleBitmap(dcScreen.GetSafeHdc(), size.cx, size.cy));
    const CMemoryDCHandle dcMem(::CreateCompatibleDC(dcScreen.GetSafeHdc()));
    if (!bitmap || !dcMem)
        return CGdiHandle<HBITMAP>();
    const CSelectionScope select(dcMem.Get(), bitmap.Get());
    const COLORREF fill = m_clrBackColor == static_cast<COLORREF>(-1) ? s_images.GetTransparentColor() : m_clrBackColor;
    const RECT all{0, 0, size.cx, size.cy};
    ::FillRect(dcMem.Get(), &all, CGdiHandle<HBRUSH>(::CreateSolidBrush(fill)).Get());
    ::DrawIconEx(dcMem.Get(), 0, 0, hIcon, size.cx, size.cy, 0, nullptr, DI_NORMAL);
    return bitmap;
}

BOOL CKGPOutlookBarPane::AddIconButton(HICON hIcon, LPCTSTR lpszLabel, UINT iIdCommand, int iInsertAt,
                                       BOOL bAlphaBlend)
{
    if (hIcon == nullptr)
        return FALSE;
    const CSize size = IconSize(hIcon);
    if (size.cx <= 0 || size.cy <= 0)
        return FALSE;
    // The icon as the shared strip would hold it. A picture the strip holds
    // already is used again, so a page made again (a sheet opened once more)
    // adds no copies.
    CKGPToolBarImages probe;
    probe.SetImageSize(s_images.GetCount() == 0 ? size : s_sizeImage);
    probe.SetTransparentColor(s_images.GetTransparentColor());
    CGdiHandle<HBITMAP> bitmap;
    if (bAlphaBlend) {
        if (probe.AddIcon(hIcon, TRUE) < 0)
            return FALSE;
    } else {
        bitmap = IconOnBackground(hIcon, size);
        if (!bitmap || probe.AddImage(bitmap.Get()) < 0)
            return FALSE;
    }
    int iImage = s_images.GetCount() != 0 ? FindSharedImage(probe) : -1;
    if (iImage < 0 && bAlphaBlend) {
        if (s_images.GetCount() == 0) {
            s_sizeImage = size;
            s_images.SetImageSize(s_sizeImage);
        }
        iImage = s_images.AddIcon(hIcon, TRUE);
    } else if (iImage < 0) {
        iImage = AddBitmapImage(bitmap.Get());
    }
    if (iImage < 0)
        return FALSE;
    return AddButton(iImage, lpszLabel, iIdCommand, iInsertAt);
}

void CKGPOutlookBarPane::RemoveAllButtons()
{
    m_measured.bValid = FALSE;
    CKGPToolBar::RemoveAllButtons();
    m_iScrollOffset = 0;
    m_iFirstVisibleButton = 0;
    if (GetSafeHwnd() != nullptr) {
        AdjustLocations();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
}

void CKGPOutlookBarPane::SetDefaultState()
{
    m_lstDefaultButtons.RemoveAll();
    const CObList& buttons = GetAllButtons();
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        const auto* pButton = static_cast<const CKGPToolbarButton*>(buttons.GetNext(pos));
        if (pButton != nullptr && !pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
            m_lstDefaultButtons.AddTail(FreshCopy(*pButton).release());
    }
}

BOOL CKGPOutlookBarPane::RestoreDefaultButtons()
{
    if (m_lstDefaultButtons.IsEmpty())
        return FALSE;
    m_measured.bValid = FALSE;
    CKGPToolBar::RemoveAllButtons();
    m_iScrollOffset = 0;
    m_iFirstVisibleButton = 0;
    for (POSITION pos = m_lstDefaultButtons.GetHeadPosition(); pos != nullptr;) {
        const auto* pButton = static_cast<const CKGPToolbarButton*>(m_lstDefaultButtons.GetNext(pos));
        InsertButton(FreshCopy(*pButton));
    }
    if (GetSafeHwnd() != nullptr) {
        AdjustLayout();
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    return TRUE;
}

BOOL CKGPOutlookBarPane::ResetIfDefaultsChanged()
{
    if (m_lstDefaultButtons.IsEmpty())
        return FALSE;
    const CObList& buttons = GetAllButtons();
    std::vector<const CKGPToolbarButton*> live;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
        const auto* pButton = static_cast<const CKGPToolbarButton*>(buttons.GetNext(pos));
        if (pButton != nullptr && !pButton->IsKindOf(RUNTIME_CLASS(CCustomizeButton)))
            live.push_back(pButton);
    }
    BOOL bSame = live.size() == static_cast<size_t>(m_lstDefaultButtons.GetCount());
    size_t i = 0;
    for (POSITION pos = m_lstDefaultButtons.GetHeadPosition(); bSame && pos != nullptr; ++i) {
        const auto* pDefault = static_cast<const CKGPToolbarButton*>(m_lstDefaultButtons.GetNext(pos));
        bSame = SameButton(*pDefault, *live[i]);
    }
    if (bSame)
        return FALSE;
    RestoreDefaultButtons();
    return TRUE;
}

BOOL CKGPOutlookBarPane::LoadState(LPCTSTR lpszProfileName, int nID, int nIndex)
{
    const BOOL bLoaded = CKGPToolBar::LoadState(lpszProfileName, nID, nIndex);
    if (bLoaded)
        ResetIfDefaultsChanged();
    return bLoaded;
}

void CKGPOutlookBarPane::SetBackImage(UINT uiImageID)
{
    if (m_uiBackImageId == uiImageID)
        return;
    m_bDrawShadedHighlight = FALSE;
    m_Images.Clear();
    m_uiBackImageId = 0;
    if (uiImageID != 0) {
        HBITMAP hBitmap = static_cast<HBITMAP>(::LoadImage(AfxGetResourceHandle(), MAKEINTRESOURCE(uiImageID),
                                                           IMAGE_BITMAP, 0, 0,
                                                           LR_CREATEDIBSECTION | LR_LOADMAP3DCOLORS));
        if (hBitmap != nullptr) {
            CGdiHandle<HBITMAP> owner(hBitmap);
            BITMAP bmp{};
            ::GetObject(hBitmap, sizeof(bmp), &bmp);
            m_Images.SetImageSize(CSize(bmp.bmWidth, bmp.bmHeight));
            m_Images.SetTransparentColor(CKGPToolBarImages::kNoTransparentColour);
            if (m_Images.AddImage(hBitmap) >= 0) {
                m_uiBackImageId = uiImageID;
                m_bDrawShadedHighlight = GetKGPGlobalData().m_nBitsPerPixel > 8;
            }
        }
    }
    if (GetSafeHwnd() != nullptr)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
}

void CKGPOutlookBarPane::FillBackground(CDC* pDC, CRect rectFill)
{
    if (m_uiBackImageId == 0 || m_Images.GetCount() == 0) {
        pDC->FillSolidRect(rectFill, m_clrBackColor);
        return;
    }
    const CSize tile = m_Images.GetImageSize();
    if (tile.cx <= 0 || tile.cy <= 0) {
        pDC->FillSolidRect(rectFill, m_clrBackColor);
        return;
    }
    if (!m_Images.BeginDrawImage())
        return;
    for (int x = rectFill.left; x < rectFill.right; x += tile.cx) {
        for (int y = rectFill.top; y < rectFill.bottom; y += tile.cy)
            m_Images.DrawImage(pDC, x, y, 0);
    }
    m_Images.EndDrawImage();
}

DWORD CKGPOutlookBarPane::GetCurrentAlignment() const
{
    return GetBarStyleWord() & (CBRS_ALIGN_LEFT | CBRS_ALIGN_RIGHT);
}

CSize CKGPOutlookBarPane::CalcFixedLayout(BOOL, BOOL)
{
    CRect rect;
    GetClientRect(rect);
    return rect.Size();
}

void CKGPOutlookBarPane::OnNcCalcSize(BOOL /*bCalcValidRects*/, NCCALCSIZE_PARAMS* lpncsp)
{
    CRect rect;
    rect.SetRectEmpty();
    CalcInsideRect(rect, FALSE);
    lpncsp->rgrc[0].left -= rect.left;
    lpncsp->rgrc[0].top -= rect.top;
    lpncsp->rgrc[0].right -= rect.right;
    lpncsp->rgrc[0].bottom -= rect.bottom;
}

kgp::outlook::PaneInput CKGPOutlookBarPane::LayoutInput()
{
    kgp::outlook::PaneInput in;
    CRect client;
    GetClientRect(client);
    in.client = {client.left, client.top, client.right, client.bottom};
    in.spacing = m_nExtraSpace;
    in.scrollButton = {CKGPMenuGlyphs::GetWidth() + 6, CKGPMenuGlyphs::GetHeight() + 6};
    in.scroll = {m_iScrollOffset, m_iFirstVisibleButton};

    const CObList& buttons = GetAllButtons();
    const BOOL bLabels = AreTextLabels();
    if (!m_measured.bValid || m_measured.clientWidth != client.Width() || m_measured.image != s_sizeImage ||
        m_measured.bLabels != bLabels || m_measured.widths.size() != static_cast<size_t>(buttons.GetCount())) {
        m_measured = MeasuredSizes{};
        CClientDC dc(this);
        CSelectionScope font(dc.GetSafeHdc(), GetKGPGlobalData().GetRegularFont());
        CSize sizeDefault(client.Width() - 2, s_sizeImage.cy);
        sizeDefault += CKGPVisualManager::GetInstance()->GetExtraButtonSize();
        for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;) {
            auto* pButton = static_cast<CKGPToolbarButton*>(buttons.GetNext(pos));
            pButton->m_bShowCaption = bLabels;
            if (auto* pOutlook = DYNAMIC_DOWNCAST(CKGPOutlookButton, pButton))
                pOutlook->m_sizeImage = s_sizeImage;
            const CSize size = pButton->MeasureOnBar(&dc, sizeDefault, FALSE);
            m_measured.widths.push_back(size.cx);
            m_measured.heights.push_back(size.cy);
        }
        m_measured.clientWidth = client.Width();
        m_measured.image = s_sizeImage;
        m_measured.bLabels = bLabels;
        m_measured.bValid = TRUE;
    }
    in.widths = m_measured.widths;
    in.heights = m_measured.heights;
    return in;
}

void CKGPOutlookBarPane::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const kgp::outlook::PaneInput in = LayoutInput();
    const kgp::outlook::PaneLayout layout = kgp::outlook::LayOutPane(in);

    if (m_btnUp.GetSafeHwnd() != nullptr) {
        if (layout.showUp) {
            m_btnUp.SetWindowPos(HWND{}, layout.up.left, layout.up.top, 0, 0,
                                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
            m_btnUp.ShowWindow(SW_SHOWNOACTIVATE);
        } else {
            m_btnUp.ShowWindow(SW_HIDE);
        }
    }
    const CObList& buttons = GetAllButtons();
    const CRect client(in.client.left, in.client.top, in.client.right, in.client.bottom);
    // Tools follow the buttons that are or were in view; the others keep
    // rectangles out of view, so a scroll step costs what it shows.
    std::vector<int> moved;
    size_t i = 0;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr && i < layout.buttons.size(); ++i) {
        auto* pButton = static_cast<CKGPToolbarButton*>(buttons.GetNext(pos));
        const kgp::Box& box = layout.buttons[i];
        const CRect rect(box.left, box.top, box.right, box.bottom);
        if (pButton->m_rcButton != rect) {
            CRect seen;
            if (seen.IntersectRect(pButton->m_rcButton, client) || seen.IntersectRect(rect, client))
                moved.push_back(static_cast<int>(i));
            pButton->m_rcButton = rect;
            pButton->OnRectChanged();
        }
    }
    m_bScrollDown = layout.canScrollDown;
    if (m_btnDown.GetSafeHwnd() != nullptr) {
        if (layout.showDown) {
            m_btnDown.SetWindowPos(&CWnd::wndTop, layout.down.left, layout.down.top, 0, 0,
                                   SWP_NOSIZE | SWP_NOACTIVATE);
            m_btnDown.ShowWindow(SW_SHOWNOACTIVATE);
        } else {
            m_btnDown.ShowWindow(SW_HIDE);
        }
        m_btnUp.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
        m_btnDown.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    }
    SetHotButton(-1);
    UpdateTooltipRects(moved);
}

void CKGPOutlookBarPane::DoPaint(CDC* pDCPaint)
{
    CRect rectClient;
    GetClientRect(rectClient);
    CKGPMemDC memDC(*pDCPaint, this);
    CDC* pDC = &memDC.GetDC();

    CKGPVisualManager::GetInstance()->FillBarBackground(pDC, this, rectClient, rectClient, FALSE);
    FillBackground(pDC, rectClient);
    if (GetCount() == 0)
        return;

    pDC->SetTextColor(GetKGPGlobalData().clrBtnText);
    pDC->SetBkMode(TRANSPARENT);
    CSelectionScope font(pDC->GetSafeHdc(), GetKGPGlobalData().GetRegularFont());
    if (!s_images.BeginDrawImage())
        return;
    CRect rectClip;
    pDC->GetClipBox(rectClip);
    const BOOL bCustomize = IsCustomizeMode() && !IsLocked();
    const CObList& buttons = GetAllButtons();
    int i = 0;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr; ++i) {
        auto* pButton = static_cast<CKGPToolbarButton*>(buttons.GetNext(pos));
        CRect rectInter;
        if (!rectInter.IntersectRect(pButton->m_rcButton, rectClip))
            continue;
        const BOOL bHighlight = IsButtonHighlighted(i) && (!IsCustomizeMode() || IsLocked());
        pButton->OnDraw(pDC, pButton->m_rcButton, &s_images, FALSE, bCustomize, bHighlight, TRUE, TRUE);
    }
    s_images.EndDrawImage();
    if (bCustomize) {
        if (CKGPToolbarButton* pSelected = s_pCustomSelBar == this ? GetButton(GetHotButton()) : nullptr) {
            CRect rect = pSelected->m_rcButton;
            if (pSelected->ControlWindow() != nullptr)
                rect.bottom++;
            pDC->DrawDragRect(rect, CSize(2, 2), nullptr, CSize(2, 2));
        }
        if (GetInsertMarker() >= 0)
            DrawInsertMarker(pDC);
    }
}

BOOL CKGPOutlookBarPane::OnEraseBkgnd(CDC*)
{
    return TRUE;
}

void CKGPOutlookBarPane::RelayoutAndRepaint()
{
    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CKGPOutlookBarPane::ScrollUp()
{
    kgp::outlook::PaneInput in = LayoutInput();
    kgp::outlook::PaneScroll scroll{m_iScrollOffset, m_iFirstVisibleButton};
    const BOOL bMoved = kgp::outlook::ScrollUp(scroll, in.heights, in.spacing);
    m_iScrollOffset = scroll.offset;
    m_iFirstVisibleButton = scroll.firstVisible;
    if (bMoved) {
        RelayoutAndRepaint();
    } else {
        KillTimer(kTimerUp);
        RelayoutAndRepaint();
    }
}

void CKGPOutlookBarPane::ScrollDown()
{
    kgp::outlook::PaneInput in = LayoutInput();
    kgp::outlook::PaneScroll scroll{m_iScrollOffset, m_iFirstVisibleButton};
    if (kgp::outlook::ScrollDown(scroll, in.heights, in.spacing, m_bScrollDown != FALSE)) {
        m_iScrollOffset = scroll.offset;
        m_iFirstVisibleButton = scroll.firstVisible;
        RelayoutAndRepaint();
    } else {
        KillTimer(kTimerDown);
    }
}

void CKGPOutlookBarPane::ScrollPageUp()
{
    kgp::outlook::PaneInput in = LayoutInput();
    const int steps = kgp::outlook::PageSteps(in.client.Height(), in.heights, in.spacing, in.scroll);
    for (int i = 0; i < steps; ++i)
        ScrollUp();
}

void CKGPOutlookBarPane::ScrollPageDown()
{
    kgp::outlook::PaneInput in = LayoutInput();
    const int steps = kgp::outlook::PageSteps(in.client.Height(), in.heights, in.spacing, in.scroll);
    for (int i = 0; i < steps; ++i)
        ScrollDown();
}

void CKGPOutlookBarPane::StepUp()
{
    if (m_bPageScrollMode)
        ScrollPageUp();
    else
        ScrollUp();
}

void CKGPOutlookBarPane::StepDown()
{
    if (m_bPageScrollMode)
        ScrollPageDown();
    else
        ScrollDown();
}

BOOL CKGPOutlookBarPane::IsOverButton(const CKGPButton& button, CPoint ptScreen) const
{
    if (button.GetSafeHwnd() == nullptr || !button.IsWindowVisible())
        return FALSE;
    CRect rect;
    button.GetWindowRect(rect);
    return rect.PtInRect(ptScreen);
}

BOOL CKGPOutlookBarPane::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_LBUTTONUP) {
        CPoint pt(static_cast<short>(LOWORD(pMsg->lParam)), static_cast<short>(HIWORD(pMsg->lParam)));
        CWnd* pWnd = CWnd::FromHandle(pMsg->hwnd);
        if (pWnd != nullptr)
            pWnd->ClientToScreen(&pt);
        CKGPButton* pTarget = IsOverButton(m_btnUp, pt) ? &m_btnUp : (IsOverButton(m_btnDown, pt) ? &m_btnDown : nullptr);
        if (pMsg->message == WM_LBUTTONUP) {
            KillTimer(kTimerUp);
            KillTimer(kTimerDown);
        }
        if (pTarget != nullptr) {
            CPoint ptButton = pt;
            pTarget->ScreenToClient(&ptButton);
            pTarget->SendMessage(pMsg->message, pMsg->wParam, MAKELPARAM(ptButton.x, ptButton.y));
            if (pMsg->message == WM_LBUTTONDOWN) {
                if (pTarget == &m_btnDown) {
                    SetTimer(kTimerDown, kScrollDelay, nullptr);
                    StepDown();
                } else {
                    SetTimer(kTimerUp, kScrollDelay, nullptr);
                    StepUp();
                }
            }
            return TRUE;
        }
    }
    return CKGPToolBar::PreTranslateMessage(pMsg);
}

void CKGPOutlookBarPane::OnTimer(UINT_PTR nIDEvent)
{
    CPoint pt;
    ::GetCursorPos(&pt);
    const BOOL bHeld = (::GetAsyncKeyState(::GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON) & 0x8000) != 0;
    if (nIDEvent == kTimerUp) {
        if (bHeld && IsOverButton(m_btnUp, pt))
            StepUp();
        return;
    }
    if (nIDEvent == kTimerDown) {
        if (bHeld && IsOverButton(m_btnDown, pt))
            StepDown();
        return;
    }
    CKGPToolBar::OnTimer(nIDEvent);
}

void CKGPOutlookBarPane::OnSize(UINT nType, int cx, int cy)
{
    CKGPToolBar::OnSize(nType, cx, cy);
    if (m_bDontAdjustLayout)
        AdjustLocations();
    else
        AdjustLayout();
    kgp::outlook::PaneInput in = LayoutInput();
    kgp::outlook::PaneScroll scroll = in.scroll;
    kgp::outlook::ScrollBackAfterResize(scroll, in);
    if (scroll.offset != m_iScrollOffset || scroll.firstVisible != m_iFirstVisibleButton) {
        m_iScrollOffset = scroll.offset;
        m_iFirstVisibleButton = scroll.firstVisible;
        RelayoutAndRepaint();
    }
}

void CKGPOutlookBarPane::OnSysColorChange()
{
    CKGPToolBar::OnSysColorChange();
    m_clrBackColor = GetKGPGlobalData().clrBtnShadow;
    m_measured.bValid = FALSE; // the fonts may have changed with the colours
    Invalidate();
}

void CKGPOutlookBarPane::OnLButtonUp(UINT nFlags, CPoint point)
{
    HWND hwnd = GetSafeHwnd();
    CKGPToolBar::OnLButtonUp(nFlags, point);
    if (::IsWindow(hwnd))
        SetHotButton(-1);
}

void CKGPOutlookBarPane::OnNcDestroy()
{
    CKGPMiniFrameWnd::AddRemoveBarFromGlobalMap(this, FALSE);
    if (CKGPMiniFrameWnd* pFrame = GetParentMiniFrame(TRUE))
        pFrame->RemoveControlBar(this);
    CKGPToolBar::OnNcDestroy();
}

CKGPToolbarButton* CKGPOutlookBarPane::CreateDroppedButton(COleDataObject* pDataObject)
{
    CKGPToolbarButton* pButton = CKGPToolBar::CreateDroppedButton(pDataObject);
    if (pButton != nullptr && !pButton->IsKindOf(RUNTIME_CLASS(CKGPOutlookButton))) {
        delete pButton;
        return nullptr;
    }
    return pButton;
}

BOOL CKGPOutlookBarPane::DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{
    CPoint ptScreen = point;
    ClientToScreen(&ptScreen);
    const BOOL bUp = IsOverButton(m_btnUp, ptScreen);
    const BOOL bDown = IsOverButton(m_btnDown, ptScreen);
    if (bUp || bDown) {
        if (bUp)
            ScrollUp();
        else
            ScrollDown();
        return FALSE;
    }
    // Only outlook buttons come in: anything else is refused before the bar changes.
    std::unique_ptr<CKGPToolbarButton> pProbe(CKGPToolbarButton::CreateFromOleData(pDataObject));
    if (pProbe == nullptr || !pProbe->IsKindOf(RUNTIME_CLASS(CKGPOutlookButton)))
        return FALSE;
    return CKGPToolBar::DropButton(pDataObject, dropEffect, point);
}

BOOL CKGPOutlookBarPane::EnableContextMenuItems(CKGPToolbarButton* pButton, CMenu* pPopup)
{
    if (IsCustomizeMode() && pPopup != nullptr) {
        for (UINT id : {16914u, 16915u, 16916u, 16913u, 16917u, 16910u, 16911u})
            pPopup->EnableMenuItem(id, MF_GRAYED | MF_BYCOMMAND);
    }
    return CKGPToolBar::EnableContextMenuItems(pButton, pPopup);
}

CKGPOutlookBar* CKGPOutlookBarPane::GetParentOutlookBar() const
{
    return CKGPOutlookBar::HoldingPage(this);
}

CKGPOutlookBar* CKGPOutlookBarPane::FindOutlookBarAt(CPoint ptScreen, HWND hExclude)
{
    // The uppermost top-level window under the point, then its deepest child
    // there, then up to the bar holding it.
    for (HWND hTop = ::GetTopWindow(nullptr); hTop != nullptr; hTop = ::GetWindow(hTop, GW_HWNDNEXT)) {
        RECT rect{};
        if (hTop == hExclude || !::IsWindowVisible(hTop) || (::GetWindowLongW(hTop, GWL_EXSTYLE) & WS_EX_TRANSPARENT) != 0 ||
            !::GetWindowRect(hTop, &rect) || !::PtInRect(&rect, ptScreen))
            continue;
        HWND hWnd = hTop;
        for (;;) {
            POINT inWnd = ptScreen;
            ::ScreenToClient(hWnd, &inWnd);
            HWND hChild = ::ChildWindowFromPointEx(hWnd, inWnd, CWP_SKIPINVISIBLE | CWP_SKIPTRANSPARENT);
            if (hChild == nullptr || hChild == hWnd)
                break;
            hWnd = hChild;
        }
        for (; hWnd != nullptr; hWnd = hWnd == hTop ? nullptr : ::GetAncestor(hWnd, GA_PARENT)) {
            if (auto* pBar = DYNAMIC_DOWNCAST(CKGPOutlookBar, CWnd::FromHandlePermanent(hWnd)))
                return pBar;
        }
        return nullptr;
    }
    return nullptr;
}

BOOL CKGPOutlookBarPane::OnBeforeFloat(CRect& rect, KGPDockMethod method)
{
    if (!CKGPToolBar::OnBeforeFloat(rect, method))
        return FALSE;
    m_recentOutlookBar.Remember(this);
    return TRUE;
}

BOOL CKGPOutlookBarPane::OnFloatingDrop(CPoint ptScreen)
{
    return CKGPOutlookPageHome::DropAt(this, ptScreen);
}

BOOL CKGPOutlookBarPane::ReturnToRecentHost()
{
    return m_recentOutlookBar.Return(this);
}

BOOL CKGPOutlookBarPane::AttachToOutlookBar(CWnd* pTarget)
{
    CKGPOutlookBar* pBar = pTarget != nullptr ? DYNAMIC_DOWNCAST(CKGPOutlookBar, pTarget) : GetRecentOutlookBar();
    return pBar != nullptr && pBar->TakePage(this);
}
