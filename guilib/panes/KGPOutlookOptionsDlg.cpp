#include "guilib/panes/KGPOutlookOptionsDlg.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/panes/KGPOutlookBar.h"
#include "guilib/panes/KGPOutlookWnd.h"

#include <algorithm>

CKGPOutlookOptionsDlg::CKGPOutlookOptionsDlg(CKGPOutlookWnd& parentBar)
    : CDialog(IDD_KGP_OUTLOOK_OPTIONS, &parentBar), m_parentBar(parentBar)
{
    for (int i = 0; i < parentBar.GetTabsNum(); ++i)
        m_items.push_back({i, parentBar.IsTabVisible(i) != FALSE});
}

BOOL CKGPOutlookOptionsDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (CWnd* pMain = AfxGetMainWnd(); pMain != nullptr && (pMain->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    m_wndList.SubclassDlgItem(IDC_KGP_OUTLOOK_PAGES, this);
    FillList();
    if (m_parentBar.GetParentOutlookBar() == nullptr) {
        if (CWnd* pReset = GetDlgItem(IDC_KGP_OUTLOOK_RESET)) {
            pReset->EnableWindow(FALSE);
            pReset->ShowWindow(SW_HIDE);
        }
    }
    return TRUE;
}

void CKGPOutlookOptionsDlg::FillList()
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    m_wndList.ResetContent();
    for (const kgp::outlook::OptionItem& item : m_items) {
        CString label;
        m_parentBar.GetTabLabel(item.page, label);
        const int index = m_wndList.AddString(label);
        m_wndList.SetItemData(index, static_cast<DWORD_PTR>(item.page));
        m_wndList.SetCheck(index, item.checked ? 1 : 0);
    }
    m_wndList.SetCurSel(m_items.empty() ? -1 : 0);
    UpdateButtons();
}

void CKGPOutlookOptionsDlg::ReadChecks()
{
    if (m_wndList.GetSafeHwnd() == nullptr)
        return;
    for (size_t i = 0; i < m_items.size(); ++i)
        m_items[i].checked = m_wndList.GetCheck(static_cast<int>(i)) != 0;
}

void CKGPOutlookOptionsDlg::UpdateButtons()
{
    const int selected = m_wndList.GetSafeHwnd() != nullptr ? m_wndList.GetCurSel() : -1;
    if (CWnd* pUp = GetDlgItem(IDC_KGP_OUTLOOK_UP))
        pUp->EnableWindow(kgp::outlook::CanMoveUp(m_items, selected));
    if (CWnd* pDown = GetDlgItem(IDC_KGP_OUTLOOK_DOWN))
        pDown->EnableWindow(kgp::outlook::CanMoveDown(m_items, selected));
}

void CKGPOutlookOptionsDlg::Move(bool up)
{
    ReadChecks();
    const int selected = kgp::outlook::MoveItem(m_items, m_wndList.GetCurSel(), up);
    FillList();
    m_wndList.SetCurSel(selected);
    UpdateButtons();
}

BOOL CKGPOutlookOptionsDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    switch (LOWORD(wParam)) {
    case IDC_KGP_OUTLOOK_UP:
        Move(true);
        return TRUE;
    case IDC_KGP_OUTLOOK_DOWN:
        Move(false);
        return TRUE;
    case IDC_KGP_OUTLOOK_RESET: {
        if (m_parentBar.GetParentOutlookBar() != nullptr) {
            std::vector<kgp::outlook::OptionItem> items =
                kgp::outlook::ResetItems(DefaultOrder(m_parentBar), m_parentBar.GetTabsNum());
            if (!items.empty()) {
                m_items = items;
                FillList();
            }
        }
        return TRUE;
    }
    case IDC_KGP_OUTLOOK_PAGES:
        if (HIWORD(wParam) == LBN_SELCHANGE)
            UpdateButtons();
        else if (HIWORD(wParam) == LBN_DBLCLK) {
            const int selected = m_wndList.GetCurSel();
            if (selected >= 0)
                m_wndList.SetCheck(selected, m_wndList.GetCheck(selected) ? 0 : 1);
        }
        return TRUE;
    default:
        break;
    }
    return CDialog::OnCommand(wParam, lParam);
}

std::vector<int> CKGPOutlookOptionsDlg::DefaultOrder(const CKGPOutlookWnd& wnd)
{
    std::vector<int> order;
    for (int i = 0; i < wnd.GetTabsNum(); ++i)
        order.push_back(i);
    std::stable_sort(order.begin(), order.end(), [&wnd](int a, int b) {
        return wnd.GetTabInfo(a)->m_iTabID < wnd.GetTabInfo(b)->m_iTabID;
    });
    return order;
}

void CKGPOutlookOptionsDlg::ApplyItems(CKGPOutlookWnd& wnd, const std::vector<kgp::outlook::OptionItem>& items)
{
    for (const kgp::outlook::OptionItem& item : items) {
        if ((wnd.IsTabVisible(item.page) != FALSE) != item.checked)
            wnd.ShowTab(item.page, item.checked ? TRUE : FALSE, FALSE, FALSE);
    }
    // Reorder: the page listed at position k moves to k; earlier moves shift
    // the later pages, so the indexes are followed as they move.
    std::vector<int> current;
    for (int i = 0; i < wnd.GetTabsNum(); ++i)
        current.push_back(i);
    for (size_t k = 0; k < items.size(); ++k) {
        const auto it = std::find(current.begin(), current.end(), items[k].page);
        if (it == current.end())
            continue;
        const int from = static_cast<int>(it - current.begin());
        if (from != static_cast<int>(k)) {
            wnd.MoveTab(from, static_cast<int>(k));
            const int page = *it;
            current.erase(it);
            current.insert(current.begin() + static_cast<long>(k), page);
        }
    }
}

void CKGPOutlookOptionsDlg::OnOK()
{
    ReadChecks();
    ApplyItems(m_parentBar, m_items);
    CDialog::OnOK();
}
