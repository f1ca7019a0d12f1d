#include "editors/style/Page1.h"

#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/portable/style/StyleSource.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "editors/song/SongEditorRules.h"
#include "editors/style/WizardFiles.h"
#include "pages/AppMessages.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"

namespace {

constexpr UINT WM_SOURCE_REPORT = WM_APP + 40;
constexpr int kColumnWidth = 180;
constexpr UINT kTicksPerQuarter[] = {96, 120, 144, 168, 192};
constexpr BYTE kMenuAlpha = 210;

std::vector<CString> UpperEssentialSections()
{
    std::vector<CString> names = ReadEssentialSections();
    for (CString& name : names)
        name.MakeUpper();
    return names;
}

} // namespace

BEGIN_MESSAGE_MAP(CPage1, CNewWizPage)
    ON_WM_DESTROY()
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_SOURCE_BROWSE, &CPage1::OnBrowse)
    ON_CBN_SELCHANGE(IDC_SOURCE_TARGET, &CPage1::OnTargetChanged)
    ON_EN_CHANGE(IDC_SOURCE_PATH, &CPage1::OnSourceEdited)
    ON_MESSAGE(AppMsg::LanguageChanged, &CPage1::OnLanguageChanged)
    ON_MESSAGE(WM_SOURCE_REPORT, &CPage1::OnSourceReport)
END_MESSAGE_MAP()

CPage1::CPage1() : CNewWizPage(IDD_WIZARD_SOURCE, IDC_SOURCE_STEP)
{
    SetMenuAlpha(kMenuAlpha);
}
CPage1::~CPage1() = default;

void CPage1::DoDataExchange(CDataExchange* pDX)
{
    CNewWizPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SOURCE_SHORT_NAME, m_shortName);
    DDX_Control(pDX, IDC_SOURCE_FULL_NAME, m_fullName);
    DDX_Control(pDX, IDC_SOURCE_TARGET, m_target);
    DDX_Control(pDX, IDC_SOURCE_PATH, m_sourceEdit);
    DDX_Control(pDX, IDC_SOURCE_BROWSE, m_browse);
    DDX_Control(pDX, IDC_SOURCE_TICKS, m_ticks);
    DDX_Control(pDX, IDC_SOURCE_SECTIONS, m_sections);
}

BOOL CPage1::OnInitDialog()
{
    CNewWizPage::OnInitDialog();
    m_worker = std::make_unique<CSourceAnalysisWorker>(GetSafeHwnd(), WM_SOURCE_REPORT);
    AddToolTip(&m_target, IDS_TARGET_MODEL);

    m_sections.InsertColumn(0, LoadResString(IDS_COLUMN_SECTION), LVCFMT_LEFT, kColumnWidth);
    m_sections.InsertColumn(1, LoadResString(IDS_COLUMN_STATE), LVCFMT_LEFT, kColumnWidth);
    m_sections.SetExtendedStyle(m_sections.GetExtendedStyle() | LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT);

    for (UINT ticks : kTicksPerQuarter) {
        CString text;
        text.Format(L"%u", ticks);
        m_ticks.AddString(text);
    }
    m_ticks.SetCurSel(0);
    DragAcceptFiles(TRUE);
    m_browse.SetBitmap(IDB_SOURCE_BROWSE);

    m_target.AddString(GetDeviceNames().m_deviceName);
    m_target.SetCurSel(0);
    OnTargetChanged();
    ReloadTexts();
    return TRUE;
}

void CPage1::OnDestroy()
{
    m_worker.reset();
    // Reports still queued belong to this page.
    MSG pending;
    while (::PeekMessageW(&pending, GetSafeHwnd(), WM_SOURCE_REPORT, WM_SOURCE_REPORT, PM_REMOVE))
        delete reinterpret_cast<SourceReport*>(pending.lParam);
    CNewWizPage::OnDestroy();
}

