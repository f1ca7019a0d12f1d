#include "editors/style/Page4.h"

#include "core/files/FileErrors.h"
#include "core/files/Folders.h"
#include "core/files/ShellSeam.h"
#include "core/files/StdioFileEx.h"
#include "core/files/TextHelpers.h"
#include "core/portable/marks/ByteSource.h"
#include "core/profile/AppProfile.h"

#include "core/profile/DeviceNames.h"
#include "editors/style/Page1.h"
#include "editors/style/WizardFiles.h"
#include "pages/AppMessages.h"
#include "pages/PageHost.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"

namespace {

namespace style = keyloft::style;

constexpr UINT kFirstValueIds[] = {IDC_OTS_FIRST_VOLUME, IDC_OTS_FIRST_REVERB, IDC_OTS_FIRST_CHORUS,
                                   IDC_OTS_FIRST_OCTAVE};
const wchar_t* const kPartNames[] = {L"Voice R1", L"Voice R2", L"Voice L"};
const wchar_t* const kValueHeaders[] = {L"VoI", L"Rev", L"Chor", L"Oct"};
constexpr int kValueIconSize = 14;

CString OctaveText(int octave)
{
    CString text;
    text.Format(octave > 0 ? L"+%d" : L"%d", octave);
    return text;
}

} // namespace

BEGIN_MESSAGE_MAP(CPage4, CNewWizPage)
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_OTS_LOAD, &CPage4::OnLoadOts)
    ON_BN_CLICKED(IDC_OTS_SAVE, &CPage4::OnSaveOts)
    ON_BN_CLICKED(IDC_OTS_RESET, &CPage4::OnResetOts)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_OTS_FIRST_VOLUME, IDC_OTS_FIRST_OCTAVE - 1, &CPage4::OnValueClick)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_OTS_FIRST_OCTAVE, IDC_OTS_FIRST_OCTAVE + CPage4::kParts - 1, &CPage4::OnOctaveClick)
    ON_CONTROL_RANGE(CBN_SELCHANGE, IDC_OTS_FIRST_VOICE, IDC_OTS_FIRST_VOICE + CPage4::kParts - 1,
                     &CPage4::OnVoiceChanged)
    ON_MESSAGE(WM_SLIDER_MOVED, &CPage4::OnSliderValue)
    ON_MESSAGE(WM_COMBOBUTTON_CHANGED, &CPage4::OnValueButton)
    ON_MESSAGE(AppMsg::LanguageChanged, &CPage4::OnLanguageChanged)
    ON_MESSAGE(AppMsg::SelectPage, &CPage4::OnSelectPage)
END_MESSAGE_MAP()

CPage4::CPage4() : CNewWizPage(IDD_WIZARD_OTS, IDC_OTS_STEP) {}
CPage4::~CPage4() = default;

void CPage4::DoDataExchange(CDataExchange* pDX)
{
    CNewWizPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_OTS_LOAD, m_load);
    DDX_Control(pDX, IDC_OTS_SAVE, m_save);
    DDX_Control(pDX, IDC_OTS_RESET, m_reset);
}

BOOL CPage4::OnInitDialog()
{
    CNewWizPage::OnInitDialog();
    CreateGrid();
    m_slider.Create(this);
    m_notify.Create(this);
    AddToolTip(&m_save, IDS_SAVE_OTS);
    AddToolTip(&m_load, IDS_LOAD_OTS);
    AddToolTip(&m_reset, IDS_RESET_OTS);
    DragAcceptFiles(TRUE);
    ApplyOtsBlock(style::DefaultOts());
    return TRUE;
}

