#include "editors/style/WizardFrame.h"

#include "core/files/TextHelpers.h"
#include "res/resource.h"
#include "widgets/SliderDlg.h"
#include "widgets/TranslucentMenu.h"
#include "widgets/UiResources.h"

namespace {

constexpr COLORREF kTextGreen = RGB(0, 128, 0);
constexpr COLORREF kStepRed = RGB(255, 0, 0);
// Posted when a popup menu opens: its window exists once the message arrives.
constexpr UINT WM_PAGE_MENU_SHOWN = WM_APP + 41;

} // namespace

BEGIN_MESSAGE_MAP(CNewWizPage, CTranDlg)
    ON_WM_CTLCOLOR()
    ON_WM_SETCURSOR()
    ON_WM_INITMENUPOPUP()
    ON_MESSAGE(WM_PAGE_MENU_SHOWN, &CNewWizPage::OnMenuShown)
END_MESSAGE_MAP()

CNewWizPage::CNewWizPage(UINT dialogId, UINT stepCaptionId)
    : CTranDlg(dialogId), m_dialogId(dialogId), m_stepCaptionId(stepCaptionId)
{
}

CNewWizPage::~CNewWizPage() = default;

BOOL CNewWizPage::OnInitDialog()
{
    CTranDlg::OnInitDialog();
    m_titleFont.CreateFont(-16, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                           CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, L"MS Sans Serif");
    m_whiteBrush.Reset(::CreateSolidBrush(RGB(255, 255, 255)));
    if (CWnd* caption = GetDlgItem(static_cast<int>(m_stepCaptionId)))
        caption->SetFont(&m_titleFont);
    m_toolTip.Create(this);
    m_toolTip.Activate(TRUE);
    m_toolTip.SetTipBkColor(RGB(255, 255, 255));
    m_toolTip.SetTipTextColor(kTextGreen);
    return TRUE;
}

void CNewWizPage::AddToolTip(CWnd* control, UINT stringId)
{
    m_toolTip.AddTool(control, LoadResString(stringId));
}

HBRUSH CNewWizPage::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    pDC->SetBkColor(RGB(255, 255, 255));
    pDC->SetTextColor(kTextGreen);
    if (nCtlColor == CTLCOLOR_STATIC) {
        if (pWnd != nullptr && pWnd->GetDlgCtrlID() == static_cast<int>(m_stepCaptionId))
            pDC->SetTextColor(kStepRed);
        pDC->SetBkMode(TRANSPARENT);
    }
    return m_whiteBrush.Get();
}

BOOL CNewWizPage::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const HCURSOR hand = GetUiResources().GetHandCursor();
    wchar_t className[16] = {};
    if (hand != nullptr && pWnd != nullptr && pWnd != this &&
        ::GetClassNameW(pWnd->GetSafeHwnd(), className, 16) > 0 && _wcsicmp(className, L"Button") == 0) {
        ::SetCursor(hand);
        return TRUE;
    }
    return CTranDlg::OnSetCursor(pWnd, nHitTest, message);
}

void CNewWizPage::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CTranDlg::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (m_menuAlpha != 255 && bSysMenu == FALSE) {
        PostMessage(WM_PAGE_MENU_SHOWN);
    }
}

LRESULT CNewWizPage::OnMenuShown(WPARAM, LPARAM)
{
    widgets::MakeThreadMenusTranslucent(m_menuAlpha);
    return 0;
}

void CNewWizPage::HideSliderOnClick(CSliderDlg& slider, const MSG* pMsg)
{
    const bool click = pMsg->message == WM_LBUTTONDOWN || pMsg->message == WM_RBUTTONDOWN ||
                       pMsg->message == WM_MBUTTONDOWN;
    const bool escape = pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_ESCAPE;
    if (slider.IsShowing() && ((click && pMsg->hwnd != slider.GetSafeHwnd()) || escape)) {
        // A click on a value opens the slider again for that value.
        slider.Hide();
        SetFocus();
    }
}

BOOL CNewWizPage::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd() != nullptr)
        m_toolTip.RelayEvent(pMsg);
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CTranDlg::PreTranslateMessage(pMsg);
}

BEGIN_MESSAGE_MAP(CNewWizDialog, CDialog)
    ON_BN_CLICKED(IDC_WIZARD_BACK, &CNewWizDialog::OnWizardBack)
    ON_BN_CLICKED(IDC_WIZARD_NEXT, &CNewWizDialog::OnWizardNext)
    ON_BN_CLICKED(IDC_WIZARD_FINISH, &CNewWizDialog::OnWizardFinish)
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CNewWizDialog::CNewWizDialog(UINT dialogId, CWnd* pParent) : CDialog(dialogId, pParent) {}
CNewWizDialog::~CNewWizDialog() = default;

BOOL CNewWizDialog::OnInitDialog()
{
    CDialog::OnInitDialog();
    ModifyStyleEx(0, WS_EX_CONTROLPARENT);
    ShowFirstPage();
    return TRUE;
}

