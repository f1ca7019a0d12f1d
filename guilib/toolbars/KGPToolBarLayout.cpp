// The toolbar's layout: row and column sizes, wrapping into rows, the places
// of the buttons (buttons with no room listed under the customise button,
// rows of a floating bar centred), the bar's size for a dock or a floating
// frame, and fitting the window, its dock row or its rebar band to it.
#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPTabWindowLink.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockBarRow.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/toolbars/KGPCustomizeButton.h"
#include "guilib/toolbars/KGPToolBar.h"

#include <algorithm>
#include <optional>

namespace {

// The bars' font of an orientation: vertical bars write downwards.
HFONT BarFont(BOOL bHorz)
{
    const CKGPGlobalData& global = GetKGPGlobalData();
    return bHorz ? global.GetBarFont() : global.GetVerticalFont();
}

}  // namespace

int CKGPToolBar::RowHeight() const
{
    if (m_bRebarRowHeight)
        return m_nRebarRowHeight;
    int height = GetCurrentButtonSize().cy;
    if (m_bIsMenuBar) {
        const int menuHeight = GetMenuButtonSize().cy;
        height = menuHeight > 0 ? menuHeight : s_sizeButton.cy;
    }
    const CKGPGlobalData& global = GetKGPGlobalData();
    return kgp::RowHeightAtLeast(height, IsHorizontal() ? global.m_nMinRowHeightHorz : global.m_nMinRowHeightVert);
}

int CKGPToolBar::ColumnWidth() const
{
    if (m_bIsMenuBar) {
        const int width = GetMenuButtonSize().cx;
        return width > 0 ? width : s_sizeButton.cx;
    }
    return GetCurrentButtonSize().cx;
}

std::vector<kgp::BarItem> CKGPToolBar::MeasureItems(CDC* pDC, BOOL bHorz, BOOL bWithChevron, CSize sizeDefault)
{
    std::optional<CClientDC> clientDC;
    CDC* dc = pDC;
    if (dc == nullptr) {
        clientDC.emplace(GetSafeHwnd() != nullptr ? static_cast<CWnd*>(this) : nullptr);
        dc = &*clientDC;
    }
    const CSelectionScope font(*dc, BarFont(bHorz));
    const CSize size(sizeDefault.cx < 0 ? ColumnWidth() : sizeDefault.cx,
                     sizeDefault.cy < 0 ? RowHeight() : sizeDefault.cy);
    std::vector<kgp::BarItem> items;
    items.reserve(static_cast<std::size_t>(GetCount()));
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        const bool chevron = button == static_cast<CKGPToolbarButton*>(m_pChevron);
        if (chevron && !bWithChevron) {
            items.push_back(kgp::BarItem{0, 0, false, false});
            continue;
        }
        const CSize measured = button->MeasureOnBar(dc, size, bHorz);
        items.push_back(kgp::BarItem{measured.cx, measured.cy, button->IsSeparator() != FALSE,
                                     button->m_bShown != FALSE, button->m_bRowBreak != FALSE});
    }
    return items;
}

int CKGPToolBar::MeasureRowHeight()
{
    const CSize button = GetCurrentButtonSize();
    int height = button.cy;
    for (const kgp::BarItem& item : MeasureItems(nullptr, TRUE, FALSE, button)) {
        if (item.shown && !item.separator)
            height = std::max(height, item.height);
    }
    return height;
}

int CKGPToolBar::WrapToolBar(int nWidth, int nHeight, CDC* pDC, int nColumnWidth, int nRowHeight)
{
    return Wrap(IsHorizontal(), nWidth, nHeight, pDC, nColumnWidth, nRowHeight);
}

int CKGPToolBar::Wrap(BOOL bHorz, int nWidth, int nHeight, CDC* pDC, int nColumnWidth, int nRowHeight)
{
    const int rowHeight = nRowHeight < 0 ? RowHeight() : nRowHeight;
    std::vector<kgp::BarItem> items = MeasureItems(pDC, bHorz, FALSE, CSize(nColumnWidth, rowHeight));
    if (m_pChevron != nullptr && bHorz && !IsFloating())
        nWidth -= m_pChevron->MeasureOnBar(nullptr, GetCurrentButtonSize(), TRUE).cx;
    const int rows = kgp::WrapRows(items, nWidth, IsFloating() ? 0x7FFF : nHeight, rowHeight);
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button != static_cast<CKGPToolbarButton*>(m_pChevron) && button->m_bShown)
            button->m_bRowBreak = items[static_cast<std::size_t>(index)].rowBreak;
    }
    return rows;
}

