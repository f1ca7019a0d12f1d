// How the popup looks: the frame around its bar (shadow, border, side band,
// tear-off caption, scroll buttons, gripper), the opening animation (unfold,
// slide or fade on timer 1, from pictures made once), and the shadow kept in
// step with the screen below. Without a compositor the shadow is drawn: the
// screen behind the window is copied before it shows and darkened in place.
#include "guilib/menus/KGPPopupMenu.h"

#include "guilib/core/KGPDib.h"
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/menus/KGPPopupAnimation.h"
#include "guilib/menus/KGPPopupFrameLink.h"
#include "guilib/menus/KGPPopupPlacement.h"

#include <algorithm>

namespace {

constexpr UINT_PTR kAnimationTimer = 1;
constexpr UINT_PTR kScrollTimer = 2;

long MillisecondsSince(clock_t start)
{
    return static_cast<long>((clock() - start) * 1000 / CLOCKS_PER_SEC);
}

}  // namespace

void CKGPPopupMenu::OnPaint()
{
    CPaintDC dc(this);
    if (m_bAnimationIsDone || CKGPToolBar::IsCustomizeMode())
        DoPaint(&dc);
    else
        DrawAnimationFrame(&dc);
}

void CKGPPopupMenu::CaptureScreenBehind()
{
    m_bmpBehind.Reset();
    CRect window;
    GetWindowRect(window);
    const int shadow = CKGPToolBar::IsCustomizeMode() ? 0 : m_iShadowSize;
    window = CRect(window.TopLeft(), CSize(m_FinalSize.cx + shadow, m_FinalSize.cy + shadow));
    if (window.IsRectEmpty())
        return;
    const CWindowDCHandle screen(nullptr);
    const CMemoryDCHandle memory(::CreateCompatibleDC(screen.Get()));
    // A DIB section: under Wine a bitmap compatible with the screen asks its
    // server for the monitors as it is made and each time it is selected.
    void* bits = nullptr;
    CGdiHandle<HBITMAP> bitmap = kgp::CreateDib32(window.Width(), window.Height(), &bits);
    if (!memory || !bitmap)
        return;
    {
        const CSelectionScope selected(memory.Get(), bitmap.Get());
        ::BitBlt(memory.Get(), 0, 0, window.Width(), window.Height(), screen.Get(), window.left, window.top, SRCCOPY);
    }
    m_bmpBehind = std::move(bitmap);
}

void CKGPPopupMenu::DoPaint(CDC* pPaintDC)
{
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    CRect client;
    GetClientRect(client);
    const BOOL rtl = (GetExStyle() & WS_EX_LAYOUTRTL) != 0;
    const int shadow = CKGPToolBar::IsCustomizeMode() ? 0 : m_iShadowSize;
    CRect rect = client;
    if (shadow > 0) {
        // The screen behind first: it shows at the corners and darkens under the bands.
        if (m_bmpBehind) {
            const CMemoryDCHandle memory(::CreateCompatibleDC(pPaintDC->m_hDC));
            const CSelectionScope selected(memory.Get(), m_bmpBehind.Get());
            ::BitBlt(pPaintDC->m_hDC, 0, 0, client.Width(), client.Height(), memory.Get(), 0, 0, SRCCOPY);
        }
        (rtl ? rect.left : rect.right) += rtl ? shadow : -shadow;
        rect.bottom -= shadow;
        const int saved = pPaintDC->SaveDC();
        // A first popup keeps its shadow off the button that opened it.
        if (GetParentPopupMenu() == nullptr && m_pParentBtn != nullptr) {
            if (CWnd* bar = m_pParentBtn->GetParentWnd(); bar != nullptr && bar->GetSafeHwnd() != nullptr) {
                CRect button = m_pParentBtn->m_rcButton;
                bar->ClientToScreen(button);
                ScreenToClient(button);
                button.DeflateRect(1, 1);
                pPaintDC->ExcludeClipRect(button);
            }
        }
        manager->DrawMenuShadow(pPaintDC, rect, shadow, 100, 65, &m_bmpShadowRight, &m_bmpShadowBottom, rtl);
        pPaintDC->RestoreDC(saved);
    }
    manager->DrawPopupBorder(pPaintDC, this, rect);
    const CRect logo = LogoRect();
    if (!logo.IsRectEmpty()) {
        IKGPPopupFrameLink* link = CKGPLink<IKGPPopupFrameLink>::Get();
        CWnd* frame = TopFrame();
        if (link == nullptr || frame == nullptr || !link->DrawMenuLogo(frame, pPaintDC, this, logo))
            pPaintDC->FillSolidRect(logo, GetKGPGlobalData().clrBtnShadow);
    }
    if (!m_rectTearOffCaption.IsRectEmpty())
        manager->DrawTearOffCaption(pPaintDC, m_rectTearOffCaption, m_bIsTearOffCaptionActive);
    DrawScrollButtons(pPaintDC);
    if (m_bGripperShown && !m_rectResize.IsRectEmpty())
        manager->DrawMenuResizeGripper(pPaintDC, m_rectResize, m_sizeMinResize.cx > 0);
    m_bIsPainted = TRUE;
}

