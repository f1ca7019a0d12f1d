#include "editors/song/SongConvertInfoDlg.h"

#include <afxdlgs.h>

#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "editors/song/SongEditorRules.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"
#include "widgets/UiResources.h"

namespace {

constexpr int kIconWarning = 191;
constexpr COLORREF kNameTextColour = RGB(0, 128, 0);
constexpr COLORREF kWarningColour = RGB(255, 0, 0);

CString WithBackslash(CString folder)
{
    if (!folder.IsEmpty() && folder.Right(1) != L"\\")
        folder += L"\\";
    return folder;
}

} // namespace

BEGIN_MESSAGE_MAP(CSongConvertInfoDlg, CDialog)
    ON_BN_CLICKED(IDC_CONVERT_BROWSE, &CSongConvertInfoDlg::OnBrowse)
    ON_CBN_SELCHANGE(IDC_CONVERT_MODEL, &CSongConvertInfoDlg::OnModelChanged)
    ON_EN_CHANGE(IDC_CONVERT_FULL_NAME, &CSongConvertInfoDlg::OnFullNameChanged)
    ON_EN_CHANGE(IDC_CONVERT_PATH, &CSongConvertInfoDlg::OnPathEdited)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CSongConvertInfoDlg::CSongConvertInfoDlg(UINT trackCount, const CString& fullName, const CString& shortName,
                                         const CString& songPath, CWnd* pParent)
    : CDialog(IDD_SONG_CONVERT_INFO, pParent), m_fullName(fullName), m_shortName(shortName), m_trackCount(trackCount)
{
    if (m_fullName.IsEmpty() && m_shortName.IsEmpty()) {
        // The instrument stores names in bytes: the title is cut on a character boundary.
        const CString title = GetFileTitleOfPath(songPath);
        m_fullName = songedit::CutToAnsiBytes(title, songedit::kFullNameMaxBytes);
        m_shortName = songedit::CutToAnsiBytes(title, songedit::kShortNameMaxBytes);
    }
}

CSongConvertInfoDlg::~CSongConvertInfoDlg() = default;

UINT CSongConvertInfoDlg::TrackLimitOf(const CString& model)
{
    return 2 * GetMelodyMaxCount(model);
}

void CSongConvertInfoDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDOK, m_okButton);
    DDX_Control(pDX, IDCANCEL, m_cancelButton);
    DDX_Control(pDX, IDC_CONVERT_BROWSE, m_browseButton);
    DDX_Control(pDX, IDC_CONVERT_MODEL, m_modelCombo);
    DDX_Control(pDX, IDC_CONVERT_PATH, m_pathEdit);
    DDX_Control(pDX, IDC_CONVERT_FULL_NAME, m_fullNameEdit);
    DDX_Control(pDX, IDC_CONVERT_SHORT_NAME, m_shortNameEdit);
    DDX_Control(pDX, IDC_CONVERT_WARNING, m_warning);
    m_settingPath = true;
    DDX_Text(pDX, IDC_CONVERT_PATH, m_path);
    DDX_Text(pDX, IDC_CONVERT_FULL_NAME, m_fullName);
    DDX_Text(pDX, IDC_CONVERT_SHORT_NAME, m_shortName);
    m_settingPath = false;
}

BOOL CSongConvertInfoDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    FillModels();
    if (m_toolTip.Create(this)) {
        m_toolTip.SetTipBkColor(RGB(255, 255, 255));
        m_toolTip.SetTipTextColor(kNameTextColour);
        m_toolTip.AddTool(&m_modelCombo, LoadResString(231));
        m_toolTip.Activate(TRUE);
    }
    UpdateDefaultPath();
    CheckTracks();
    return TRUE;
}

BOOL CSongConvertInfoDlg::PreTranslateMessage(MSG* pMsg)
{
    if (m_toolTip.GetSafeHwnd())
        m_toolTip.RelayEvent(pMsg);
    return CDialog::PreTranslateMessage(pMsg);
}

void CSongConvertInfoDlg::FillModels()
{
    const std::vector<CString> models = ListInterNames();
    for (const CString& model : models)
        m_modelCombo.AddString(model);
    if (models.empty())
        return;
    // The connected instrument's own model first; else the first entry that
    // begins with its name, searching after entry 0 and wrapping; else entry 0.
    const CString device = GetDeviceNames().m_deviceName;
    int selection = device.IsEmpty() ? -1 : m_modelCombo.FindStringExact(-1, GetInterName(device));
    if (selection < 0 && !device.IsEmpty())
        selection = m_modelCombo.FindString(0, device);
    m_modelCombo.SetCurSel(selection >= 0 ? selection : 0);
}

