// The items of the bar inside a popup: made from a Windows menu and back,
// measured down their columns in the menu font, placed (scrolled by whole
// rows), drawn over the rarely used items' background, and the customisation
// marks between them.
#include "guilib/menus/KGPPopupMenuBar.h"

#include "guilib/core/KGPGlobalData.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/menus/KGPPopupBarRules.h"
#include "guilib/menus/KGPPopupMenu.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

#include <algorithm>
#include <cwctype>
#include <optional>

namespace {

constexpr UINT kSubMenu = static_cast<UINT>(-1);
// Style bit of an item that starts a new column of its menu.
constexpr UINT kBreakBit = 0x20000000;
constexpr int kMaxItemText = 1024;
// An item whose text carries a shortcut after a tab is this much wider.
constexpr int kShortcutAllowance = 10;
// The height of the band marked below a palette's item a drop would follow.
constexpr int kPaletteMarkerBand = 5;

}  // namespace

struct CKGPPopupMenuBar::MeasuredItems {
    std::vector<kgp::MenuItem> items;
    CSize sizeDefault;
};

CSize CKGPPopupMenuBar::GetItemImageSize() const
{
    if (m_sizeItemImage.cx > 0 && m_sizeItemImage.cy > 0)
        return m_sizeItemImage;
    if (m_pRelatedToolbar != nullptr && m_pRelatedToolbar->IsLocked())
        return m_pRelatedToolbar->GetMenuImages().GetImageSize();
    return GetMenuImageSize();
}

int CKGPPopupMenuBar::GetMenuRowHeight() const
{
    return std::max<int>(GetItemImageSize().cy + 2, GetKGPGlobalData().m_nMinMenuItemHeight);
}

std::vector<CKGPToolbarButton*> CKGPPopupMenuBar::ButtonsInOrder() const
{
    std::vector<CKGPToolbarButton*> items;
    items.reserve(static_cast<size_t>(GetCount()));
    const CObList& list = GetAllButtons();
    for (POSITION pos = list.GetHeadPosition(); pos != nullptr;)
        items.push_back(static_cast<CKGPToolbarButton*>(list.GetNext(pos)));
    return items;
}

// ---- A Windows menu and back ----

BOOL CKGPPopupMenuBar::ImportFromMenu(HMENU hMenu, BOOL bShowAllCommands)
{
    RemoveAllButtons();
    m_HiddenItemsAccel.RemoveAll();
    m_uiDefaultMenuCmdId = 0;
    m_bAreAllCommandsShown = TRUE;
    if (!::IsMenu(hMenu))
        return FALSE;

    const CKGPPopupMenu* popup = GetPopupMenu();
    const BOOL hideRare = !bShowAllCommands && !IsShowAllCommands() && KGPToolbarLinks::AreRecentlyUsedMenusOn() &&
                          s_usage.HasEnoughInformation() && popup != nullptr && popup->GetParentButton() != nullptr &&
                          !popup->IsTasksPaneMenu() && !s_bCustomizing;
    const UINT defaultId = ::GetMenuDefaultItem(hMenu, FALSE, GMDI_USEDISABLED);
    if (defaultId != static_cast<UINT>(-1))
        m_uiDefaultMenuCmdId = defaultId;
    IKGPTearOffLink* tearOff = KGPMenuButtonLinks::TearOff();
    BOOL lastWasSeparator = TRUE;
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        auto item = std::make_unique<CKGPToolbarMenuButton>();
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU;
        ::GetMenuItemInfoW(hMenu, static_cast<UINT>(i), TRUE, &info);
        WCHAR text[kMaxItemText + 1] = {};
        ::GetMenuStringW(hMenu, static_cast<UINT>(i), text, kMaxItemText, MF_BYPOSITION);
        item->m_strCaption = text;
        if ((info.fType & MFT_SEPARATOR) != 0) {
            if (lastWasSeparator)
                continue;  // hidden items leave no doubled separators
            item->m_nBits |= TBBS_SEPARATOR;
            lastWasSeparator = TRUE;
            InsertButton(std::move(item));
            continue;
        }
        if (info.hSubMenu != nullptr) {
            item->m_nCommand = kSubMenu;
            if (tearOff != nullptr)
                item->SetTearOffId(tearOff->ParseTearOffId(item->m_strCaption));
            item->CreateFromMenu(info.hSubMenu);
        } else {
            item->m_nCommand = info.wID;
            item->SetDefault(info.wID == m_uiDefaultMenuCmdId);
            if (hideRare && CKGPToolBar::IsCommandRarelyUsed(info.wID)) {
                // A hidden item keeps its mnemonic for the keys.
                const kgp::DisplayCaption shown = kgp::CaptionAsShown(std::wstring(item->m_strCaption.GetString()));
                if (shown.mnemonic >= 0)
                    m_HiddenItemsAccel.SetAt(::towupper(shown.text[static_cast<size_t>(shown.mnemonic)]), info.wID);
                m_bAreAllCommandsShown = FALSE;
                continue;
            }
            item->SetImage(-1);
        }
        if ((info.fType & (MFT_MENUBREAK | MFT_MENUBARBREAK)) != 0)
            item->m_nBits |= kBreakBit;
        if ((info.fState & MFS_DISABLED) != 0)
            item->m_nBits |= TBBS_DISABLED;
        if ((info.fState & MFS_CHECKED) != 0)
            item->m_nBits |= TBBS_CHECKED;
        const BOOL radio = (info.fType & MFT_RADIOCHECK) != 0 && (info.fState & MFS_CHECKED) != 0;
        lastWasSeparator = FALSE;
        CKGPToolbarMenuButton* added = item.get();
        if (InsertButton(std::move(item)) >= 0 && radio)
            added->MarkRadio();
    }
    // A separator that would end the menu goes.
    if (GetCount() > 0 && GetButton(GetCount() - 1)->IsSeparator())
        RemoveButton(GetCount() - 1);
    return TRUE;
}