void CPage4::CreateGrid()
{
    // Dialog units: O.T.S label, part label, voice, then the four values.
    constexpr int kTop = 40, kRowHeight = 17, kGroupGap = 3, kValueLeft = 246, kValueWidth = 38;
    CFont* font = GetFont();
    size_t label = 0;
    auto addLabel = [&](LPCTSTR text, CRect place) {
        MapDialogRect(&place);
        m_labels[label].Create(text, WS_CHILD | WS_VISIBLE | SS_LEFT, place, this);
        m_labels[label++].SetFont(font);
    };
    addLabel(L"Voice", CRect(90, kTop - 12, 240, kTop - 2));
    for (int value = 0; value < ValueCount; ++value)
        addLabel(kValueHeaders[value], CRect(kValueLeft + value * kValueWidth, kTop - 12,
                                             kValueLeft + (value + 1) * kValueWidth, kTop - 2));
    for (int part = 0; part < kParts; ++part) {
        const int top = kTop + part * kRowHeight + (part / 3) * kGroupGap;
        if (part % 3 == 0) {
            CString name;
            name.Format(L"O.T.S %d", part / 3 + 1);
            addLabel(name, CRect(12, top + 2, 46, top + 12));
        }
        addLabel(kPartNames[part % 3], CRect(48, top + 2, 88, top + 12));
        CRect combo(90, top, 240, top + 120);
        MapDialogRect(&combo);
        CMyCombox& voice = m_voiceCombos[static_cast<size_t>(part)];
        voice.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWNLIST, combo, this,
                     IDC_OTS_FIRST_VOICE + static_cast<UINT>(part));
        voice.SetFont(font);
        for (int value = 0; value < ValueCount; ++value) {
            CRect place(kValueLeft + value * kValueWidth, top, kValueLeft + (value + 1) * kValueWidth - 4, top + 13);
            MapDialogRect(&place);
            auto button = std::make_unique<CComboButton>();
            button->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, place, this,
                           kFirstValueIds[value] + static_cast<UINT>(part));
            button->SetFont(font);
            button->LoadIcons(IDI_VALUE_BUTTON, IDI_VALUE_BUTTON_ACTIVE, kValueIconSize);
            if (value == Octave) {
                button->SetRange(-1, 1);
                button->SetDisplayFormat(nullptr);
            } else {
                button->SetRange(0, 127);
            }
            m_values[static_cast<size_t>(value)][static_cast<size_t>(part)] = std::move(button);
        }
    }
}

CComboButton& CPage4::ValueButton(int value, int part) const
{
    return *m_values[static_cast<size_t>(value)][static_cast<size_t>(part)];
}

void CPage4::ReloadTexts()
{
    // The page's own captions are fixed texts; the tool tips follow the language.
    m_toolTip.UpdateTipText(LoadResString(IDS_SAVE_OTS), &m_save);
    m_toolTip.UpdateTipText(LoadResString(IDS_LOAD_OTS), &m_load);
    m_toolTip.UpdateTipText(LoadResString(IDS_RESET_OTS), &m_reset);
}

LRESULT CPage4::OnLanguageChanged(WPARAM, LPARAM)
{
    ReloadTexts();
    FillVoiceCombos();
    m_comboLanguage = GetAppProfile().GetLanguage();
    return 0;
}

LRESULT CPage4::OnSelectPage(WPARAM, LPARAM)
{
    HideSlider();
    return 0;
}

style::OtsBlock CPage4::BuildOtsBlock() const
{
    style::OneTouchSettings settings;
    for (int part = 0; part < kParts; ++part) {
        style::OtsEntry& entry = settings.entries[static_cast<size_t>(part)];
        const int selected = m_voiceCombos[static_cast<size_t>(part)].GetCurSel();
        entry.voiceNumber = m_voices.NumberAt(selected > 0 ? static_cast<size_t>(selected) : 0);
        entry.volume = static_cast<std::uint8_t>(ValueButton(Volume, part).GetValue());
        entry.reverb = static_cast<std::uint8_t>(ValueButton(Reverb, part).GetValue());
        entry.chorus = static_cast<std::uint8_t>(ValueButton(Chorus, part).GetValue());
        entry.octave = m_octaves[static_cast<size_t>(part)];
    }
    return settings.Pack();
}

void CPage4::ApplyOtsBlock(std::span<const std::uint8_t> block)
{
    style::OneTouchSettings settings;
    for (int part = 0; part < kParts; ++part)
        settings.entries[static_cast<size_t>(part)].octave = m_octaves[static_cast<size_t>(part)];
    settings.Apply(block);
    for (int part = 0; part < kParts; ++part) {
        const style::OtsEntry& entry = settings.entries[static_cast<size_t>(part)];
        m_voiceCombos[static_cast<size_t>(part)].SetCurSel(static_cast<int>(m_voices.IndexOfNumber(entry.voiceNumber)));
        ValueButton(Volume, part).SetValue(entry.volume);
        ValueButton(Reverb, part).SetValue(entry.reverb);
        ValueButton(Chorus, part).SetValue(entry.chorus);
        m_octaves[static_cast<size_t>(part)] = entry.octave;
        ValueButton(Octave, part).SetValue(entry.octave);
        ValueButton(Octave, part).SetWindowText(OctaveText(entry.octave));
        for (int value = 0; value < ValueCount; ++value)
            ValueButton(value, part).Invalidate();
    }
}