CString CSongConvertInfoDlg::SelectedModel() const
{
    CString model;
    const int selection = m_modelCombo.GetCurSel();
    if (selection >= 0)
        m_modelCombo.GetLBText(selection, model);
    return model;
}

void CSongConvertInfoDlg::UpdateDefaultPath()
{
    if (m_pathChosen || !m_pathEdit.GetSafeHwnd())
        return;
    CString folder = WithBackslash(GetAppProfile().GetSongSaveDir());
    if (!FolderExists(folder))
        folder = WithBackslash(GetDataFolder(0));
    CString fullName;
    m_fullNameEdit.GetWindowText(fullName);
    CString path = folder + fullName;
    const CString model = SelectedModel();
    if (!model.IsEmpty())
        path += L"_" + model + L".mid";
    m_settingPath = true;
    m_pathEdit.SetWindowText(path);
    m_settingPath = false;
}

bool CSongConvertInfoDlg::CheckTracks()
{
    const UINT limit = TrackLimitOf(SelectedModel());
    const bool fits = m_trackCount <= limit;
    if (!fits) {
        CString warning;
        warning.Format(LoadResString(238), limit);
        m_warning.SetWindowText(warning);
    }
    m_warning.ShowWindow(fits ? SW_HIDE : SW_SHOW);
    m_okButton.EnableWindow(fits);
    return fits;
}

void CSongConvertInfoDlg::OnModelChanged()
{
    UpdateDefaultPath();
    if (!CheckTracks()) {
        CString text;
        text.Format(LoadResString(237), m_trackCount, TrackLimitOf(SelectedModel()));
        ::MessageBoxW(m_hWnd, text, nullptr, MB_OK | MB_ICONWARNING);
    }
}

void CSongConvertInfoDlg::OnFullNameChanged()
{
    UpdateDefaultPath();
}

void CSongConvertInfoDlg::OnPathEdited()
{
    if (!m_settingPath)
        m_pathChosen = TRUE;
}

void CSongConvertInfoDlg::OnBrowse()
{
    CFileDialog dialog(FALSE, L"mid", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadResString(175), this);
    const CString folder = GetAppProfile().GetSongSaveDir();
    dialog.m_ofn.lpstrInitialDir = folder;
    if (dialog.DoModal() != IDOK)
        return;
    m_pathChosen = TRUE;
    m_settingPath = true;
    m_pathEdit.SetWindowText(dialog.GetPathName());
    m_settingPath = false;
    GetAppProfile().SetSongSaveDir(GetFolderOfPath(dialog.GetPathName()));
}

void CSongConvertInfoDlg::OnOK()
{
    m_model = SelectedModel();
    if (m_model.IsEmpty()) {
        ShowMessageBox(kIconWarning, 218);
        m_modelCombo.ShowDropDown(TRUE);
        return;
    }
    if (!UpdateData(TRUE))
        return;
    m_path.Trim();
    if (m_path.IsEmpty()) {
        // No path: the default one comes back for the user to confirm.
        m_pathChosen = FALSE;
        UpdateDefaultPath();
        m_pathEdit.SetFocus();
        return;
    }
    // The instrument keeps the names as bytes of the ANSI code page.
    if (songedit::AnsiByteLength(m_fullName) > songedit::kFullNameMaxBytes) {
        ShowMessageBox(kIconWarning, 10);
        m_fullNameEdit.SetFocus();
        return;
    }
    if (songedit::AnsiByteLength(m_shortName) > songedit::kShortNameMaxBytes) {
        ShowMessageBox(kIconWarning, 1189);
        m_shortNameEdit.SetFocus();
        return;
    }
    EndDialog(IDOK);
}

HBRUSH CSongConvertInfoDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    HBRUSH brush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    if (id == IDC_CONVERT_PATH || id == IDC_CONVERT_FULL_NAME || id == IDC_CONVERT_SHORT_NAME) {
        pDC->SetTextColor(kNameTextColour);
        pDC->SetBkColor(GetUiResources().m_editBackColour);
        if (HBRUSH back = GetUiResources().GetEditBackBrush())
            return back;
    } else if (id == IDC_CONVERT_WARNING) {
        pDC->SetTextColor(kWarningColour);
    }
    return brush;
}