HMENU CKGPPopupMenuBar::ExportToMenu() const
{
    CKGPToolbarMenuButton holder;
    for (const CKGPToolbarButton* item : ButtonsInOrder()) {
        if (item->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton)))
            continue;
        auto copy = std::unique_ptr<CKGPToolbarButton>(
            static_cast<CKGPToolbarButton*>(item->GetRuntimeClass()->CreateObject()));
        copy->CopyButton(*item);
        if (auto* menu = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, copy.get()))
            menu->SetDefault(item->m_nCommand != 0 && item->m_nCommand == m_uiDefaultMenuCmdId);
        holder.AddSubItem(copy.release());
    }
    holder.SetMenuOnly(TRUE);
    return holder.CreateMenu();
}

// ---- Measuring and placing ----

CKGPPopupMenuBar::MeasuredItems CKGPPopupMenuBar::Measure(CDC* pDC) const
{
    MeasuredItems measured;
    const CKGPGlobalData& global = GetKGPGlobalData();
    const CSize image = GetItemImageSize();
    const int margin = CKGPVisualManager::GetInstance()->GetMenuImageMargin();
    measured.sizeDefault = CSize(image.cx + 2 * margin, std::max<int>(image.cy + 2 * margin, global.m_nMinMenuItemHeight));
    const CSelectionScope font(*pDC, global.GetMenuFont());
    for (CKGPToolbarButton* item : ButtonsInOrder()) {
        kgp::MenuItem entry;
        entry.separator = item->IsSeparator() != FALSE;
        entry.newColumn = (item->m_nBits & kBreakBit) != 0;
        if (!item->m_bShown) {
            measured.items.push_back(entry);
            continue;
        }
        CSize size;
        if (!entry.separator && item->m_nCommand != 0 && item->m_nCommand == m_uiDefaultMenuCmdId) {
            const CSelectionScope bold(*pDC, global.GetBoldMenuFont());
            size = item->MeasureOnBar(pDC, measured.sizeDefault, TRUE);
        } else {
            size = item->MeasureOnBar(pDC, measured.sizeDefault, TRUE);
        }
        if (item->m_strCaption.Find(L'\t') >= 0)
            size.cx += kShortcutAllowance;
        entry.width = size.cx;
        entry.height = entry.separator ? kgp::kMenuSeparatorHeight : size.cy;
        if (m_iMaxWidth > 0 && entry.width > m_iMaxWidth - 2)
            entry.width = m_iMaxWidth - 2;  // drawn cut
        measured.items.push_back(entry);
    }
    return measured;
}

