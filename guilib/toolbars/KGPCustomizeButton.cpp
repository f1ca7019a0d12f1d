#include "guilib/toolbars/KGPCustomizeButton.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPMenuGlyphs.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/docking/KGPCaptionLayout.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarLinks.h"

IMPLEMENT_SERIAL(CCustomizeButton, CKGPToolbarMenuButton, VERSIONABLE_SCHEMA | 1)

namespace {

// A button as a menu item names it: its caption, else its command's short
// name (the prompt's part after the newline).
CString ButtonMenuText(const CKGPToolbarButton& button)
{
    CString text = button.m_strCaption;
    if (text.IsEmpty() && button.m_nCommand != 0) {
        CString prompt;
        prompt.LoadString(button.m_nCommand);
        const int newline = prompt.Find(L'\n');
        text = newline >= 0 ? prompt.Mid(newline + 1) : prompt;
    }
    return text;
}

} // namespace

CCustomizeButton::CCustomizeButton(int iCustomizeCmdId, const CString& strCustomizeText)
{
    SetCustomizeCommand(iCustomizeCmdId, strCustomizeText);
}

void CCustomizeButton::SetCustomizeCommand(int iCustomizeCmdId, const CString& strCustomizeText)
{
    m_iCustomizeCmdId = iCustomizeCmdId;
    m_strCustomizeText = strCustomizeText;
}

void CCustomizeButton::CopyButton(const CKGPToolbarButton& src)
{
    CKGPToolbarMenuButton::CopyButton(src);
    if (const auto* other = DYNAMIC_DOWNCAST(CCustomizeButton, const_cast<CKGPToolbarButton*>(&src))) {
        SetCustomizeCommand(other->m_iCustomizeCmdId, other->m_strCustomizeText);
        m_bNoEntry = other->m_bNoEntry;
        m_bInRebar = other->m_bInRebar;
        m_bMenuOnRight = other->m_bMenuOnRight;
    }
}

void CCustomizeButton::OnChangeParentWnd(CWnd* pWndParent)
{
    CKGPToolbarMenuButton::OnChangeParentWnd(pWndParent);
    if (const auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, pWndParent); bar != nullptr && bar->GetSafeHwnd() != nullptr)
        m_bInRebar = bar->IsInRebar();
}

BOOL CCustomizeButton::HandleClick(CWnd* pWnd, BOOL /*bDelay*/)
{
    if (CKGPToolBarShared::s_bCustomizing)
        return TRUE;
    if (IsDroppedDown()) {
        CancelState();
        return TRUE;
    }
    OpenPopupMenu(pWnd);
    return TRUE;  // never a command of its own
}

BOOL CCustomizeButton::OpenPopupMenu(CWnd* pWnd)
{
    if (!IsDroppedDown())
        EndCaptionMenu();
    return CKGPToolbarMenuButton::OpenPopupMenu(pWnd);
}

BOOL CCustomizeButton::OpenCaptionMenu(CWnd* pBar, const CRect& rectButton, HWND hFrame)
{
    if (IsDroppedDown() || CKGPToolBarShared::s_bCustomizing || pBar == nullptr)
        return FALSE;
    // The frame's button stands in for this one's place while the menu opens.
    const CRect kept = m_rcButton;
    m_rcButton = rectButton;
    m_hCaptionFrame = hFrame;
    const BOOL bOpened = CKGPToolbarMenuButton::OpenPopupMenu(pBar);
    m_rcButton = kept;
    if (!bOpened)
        m_hCaptionFrame = nullptr;
    return bOpened;
}

void CCustomizeButton::OnPopupMenuGone()
{
    CKGPToolbarMenuButton::OnPopupMenuGone();
    EndCaptionMenu();
}

void CCustomizeButton::CancelState()
{
    CKGPToolbarMenuButton::CancelState();
    if (!IsDroppedDown())
        EndCaptionMenu();
}

void CCustomizeButton::EndCaptionMenu()
{
    const HWND hFrame = std::exchange(m_hCaptionFrame, nullptr);
    if (auto* frame = DYNAMIC_DOWNCAST(CKGPMiniFrameWnd, CWnd::FromHandlePermanent(hFrame)))
        frame->SetCaptionButtonPushed(KGPCaption::kHitPageMenu, FALSE);
}