// On a horizontal bar a row is as high as its tallest button (captions under
// images), and buttons with captions under their images take the whole row.
int CKGPToolBar::FitRowHeight(std::vector<kgp::BarItem>& items, BOOL bHorz) const
{
    int rowHeight = m_bRebarRowHeight ? m_nRebarRowHeight : RowHeight();
    if (!bHorz)
        return rowHeight;
    if (!m_bRebarRowHeight) {
        for (const kgp::BarItem& item : items)
            rowHeight = std::max(rowHeight, item.separator || !item.shown ? 0 : item.height);
    }
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        const auto* button = static_cast<const CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        kgp::BarItem& item = items[static_cast<std::size_t>(index)];
        if (item.shown && (m_bRebarRowHeight || (button->m_bCaptionBelow && !item.separator)))
            item.height = rowHeight;
    }
    return rowHeight;
}

void CKGPToolBar::RefitEnclosingToolbar()
{
    CWnd* parent = GetSafeHwnd() != nullptr ? GetParent() : nullptr;
    if (!KGPTabWindows::IsTabWindow(parent))
        return;
    if (auto* enclosing = DYNAMIC_DOWNCAST(CKGPToolBar, parent->GetParent()))
        enclosing->AdjustLayout();
}

void CKGPToolBar::AdjustLocations()
{
    if (m_lstButtons.IsEmpty() || GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(client);
    const BOOL horz = IsHorizontal();
    const BOOL withChevron = m_pChevron != nullptr && !IsFloating() && !s_bCustomizing;

    std::vector<kgp::BarItem> items = MeasureItems(nullptr, horz, FALSE);
    kgp::PlaceInput in;
    in.horizontal = horz != FALSE;
    in.rowHeight = FitRowHeight(items, horz);
    in.centreRows = IsFloating() && horz;
    in.clientWidth = client.Width();
    CSize chevronSize(0, 0);
    if (withChevron) {
        m_pChevron->ClearHiddenButtons();
        m_pChevron->m_bShown = TRUE;
        const CSize across = horz ? CSize(ColumnWidth(), client.Height()) : CSize(client.Width(), RowHeight());
        chevronSize = m_pChevron->MeasureOnBar(nullptr, across, horz);
        // The customise button takes room at the end when it has a reason to show.
        in.limit = horz ? client.right : client.bottom;
        if (m_pChevron->HasCustomizeEntry() || kgp::PlaceItems(items, in).anyOverflowed)
            in.limit -= horz ? chevronSize.cx : chevronSize.cy;
    }
    const kgp::PlaceResult placed = kgp::PlaceItems(items, in);

    std::vector<int> moved;
    int index = 0;
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr; ++index) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (button == static_cast<CKGPToolbarButton*>(m_pChevron))
            continue;
        const BOOL overflowed = placed.overflowed[static_cast<std::size_t>(index)];
        if (overflowed != button->m_bOverflowed) {
            button->m_bOverflowed = overflowed;
            button->OnOverflowChanged(overflowed);
        }
        if (overflowed)
            m_pChevron->AddHiddenButton(button);
        const kgp::Box& box = placed.boxes[static_cast<std::size_t>(index)];
        const CRect rect(box.left, box.top, box.right, box.bottom);
        if (rect != button->m_rcButton) {
            button->m_rcButton = rect;
            button->OnRectChanged();
            moved.push_back(index);
        }
    }

    if (m_pChevron != nullptr) {
        CRect rect;
        m_pChevron->m_bShown = withChevron && (m_pChevron->HasHiddenButtons() || m_pChevron->HasCustomizeEntry());
        if (m_pChevron->m_bShown) {
            rect = horz ? CRect(client.right - chevronSize.cx, client.top, client.right, client.bottom)
                        : CRect(client.left, client.bottom - chevronSize.cy, client.right, client.bottom);
        }
        if (rect != m_pChevron->m_rcButton) {
            m_pChevron->m_rcButton = rect;
            m_pChevron->OnRectChanged();
            moved.push_back(GetCount() - 1);
        }
    }
    RebuildMnemonics();
    UpdateTooltipRects(moved);
    if (m_pChevron != nullptr)
        InvalidateButton(GetCount() - 1);
}

CSize CKGPToolBar::CalcSize(BOOL bVertDock)
{
    if (m_lstButtons.IsEmpty())
        return GetCurrentButtonSize();
    const BOOL horz = !bVertDock;
    std::vector<kgp::BarItem> items = MeasureItems(nullptr, horz, !IsFloating());
    kgp::PlaceInput in;
    in.horizontal = horz != FALSE;
    in.rowHeight = FitRowHeight(items, horz);
    const kgp::PlaceResult placed = kgp::PlaceItems(items, in);
    return CSize(placed.right + 1, placed.bottom + 1);
}