CSize CKGPPopupMenuBar::CalcSize(BOOL)
{
    std::optional<CClientDC> clientDC;
    clientDC.emplace(GetSafeHwnd() != nullptr ? static_cast<CWnd*>(this) : nullptr);
    const MeasuredItems measured = Measure(&*clientDC);
    if (m_bPaletteMode && GetCount() > 0) {
        const kgp::PaletteGrid grid = kgp::PlacePalette(measured.items, m_nPaletteRows, 0, 0);
        return CSize(grid.width, grid.height);
    }
    const kgp::MenuColumns columns = kgp::MeasureColumns(measured.items, s_bCustomizing != FALSE);
    m_arColumns = columns.widths;
    if (GetCount() == 0)
        return CSize(measured.sizeDefault.cx + 50, GetMenuRowHeight());
    return CSize(columns.width, columns.height + 2);
}

void CKGPPopupMenuBar::AdjustLocations()
{
    if (GetSafeHwnd() == nullptr || GetCount() == 0)
        return;
    const CSize image = GetItemImageSize();
    if (m_xSeparatorOffsetLeft == 0) {
        m_xSeparatorOffsetLeft = image.cx / 2 + 3;
        m_xSeparatorOffsetRight = CKGPMenuGlyphs::GetWidth();
    }
    CClientDC dc(this);
    const MeasuredItems measured = Measure(&dc);
    CRect client;
    GetClientRect(client);
    if (m_bPaletteMode) {
        PlaceItems(kgp::PlacePalette(measured.items, m_nPaletteRows, client.left, client.top).boxes);
        return;
    }
    kgp::MenuPlaceInput in;
    in.clientLeft = client.left;
    in.clientTop = client.top;
    in.clientWidth = client.Width();
    in.rowHeight = GetMenuRowHeight();
    in.firstRow = m_iOffset;
    if (m_arColumns.size() > 1)
        in.columnWidths = m_arColumns;
    in.separatorInsetLeft = m_xSeparatorOffsetLeft;
    in.separatorInsetRight = m_xSeparatorOffsetRight;
    in.customizing = s_bCustomizing != FALSE;
    PlaceItems(kgp::PlaceMenuItems(measured.items, in));
}

void CKGPPopupMenuBar::PlaceItems(const std::vector<kgp::Box>& boxes)
{
    std::vector<int> moved;
    int index = 0;
    for (CKGPToolbarButton* item : ButtonsInOrder()) {
        const kgp::Box& box = boxes[static_cast<size_t>(index)];
        CRect rect(box.left, box.top, box.right, box.bottom);
        if (!item->m_bShown)
            rect.SetRectEmpty();
        if (rect != item->m_rcButton) {
            item->m_rcButton = rect;
            item->OnRectChanged();
            moved.push_back(index);
        }
        ++index;
    }
    UpdateTooltipRects(moved);
}

void CKGPPopupMenuBar::AdjustLayout()
{
    if (GetSafeHwnd() == nullptr)
        return;
    AdjustLocations();
    Invalidate();
    if (s_bCustomizing) {
        if (CKGPPopupMenu* popup = GetPopupMenu())
            popup->RecalcLayout();
    }
}

void CKGPPopupMenuBar::SetFirstVisibleRow(int iRow)
{
    if (iRow == m_iOffset)
        return;
    m_iOffset = std::max(0, iRow);
    AdjustLocations();
    Invalidate();
}

int CKGPPopupMenuBar::GetRowCount() const
{
    const int row = GetMenuRowHeight();
    int height = 0;
    for (const CKGPToolbarButton* item : ButtonsInOrder())
        height = std::max<int>(height, item->m_rcButton.bottom + row * m_iOffset);
    return row > 0 ? (height + row - 1) / row : 0;
}

int CKGPPopupMenuBar::GetLastItemBottom() const
{
    int bottom = 0;
    for (const CKGPToolbarButton* item : ButtonsInOrder())
        bottom = std::max<int>(bottom, item->m_rcButton.bottom);
    return bottom;
}

// ---- Painting ----

CKGPToolBarImages* CKGPPopupMenuBar::StripFor(const CKGPToolbarButton& button, BOOL bHighlighted)
{
    // Menus show the menu images where they hold one, else the bar's images.
    if (!IsLocked() || (m_pRelatedToolbar != nullptr && m_pRelatedToolbar->IsLocked())) {
        CKGPToolBar* source = m_pRelatedToolbar != nullptr && m_pRelatedToolbar->IsLocked() ? m_pRelatedToolbar : this;
        auto& menu = const_cast<CKGPToolBarImages&>(source->GetMenuImages());
        if (button.GetImage() >= 0 && button.GetImage() < menu.GetCount())
            return &menu;
        return &const_cast<CKGPToolBarImages&>(source->GetImages());
    }
    return CKGPToolBar::StripFor(button, bHighlighted);
}