void CKGPPopupMenu::DrawScrollButtons(CDC* pDC)
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    for (const BOOL up : {TRUE, FALSE}) {
        CRect rect = up ? m_rectScrollUp : m_rectScrollDn;
        if (rect.IsRectEmpty())
            continue;
        CRect fill = rect;
        fill.top -= 2;
        ::FillRect(pDC->m_hDC, fill, global.GetMenuBrush());
        CKGPMenuGlyphs::Draw(pDC, up ? CKGPMenuGlyphs::kArrowUp : CKGPMenuGlyphs::kArrowDown, rect,
                             CKGPMenuGlyphs::kBlack);
        if (m_iScrollMode == (up ? -1 : 1))
            pDC->Draw3dRect(rect, global.clrBtnHilite, global.clrBtnShadow);
    }
}

void CKGPPopupMenu::RenderMenu(CDC* pDC)
{
    DoPaint(pDC);
    if (m_wndMenuBar.GetSafeHwnd() == nullptr)
        return;
    CRect bar;
    m_wndMenuBar.GetWindowRect(bar);
    ScreenToClient(bar);
    const int saved = pDC->SaveDC();
    pDC->SetViewportOrg(bar.TopLeft());
    pDC->IntersectClipRect(0, 0, bar.Width(), bar.Height());
    m_wndMenuBar.DoPaint(pDC);
    pDC->RestoreDC(saved);
}

// ---- The opening animation ----

kgp::AnimationGeometry CKGPPopupMenu::AnimationGeometryNow() const
{
    kgp::AnimationGeometry geometry;
    geometry.type = GetAnimationType();
    geometry.finalWidth = m_FinalSize.cx;
    geometry.finalHeight = m_FinalSize.cy;
    geometry.shadow = m_iShadowSize;
    geometry.columnWidth = m_wndMenuBar.ColumnWidth();
    geometry.rowHeight = m_wndMenuBar.GetMenuRowHeight();
    return geometry;
}

void CKGPPopupMenu::StartAnimation()
{
    const kgp::AnimationGeometry geometry = AnimationGeometryNow();
    const kgp::AnimationFrame first = kgp::FirstAnimationFrame(geometry);
    m_AnimSize = CSize(first.width, first.height);
    m_iFadePercent = first.fade;
    m_bAnimationIsDone = first.done;
    if (m_bAnimationIsDone)
        return;
    m_wndMenuBar.ShowWindow(SW_HIDE);
    SetTimer(kAnimationTimer, static_cast<UINT>(std::max(1, m_AnimationSpeed)), nullptr);
    m_nLastAnimTime = clock();
}

void CKGPPopupMenu::OnAnimationTimer()
{
    const kgp::AnimationGeometry geometry = AnimationGeometryNow();
    kgp::AnimationFrame frame;
    frame.width = m_AnimSize.cx;
    frame.height = m_AnimSize.cy;
    frame.fade = m_iFadePercent;
    frame = kgp::NextAnimationFrame(geometry, frame, kgp::AnimationSteps(MillisecondsSince(m_nLastAnimTime),
                                                                         m_AnimationSpeed));
    m_AnimSize = CSize(frame.width, frame.height);
    m_iFadePercent = frame.fade;
    if (frame.done) {
        KillTimer(kAnimationTimer);
        m_wndMenuBar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, 0, 0,
                                  SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOREDRAW | SWP_NOACTIVATE |
                                      SWP_SHOWWINDOW);
        m_wndMenuBar.ValidateRect(nullptr);
        m_bAnimationIsDone = TRUE;
        ReleaseAnimationImages();
    }
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    m_nLastAnimTime = clock();
}

void CKGPPopupMenu::ReleaseAnimationImages()
{
    m_bmpScreenSrc.Reset();
    m_bmpScreenDst.Reset();
    m_bmpScreenTmp.Reset();
    m_cFadeSrcBits = m_cFadeDstBits = m_cFadeTmpBits = nullptr;
}

