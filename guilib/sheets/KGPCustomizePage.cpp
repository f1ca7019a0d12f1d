#include "guilib/sheets/KGPCustomizePage.h"

#include <afxole.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolbarButton.h"
#include "guilib/toolbars/KGPToolbarDropSource.h"
#include "guilib/toolbars/KGPToolBarShared.h"

#include <algorithm>
#include <utility>

IMPLEMENT_DYNAMIC(CButtonsTextList, CListBox)
IMPLEMENT_DYNCREATE(CKGPCustomizePage, CPropertyPage)

// ---- The command list

CKGPToolbarButton* CButtonsTextList::GetButton(int nIndex) const
{
    if (nIndex < 0 || nIndex >= GetCount())
        return nullptr;
    return reinterpret_cast<CKGPToolbarButton*>(GetItemData(nIndex));
}

DROPEFFECT CButtonsTextList::DragItem(int nIndex)
{
    CKGPToolbarButton* button = GetButton(nIndex);
    if (button == nullptr)
        return DROPEFFECT_NONE;
    COleDataSource source;
    button->m_bFromCommandList = TRUE;
    const BOOL copied = button->CopyToDataSource(&source);
    button->m_bFromCommandList = FALSE;
    if (!copied)
        return DROPEFFECT_NONE;
    CRect start;
    GetItemRect(nIndex, start);
    ClientToScreen(start);
    if (!m_hcurDrag)
        m_hcurDrag.Reset(KGPLoadLibraryCursor(IDCUR_KGP_DRAG_DELETE));
    if (m_hcurDrag)
        ::SetCursor(m_hcurDrag.Get());
    CKGPToolbarDropSource dropSource;
    return source.DoDragDrop(DROPEFFECT_COPY | DROPEFFECT_MOVE, start, &dropSource);
}

LRESULT CButtonsTextList::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_ERASEBKGND) {
        // The look fills the list behind its rows.
        CRect client;
        GetClientRect(client);
        CKGPVisualManager::GetInstance()->FillCommandList(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), client);
        return TRUE;
    }
    if (message == WM_LBUTTONDOWN) {
        // A press on an item selects it (the page hears of it as of any
        // choice) and starts a drag of its button: a user presses a command
        // and drags it without clicking it first.
        const LRESULT hit = SendMessage(LB_ITEMFROMPOINT, 0, lParam);
        const int index = LOWORD(hit);
        if (HIWORD(hit) == 0 && index < GetCount()) {
            SetFocus();
            if (index != GetCurSel()) {
                SetCurSel(index);
                if (CWnd* pParent = GetParent())
                    pParent->SendMessage(WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(), LBN_SELCHANGE),
                                         reinterpret_cast<LPARAM>(m_hWnd));
            }
            // The list's own press ends before the drag takes the mouse.
            CListBox::WindowProc(WM_LBUTTONUP, 0, lParam);
            DragItem(index);
            return 0;
        }
    }
    return CListBox::WindowProc(message, wParam, lParam);
}

int CButtonsTextList::RowHeight() const
{
    CWindowDCHandle screen(GetSafeHwnd());
    const CSelectionScope font(screen.Get(), reinterpret_cast<HFONT>(::SendMessageW(GetSafeHwnd(), WM_GETFONT, 0, 0)));
    TEXTMETRICW metrics{};
    ::GetTextMetricsW(screen.Get(), &metrics);
    return std::max<int>(CKGPToolBarShared::GetMenuImageSize().cy + 6, metrics.tmHeight + 4);
}

void CButtonsTextList::MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    lpMeasureItemStruct->itemHeight = RowHeight();
}

void CButtonsTextList::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    const int index = static_cast<int>(lpDrawItemStruct->itemID);
    CKGPToolbarButton* button = index >= 0 ? GetButton(index) : nullptr;
    if (button == nullptr)
        return;
    CDC* dc = CDC::FromHandle(lpDrawItemStruct->hDC);
    const CRect rect(lpDrawItemStruct->rcItem);
    CString shown;
    GetText(index, shown);
    // The button draws its own caption: the list's text (which may tell twins apart) stands in for it.
    CString own = std::exchange(button->m_strCaption, shown);
    button->DrawInCommandList(dc, rect, (lpDrawItemStruct->itemState & ODS_SELECTED) != 0);
    button->m_strCaption = std::move(own);
    if ((lpDrawItemStruct->itemState & ODS_FOCUS) != 0)
        dc->DrawFocusRect(rect);
}