CSize CKGPToolBar::CalcDynamicLayout(int nLength, DWORD dwMode)
{
    const BOOL horz = (dwMode & LM_HORZ) != 0;
    kgp::WrapRequest request;
    request.mode = dwMode;
    request.fixedSize = (m_dwStyle & CBRS_SIZE_FIXED) != 0;
    request.dynamicSize = (m_dwStyle & CBRS_SIZE_DYNAMIC) != 0;
    request.floating = IsFloating() != FALSE;
    request.length = nLength;
    request.recordedLength = m_nMRUWidth;
    // Vertical bars place their buttons in one column whatever the rows.
    const int wrapLength = kgp::WrapLengthFor(request);
    if (wrapLength >= 0 && horz)
        Wrap(TRUE, wrapLength, kgp::kNoLimit, nullptr, -1, -1);

    if (m_pChevron != nullptr)
        m_pChevron->m_bShown = !IsFloating();
    CSize size = CalcSize(!horz);
    if (m_pChevron != nullptr && m_pChevron->m_bShown && !m_pChevron->HasHiddenButtons() &&
        !m_pChevron->HasCustomizeEntry()) {
        m_pChevron->m_bShown = FALSE;
        size = CalcSize(!horz);
    }
    // The length kept is the one the rows come back from: their width, or the
    // length they wrapped at when a button wider than it makes them wider
    // (wrapped again at their width, shorter rows joined).
    if ((dwMode & LM_COMMIT) != 0 && request.floating && request.dynamicSize && horz)
        m_nMRUWidth = wrapLength >= 0 && wrapLength < size.cx ? wrapLength : size.cx;
    return size;
}

CSize CKGPToolBar::CalcSizeForLength(int nLength, BOOL bHorz)
{
    if (bHorz)
        return CalcDynamicLayout(nLength, LM_HORZ | LM_COMMIT);
    // Narrower rows are taller: one button's width less at a time until the
    // rows stop fitting the height.
    const int step = (std::max)(1, static_cast<int>(GetCurrentButtonSize().cx));
    CSize best = CalcDynamicLayout(kgp::kNoLimit, LM_HORZ);
    for (int width = best.cx - step; width > 0; width -= step) {
        const CSize size = CalcDynamicLayout(width, LM_HORZ);
        if (size.cy > nLength)
            break;
        best = size;
        if (size.cx < width - step)
            width = size.cx; // the rows wrapped narrower than asked
    }
    return CalcDynamicLayout(best.cx, LM_HORZ | LM_COMMIT);
}

DWORD CKGPToolBar::GetFloatingCaptionButtons() const
{
    if (m_pChevron != nullptr && m_pChevron->HasCustomizeEntry())
        return CanBeClosed() ? KGP_CAPTION_BTN_CLOSE | KGP_CAPTION_BTN_CUSTOMIZE : 0;
    return CKGPBaseToolBar::GetFloatingCaptionButtons();
}

BOOL CKGPToolBar::ShowCaptionMenu(CWnd* pMiniFrame, const CRect& rectButton)
{
    if (m_pChevron == nullptr || !m_pChevron->HasCustomizeEntry() || s_bCustomizing || GetSafeHwnd() == nullptr)
        return FALSE;
    // The bar stays the menu's parent, so its commands reach the frame as
    // from the bar; the customise button owns it.
    CRect inBar = rectButton;
    ScreenToClient(inBar);
    return m_pChevron->OpenCaptionMenu(this, inBar, pMiniFrame != nullptr ? pMiniFrame->GetSafeHwnd() : nullptr);
}

CSize CKGPToolBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CalcDynamicLayout(-1, (bStretch ? LM_STRETCH : 0) | (bHorz ? LM_HORZ : 0));
    // The window takes the buttons plus its borders and gripper (a stretched
    // extent stays the mark it is).
    const CSize frame = CalcNonClientSize(bHorz);
    if (size.cx != kgp::kNoLimit)
        size.cx += frame.cx;
    if (size.cy != kgp::kNoLimit)
        size.cy += frame.cy;
    return size;
}

BOOL CKGPToolBar::IsInRebar() const
{
    const CWnd* parent = GetParent();
    WCHAR name[32] = {};
    return parent != nullptr && ::GetClassNameW(parent->GetSafeHwnd(), name, 32) > 0 &&
           ::lstrcmpiW(name, REBARCLASSNAMEW) == 0;
}