void CKGPPopupMenuBar::OnFillBackground(CDC* pDC, const CRect&)
{
    const CKGPPopupMenu* popup = GetPopupMenu();
    if (s_bCustomizing || m_bPaletteMode || !KGPToolbarLinks::AreRecentlyUsedMenusOn() || popup == nullptr ||
        popup->GetParentButton() == nullptr || popup->IsTasksPaneMenu())
        return;
    DrawRarelyUsedBands(pDC);
}

void CKGPPopupMenuBar::DrawRarelyUsedBands(CDC* pDC)
{
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    CRect band;
    const auto flush = [&] {
        if (!band.IsRectEmpty())
            manager->FillRarelyUsedMenuBackground(pDC, band);
        band.SetRectEmpty();
    };
    for (const CKGPToolbarButton* item : ButtonsInOrder()) {
        if (item->IsSeparator()) {
            if (!band.IsRectEmpty())
                band.UnionRect(band, item->m_rcButton);
            continue;
        }
        if (IsCommandRarelyUsed(item->m_nCommand)) {
            if (band.IsRectEmpty())
                band = item->m_rcButton;
            else
                band.UnionRect(band, item->m_rcButton);
            continue;
        }
        flush();
    }
    flush();
}

void CKGPPopupMenuBar::DrawSeparatorButton(CDC* pDC, const CKGPToolbarButton& separator, const CRect&, BOOL)
{
    CKGPVisualManager::GetInstance()->DrawSeparator(pDC, this, separator.m_rcButton, FALSE);
}

void CKGPPopupMenuBar::SetButtonStyle(int iIndex, UINT nStyle)
{
    CKGPToolbarButton* item = GetButton(iIndex);
    if (item == nullptr)
        return;
    const UINT changed = item->m_nBits ^ nStyle;
    if (changed == TBBS_CHECKED && item->IsKindOf(RUNTIME_CLASS(CKGPToolbarMenuButton))) {
        // Only the check mark changed: only the image area repaints.
        item->m_nBits = nStyle;
        CRect image = item->m_rcButton;
        image.right = image.left + GetItemImageSize().cx + 4;
        image.InflateRect(2 * ::GetSystemMetrics(SM_CXBORDER), 2 * ::GetSystemMetrics(SM_CYBORDER));
        if (GetSafeHwnd() != nullptr && !item->m_rcButton.IsRectEmpty())
            InvalidateRect(image);
        return;
    }
    if (changed == 0x2) {
        item->m_nBits = nStyle;
        return;
    }
    CKGPToolBar::SetButtonStyle(iIndex, nStyle);
}

// ---- Tooltips ----

BOOL CKGPPopupMenuBar::OnUserToolTip(CKGPToolbarButton* pButton, CString& strText) const
{
    if (pButton != nullptr && pButton->IsKindOf(RUNTIME_CLASS(CKGPShowAllButton))) {
        strText = CKGPShowAllButton::GetToolTipText();
        return TRUE;
    }
    const CKGPPopupMenu* popup = GetPopupMenu();
    const CKGPToolBar* parentBar = popup != nullptr ? popup->GetParentToolBar() : nullptr;
    if (parentBar != nullptr && parentBar->OnUserToolTip(pButton, strText))
        return TRUE;
    return CKGPToolBar::OnUserToolTip(pButton, strText);
}

// ---- Customisation: drops and marks ----

