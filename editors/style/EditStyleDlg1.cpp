#include "editors/style/EditStyleDlg1.h"

#include "pages/AppMessages.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CEditStyleDlg1, CBaseDlg)
    ON_WM_SIZE()
    ON_MESSAGE(AppMsg::SelectPage, &CEditStyleDlg1::OnSelectPage)
    ON_MESSAGE(AppMsg::LanguageChanged, &CEditStyleDlg1::OnLanguageChanged)
END_MESSAGE_MAP()

CEditStyleDlg1::CEditStyleDlg1(CWnd* pParent) : CBaseDlg(IDD_EDIT_STYLE, pParent) {}
CEditStyleDlg1::~CEditStyleDlg1() = default;

BOOL CEditStyleDlg1::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    EnableToolTips(TRUE);
    if (m_sheet.Create(IDD_WIZARD_FRAME, this)) {
        FitSheet(false);
        m_sheet.ShowWindow(SW_SHOW);
    }
    return TRUE;
}

void CEditStyleDlg1::FitSheet(bool repaint)
{
    if (m_sheet.GetSafeHwnd() == nullptr)
        return;
    CRect client;
    GetClientRect(&client);
    m_sheet.MoveWindow(&client, repaint ? TRUE : FALSE);
}

void CEditStyleDlg1::OnSize(UINT nType, int cx, int cy)
{
    CBaseDlg::OnSize(nType, cx, cy);
    FitSheet(true);
}

LRESULT CEditStyleDlg1::OnSelectPage(WPARAM wParam, LPARAM lParam)
{
    if (m_sheet.GetSafeHwnd() != nullptr)
        m_sheet.PostMessage(AppMsg::SelectPage, wParam, lParam);
    return 0;
}

LRESULT CEditStyleDlg1::OnLanguageChanged(WPARAM wParam, LPARAM lParam)
{
    ReloadTexts();
    if (m_sheet.GetSafeHwnd() != nullptr)
        m_sheet.PostMessage(AppMsg::LanguageChanged, wParam, lParam);
    return 0;
}

void CEditStyleDlg1::Attach(IPageHost* pView, CUSBPort* pPort)
{
    CBaseDlg::Attach(pView, pPort);
    m_sheet.SetHost(pView);
}

bool CEditStyleDlg1::CanClose() { return m_sheet.CanClose(); }

LRESULT CEditStyleDlg1::OnDeviceLost(WPARAM wParam, LPARAM lParam)
{
    if (m_sheet.GetSafeHwnd() != nullptr)
        m_sheet.SendMessage(AppMsg::DeviceLost, wParam, lParam);
    return 1;
}

void CEditStyleDlg1::GetExcludeRects(std::vector<CRect>& rects)
{
    CWnd* first = m_sheet.GetSafeHwnd() != nullptr ? &m_sheet.GetSourcePage() : nullptr;
    if (first == nullptr || first->GetSafeHwnd() == nullptr)
        return;
    CRect area;
    first->GetWindowRect(&area);
    ScreenToClient(&area);
    area.right -= 8;
    area.bottom -= 8;
    rects.push_back(area);
}

boost::shared_ptr<CBaseDlg> CreateStyleEditorPage(CWnd* parent)
{
    boost::shared_ptr<CEditStyleDlg1> page(new CEditStyleDlg1(parent));
    if (!page->Create(IDD_EDIT_STYLE, parent))
        return {};
    return page;
}
