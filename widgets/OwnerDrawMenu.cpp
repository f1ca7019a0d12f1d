#include "widgets/OwnerDrawMenu.h"

#include "widgets/WidgetLook.h"

#include <algorithm>

namespace {

CString MenuItemString(HMENU hMenu, UINT position)
{
    wchar_t buffer[512] = {};
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = MIIM_STRING;
    info.dwTypeData = buffer;
    info.cch = static_cast<UINT>(std::size(buffer) - 1);
    if (!::GetMenuItemInfoW(hMenu, position, TRUE, &info)) {
        return CString();
    }
    return CString(buffer);
}

// Splits "Text\tAccel" at the tab.
void SplitAccelerator(const CString& text, CString& label, CString& accelerator)
{
    const int tab = text.Find(L'\t');
    if (tab < 0) {
        label = text;
        accelerator.Empty();
    } else {
        label = text.Left(tab);
        accelerator = text.Mid(tab + 1);
    }
}

// The mnemonic of a label ('&' followed by a character other than '&'), 0 when none.
wchar_t MnemonicOf(const CString& text)
{
    const int length = text.GetLength();
    for (int i = 0; i + 1 < length; ++i) {
        if (text[i] == L'&') {
            if (text[i + 1] == L'&') {
                ++i;
                continue;
            }
            return text[i + 1];
        }
    }
    return 0;
}

wchar_t UpperChar(wchar_t c)
{
    return static_cast<wchar_t>(reinterpret_cast<ULONG_PTR>(::CharUpperW(reinterpret_cast<LPWSTR>(static_cast<ULONG_PTR>(c)))));
}

} // namespace

COwnerDrawMenu::~COwnerDrawMenu()
{
    DestroyMenu();
}

BOOL COwnerDrawMenu::LoadMenu(UINT nIDResource)
{
    DestroyMenu();
    if (!CMenu::LoadMenu(nIDResource)) {
        return FALSE;
    }
    SkinItems();
    return TRUE;
}

BOOL COwnerDrawMenu::DestroyMenu()
{
    ForgetRecords();
    if (m_hMenu == nullptr) {
        return FALSE;
    }
    return CMenu::DestroyMenu();
}

void COwnerDrawMenu::ForgetRecords()
{
    auto& globals = GetSkinMenuGlobals();
    for (const auto& record : m_records) {
        globals.m_itemRecords.erase(record.get());
    }
    for (HMENU handle : m_skinnedHandles) {
        globals.m_menuOfHandle.erase(handle);
    }
    auto& menus = globals.m_skinnedMenus;
    menus.erase(std::remove(menus.begin(), menus.end(), this), menus.end());
    m_records.clear();
    m_skinnedHandles.clear();
}

void COwnerDrawMenu::SkinItems()
{
    ForgetRecords();
    if (m_hMenu == nullptr) {
        return;
    }
    GetSkinMenuGlobals().m_skinnedMenus.push_back(this);
    SkinMenu(m_hMenu, true);
}

void COwnerDrawMenu::SkinMenu(HMENU hMenu, bool topLevel)
{
    auto& globals = GetSkinMenuGlobals();
    globals.m_menuOfHandle[hMenu] = this;
    m_skinnedHandles.push_back(hMenu);
    const int count = ::GetMenuItemCount(hMenu);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_ID | MIIM_SUBMENU | MIIM_DATA;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &info)) {
            continue;
        }
        if (info.hSubMenu != nullptr) {
            SkinMenu(info.hSubMenu, false);
        }
        if (topLevel && !SkinsTopLevel()) {
            continue;
        }
        if ((info.fType & MFT_OWNERDRAW) != 0 && globals.FindItem(info.dwItemData) != nullptr) {
            continue;  // already ours
        }
        auto record = std::make_unique<CSkinMenuItem>();
        record->separator = (info.fType & MFT_SEPARATOR) != 0;
        record->popup = info.hSubMenu != nullptr;
        record->commandId = record->popup ? 0 : info.wID;
        record->topLevel = topLevel;
        record->text = MenuItemString(hMenu, static_cast<UINT>(position));

        // The system's copy of the text goes: the record holds it, and the
        // mnemonics then reach the owner as WM_MENUCHAR on every system alike.
        MENUITEMINFOW change{};
        change.cbSize = sizeof(change);
        change.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STRING;
        change.dwTypeData = nullptr;
        change.fType = (info.fType & ~MFT_STRING) | MFT_OWNERDRAW;
        change.dwItemData = reinterpret_cast<ULONG_PTR>(record.get());
        if (::SetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &change)) {
            globals.m_itemRecords[record.get()] = hMenu;
            m_records.push_back(std::move(record));
        }
    }
}

void COwnerDrawMenu::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    auto& globals = GetSkinMenuGlobals();
    const CSkinMenuItem* item = globals.FindItem(lpMeasureItemStruct->itemData);
    if (item == nullptr) {
        return;
    }
    if (item->separator) {
        lpMeasureItemStruct->itemWidth = 10;
        lpMeasureItemStruct->itemHeight = kSeparatorHeight;
        return;
    }
    CString label;
    CString accelerator;
    SplitAccelerator(item->text, label, accelerator);
    RECT labelRect{0, 0, 0, 0};
    RECT accelRect{0, 0, 0, 0};
    {
        const CWindowDCHandle screen(nullptr);
        const CSelectionScope font(screen.Get(), globals.m_itemFont.m_hObject);
        ::DrawTextW(screen.Get(), label, -1, &labelRect, DT_SINGLELINE | DT_CALCRECT);
        if (!accelerator.IsEmpty()) {
            ::DrawTextW(screen.Get(), accelerator, -1, &accelRect, DT_SINGLELINE | DT_CALCRECT | DT_NOPREFIX);
        }
    }
    int width = kCheckColumn + (labelRect.right - labelRect.left) + 12;
    if (!accelerator.IsEmpty()) {
        width += kTextGap + (accelRect.right - accelRect.left);
    }
    // The system adds the width of a check mark to owner-drawn items itself.
    width -= ::GetSystemMetrics(SM_CXMENUCHECK) - 1;
    lpMeasureItemStruct->itemWidth = static_cast<UINT>(std::max(width, 40));
    lpMeasureItemStruct->itemHeight =
        static_cast<UINT>(std::max<LONG>(kItemHeight, labelRect.bottom - labelRect.top + 8));
}