void CPage4::OnSetActive()
{
    if (GetAppProfile().GetLanguage() != m_comboLanguage)
        OnLanguageChanged(0, 0);
    CNewWizDialog* frame = GetFrame();
    auto button = [frame](UINT id) { return frame != nullptr ? frame->GetDlgItem(static_cast<int>(id)) : nullptr; };
    if (CWnd* finish = button(IDC_WIZARD_FINISH)) {
        finish->ShowWindow(SW_HIDE);
        finish->EnableWindow(FALSE);
    }
    if (CWnd* back = button(IDC_WIZARD_BACK))
        back->EnableWindow(FALSE);

    const CString target = m_source != nullptr ? m_source->GetTargetText() : CString();
    const CString insPath = GetInsFolder() + GetInterName(target) + L".ins";
    bool listChanged = false;
    // Remembered only once read, so that entering the page again tries anew.
    if (insPath.CompareNoCase(m_insPath) != 0 && LoadVoiceList(insPath)) {
        m_insPath = insPath;
        listChanged = true;
    }
    const CString sourcePath = m_source != nullptr ? m_source->GetSourcePath() : CString();
    if (listChanged) {
        // A new voice list starts the page afresh from the source.
        m_loadedSource = sourcePath;
        TakeSourceSettings();
        m_modified = false;
    } else if (sourcePath.CompareNoCase(m_loadedSource) != 0) {
        // Another source replaces what the page held: a MIDI source's defaults
        // are a change the user has not saved yet.
        m_loadedSource = sourcePath;
        TakeSourceSettings();
        if (m_source != nullptr && m_source->GetSourceMode() == SourceMode::Midi)
            m_modified = true;
    }

    if (CWnd* finish = button(IDC_WIZARD_FINISH)) {
        finish->ShowWindow(SW_SHOW);
        finish->EnableWindow(TRUE);
    }
    if (CWnd* back = button(IDC_WIZARD_BACK))
        back->EnableWindow(TRUE);
}

void CPage4::TakeSourceSettings()
{
    style::OtsBlock block = style::DefaultOts();
    if (m_source != nullptr && m_source->GetSourceMode() == SourceMode::Style) {
        // A source too short to hold the block keeps the defaults.
        keyloft::marks::FileByteSource file{std::filesystem::path(m_loadedSource.GetString())};
        if (file.IsOpen()) {
            if (const auto read = style::ReadOtsFromStyle(file); read.block)
                block = *read.block;
        }
    }
    ApplyOtsBlock(block);
}

bool CPage4::LoadVoiceList(const CString& insPath)
{
    if (RegularFileExists(insPath))
        return ReadVoiceList(insPath);
    m_notify.ShowWindow(SW_SHOW);
    IPageHost* host = GetFrame() != nullptr ? GetFrame()->GetHost() : nullptr;
    const bool fetched = host != nullptr && host->FetchInsFile();
    m_notify.ShowWindow(SW_HIDE);
    if (!fetched) {
        ShowPlainMessageBox(LoadResString(IDS_NO_VOICE_NAMES), MB_OK | MB_ICONWARNING, GetSafeHwnd());
        return false;
    }
    return ReadVoiceList(insPath);
}

bool CPage4::ReadVoiceList(const CString& insPath)
{
    CStdioFileEx file;
    CFileException error;
    if (!file.Open(insPath, CFile::modeRead | CFile::typeText | CFile::shareDenyWrite, &error)) {
        ShowFileException(insPath, error);
        return false;
    }
    m_voices.Clear();
    CString line;
    while (file.ReadString(line))
        m_voices.AddLine(std::wstring_view(line.GetString(), static_cast<size_t>(line.GetLength())));
    file.Close();
    FillVoiceCombos();
    return true;
}

void CPage4::FillVoiceCombos()
{
    std::array<int, kParts> selections{};
    for (int part = 0; part < kParts; ++part) {
        selections[static_cast<size_t>(part)] = m_voiceCombos[static_cast<size_t>(part)].GetCurSel();
        m_voiceCombos[static_cast<size_t>(part)].ResetContent();
    }
    CWnd* main = AfxGetMainWnd();
    const auto count = static_cast<int>(m_voices.Size());
    if (main != nullptr)
        main->PostMessage(AppMsg::ProgressBegin, 0, count);
    const UINT language = GetAppProfile().GetLanguage();
    for (size_t item = 0; item < m_voices.Size(); ++item) {
        const std::wstring text = m_voices.ItemText(item, language);
        for (CMyCombox& combo : m_voiceCombos)
            combo.AddString(text.c_str());
        if (main != nullptr)
            main->PostMessage(AppMsg::ProgressStep, 0, 0);
    }
    if (main != nullptr)
        main->PostMessage(AppMsg::ProgressEnd, 0, 0);
    for (int part = 0; part < kParts; ++part)
        m_voiceCombos[static_cast<size_t>(part)].SetCurSel(selections[static_cast<size_t>(part)]);
}