void CPage1::ReloadTexts()
{
    SetDlgItemText(IDC_SOURCE_TARGET_CAPTION, LoadResString(IDS_TARGET_SYSTEM));
    SetDlgItemText(IDC_SOURCE_FILE_CAPTION, LoadResString(IDS_SELECT_FILE));
    SetDlgItemText(IDC_SOURCE_FULL_CAPTION, LoadResString(IDS_FULL_NAME_32));
    SetDlgItemText(IDC_SOURCE_SHORT_CAPTION, LoadResString(IDS_SHORT_NAME_8));
    SetDlgItemText(IDC_SOURCE_TICKS_CAPTION, LoadResString(IDS_TICKS_PER_QUARTER));
    m_browse.SetWindowText(LoadResString(IDS_BUTTON_OPEN_SOURCE));
    const UINT columns[] = {IDS_COLUMN_SECTION, IDS_COLUMN_STATE};
    for (int i = 0; i < 2; ++i) {
        CString caption = LoadResString(columns[i]);
        LVCOLUMNW column{};
        column.mask = LVCF_TEXT;
        column.pszText = caption.GetBuffer();
        m_sections.SetColumn(i, &column);
        caption.ReleaseBuffer();
    }
    m_toolTip.UpdateTipText(LoadResString(IDS_TARGET_MODEL), &m_target);
}

LRESULT CPage1::OnLanguageChanged(WPARAM, LPARAM)
{
    ReloadTexts();
    Invalidate();
    return 0;
}

CString CPage1::GetFullName() const
{
    CString text;
    m_fullName.GetWindowText(text);
    return text;
}

CString CPage1::GetShortName() const
{
    CString text;
    m_shortName.GetWindowText(text);
    return text;
}

CString CPage1::GetTargetText() const
{
    CString text;
    if (m_target.GetSafeHwnd() != nullptr)
        m_target.GetWindowText(text);
    return text;
}

UINT CPage1::GetTimeDivision() const
{
    const int selected = m_ticks.GetSafeHwnd() != nullptr ? m_ticks.GetCurSel() : CB_ERR;
    return selected >= 0 && selected < static_cast<int>(std::size(kTicksPerQuarter))
               ? kTicksPerQuarter[selected]
               : kTicksPerQuarter[0];
}

void CPage1::OnTargetChanged()
{
    m_essentials = UpperEssentialSections();
    m_sourceMode = SourceMode::None;
    m_present.clear();
    RequestAnalysis();
    RefreshSectionList();
}

void CPage1::OnSourceEdited()
{
    m_sourceMode = SourceMode::None;
    RequestAnalysis();
}

void CPage1::RequestAnalysis()
{
    CString path;
    if (m_sourceEdit.GetSafeHwnd() != nullptr)
        m_sourceEdit.GetWindowText(path);
    ++m_requested;
    m_requestedNames[0] = GetFullName();
    m_requestedNames[1] = GetShortName();
    if (m_worker)
        m_worker->Request(m_requested, path, m_essentials);
}

LRESULT CPage1::OnSourceReport(WPARAM generation, LPARAM lParam)
{
    std::unique_ptr<SourceReport> report(reinterpret_cast<SourceReport*>(lParam));
    if (static_cast<unsigned>(generation) == m_requested && m_applied != m_requested) {
        m_applied = m_requested;
        ApplyReport(*report);
    }
    return 0;
}

void CPage1::EnsureCurrentReport()
{
    if (m_applied == m_requested)
        return;
    CString path;
    m_sourceEdit.GetWindowText(path);
    m_applied = m_requested;
    ApplyReport(AnalyseSource(path, m_essentials));
}

void CPage1::ApplyReport(const SourceReport& report)
{
    m_sourcePath = report.path;
    m_sourceMode = report.mode;
    m_present = report.present;
    m_report = report;
    // A source's names come once, when it becomes the source: analysed again
    // (the same path typed or selected anew), it leaves the names as the user
    // changed or emptied them.
    const bool newSource = report.path.CompareNoCase(m_namedFrom) != 0;
    const bool midi = report.exists && report.path.Right(4).CompareNoCase(L".mid") == 0;
    if (newSource && (midi || report.mode == SourceMode::Style)) {
        if (report.mode == SourceMode::Style && report.hasNames) {
            if (GetFullName() == m_requestedNames[0] && GetShortName() == m_requestedNames[1]) {
                m_fullName.SetWindowText(report.names[0]);
                m_shortName.SetWindowText(report.names[1]);
            }
            m_thirdName = report.names[2];
            m_fourthName = report.names[3];
        }
        FillDefaultNames(report.path);
        m_namedFrom = report.path;
    }
    RefreshSectionList();
}

void CPage1::FillDefaultNames(const CString& path)
{
    const CString title = GetFileTitleOfPath(path);
    if (GetShortName().IsEmpty())
        m_shortName.SetWindowText(songedit::CutToAnsiBytes(title, 8));
    if (GetFullName().IsEmpty())
        m_fullName.SetWindowText(title);
}

