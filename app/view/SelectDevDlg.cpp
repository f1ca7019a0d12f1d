#include "app/view/SelectDevDlg.h"

#include <algorithm>

#include "app/view/KeyloftView.h"
#include "core/files/TraceLog.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "widgets/UiResources.h"
#include "res/ids_view.h"
#include "widgets/BottomFade.h"

namespace {

constexpr DWORD kFadeMs = 500;
constexpr int kDropWidth = 100;

CString LabelOfIndex(int count)
{
    CString label;
    label.Format(L"Device %d", count);
    label.MakeUpper();
    return label;
}

} // namespace

BEGIN_MESSAGE_MAP(CSelectDevDlg, CDialog)
    ON_BN_CLICKED(IDC_SELECTDEV_REFRESH, &CSelectDevDlg::OnRefresh)
    ON_WM_ERASEBKGND()
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSelectDevDlg::CSelectDevDlg(bool startupMode, CWnd* pParent)
    : CDialog(IDD, pParent), m_startupMode(startupMode)
{
}

CSelectDevDlg::~CSelectDevDlg() = default;

void CSelectDevDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SELECTDEV_LIST, m_deviceList);
    DDX_Control(pDX, IDOK, m_connectButton);
    DDX_Control(pDX, IDC_SELECTDEV_REFRESH, m_refreshButton);
    DDX_Control(pDX, IDC_SELECTDEV_GROUP, m_groupBox);
    DDX_Control(pDX, IDC_SELECTDEV_CURRENT, m_currentDevice);
}

BOOL CSelectDevDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    m_icon = AfxGetApp() != nullptr ? AfxGetApp()->LoadIcon(IDR_SELECTDEV_ICON) : nullptr;
    if (m_icon != nullptr)
        SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_icon));

    const CUiResources& ui = GetUiResources();
    if (ui.m_baseColour != CUiResources::kUnsetColour && ui.m_secondListColour != CUiResources::kUnsetColour)
        m_deviceList.SetColors(ui.m_baseColour, ui.m_secondListColour);
    m_deviceList.SetDroppedWidth(kDropWidth);
    m_connectButton.SetBitmap(IDB_SELECTDEV_CONNECT);
    m_refreshButton.SetBitmap(IDB_SELECTDEV_REFRESH);
    m_groupBox.SetCaptionHeight(20);
    m_groupBox.SetStyle(2);
    m_groupBox.SetColors(RGB(120, 150, 190), RGB(30, 50, 90), ui.m_baseColour);
    m_currentDevice.SetWindowText(GetDeviceNames().m_deviceName);

    CenterWindow();
    if (!m_startupMode)
        ::AnimateWindow(GetSafeHwnd(), kFadeMs, AW_BLEND);
    SetTimer(kTimerFirstScan, kFirstScanDelayMs, nullptr);
    return TRUE;
}

void CSelectDevDlg::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kTimerFirstScan || !IsWindowVisible())
        return;
    KillTimer(kTimerFirstScan);
    if (m_startupMode)
        AutoConnect();
    else
        OnRefresh();
}

void CSelectDevDlg::OnRefresh()
{
    m_refreshButton.EnableWindow(FALSE);
    m_connectButton.EnableWindow(FALSE);
    m_deviceList.ResetContent();

    const std::vector<FoundInstrument>& found = m_search.Scan();
    m_listMap.clear();
    int count = 0;
    for (const FoundInstrument& instrument : found) {
        const CString label = LabelOfIndex(++count);
        m_listMap[label] = instrument.name;
        m_deviceList.AddString(label);
    }
    if (m_deviceList.GetCount() > 0) {
        m_connectButton.EnableWindow(TRUE);
        m_deviceList.SetCurSel(0);
    }
    m_refreshButton.EnableWindow(TRUE);
}

int CSelectDevDlg::GetListCount() const { return m_deviceList.GetCount(); }

CString CSelectDevDlg::GetListLabel(int index) const
{
    CString label;
    if (index >= 0 && index < m_deviceList.GetCount())
        m_deviceList.GetLBText(index, label);
    return label;
}

CString CSelectDevDlg::GetReportedName(const CString& label) const
{
    const auto it = m_listMap.find(label);
    return it != m_listMap.end() ? it->second : CString();
}

int CSelectDevDlg::FoundIndexOfLabel(const CString& label) const
{
    // Labels count the found instruments from 1 in the order found.
    for (int i = 0; i < m_deviceList.GetCount(); ++i) {
        if (LabelOfIndex(i + 1) == label)
            return i;
    }
    return -1;
}

void CSelectDevDlg::RegisterChosenDevice(const CString& label)
{
    CDeviceNames& names = GetDeviceNames();
    names.ClearInterNames();
    for (const auto& [entryLabel, name] : m_listMap) {
        if (entryLabel == label) {
            CString key = entryLabel;
            key.MakeUpper();
            names.SetInterName(key, name);
        }
    }
}

bool CSelectDevDlg::CheckAndTake(const CString& label)
{
    RegisterChosenDevice(label);
    const CString model = GetInterName(label);
    SelectDevProfile(model);
    TraceLine(L"Connect: DevName=%s InterName=%s\n", static_cast<LPCTSTR>(label), static_cast<LPCTSTR>(model));

    const int index = FoundIndexOfLabel(label);
    UINT outId = 0;
    UINT inId = 0;
    if (index >= 0 && m_search.Check(index) && m_search.GetPortIds(index, outId, inId)) {
        CString upper = label;
        upper.MakeUpper();
        SetConnectedSystem(upper);
        GetDeviceNames().m_midiPortName = GetMidiOutName(outId);
        m_chosenOutId = outId;
        m_chosenInId = inId;
        return true;
    }
    SetConnectedSystem(L"");
    GetDeviceNames().m_midiPortName.Empty();
    return false;
}

void CSelectDevDlg::AutoConnect()
{
    OnRefresh();
    if (m_deviceList.GetCount() != 1 || m_deviceList.GetCurSel() != 0)
        return;
    if (CheckAndTake(GetListLabel(0)))
        EndDialog(IDOK);
}

void CSelectDevDlg::OnOK() { OnConnect(); }

void CSelectDevDlg::OnConnect()
{
    CKeyloftView* view = GetActiveKeyloftView();
    if (view != nullptr && !view->CloseDevice())
        return;
    const int selected = m_deviceList.GetCurSel();
    if (selected < 0)
        return;
    const CString label = GetListLabel(selected);
    RegisterChosenDevice(label);
    if (view != nullptr) {
        view->Disconnect();
        m_closedPrevious = true;
    }
    if (CheckAndTake(label)) {
        ::AnimateWindow(GetSafeHwnd(), kFadeMs, AW_BLEND | AW_HIDE);
        EndDialog(IDOK);
    }
}

void CSelectDevDlg::OnDestroy()
{
    // The search's ports are closed after each scan and check; nothing of
    // the chosen pair may stay open once the view opens it.
    KillTimer(kTimerFirstScan);
    CDialog::OnDestroy();
}

BOOL CSelectDevDlg::OnEraseBkgnd(CDC* pDC)
{
    widgets::PaintFadedDialogBackground(*this, *pDC);
    return TRUE;
}