void CKGPPopupMenu::DrawAnimationFrame(CDC* pPaintDC)
{
    const int shadow = m_iShadowSize;
    const CSize full(m_FinalSize.cx + shadow, m_FinalSize.cy + shadow);
    const BOOL fade = GetAnimationType() == kgp::kAnimationFade && GetKGPGlobalData().m_nBitsPerPixel > 8;
    const CMemoryDCHandle memory(::CreateCompatibleDC(pPaintDC->m_hDC));
    if (!memory)
        return;
    if (!m_bmpScreenDst) {
        // The first frame makes the pictures: the menu finished, once.
        void* bits = nullptr;
        m_bmpScreenDst = fade ? kgp::CreateDib32(full.cx, full.cy, &bits)
                              : CGdiHandle<HBITMAP>(::CreateCompatibleBitmap(pPaintDC->m_hDC, full.cx, full.cy));
        m_cFadeDstBits = static_cast<DWORD*>(bits);
        if (!m_bmpScreenDst)
            return;
        {
            const CSelectionScope selected(memory.Get(), m_bmpScreenDst.Get());
            CDC* dc = CDC::FromHandle(memory.Get());
            RenderMenu(dc);
        }
        if (fade) {
            void* src = nullptr;
            void* tmp = nullptr;
            m_bmpScreenSrc = kgp::CreateDib32(full.cx, full.cy, &src);
            m_bmpScreenTmp = kgp::CreateDib32(full.cx, full.cy, &tmp);
            m_cFadeSrcBits = static_cast<DWORD*>(src);
            m_cFadeTmpBits = static_cast<DWORD*>(tmp);
            if (m_bmpScreenSrc && m_bmpBehind) {
                const CMemoryDCHandle behind(::CreateCompatibleDC(pPaintDC->m_hDC));
                const CSelectionScope from(behind.Get(), m_bmpBehind.Get());
                const CSelectionScope to(memory.Get(), m_bmpScreenSrc.Get());
                ::BitBlt(memory.Get(), 0, 0, full.cx, full.cy, behind.Get(), 0, 0, SRCCOPY);
            }
            ::GdiFlush();
        }
    }

    if (fade && m_cFadeSrcBits != nullptr && m_cFadeDstBits != nullptr && m_cFadeTmpBits != nullptr) {
        const size_t count = static_cast<size_t>(full.cx) * static_cast<size_t>(full.cy);
        for (size_t i = 0; i < count; ++i)
            m_cFadeTmpBits[i] = kgp::BlendPixel(m_cFadeSrcBits[i], m_cFadeDstBits[i], m_iFadePercent);
        const CSelectionScope selected(memory.Get(), m_bmpScreenTmp.Get());
        ::BitBlt(pPaintDC->m_hDC, 0, 0, full.cx, full.cy, memory.Get(), 0, 0, SRCCOPY);
        return;
    }
    // Unfold and slide: the screen behind, and the part of the menu shown
    // anchored where the menu grows from.
    if (m_bmpBehind) {
        const CSelectionScope selected(memory.Get(), m_bmpBehind.Get());
        ::BitBlt(pPaintDC->m_hDC, 0, 0, full.cx, full.cy, memory.Get(), 0, 0, SRCCOPY);
    }
    const kgp::Box part = kgp::AnimationSource(m_AnimSize.cx, m_AnimSize.cy, full.cx, full.cy, m_bIsAnimRight != FALSE,
                                               m_bIsAnimDown != FALSE);
    const CSelectionScope selected(memory.Get(), m_bmpScreenDst.Get());
    ::BitBlt(pPaintDC->m_hDC, part.left, part.top, part.right - part.left, part.bottom - part.top, memory.Get(),
             part.left, part.top, SRCCOPY);
}

void CKGPPopupMenu::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kAnimationTimer)
        OnAnimationTimer();
    else if (nIDEvent == kScrollTimer)
        OnScrollTimer();
    else
        CMiniFrameWnd::OnTimer(nIDEvent);
}

// ---- The shadow kept in step with the screen below ----

void CKGPPopupMenu::UpdateShadow(LPRECT lprectScreen)
{
    if (m_iShadowSize <= 0 || GetSafeHwnd() == nullptr || CKGPToolBar::IsCustomizeMode())
        return;
    CRect window;
    GetWindowRect(window);
    if (lprectScreen != nullptr &&
        !kgp::ChangeReachesShadow(kgp::Box{window.left, window.top, window.right, window.bottom}, m_iShadowSize,
                                  kgp::Box{lprectScreen->left, lprectScreen->top, lprectScreen->right,
                                           lprectScreen->bottom},
                                  (GetExStyle() & WS_EX_LAYOUTRTL) != 0))
        return;
    m_bmpShadowRight.DeleteObject();
    m_bmpShadowBottom.DeleteObject();
    // Without its shadow the screen below the bands shows again; it is taken
    // anew before the shadow returns.
    SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, m_FinalSize.cx, m_FinalSize.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (CWnd* top = TopFrame(); top != nullptr && top->GetSafeHwnd() != nullptr)
        top->UpdateWindow();
    CaptureScreenBehind();
    SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, m_FinalSize.cx + m_iShadowSize, m_FinalSize.cy + m_iShadowSize,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
}

void CKGPPopupMenu::UpdateAllShadows(LPRECT lprectScreen)
{
    for (CKGPPopupMenu* popup = m_pActivePopupMenu; popup != nullptr; popup = popup->GetParentPopupMenu()) {
        if (popup->GetSafeHwnd() != nullptr)
            popup->UpdateShadow(lprectScreen);
    }
}
