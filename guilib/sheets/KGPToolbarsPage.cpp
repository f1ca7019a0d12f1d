#include "guilib/sheets/KGPToolbarsPage.h"

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/sheets/KGPToolbarCustomize.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "guilib/toolbars/KGPToolbarLinks.h"
#include "guilib/toolbars/KGPUserToolbarMessages.h"

IMPLEMENT_DYNAMIC(CToolbarNameDlg, CDialog)
IMPLEMENT_DYNCREATE(CKGPToolbarsPage, CPropertyPage)

namespace {

// Drop-down toolbars show in their buttons' frames and are never listed.
BOOL IsListed(const CKGPToolBar* pBar, const CFrameWnd* pFrame)
{
    return pBar->GetSafeHwnd() != nullptr && pBar->ShowsOnToolbarsList() &&
           (pFrame == nullptr || pBar->GetTopLevelFrame() == pFrame);
}

// The open sheet's toolbars page hears of a bar shown or hidden elsewhere
// (its floating frame's close button, the View menu).
class CCustomizeSheetLink final : public IKGPCustomizeSheetLink {
public:
    void OnToolbarShown(CKGPToolBar* pBar, BOOL bShown) override
    {
        CKGPToolbarCustomize* sheet = CKGPToolbarCustomize::GetOpenSheet();
        if (CKGPToolbarsPage* page = sheet != nullptr ? sheet->GetToolbarsPage() : nullptr)
            page->OnToolbarShown(pBar, bShown);
    }
};

} // namespace

void KGPRegisterToolbarsPageLink()
{
    static CCustomizeSheetLink link;
    KGPRegisterLink<IKGPCustomizeSheetLink>(link);
}

// ---- The name dialog

CToolbarNameDlg::CToolbarNameDlg(CWnd* pParent) : CDialog(IDD_KGP_TOOLBAR_NAME, pParent) {}

BOOL CToolbarNameDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CWnd* main = AfxGetMainWnd();
    if (main != nullptr && main->GetSafeHwnd() != nullptr && (main->GetExStyle() & WS_EX_LAYOUTRTL) != 0)
        ModifyStyleEx(0, WS_EX_LAYOUTRTL);
    SetDlgItemText(IDC_KGP_TOOLBAR_NAME, m_strToolbarName);
    if (CWnd* ok = GetDlgItem(IDOK))
        ok->EnableWindow(!m_strToolbarName.IsEmpty());
    return TRUE;
}

BOOL CToolbarNameDlg::OnCommand(WPARAM wParam, LPARAM lParam)
{
    if (LOWORD(wParam) == IDC_KGP_TOOLBAR_NAME && HIWORD(wParam) == EN_UPDATE) {
        CString text;
        GetDlgItemText(IDC_KGP_TOOLBAR_NAME, text);
        if (CWnd* ok = GetDlgItem(IDOK))
            ok->EnableWindow(!text.IsEmpty());
        return TRUE;
    }
    return CDialog::OnCommand(wParam, lParam);
}

void CToolbarNameDlg::OnOK()
{
    GetDlgItemText(IDC_KGP_TOOLBAR_NAME, m_strToolbarName);
    if (!m_strToolbarName.IsEmpty())
        CDialog::OnOK();
}

// ---- The page

CKGPToolbarsPage::CKGPToolbarsPage(CFrameWnd* pParentFrame)
    : CPropertyPage(IDD_KGP_TOOLBARS_PAGE), m_pParentFrame(pParentFrame)
{
}

CFrameWnd* CKGPToolbarsPage::Frame() const
{
    if (m_pParentFrame != nullptr)
        return m_pParentFrame;
    const auto* sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet());
    return sheet != nullptr ? sheet->GetFrame() : nullptr;
}

