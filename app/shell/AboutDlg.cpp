#include "app/shell/AboutDlg.h"

#include "res/resource.h"
#include "widgets/BottomFade.h"

BEGIN_MESSAGE_MAP(CAboutDlg, CDialog)
    ON_WM_CLOSE()
    ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

CAboutDlg::CAboutDlg(CWnd* pParent) : CDialog(IDD_ABOUTBOX, pParent) {}

CAboutDlg::~CAboutDlg() = default;

void CAboutDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
}

BOOL CAboutDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    CenterWindow();
    if (m_fadeMs > 0)
        ::AnimateWindow(m_hWnd, m_fadeMs, AW_BLEND);
    return TRUE;
}

void CAboutDlg::OnClose()
{
    if (m_fadeMs > 0)
        ::AnimateWindow(m_hWnd, m_fadeMs, AW_HIDE | AW_BLEND);
    CDialog::OnClose();
}

BOOL CAboutDlg::OnEraseBkgnd(CDC* pDC)
{
    // The instrument chooser's painting: the face colour fading to white.
    widgets::PaintFadedDialogBackground(*this, *pDC);
    return TRUE;
}