void CNewWizDialog::ShowFirstPage()
{
    if (m_pages.empty())
        return;
    EnableButton(IDC_WIZARD_BACK, false);
    const bool single = m_pages.size() < 2;
    ShowButton(IDC_WIZARD_FINISH, single);
    EnableButton(IDC_WIZARD_FINISH, single);
    ShowButton(IDC_WIZARD_NEXT, !single);
    EnableButton(IDC_WIZARD_NEXT, !single);
    SetActivePage(m_pages.front());
}

void CNewWizDialog::ShowButton(UINT id, bool shown)
{
    if (CWnd* button = GetDlgItem(id))
        button->ShowWindow(shown ? SW_SHOW : SW_HIDE);
}

void CNewWizDialog::EnableButton(UINT id, bool enabled)
{
    if (CWnd* button = GetDlgItem(id))
        button->EnableWindow(enabled ? TRUE : FALSE);
}

int CNewWizDialog::IndexOf(const CNewWizPage* page) const
{
    for (size_t i = 0; i < m_pages.size(); ++i)
        if (m_pages[i] == page)
            return static_cast<int>(i);
    return -1;
}

CNewWizPage* CNewWizDialog::GetActivePage() const
{
    for (CNewWizPage* page : m_pages)
        if (page->m_active)
            return page;
    return nullptr;
}

BOOL CNewWizDialog::SetActivePage(CNewWizPage* page)
{
    if (page == nullptr)
        return FALSE;
    if (!page->m_created) {
        if (!page->Create(page->m_dialogId, this))
            return FALSE;
        page->m_created = true;
        page->m_frame = this;
        if (!page->OnCreatePage())
            return FALSE;
    }
    if (CNewWizPage* current = GetActivePage()) {
        if (current != page) {
            if (!current->OnKillActive())
                return FALSE;
            current->ShowWindow(SW_HIDE);
            current->m_active = false;
        }
    }
    CRect area;
    if (CWnd* placeholder = GetDlgItem(m_placeholderId)) {
        placeholder->GetWindowRect(&area);
        ScreenToClient(&area);
    } else {
        GetClientRect(&area);
    }
    ::SetWindowPos(page->GetSafeHwnd(), nullptr, area.left, area.top, area.Width(), area.Height(),
                   SWP_NOZORDER | SWP_NOACTIVATE);
    page->EnableWindow(TRUE);
    page->ShowWindow(SW_SHOW);
    page->Invalidate();
    page->UpdateWindow();
    page->OnSetActive();
    page->m_active = true;
    return TRUE;
}

CNewWizPage* CNewWizDialog::PageForAnswer(LRESULT answer, int step) const
{
    if (answer == CNewWizPage::kStayOnPage)
        return nullptr;
    if (answer == 0) {
        const int index = IndexOf(GetActivePage()) + step;
        return index >= 0 && index < static_cast<int>(m_pages.size()) ? m_pages[static_cast<size_t>(index)] : nullptr;
    }
    for (CNewWizPage* page : m_pages)
        if (static_cast<LRESULT>(page->m_dialogId) == answer)
            return page;
    return nullptr;
}

void CNewWizDialog::OnWizardBack()
{
    CNewWizPage* active = GetActivePage();
    if (active == nullptr)
        return;
    CNewWizPage* target = PageForAnswer(active->OnWizardBack(), -1);
    if (target == nullptr || !SetActivePage(target))
        return;
    if (target == m_pages.front())
        EnableButton(IDC_WIZARD_BACK, false);
    EnableButton(IDC_WIZARD_FINISH, false);
    ShowButton(IDC_WIZARD_FINISH, false);
    ShowButton(IDC_WIZARD_NEXT, true);
    EnableButton(IDC_WIZARD_NEXT, true);
}

void CNewWizDialog::OnWizardNext()
{
    CNewWizPage* active = GetActivePage();
    if (active == nullptr)
        return;
    CNewWizPage* target = PageForAnswer(active->OnWizardNext(), +1);
    if (target == nullptr)
        return;
    if (target == m_pages.back()) {
        ShowButton(IDC_WIZARD_NEXT, false);
        EnableButton(IDC_WIZARD_NEXT, false);
        EnableButton(IDC_WIZARD_FINISH, true);
        ShowButton(IDC_WIZARD_FINISH, true);
    }
    if (SetActivePage(target))
        EnableButton(IDC_WIZARD_BACK, true);
}

void CNewWizDialog::OnWizardFinish()
{
    CNewWizPage* active = GetActivePage();
    if (active == nullptr || !active->OnKillActive())
        return;
    for (CNewWizPage* page : m_pages)
        if (page->m_created && !page->OnWizardFinish())
            return;
    UpdateData(TRUE);
}

void CNewWizDialog::OnCancel()
{
    for (CNewWizPage* page : m_pages)
        if (page->m_created && !page->OnQueryCancel())
            return;
    CDialog::OnCancel();
}

void CNewWizDialog::OnDestroy()
{
    for (CNewWizPage* page : m_pages) {
        if (page->m_created && page->OnKillActive()) {
            page->OnDestroyPage();
            page->DestroyWindow();
            page->m_created = false;
            page->m_active = false;
        }
    }
    CDialog::OnDestroy();
}

BOOL CNewWizDialog::PreTranslateMessage(MSG* pMsg)
{
    // Embedded in a page: the keyboard never closes the wizard.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE))
        return TRUE;
    return CDialog::PreTranslateMessage(pMsg);
}