BOOL CKGPToolbarsPage::Ask(UINT uiStringId, LPCTSTR lpszArgument)
{
    CKGPLocalResource library;
    CString format;
    format.LoadString(uiStringId);
    CString question;
    question.Format(format, lpszArgument != nullptr ? lpszArgument : _T(""));
    return AfxMessageBox(question, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

BOOL CKGPToolbarsPage::OnInitDialog()
{
    CPropertyPage::OnInitDialog();
    m_wndToolbarList.SubclassDlgItem(IDC_KGP_TOOLBAR_LIST, this);
    // New, Rename and Delete stand only where the frame keeps user toolbars
    // (a range of ids for them); the text labels where the sheet offers them.
    UINT first = 0;
    UINT last = 0;
    const IKGPToolbarFrameLink* frames = CKGPLink<IKGPToolbarFrameLink>::Get();
    const BOOL userToolbars = Frame() != nullptr && frames != nullptr &&
                              frames->GetToolbarIdRange(Frame(), first, last) && first != 0 && first <= last &&
                              first != static_cast<UINT>(-1);
    for (const UINT id : {IDC_KGP_NEW_TOOLBAR, IDC_KGP_RENAME_TOOLBAR, IDC_KGP_DELETE_TOOLBAR}) {
        if (CWnd* button = GetDlgItem(id))
            button->ShowWindow(userToolbars ? SW_SHOW : SW_HIDE);
    }
    if (CWnd* newToolbar = GetDlgItem(IDC_KGP_NEW_TOOLBAR))
        newToolbar->EnableWindow(userToolbars);
    const auto* sheet = DYNAMIC_DOWNCAST(CKGPToolbarCustomize, GetSheet());
    if (CWnd* labels = GetDlgItem(IDC_KGP_TEXT_LABELS))
        labels->ShowWindow(sheet == nullptr || (sheet->GetFlags() & KGP_CUSTOMIZE_TEXT_LABELS) != 0 ? SW_SHOW : SW_HIDE);
    FillList();
    SelectToolbar(0);
    return TRUE;
}

void CKGPToolbarsPage::FillList()
{
    m_wndToolbarList.ResetContent();
    CFrameWnd* frame = Frame();
    const CObList& bars = CKGPToolBar::GetAllToolbars();
    for (POSITION pos = bars.GetHeadPosition(); pos != nullptr;) {
        auto* bar = static_cast<CKGPToolBar*>(bars.GetNext(pos));
        if (!IsListed(bar, frame))
            continue;
        CString name;
        bar->GetWindowText(name);
        const int index = m_wndToolbarList.AddString(name);
        if (index < 0)
            continue;
        m_wndToolbarList.SetItemData(index, reinterpret_cast<DWORD_PTR>(bar));
        m_wndToolbarList.SetCheck(index, (bar->GetStyle() & WS_VISIBLE) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
}

int CKGPToolbarsPage::FindToolbar(const CKGPToolBar* pToolBar) const
{
    for (int i = 0; i < m_wndToolbarList.GetCount(); ++i) {
        if (reinterpret_cast<const CKGPToolBar*>(m_wndToolbarList.GetItemData(i)) == pToolBar)
            return i;
    }
    return -1;
}

void CKGPToolbarsPage::SelectToolbar(int nIndex)
{
    if (m_wndToolbarList.GetSafeHwnd() == nullptr)
        return;
    m_wndToolbarList.SetCurSel(nIndex);
    m_pSelectedToolbar = nIndex >= 0 && nIndex < m_wndToolbarList.GetCount()
                             ? reinterpret_cast<CKGPToolBar*>(m_wndToolbarList.GetItemData(nIndex))
                             : nullptr;
    UpdateButtons();
}

void CKGPToolbarsPage::UpdateButtons()
{
    CKGPToolBar* bar = m_pSelectedToolbar;
    const BOOL user = bar != nullptr && bar->IsInFrameIdRange();
    auto enable = [this](UINT id, BOOL bEnable) {
        if (CWnd* control = GetDlgItem(id))
            control->EnableWindow(bEnable);
    };
    enable(IDC_KGP_DELETE_TOOLBAR, user);
    enable(IDC_KGP_RENAME_TOOLBAR, user);
    enable(IDC_KGP_RESET, bar != nullptr && bar->HasResource());
    enable(IDC_KGP_TEXT_LABELS, bar != nullptr && bar->AllowChangeTextLabels());
    CheckDlgButton(IDC_KGP_TEXT_LABELS, bar != nullptr && bar->AreTextLabels() ? BST_CHECKED : BST_UNCHECKED);
}

BOOL CKGPToolbarsPage::ShowToolbar(int nIndex, BOOL bShow)
{
    auto* bar = nIndex >= 0 && nIndex < m_wndToolbarList.GetCount()
                    ? reinterpret_cast<CKGPToolBar*>(m_wndToolbarList.GetItemData(nIndex))
                    : nullptr;
    if (bar == nullptr)
        return FALSE;
    if (!bShow && !bar->CanBeClosed()) {
        m_wndToolbarList.SetCheck(nIndex, BST_CHECKED);
        ::MessageBeep(static_cast<UINT>(-1));
        return FALSE;
    }
    bar->ShowBar(bShow, FALSE, FALSE);
    m_wndToolbarList.SetCheck(nIndex, bShow ? BST_CHECKED : BST_UNCHECKED);
    return TRUE;
}

void CKGPToolbarsPage::OnToolbarShown(const CKGPToolBar* pToolBar, BOOL bShown)
{
    if (m_wndToolbarList.GetSafeHwnd() == nullptr)
        return;  // the list is filled with the bars as they are when the page opens
    const int index = FindToolbar(pToolBar);
    if (index >= 0 && (m_wndToolbarList.GetCheck(index) == BST_CHECKED) != (bShown != FALSE))
        m_wndToolbarList.SetCheck(index, bShown ? BST_CHECKED : BST_UNCHECKED);
}

CKGPToolBar* CKGPToolbarsPage::CreateToolbar(LPCTSTR lpszName)
{
    CFrameWnd* frame = Frame();
    if (frame == nullptr || frame->GetSafeHwnd() == nullptr)
        return nullptr;
    CKGPToolBar* bar = KGPUserToolbarMessages::SendCreate(frame, lpszName);
    if (bar == nullptr)
        return nullptr;
    if (m_wndToolbarList.GetSafeHwnd() != nullptr) {
        const int index = m_wndToolbarList.AddString(lpszName);
        m_wndToolbarList.SetItemData(index, reinterpret_cast<DWORD_PTR>(bar));
        m_wndToolbarList.SetCheck(index, BST_CHECKED);
        SelectToolbar(index);
    }
    return bar;
}

BOOL CKGPToolbarsPage::RenameToolbar(CKGPToolBar* pToolBar, LPCTSTR lpszName)
{
    if (pToolBar == nullptr || pToolBar->GetSafeHwnd() == nullptr || lpszName == nullptr || *lpszName == 0)
        return FALSE;
    pToolBar->SetWindowText(lpszName);
    const int index = FindToolbar(pToolBar);
    if (index >= 0) {
        const int check = m_wndToolbarList.GetCheck(index);
        m_wndToolbarList.DeleteString(static_cast<UINT>(index));
        m_wndToolbarList.InsertString(index, lpszName);
        m_wndToolbarList.SetItemData(index, reinterpret_cast<DWORD_PTR>(pToolBar));
        m_wndToolbarList.SetCheck(index, check);
        SelectToolbar(index);
    }
    return TRUE;
}

BOOL CKGPToolbarsPage::DeleteToolbar(CKGPToolBar* pToolBar)
{
    CFrameWnd* frame = Frame();
    if (pToolBar == nullptr || frame == nullptr || frame->GetSafeHwnd() == nullptr)
        return FALSE;
    const int index = FindToolbar(pToolBar);
    if (!KGPUserToolbarMessages::SendDelete(frame, pToolBar)) {
        ::MessageBeep(MB_ICONASTERISK);
        return FALSE;
    }
    if (index >= 0) {
        m_wndToolbarList.DeleteString(static_cast<UINT>(index));
        SelectToolbar(m_wndToolbarList.GetCount() > 0 ? 0 : -1);
    }
    return TRUE;
}

BOOL CKGPToolbarsPage::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT id = LOWORD(wParam);
    const UINT code = HIWORD(wParam);
    CString name;
    if (m_pSelectedToolbar != nullptr && m_pSelectedToolbar->GetSafeHwnd() != nullptr)
        m_pSelectedToolbar->GetWindowText(name);
    if (id == IDC_KGP_TOOLBAR_LIST) {
        const int selected = m_wndToolbarList.GetCurSel();
        if (code == LBN_SELCHANGE)
            SelectToolbar(selected);
        else if (code == KGP_CLBN_CHKCHANGE)
            ShowToolbar(selected, m_wndToolbarList.GetCheck(selected) == BST_CHECKED);
        else if (code == LBN_DBLCLK && selected >= 0)
            ShowToolbar(selected, m_wndToolbarList.GetCheck(selected) != BST_CHECKED);
        return TRUE;
    }
    if (code != BN_CLICKED)
        return CPropertyPage::OnCommand(wParam, lParam);
    switch (id) {
    case IDC_KGP_TEXT_LABELS:
        if (m_pSelectedToolbar != nullptr)
            m_pSelectedToolbar->EnableTextLabels(IsDlgButtonChecked(IDC_KGP_TEXT_LABELS) == BST_CHECKED);
        return TRUE;
    case IDC_KGP_RESET:
        if (m_pSelectedToolbar != nullptr && Ask(IDS_KGP_RESET_TOOLBAR, name))
            m_pSelectedToolbar->ResetToResource();
        return TRUE;
    case IDC_KGP_RESET_ALL:
        if (Ask(IDS_KGP_RESET_ALL_TOOLBARS, nullptr)) {
            GetCmdMgr()->ResetAll();
            for (int i = 0; i < m_wndToolbarList.GetCount(); ++i) {
                auto* bar = reinterpret_cast<CKGPToolBar*>(m_wndToolbarList.GetItemData(i));
                if (bar->HasResource())
                    bar->ResetToResource();
            }
        }
        return TRUE;
    case IDC_KGP_NEW_TOOLBAR: {
        CToolbarNameDlg dialog(this);
        if (dialog.DoModal() == IDOK)
            CreateToolbar(dialog.m_strToolbarName);
        return TRUE;
    }
    case IDC_KGP_RENAME_TOOLBAR: {
        if (m_pSelectedToolbar == nullptr)
            return TRUE;
        CToolbarNameDlg dialog(this);
        dialog.m_strToolbarName = name;
        if (dialog.DoModal() == IDOK)
            RenameToolbar(m_pSelectedToolbar, dialog.m_strToolbarName);
        return TRUE;
    }
    case IDC_KGP_DELETE_TOOLBAR:
        if (m_pSelectedToolbar != nullptr && Ask(IDS_KGP_DELETE_TOOLBAR, name))
            DeleteToolbar(m_pSelectedToolbar);
        return TRUE;
    default:
        return CPropertyPage::OnCommand(wParam, lParam);
    }
}