void COwnerDrawMenu::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    auto& globals = GetSkinMenuGlobals();
    const CSkinMenuItem* item = globals.FindItem(lpDrawItemStruct->itemData);
    if (item == nullptr) {
        return;
    }
    HDC dc = lpDrawItemStruct->hDC;
    const RECT rect = lpDrawItemStruct->rcItem;
    const UINT state = lpDrawItemStruct->itemState;
    const bool selected = (state & ODS_SELECTED) != 0;
    const bool disabled = (state & (ODS_DISABLED | ODS_GRAYED)) != 0;

    widgets::FillRoundRect(dc, rect, 0, widgets::kLookWhite, widgets::kLookWhite);
    if (item->separator) {
        const int y = (rect.top + rect.bottom) / 2;
        RECT line{rect.left + kCheckColumn, y, rect.right - 4, y + 1};
        widgets::FillRoundRect(dc, line, 0, widgets::kLookBorderGrey, widgets::kLookBorderGrey);
        return;
    }
    if (selected && !disabled) {
        RECT face = rect;
        ::InflateRect(&face, -1, -1);
        widgets::FillRoundRect(dc, face, 4, widgets::kLookLightGreen, widgets::kLookGreen);
    }
    if ((state & ODS_CHECKED) != 0) {
        // A check mark in the left column.
        const CGdiHandle<HPEN> pen(::CreatePen(PS_SOLID, 2, disabled ? widgets::kLookDisabled : widgets::kLookDarkGreen));
        const CSelectionScope selectPen(dc, pen.Get());
        const int cx = rect.left + kCheckColumn / 2;
        const int cy = (rect.top + rect.bottom) / 2;
        ::MoveToEx(dc, cx - 5, cy, nullptr);
        ::LineTo(dc, cx - 2, cy + 3);
        ::LineTo(dc, cx + 5, cy - 4);
    }
    CString label;
    CString accelerator;
    SplitAccelerator(item->text, label, accelerator);
    const CSelectionScope font(dc, globals.m_itemFont.m_hObject);
    ::SetBkMode(dc, TRANSPARENT);
    ::SetTextColor(dc, disabled ? widgets::kLookDisabled : (selected ? widgets::kLookDarkGreen : widgets::kLookText));
    RECT textRect{rect.left + kCheckColumn, rect.top, rect.right - 8, rect.bottom};
    UINT format = DT_SINGLELINE | DT_VCENTER;
    if ((state & ODS_NOACCEL) != 0) {
        format |= DT_HIDEPREFIX;
    }
    ::DrawTextW(dc, label, -1, &textRect, format);
    if (!accelerator.IsEmpty()) {
        ::DrawTextW(dc, accelerator, -1, &textRect, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
    }
}

LRESULT SkinMenuOnMenuChar(UINT nChar, UINT /*nFlags*/, HMENU hMenu)
{
    if (hMenu == nullptr || nChar == 0) {
        return MAKELRESULT(0, MNC_IGNORE);
    }
    const auto& globals = GetSkinMenuGlobals();
    const wchar_t wanted = UpperChar(static_cast<wchar_t>(nChar));
    const int count = ::GetMenuItemCount(hMenu);
    std::vector<int> matches;
    int highlighted = -1;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_DATA | MIIM_STATE;
        if (!::GetMenuItemInfoW(hMenu, static_cast<UINT>(position), TRUE, &info)) {
            continue;
        }
        if ((info.fState & MFS_HILITE) != 0) {
            highlighted = position;
        }
        if ((info.fType & MFT_SEPARATOR) != 0) {
            continue;
        }
        CString text;
        if (const CSkinMenuItem* item = globals.FindItem(info.dwItemData)) {
            if (item->separator) {
                continue;
            }
            text = item->text;
        } else {
            text = MenuItemString(hMenu, static_cast<UINT>(position));
        }
        const int tab = text.Find(L'\t');
        if (tab >= 0) {
            text = text.Left(tab);
        }
        const wchar_t mnemonic = MnemonicOf(text);
        if (mnemonic != 0 && UpperChar(mnemonic) == wanted) {
            matches.push_back(position);
        }
    }
    if (matches.empty()) {
        return MAKELRESULT(0, MNC_IGNORE);
    }
    if (matches.size() == 1) {
        return MAKELRESULT(matches.front(), MNC_EXECUTE);
    }
    for (int position : matches) {
        if (position > highlighted) {
            return MAKELRESULT(position, MNC_SELECT);
        }
    }
    return MAKELRESULT(matches.front(), MNC_SELECT);
}

LRESULT SkinMenuOnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    return SkinMenuOnMenuChar(nChar, nFlags, pMenu != nullptr ? pMenu->m_hMenu : nullptr);
}