std::vector<CKGPToolbarButton*> CCustomizeButton::HiddenMenuEntries() const
{
    std::vector<CKGPToolbarButton*> entries;
    for (POSITION pos = m_lstHiddenButtons.GetHeadPosition(); pos != nullptr;) {
        auto* button = static_cast<CKGPToolbarButton*>(m_lstHiddenButtons.GetNext(pos));
        if (button->IsSeparator()) {
            if (!entries.empty() && entries.back() != nullptr)
                entries.push_back(nullptr);
            continue;
        }
        const auto* menuButton = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, button);
        if (button->m_nCommand != 0 || (menuButton != nullptr && !menuButton->GetCommands().IsEmpty()))
            entries.push_back(button);
    }
    if (!entries.empty() && entries.back() == nullptr)
        entries.pop_back();
    return entries;
}

CKGPToolbarButton* CCustomizeButton::GetHiddenButtonAt(int iMenuIndex) const
{
    const std::vector<CKGPToolbarButton*> entries = HiddenMenuEntries();
    return iMenuIndex >= 0 && iMenuIndex < static_cast<int>(entries.size()) ? entries[iMenuIndex] : nullptr;
}

BOOL CCustomizeButton::OnClickMenuItem(int iMenuIndex)
{
    CKGPToolbarButton* button = GetHiddenButtonAt(iMenuIndex);
    auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, GetParentWnd());
    if (button == nullptr || bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return FALSE;
    // As a click on the button where it would show: the bar first, then the
    // button itself, a user tool, and last the command to the bar's owner.
    if (bar->HandledOnRelease(button))
        return TRUE;
    const UINT command = button->m_nCommand;
    if (command != 0)
        CKGPToolBar::AddCommandUsage(command);
    if (button->HandleClick(bar, FALSE) || command == 0 || KGPToolbarLinks::InvokeTool(command))
        return TRUE;
    if (CWnd* owner = bar->GetOwner() != nullptr ? bar->GetOwner() : bar->GetParent())
        owner->PostMessage(WM_COMMAND, command);
    return TRUE;
}

CString CCustomizeButton::CustomizeEntryText() const
{
    return !m_strCustomizeText.IsEmpty() ? m_strCustomizeText
                                         : KGPLoadLibraryString(IDS_KGP_CUSTOMIZE_ENTRY, _T("&Customize..."));
}

HMENU CCustomizeButton::CreateCaptionMenu() const
{
    auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, GetParentWnd());
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return nullptr;
    CMenuHandle buttons(::CreatePopupMenu());
    for (int i = 0; i < bar->GetCount(); ++i) {
        const CKGPToolbarButton* button = bar->GetButton(i);
        if (button != nullptr && button != this && !button->IsSeparator())
            ::AppendMenuW(buttons.Get(), MF_STRING, button->m_nCommand, ButtonMenuText(*button));
    }
    CString name;
    bar->GetWindowText(name);
    name.Trim();
    if (name.IsEmpty())
        name = KGPLoadLibraryString(IDS_KGP_UNTITLED_TOOLBAR, _T("Toolbar"));
    CMenuHandle menu(::CreatePopupMenu());
    if (!::AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(buttons.Get()), name))
        return nullptr;
    (void)buttons.Detach(); // the menu owns it now
    if (m_iCustomizeCmdId > 0)
        ::AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(m_iCustomizeCmdId), CustomizeEntryText());
    return menu.Detach();
}

HMENU CCustomizeButton::CreateMenu() const
{
    if (m_hCaptionFrame != nullptr)
        return CreateCaptionMenu();
    CMenuHandle menu(::CreatePopupMenu());
    for (const CKGPToolbarButton* button : HiddenMenuEntries()) {
        if (button == nullptr) {
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
            continue;
        }
        const CString text = ButtonMenuText(*button);
        const UINT disabled = (button->m_nBits & TBBS_DISABLED) != 0 ? MF_GRAYED : 0;
        const auto* menuButton = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, const_cast<CKGPToolbarButton*>(button));
        const HMENU sub =
            menuButton != nullptr && !menuButton->GetCommands().IsEmpty() ? menuButton->CreateMenu() : nullptr;
        if (sub != nullptr)
            ::AppendMenuW(menu.Get(), MF_POPUP | disabled, reinterpret_cast<UINT_PTR>(sub), text);
        else  // one item per entry, so that an item's place names its button
            ::AppendMenuW(menu.Get(), MF_STRING | (button->m_nCommand != 0 ? disabled : MF_GRAYED),
                          button->m_nCommand, text);
    }
    const BOOL addRemove = AppendAddRemoveButtons(menu.Get());
    if (m_iCustomizeCmdId > 0) {
        if (::GetMenuItemCount(menu.Get()) > 0 && !addRemove)
            ::AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
        ::AppendMenuW(menu.Get(), MF_STRING, static_cast<UINT_PTR>(m_iCustomizeCmdId), CustomizeEntryText());
    }
    if (::GetMenuItemCount(menu.Get()) <= 0)
        return nullptr;
    return menu.Detach();
}