// The band that holds the bar takes its row height and its length as the
// band's minimum child size.
void CKGPToolBar::FitRebarBand()
{
    CWnd* rebar = GetParent();
    const int count = static_cast<int>(rebar->SendMessage(RB_GETBANDCOUNT));
    for (int i = 0; i < count; ++i) {
        REBARBANDINFOW band{};
        band.cbSize = sizeof(band);
        band.fMask = RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        if (!rebar->SendMessage(RB_GETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band)) ||
            band.hwndChild != m_hWnd)
            continue;
        m_nRebarRowHeight = MeasureRowHeight();
        m_bRebarRowHeight = TRUE;
        const CSize size = CalcFixedLayout(FALSE, TRUE);
        band.cxMinChild = static_cast<UINT>(std::max<LONG>(0, size.cx));
        band.cyMinChild = static_cast<UINT>(GetCurrentButtonSize().cy);
        band.fMask = RBBIM_CHILDSIZE | RBBIM_IDEALSIZE;
        rebar->SendMessage(RB_SETBANDINFOW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&band));
        return;
    }
}

void CKGPToolBar::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    const BOOL horz = IsHorizontal();
    for (POSITION pos = m_lstButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstButtons.GetNext(pos));
        if (horz && !button->IsSeparator())
            button->m_bCaptionBelow = m_bCaptionsUnderImages;
    }
    if (IsInRebar())
        FitRebarBand();
    else
        FitWindow();
    AdjustLocations();
    RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

// The window takes the laid-out size along its orientation (a stretched bar
// the parent's extent, up to m_nMaxStretch), a docked menu bar its thickness
// too; a docked bar's row takes its thickness. A floating bar's frame re-fits
// around it.
void CKGPToolBar::FitWindow()
{
    const BOOL horz = IsHorizontal();
    CSize size = CalcFixedLayout(FALSE, horz);
    CRect parentClient;
    if (CWnd* parent = GetParent())
        parent->GetClientRect(parentClient);
    for (auto [extent, parentExtent] : {std::pair<LONG*, LONG>{&size.cx, parentClient.Width()},
                                        std::pair<LONG*, LONG>{&size.cy, parentClient.Height()}}) {
        if (*extent == kgp::kNoLimit)
            *extent = m_nMaxStretch > 0 ? std::min<LONG>(parentExtent, m_nMaxStretch) : parentExtent;
    }
    // A bar inside a tab window takes the area the tabs' windows fill.
    if (CWnd* parent = GetParent(); KGPTabWindows::IsTabWindow(parent)) {
        CRect area;
        KGPTabWindows::Link()->GetTabArea(parent, area);
        size = area.Size();
    }

    CRect window;
    GetWindowRect(window);
    CSize minimum;
    GetMinSize(minimum);
    auto atLeastMinimum = [&size, &minimum] {
        size.cx = std::max(size.cx, minimum.cx);
        size.cy = std::max(size.cy, minimum.cy);
    };
    // A bar in a dock row is never smaller than its minimum size outside
    // customisation, its size changed or not (its row places it so): one that
    // shrank below it while customising takes it again once customising ends.
    if (!s_bCustomizing && !IsFloating() && GetDockBarRow() != nullptr)
        atLeastMinimum();
    // A docked menu bar's thickness follows the rows its menus wrap into: a
    // layout read at start-up can bring more menus than one row holds.
    const bool wholeSize = s_bCustomizing || (m_bIsMenuBar && !IsFloating());
    const BOOL changed = wholeSize ? window.Size() != size
                                   : (horz ? window.Width() != size.cx : window.Height() != size.cy);
    if (changed) {
        if (!s_bCustomizing)
            atLeastMinimum();
        SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        AdjustHostLayout();
        // A floating bar's frame takes the bar's new size (buttons came or went).
        if (CKGPMiniFrameWnd* frame = IsFloating() ? GetParentMiniFrame(TRUE) : nullptr)
            frame->SizeToContent();
    }

    CKGPDockBarRow* row = GetDockBarRow();
    if (IsFloating() || row == nullptr || m_pParentDockBar == nullptr) {
        AdjustDockingLayout();
        return;
    }
    const int thickness = horz ? size.cy : size.cx;
    if (thickness != row->GetRowHeight())
        m_pParentDockBar->ResizeRow(row, thickness);
    if (s_bCustomizing)
        row->ArrangeBars(this);
    if (!SeparateFromSibling()) {
        if (CFrameWnd* frame = GetDockSiteFrame())
            frame->RecalcLayout();
    }
}
