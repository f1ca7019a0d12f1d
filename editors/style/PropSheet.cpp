#include "editors/style/PropSheet.h"

#include "core/convert/Config.h"
#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/portable/style/StyleFile.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DeviceNames.h"
#include "editors/style/WizardFiles.h"
#include "pages/AppMessages.h"
#include "pages/PageHost.h"
#include "pages/ProgramMessages.h"
#include "pages/SegmentNames.h"
#include "res/resource.h"
#include "widgets/UiResources.h"

namespace {

constexpr int kStyleKind = 1;
// A MIDI source is read whole; a larger file is no style source.
constexpr std::uint64_t kMaxSourceBytes = 64ull * 1024 * 1024;

// A builder's result; a refusal for lack of memory should anything escape it.
template <typename Build>
keyloft::style::StyleFileResult Guarded(Build build)
{
    try {
        return build();
    } catch (const std::exception&) {
        keyloft::style::StyleFileResult result;
        result.error = keyloft::style::StyleFileError::NotEnoughMemory;
        return result;
    }
}

} // namespace

BEGIN_MESSAGE_MAP(CPropSheet, CNewWizDialog)
    ON_WM_ERASEBKGND()
    ON_WM_SETCURSOR()
    ON_BN_CLICKED(IDC_WIZARD_FINISH, &CPropSheet::OnSave)
    ON_MESSAGE(AppMsg::LanguageChanged, &CPropSheet::OnLanguageChanged)
    ON_MESSAGE(AppMsg::DeviceLost, &CPropSheet::OnDeviceLost)
    ON_MESSAGE(AppMsg::SelectPage, &CPropSheet::OnSelectPage)
END_MESSAGE_MAP()

CPropSheet::CPropSheet() : CNewWizDialog(IDD_WIZARD_FRAME) {}
CPropSheet::~CPropSheet() = default;

void CPropSheet::DoDataExchange(CDataExchange* pDX)
{
    CNewWizDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_WIZARD_NEXT, m_next);
    DDX_Control(pDX, IDC_WIZARD_FINISH, m_finish);
    DDX_Control(pDX, IDC_WIZARD_BACK, m_back);
}

BOOL CPropSheet::OnInitDialog()
{
    m_placeholderId = IDC_WIZARD_PLACEHOLDER;
    AddPage(&m_page1);
    AddPage(&m_page3);
    AddPage(&m_page4);
    m_page3.SetSourcePage(&m_page1);
    m_page4.SetSourcePage(&m_page1);
    CNewWizDialog::OnInitDialog();
    ReloadButtonTexts();
    return TRUE;
}

void CPropSheet::ReloadButtonTexts()
{
    m_back.SetWindowText(LoadResString(IDS_WIZARD_BACK));
    m_next.SetWindowText(LoadResString(IDS_WIZARD_NEXT));
    m_finish.SetWindowText(LoadResString(IDS_WIZARD_FINISH));
}

BOOL CPropSheet::OnEraseBkgnd(CDC* pDC)
{
    // The steps cover the page area; around them and the buttons, the page colour.
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, GetUiResources().m_pageBackColour);
    return TRUE;
}

BOOL CPropSheet::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    const int id = pWnd != nullptr ? pWnd->GetDlgCtrlID() : 0;
    const HCURSOR hand = GetUiResources().GetHandCursor();
    if (hand != nullptr && (id == IDC_WIZARD_BACK || id == IDC_WIZARD_NEXT || id == IDC_WIZARD_FINISH)) {
        ::SetCursor(hand);
        return TRUE;
    }
    return CNewWizDialog::OnSetCursor(pWnd, nHitTest, message);
}

LRESULT CPropSheet::OnLanguageChanged(WPARAM wParam, LPARAM lParam)
{
    ReloadButtonTexts();
    for (CNewWizPage* page : GetPages())
        if (page->GetSafeHwnd() != nullptr)
            page->PostMessage(AppMsg::LanguageChanged, wParam, lParam);
    return 1;
}

LRESULT CPropSheet::OnDeviceLost(WPARAM wParam, LPARAM lParam)
{
    for (CNewWizPage* page : GetPages())
        if (page->GetSafeHwnd() != nullptr)
            page->SendMessage(AppMsg::DeviceLost, wParam, lParam);
    return 1;
}

LRESULT CPropSheet::OnSelectPage(WPARAM wParam, LPARAM lParam)
{
    for (CNewWizPage* page : GetPages())
        if (page->GetSafeHwnd() != nullptr)
            page->PostMessage(AppMsg::SelectPage, wParam, lParam);
    return 1;
}