// ---- The page

CKGPCustomizePage::CKGPCustomizePage() : CPropertyPage(IDD_KGP_COMMANDS_PAGE) {}

CKGPToolbarCustomize* CKGPCustomizePage::Sheet() const
{
    return DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet());
}

BOOL CKGPCustomizePage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndCategories.SubclassDlgItem(IDC_KGP_CATEGORIES, this);
    m_wndCommands.SubclassDlgItem(IDC_KGP_COMMANDS, this);
    m_wndCommands.SetItemHeight(0, m_wndCommands.RowHeight());  // measured before the list was ours
    if (CKGPToolbarCustomize* sheet = Sheet()) {
        m_strAllCommands = sheet->GetAllCommandsName();
        sheet->FillCategoriesListBox(m_wndCategories);
    }
    m_wndCategories.SetCurSel(0);
    SelectCategory(0);
    return TRUE;
}

CString CKGPCustomizePage::ItemText(const CKGPToolbarButton& button, const CObList& lstCategory, BOOL bAllCommands)
{
    // A command's own name tells apart captions the list shows twice.
    if (!button.m_strDescription.IsEmpty() &&
        (bAllCommands || CKGPToolbarCustomize::GetCountInCategory(button.m_strCaption, lstCategory) > 1))
        return button.m_strDescription;
    return button.m_strCaption;
}

void CKGPCustomizePage::SelectCategory(int nIndex)
{
    if (m_wndCommands.GetSafeHwnd() == nullptr)
        return;
    CWaitCursor wait;
    m_wndCommands.SetRedraw(FALSE);
    m_wndCommands.ResetContent();
    CString name;
    if (nIndex >= 0 && nIndex < m_wndCategories.GetCount())
        m_wndCategories.GetText(nIndex, name);
    const auto* list = nIndex >= 0 && nIndex < m_wndCategories.GetCount()
                           ? reinterpret_cast<const CObList*>(m_wndCategories.GetItemData(nIndex))
                           : nullptr;
    const BOOL all = name == m_strAllCommands;
    if (list != nullptr) {
        for (POSITION pos = list->GetHeadPosition(); pos != nullptr;) {
            auto* button = static_cast<CKGPToolbarButton*>(list->GetNext(pos));
            if (button->m_nCommand != 0 && button->m_nCommand != static_cast<UINT>(-1) &&
                GetCmdMgr()->GetCmdImage(button->m_nCommand, FALSE) < 0)
                button->m_bUserImage = TRUE;
            const CString text = ItemText(*button, *list, all);
            int at = -1;
            if (all) {
                // In alphabetical order.
                at = 0;
                CString other;
                while (at < m_wndCommands.GetCount()) {
                    m_wndCommands.GetText(at, other);
                    if (text.CompareNoCase(other) < 0)
                        break;
                    ++at;
                }
            }
            const int index = m_wndCommands.InsertString(at, text);
            if (index >= 0)
                m_wndCommands.SetItemData(index, reinterpret_cast<DWORD_PTR>(button));
        }
    }
    m_wndCommands.SetRedraw(TRUE);
    m_wndCommands.Invalidate();
    SetDlgItemText(IDC_KGP_DESCRIPTION, _T(""));
}

void CKGPCustomizePage::SelectCommand(int nIndex)
{
    const CKGPToolbarButton* button = m_wndCommands.GetButton(nIndex);
    CString description;
    if (button != nullptr) {
        CFrameWnd* frame = Sheet() != nullptr ? Sheet()->GetFrame() : nullptr;
        if (button->m_nCommand != 0 && frame != nullptr)
            frame->GetMessageString(button->m_nCommand, description);
        else
            description = button->m_strCaption;
    }
    SetDlgItemText(IDC_KGP_DESCRIPTION, description);
}

BOOL CKGPCustomizePage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (HIWORD(wParam) == LBN_SELCHANGE) {
        if (LOWORD(wParam) == IDC_KGP_CATEGORIES) {
            SelectCategory(m_wndCategories.GetCurSel());
            return TRUE;
        }
        if (LOWORD(wParam) == IDC_KGP_COMMANDS) {
            SelectCommand(m_wndCommands.GetCurSel());
            return TRUE;
        }
    }
    return CPropertyPage::OnCommand(wParam, lParam);
}