void CPage1::RefreshSectionList()
{
    if (m_sections.GetSafeHwnd() == nullptr)
        return;
    m_sections.DeleteAllItems();
    int row = 0;
    for (const CString& name : UpperEssentialSections()) {
        if (std::find(m_essentials.begin(), m_essentials.end(), name) == m_essentials.end())
            continue;
        const bool present = std::find(m_present.begin(), m_present.end(), name) != m_present.end();
        m_sections.InsertItem(row, name);
        m_sections.SetItemText(row, 1, present ? L"Y" : L"N");
        ++row;
    }
}

void CPage1::ChooseSource(const CString& path)
{
    if (!RegularFileExists(path)) {
        ShowMessageBox(MSG_ICON_WARNING, IDS_FILE_MISSING);
        return;
    }
    // A chosen file brings its own names, even when it was the source already.
    m_fullName.SetWindowText(L"");
    m_shortName.SetWindowText(L"");
    m_thirdName.Empty();
    m_fourthName.Empty();
    m_namedFrom.Empty();
    m_sourceEdit.SetWindowText(path);
    // Setting the same text again raises no change: analyse in any case.
    OnSourceEdited();
}

void CPage1::OnBrowse()
{
    if (m_target.GetCurSel() < 0) {
        ShowMessageBox(MSG_ICON_WARNING, IDS_SELECT_INS);
        m_target.ShowDropDown(TRUE);
        return;
    }
    auto filterIndex = static_cast<DWORD>(AfxGetApp()->GetProfileInt(L"STY_OPE_DLG", L"fIndex", 0));
    const CString path = AskOpenPath(L"*.mid(MIDI file)|*.mid|*.sty(STY file)|*.sty||", this, &filterIndex);
    if (path.IsEmpty())
        return;
    AfxGetApp()->WriteProfileInt(L"STY_OPE_DLG", L"fIndex", static_cast<int>(filterIndex));
    ChooseSource(path);
}

void CPage1::OnDropFiles(HDROP hDropInfo)
{
    const CString path = SingleDroppedFile(hDropInfo);
    if (!path.IsEmpty())
        ChooseSource(path);
}

int CPage1::Refuse(UINT messageId, CWnd* focus)
{
    return RefuseWith(LoadResString(messageId), focus);
}

int CPage1::RefuseWith(const CString& text, CWnd* focus)
{
    ShowMessageBoxText(MSG_ICON_WARNING, MB_MODE_OK, text);
    if (focus != nullptr)
        focus->SetFocus();
    return static_cast<int>(kStayOnPage);
}

LRESULT CPage1::OnWizardNext()
{
    if (GetDeviceNames().m_deviceName.IsEmpty())
        return Refuse(IDS_NO_DEVICE_CONNECTED);
    if (m_target.GetCount() <= 0)
        return Refuse(IDS_INS_NOT_FOUND);
    CString path;
    m_sourceEdit.GetWindowText(path);
    if (path.IsEmpty())
        return Refuse(IDS_ENTER_FILE_PATH);
    if (!RegularFileExists(path))
        return Refuse(IDS_FILE_MISSING);
    EnsureCurrentReport();
    if (m_sourceMode == SourceMode::None)
        return RefuseWith(DescribeSourceFault(m_report));
    if (m_target.GetCurSel() < 0) {
        Refuse(IDS_SELECT_INS);
        m_target.ShowDropDown(TRUE);
        return kStayOnPage;
    }
    // The limits are bytes of the name block, as the names are stored.
    if (!keyloft::style::FitsNameLimit(ToAnsiText(GetFullName()), 0))
        return Refuse(IDS_LONG_NAME_TOO_LONG, &m_fullName);
    if (!keyloft::style::FitsNameLimit(ToAnsiText(GetShortName()), 1))
        return Refuse(IDS_SHORT_NAME_TOO_LONG, &m_shortName);
    if (m_ticks.GetCurSel() < 0) {
        Refuse(IDS_SELECT_TIME_DIVISION);
        m_ticks.ShowDropDown(TRUE);
        return kStayOnPage;
    }
    return 0;
}

BOOL CPage1::OnWizardFinish()
{
    AfxGetApp()->WriteProfileString(L"converter", L"ins", GetTargetText());
    return TRUE;
}