void CPropSheet::OnSave()
{
    CNewWizPage* active = GetActivePage();
    if (active == nullptr || !active->OnKillActive())
        return;
    for (CNewWizPage* page : GetPages())
        if (page->IsCreated() && !page->OnWizardFinish())
            return;
    // Only styles of the connected instruments' series can be written: say so
    // before asking for a file, so that no save ends without a word.
    if (GetDeviceSeries(m_page1.GetTargetText()).CompareNoCase(CAppProfile::kSeriesOfConnectedModels) != 0) {
        ShowMessageBox(MSG_ICON_WARNING, IDS_STYLE_SERIES_UNSUPPORTED);
        return;
    }
    CString name = m_page1.GetFullName();
    SanitizeFileName(name);
    const CString folder = GetAppProfile().GetStyleSaveDir();
    const CString path = AskSavePath(L"*.sty|*.sty||", L"sty", this, name, folder);
    if (!path.IsEmpty()) {
        GetAppProfile().SetStyleSaveDir(GetFolderOfPath(path));
        bool written = false;
        {
            CHostFolderWatchPause pause(GetHost(), kStyleKind);
            written = WriteStyle(path);
        }
        if (written) {
            m_page3.SetModified(false);
            m_page4.SetModified(false);
            ReturnToFirstStep();
        }
    }
    if (IPageHost* host = GetHost())
        host->NotifyFolderChanged(kStyleKind);
}

void CPropSheet::ReturnToFirstStep()
{
    ShowButton(IDC_WIZARD_NEXT, true);
    EnableButton(IDC_WIZARD_NEXT, true);
    EnableButton(IDC_WIZARD_FINISH, false);
    ShowButton(IDC_WIZARD_FINISH, false);
    EnableButton(IDC_WIZARD_BACK, false);
    SetActivePage(&m_page1);
}

bool CPropSheet::CanClose()
{
    if (!IsModified())
        return true;
    if (ShowMessageBox(MSG_ICON_DEFAULT, IDS_ASK_EXIT_STYLE_MODIFIED, MB_MODE_OKCANCEL) != IDCANCEL)
        return true;
    if (CWnd* main = AfxGetMainWnd())
        main->PostMessage(AppMsg::BringPageForward, PageSlot::StyleEditor, 0);
    return false;
}

keyloft::style::StyleContent CPropSheet::MakeContent() const
{
    keyloft::style::StyleContent content;
    content.styleName = ToAnsiText(m_page1.GetFullName());
    content.shortName = ToAnsiText(m_page1.GetShortName());
    content.sections = m_page3.GetSettings();
    content.ots = m_page4.BuildOtsBlock();
    content.codePage = keyloft::style::CodePage(::GetACP());
    return content;
}

bool CPropSheet::WriteStyle(const CString& path)
{
    switch (m_page1.GetSourceMode()) {
    case SourceMode::Midi: return WriteStyleFromMidi(path);
    case SourceMode::Style: return RewriteStyle(path);
    default: return false;
    }
}

bool CPropSheet::WriteStyleFromMidi(const CString& path)
{
    std::vector<std::uint8_t> source;
    if (!ReadFileBytes(m_page1.GetSourcePath(), source, kMaxSourceBytes))
        return false;
    return SaveBuiltStyle(path, Guarded([&] {
        return keyloft::style::BuildStyleFromMidi(source, MakeContent(), CConfig().Defaults());
    }));
}

bool CPropSheet::RewriteStyle(const CString& path)
{
    if (m_page1.GetSourcePath().CompareNoCase(path) == 0) {
        ShowMessageBox(MSG_ICON_WARNING, IDS_SOURCE_TARGET_CONFLICT);
        return false;
    }
    std::vector<std::uint8_t> source;
    if (!ReadFileBytes(m_page1.GetSourcePath(), source, kMaxSourceBytes))
        return false;
    return SaveBuiltStyle(path, Guarded([&] { return keyloft::style::BuildRewrittenStyle(source, MakeContent()); }));
}

bool CPropSheet::SaveBuiltStyle(const CString& path, const keyloft::style::StyleFileResult& result)
{
    using keyloft::style::StyleFileError;
    switch (result.error) {
    case StyleFileError::None: break;
    case StyleFileError::TooLarge:
        // The instrument would refuse it: nothing is written.
        ShowMessageBox(MSG_ICON_WARNING, IDS_STYLE_TOO_LARGE);
        return false;
    case StyleFileError::NotEnoughMemory:
        ShowMessageBox(MSG_ICON_WARNING, IDS_STYLE_NOT_BUILT);
        return false;
    case StyleFileError::SourceNotMidi:
        ShowMessageBox(MSG_ICON_WARNING, IDS_NOT_A_MIDI_FILE);
        return false;
    case StyleFileError::SourceNotStyle:
    case StyleFileError::SourceDamaged:
        ShowMessageBox(MSG_ICON_WARNING, IDS_NOT_A_STYLE_FILE);
        return false;
    default: {
        CString text = LoadResString(IDS_UNKNOWN_FILE_FORMAT);
        if (!result.detail.empty())
            text += L"\n" + FromAnsiText(result.detail);
        ShowMessageBoxText(MSG_ICON_WARNING, MB_MODE_OK, text);
        return false;
    }
    }
    if (!SaveFileBytes(path, result.bytes.data(), result.bytes.size()))
        return false;
    ShowMessageBox(MSG_ICON_WARNING, IDS_SUCCESS, MB_MODE_OK, MSG_SOUND_FINISH);
    return true;
}