CString CCustomizeButton::AddRemoveButtonsText()
{
    return KGPLoadLibraryString(IDS_KGP_ADD_REMOVE_BUTTONS, _T("Add or Remove Buttons"));
}

// "Add or Remove Buttons" leads to the bar's name, which leads to the bar's
// buttons: a library frame fills that last menu as it opens, from the bar
// whose control id its one item names.
BOOL CCustomizeButton::AppendAddRemoveButtons(HMENU hMenu) const
{
    const auto* bar = DYNAMIC_DOWNCAST(CKGPToolBar, GetParentWnd());
    if (bar == nullptr || bar->GetSafeHwnd() == nullptr)
        return FALSE;
    CString name;
    bar->GetWindowText(name);
    name.Trim();
    if (name.IsEmpty())
        name = KGPLoadLibraryString(IDS_KGP_UNTITLED_TOOLBAR, _T("Toolbar"));
    CString id;
    id.Format(_T("%d"), bar->GetDlgCtrlID());
    CMenuHandle buttons(::CreatePopupMenu());
    CMenuHandle bars(::CreatePopupMenu());
    if (!buttons || !bars ||
        !::AppendMenuW(buttons.Get(), MF_STRING | MF_GRAYED, static_cast<UINT_PTR>(kNoCommandEntry), id) ||
        !::AppendMenuW(bars.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(buttons.Get()), name))
        return FALSE;
    (void)buttons.Detach();  // the bars' menu holds it now
    if (::GetMenuItemCount(hMenu) > 0)
        ::AppendMenuW(hMenu, MF_SEPARATOR, 0, nullptr);
    if (!::AppendMenuW(hMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(bars.Get()), AddRemoveButtonsText()))
        return FALSE;
    (void)bars.Detach();
    return TRUE;
}

SIZE CCustomizeButton::MeasureOnBar(CDC* /*pDC*/, const CSize& sizeDefault, BOOL bHorz)
{
    if (m_strCaption.IsEmpty())
        m_strCaption = KGPLoadLibraryString(IDS_KGP_OPTIONS, _T("Options"));
    if (!m_bShown || m_bNoEntry)
        return CSize(0, 0);
    const int glyphs = CKGPToolBarShared::s_bLargeIconMode && !CKGPToolBarShared::s_bLargeIconsLookSmall ? 2 : 1;
    const int length = glyphs * CKGPMenuGlyphs::GetWidth() + 2 * CKGPVisualManager::GetInstance()->GetMenuBorderSize();
    return bHorz ? CSize(length, sizeDefault.cy) : CSize(sizeDefault.cx, length);
}

void CCustomizeButton::OnDraw(CDC* pDC, const CRect& rect, CKGPToolBarImages* /*pImages*/, BOOL bHorz,
                              BOOL /*bCustomizeMode*/, BOOL bHighlight, BOOL /*bDrawBorder*/,
                              BOOL /*bGrayDisabledButtons*/)
{
    m_bDrawnHorizontal = bHorz;
    FillInterior(pDC, rect, bHighlight);
    // Dropped down it looks pressed.
    const BOOL pressed = (m_nBits & TBBS_PRESSED) != 0 || IsDroppedDown();
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    const int shift = pressed && manager->IsShiftPressedImage() ? 1 : 0;

    // The "more" glyph at the start, the drop glyph at the end, each a glyph
    // square centred across the button.
    const CSize glyph = CKGPMenuGlyphs::GetImageSize();
    CRect start = rect;
    CRect end = rect;
    if (bHorz) {
        start.top += 2;
        start.bottom = start.top + glyph.cy;
        end.bottom -= 2;
        end.top = end.bottom - glyph.cy;
    } else {
        start.left += 2;
        start.right = start.left + glyph.cx;
        end.right -= 2;
        end.left = end.right - glyph.cx;
    }
    start.OffsetRect(shift, shift);
    end.OffsetRect(shift, shift);
    if (HasHiddenButtons())
        CKGPMenuGlyphs::Draw(pDC, bHorz ? CKGPMenuGlyphs::kArrowDown : CKGPMenuGlyphs::kMoreVertical, start);
    if (HasCustomizeEntry())
        CKGPMenuGlyphs::Draw(pDC, bHorz ? CKGPMenuGlyphs::kDropArrow : CKGPMenuGlyphs::kDropArrowSmall, end);

    if (pressed)
        manager->DrawCustomizeButtonBorder(pDC, this, rect, KGP_BUTTON_PRESSED);
    else if (bHighlight && (m_nBits & TBBS_DISABLED) == 0)
        manager->DrawCustomizeButtonBorder(pDC, this, rect, KGP_BUTTON_HIGHLIGHTED);
}