int CKGPPopupMenuBar::DropIndexAt(CPoint point, CRect& rectMarker) const
{
    CRect client;
    GetClientRect(client);
    rectMarker.SetRectEmpty();
    if (m_bLocked || !client.PtInRect(point))
        return -1;
    if (m_bPaletteMode) {
        // In the cell's row: before the cell (a mark at its left edge) or,
        // past its middle or the row's last cell, after it (the band below).
        const CKGPToolbarButton* lastInRow = nullptr;
        int lastIndex = -1;
        int index = 0;
        for (const CKGPToolbarButton* item : ButtonsInOrder()) {
            const CRect& cell = item->m_rcButton;
            if (!cell.IsRectEmpty() && point.y >= cell.top && point.y < cell.bottom) {
                if (point.x < cell.CenterPoint().x) {
                    rectMarker = CRect(cell.left, cell.top, cell.left, cell.bottom);
                    return index;
                }
                lastInRow = item;
                lastIndex = index;
                if (point.x < cell.right)
                    break;
            }
            ++index;
        }
        if (lastInRow == nullptr)
            return -1;
        const CRect& cell = lastInRow->m_rcButton;
        rectMarker = CRect(client.left, cell.bottom, client.right, cell.bottom + kPaletteMarkerBand);
        return lastIndex + 1;
    }
    if (GetCount() == 0) {
        rectMarker = CRect(client.left, client.top, client.right, client.top + 6);
        return 0;
    }
    int index = 0;
    for (const CKGPToolbarButton* item : ButtonsInOrder()) {
        const CRect& rect = item->m_rcButton;
        if (point.y < rect.CenterPoint().y && point.x >= rect.left && point.x < rect.right) {
            rectMarker = CRect(rect.left, rect.top - 3, rect.right, rect.top + 3);
            return index;
        }
        ++index;
    }
    const CRect& last = GetButton(GetCount() - 1)->m_rcButton;
    rectMarker = CRect(last.left, last.bottom - 3, last.right, last.bottom + 3);
    return GetCount();
}

void CKGPPopupMenuBar::DrawInsertMarker(CDC* pDC)
{
    const COLORREF colour = GetKGPGlobalData().clrBtnText;
    if (m_bPaletteMode) {
        // The band below an item: a line across it with ticks at both ends;
        // before an item, the toolbar's mark.
        const CRect& band = GetInsertMarkerRect();
        if (band.Height() != kPaletteMarkerBand) {
            CKGPToolBar::DrawInsertMarker(pDC);
            return;
        }
        const int y = band.CenterPoint().y;
        pDC->FillSolidRect(band.left, y - 1, band.Width(), 2, colour);
        pDC->FillSolidRect(band.left, band.top, 2, band.Height(), colour);
        pDC->FillSolidRect(band.right - 2, band.top, 2, band.Height(), colour);
        return;
    }
    // A two-pixel line across the item with two-pixel ticks at both ends.
    const int index = GetInsertMarker();
    const CKGPToolbarButton* item = GetButton(std::min(index, GetCount() - 1));
    if (index < 0 || item == nullptr)
        return;
    const CRect& rect = item->m_rcButton;
    const int y = index >= GetCount() ? rect.bottom : rect.top;
    pDC->FillSolidRect(rect.left, y - 1, rect.Width(), 2, colour);
    pDC->FillSolidRect(rect.left, y - 3, 2, 6, colour);
    pDC->FillSolidRect(rect.right - 2, y - 3, 2, 6, colour);
}

BOOL CKGPPopupMenuBar::IsDraggingItsOwnMenu() const
{
    const CKGPToolbarButton* dragged = GetDraggedButton();
    if (dragged == nullptr)
        return FALSE;
    for (const CKGPPopupMenu* popup = GetPopupMenu(); popup != nullptr; popup = popup->GetParentPopupMenu()) {
        if (popup->GetParentButton() == dragged)
            return TRUE;
    }
    return FALSE;
}

DROPEFFECT CKGPPopupMenuBar::DragOverBar(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{

    if (IsDraggingItsOwnMenu()) {
        ClearInsertMarker();
        return DROPEFFECT_NONE;
    }
    return CKGPToolBar::DragOverBar(pDataObject, dwKeyState, point);
}

BOOL CKGPPopupMenuBar::DropButton(COleDataObject* pDataObject, DROPEFFECT dropEffect, CPoint point)
{

    if (IsDraggingItsOwnMenu()) {
        ClearInsertMarker();
        return FALSE;
    }
    return CKGPToolBar::DropButton(pDataObject, dropEffect, point);
}

CKGPToolbarButton* CKGPPopupMenuBar::CreateDroppedButton(COleDataObject* pDataObject)
{
    std::unique_ptr<CKGPToolbarButton> dropped(CKGPToolBar::CreateDroppedButton(pDataObject));
    if (dropped == nullptr || dropped->IsKindOf(RUNTIME_CLASS(CKGPToolbarMenuButton)))
        return dropped.release();
    auto item = std::make_unique<CKGPToolbarMenuButton>(dropped->m_nCommand, nullptr, dropped->GetImage(),
                                                         dropped->m_strCaption, dropped->m_bUserImage);
    // The button exports itself into the menu item (a drop-down button as its sub-menu).
    if (!dropped->FillCaptionFromCommand(item.get()))
        return nullptr;
    return item.release();
}