LRESULT CPage4::OnWizardBack()
{
    HideSlider();
    return 0;
}

BOOL CPage4::OnWizardFinish()
{
    HideSlider();
    for (int part = style::OtsVoiceR1; part < kParts; part += 3) {
        CMyCombox& voice = m_voiceCombos[static_cast<size_t>(part)];
        if (voice.GetCurSel() <= 0) {
            ShowMessageBox(MSG_ICON_WARNING, IDS_SELECT_VOICE_R1);
            voice.ShowDropDown(TRUE);
            return FALSE;
        }
    }
    return TRUE;
}

void CPage4::HideSlider()
{
    if (m_slider.IsShowing())
        m_slider.Hide();
}

void CPage4::OnValueClick(UINT id)
{
    PopupSlider(id);
}

void CPage4::OnOctaveClick(UINT id)
{
    // The buttons' own range, -1 to +1: -2 and +2 come only from a loaded block.
    PopupSlider(id);
}

void CPage4::PopupSlider(UINT id)
{
    CWnd* button = GetDlgItem(static_cast<int>(id));
    if (button == nullptr)
        return;
    auto* values = static_cast<CComboButton*>(button);
    m_slider.SetRange(values->GetMin(), values->GetMax());
    CRect place;
    button->GetWindowRect(&place);
    m_sliderButton = id;
    m_slider.PopupAt(place.left, place.bottom, values->GetValue());
}

void CPage4::OnVoiceChanged(UINT /*id*/) { m_modified = true; }

LRESULT CPage4::OnSliderValue(WPARAM value, LPARAM)
{
    return OnValueButton(m_sliderButton, static_cast<LPARAM>(static_cast<int>(value)));
}

LRESULT CPage4::OnValueButton(WPARAM id, LPARAM value)
{
    auto* button = static_cast<CComboButton*>(GetDlgItem(static_cast<int>(id)));
    if (button == nullptr)
        return 0;
    button->SetValue(static_cast<int>(value));
    if (id >= IDC_OTS_FIRST_OCTAVE && id < IDC_OTS_FIRST_OCTAVE + kParts) {
        const int octave = button->GetValue();
        m_octaves[id - IDC_OTS_FIRST_OCTAVE] = octave;
        button->SetWindowText(OctaveText(octave));
    }
    button->Invalidate();
    if (m_slider.IsShowing() && m_sliderButton == id)
        m_slider.SetPos(button->GetValue());
    m_modified = true;
    return 0;
}

void CPage4::OnSaveOts()
{
    HideSlider();
    const CString path = AskSavePath(L"*.ots|*.ots||", L"ots", this);
    if (path.IsEmpty())
        return;
    const style::OtsBlock block = BuildOtsBlock();
    SaveFileBytes(path, block.data(), block.size());
}

void CPage4::OnLoadOts()
{
    HideSlider();
    const CString path = AskOpenPath(L"*.ots|*.ots||", this);
    if (!path.IsEmpty())
        TakeOtsFile(path);
}

void CPage4::OnDropFiles(HDROP hDropInfo)
{
    const CString path = SingleDroppedFile(hDropInfo);
    if (!path.IsEmpty())
        TakeOtsFile(path);
}

void CPage4::TakeOtsFile(const CString& path)
{
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    if (!ReadSideFile(path, style::OtsBlockSize, bytes, size))
        return;
    style::OtsFileRead read = style::ReadOtsFile(bytes, m_voices);
    if (!read.block) {
        read.check.size = size;
        ShowSideFileRefusal(path, IDS_OTS_REFUSED_FMT, read.check);
        return;
    }
    ApplyOtsBlock(*read.block);
    m_modified = true;
}

void CPage4::OnResetOts()
{
    HideSlider();
    if (ShowMessageBox(MSG_ICON_DEFAULT, IDS_ASK_RESET_PARAMETERS, MB_MODE_OKCANCEL) != IDOK)
        return;
    ApplyOtsBlock(style::DefaultOts());
    m_modified = true;
}

BOOL CPage4::PreTranslateMessage(MSG* pMsg)
{
    HideSliderOnClick(m_slider, pMsg);
    return CNewWizPage::PreTranslateMessage(pMsg);
}
