#include "editors/style/Page3.h"

#include "core/files/TextHelpers.h"
#include "core/portable/marks/ByteSource.h"
#include "core/portable/style/Segments.h"
#include "core/profile/DevProfile.h"
#include "editors/style/Page1.h"
#include "editors/style/WizardFiles.h"
#include "pages/AppMessages.h"
#include "pages/CopyCasmDlg.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"

namespace {

using keyloft::style::ChannelSetting;
using keyloft::style::SectionSettings;
namespace style = keyloft::style;

constexpr int kChannels = style::SectionChannelCount;
constexpr int kHiddenChannels = 8;   // channels 1-8 of the main and fill sections
constexpr UINT kFirstMenuCommand = 1;
constexpr BYTE kMenuAlpha = 240;

const wchar_t* const kNoteNames[] = {L"C", L"C#", L"D", L"Eb", L"E", L"F", L"F#", L"G", L"G#", L"A", L"Bb", L"B"};
const wchar_t* const kChordMutes[] = {L"All", L"Major", L"Minor"};
const wchar_t* const kChordChanges[] = {L"Bypass", L"Chord", L"Bass", L"Melody"};
const wchar_t* const kRootChanges[] = {L"Change", L"Fixed"};

enum Row { PlayChannel, ChordMute, ChordChange, RootChange, NoteMin, NoteMax, RootLimit };

struct RowInfo {
    UINT firstCell;
    const wchar_t* label;
    int minimum;
    int maximum;
};

// In the grid's order, top to bottom.
const RowInfo kRows[CPage3::kRowCount] = {
    {IDC_CELLS_PLAY_CHANNEL, L"Play CH", 0, 15},
    {IDC_CELLS_CHORD_MUTE, L"Chord Mute", 0, 2},
    {IDC_CELLS_CHORD_CHANGE, L"Chord Change", 0, 3},
    {IDC_CELLS_ROOT_CHANGE, L"Root Change", 0, 1},
    {IDC_CELLS_NOTE_MIN, L"Note Range", 0, 127},
    {IDC_CELLS_NOTE_MAX, L"", 0, 127},
    {IDC_CELLS_ROOT_LIMIT, L"Root Limit", 0, 11},
};

std::uint8_t& Field(ChannelSetting& setting, int row)
{
    switch (row) {
    case PlayChannel: return setting.playChannel;
    case ChordMute: return setting.chordMute;
    case ChordChange: return setting.chordChange;
    case RootChange: return setting.rootChange;
    case NoteMin: return setting.noteMin;
    case NoteMax: return setting.noteMax;
    default: return setting.rootLimit;
    }
}

CString CellText(int row, int value)
{
    CString text;
    switch (row) {
    case PlayChannel: text.Format(L"CH %d", value + 1); break;
    case ChordMute: text = kChordMutes[value % 3]; break;
    case ChordChange: text = kChordChanges[value % 4]; break;
    case RootChange: text = kRootChanges[value % 2]; break;
    case NoteMin:
    case NoteMax: text.Format(L"%s %d", kNoteNames[value % 12], value / 12); break;
    default: text = kNoteNames[value % 12]; break;
    }
    return text;
}

// The row's menu: item texts and the value of the first item.
struct RowMenu {
    std::vector<CString> items;
    int firstValue = 0;
};

RowMenu MenuOfRow(int row)
{
    RowMenu menu;
    auto take = [&menu](const wchar_t* const* texts, size_t count) { menu.items.assign(texts, texts + count); };
    switch (row) {
    case PlayChannel:
        for (int channel = 9; channel <= 16; ++channel) {
            CString text;
            text.Format(L"Channel %d", channel);
            menu.items.push_back(text);
        }
        menu.firstValue = 8;
        break;
    case ChordMute: take(kChordMutes, std::size(kChordMutes)); break;
    case ChordChange: take(kChordChanges, std::size(kChordChanges)); break;
    case RootChange: take(kRootChanges, std::size(kRootChanges)); break;
    case RootLimit: take(kNoteNames, std::size(kNoteNames)); break;
    default: break;
    }
    return menu;
}

// The value chosen in a menu shown under a window; -1 when none was.
int ChooseFromMenu(CWnd* owner, CWnd* under, const RowMenu& rowMenu)
{
    CMenu menu;
    menu.CreatePopupMenu();
    for (size_t i = 0; i < rowMenu.items.size(); ++i)
        menu.AppendMenu(MF_STRING, kFirstMenuCommand + i, rowMenu.items[i]);
    CRect place;
    under->GetWindowRect(&place);
    // Notified tracking: the owner's WM_INITMENUPOPUP makes the menu see-through.
    const int chosen =
        menu.TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN | TPM_RETURNCMD, place.left, place.bottom, owner);
    return chosen >= static_cast<int>(kFirstMenuCommand) ? rowMenu.firstValue + chosen - static_cast<int>(kFirstMenuCommand)
                                                         : -1;
}

bool IsDeviceStyleSource(const CPage1* source)
{
    return source != nullptr && source->GetSourceMode() == SourceMode::Style;
}

} // namespace

BEGIN_MESSAGE_MAP(CPage3, CNewWizPage)
    ON_WM_DROPFILES()
    ON_BN_CLICKED(IDC_SECTIONS_CHOOSE, &CPage3::OnSectionMenu)
    ON_BN_CLICKED(IDC_SECTIONS_COPY, &CPage3::OnCopySetting)
    ON_BN_CLICKED(IDC_SECTIONS_LOAD, &CPage3::OnLoadSetting)
    ON_BN_CLICKED(IDC_SECTIONS_SAVE, &CPage3::OnSaveSetting)
    ON_BN_CLICKED(IDC_SECTIONS_RESET, &CPage3::OnResetSetting)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CELLS_CHORD_CHANGE, IDC_CELLS_ROOT_CHANGE + 15, &CPage3::OnCellMenu)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CELLS_NOTE_MIN, IDC_CELLS_NOTE_MAX + 15, &CPage3::OnNoteCell)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_CELLS_ROOT_LIMIT, IDC_CELLS_PLAY_CHANNEL + 15, &CPage3::OnCellMenu)
    ON_MESSAGE(WM_SLIDER_MOVED, &CPage3::OnSliderValue)
    ON_MESSAGE(WM_COMBOBUTTON_CHANGED, &CPage3::OnValueButton)
    ON_MESSAGE(AppMsg::LanguageChanged, &CPage3::OnLanguageChanged)
    ON_MESSAGE(AppMsg::SelectPage, &CPage3::OnSelectPage)
END_MESSAGE_MAP()

CPage3::CPage3() : CNewWizPage(IDD_WIZARD_SECTIONS, IDC_SECTIONS_STEP)
{
    SetMenuAlpha(kMenuAlpha);
}
CPage3::~CPage3() = default;

void CPage3::DoDataExchange(CDataExchange* pDX)
{
    CNewWizPage::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SECTIONS_CHOOSE, m_sectionButton);
    DDX_Control(pDX, IDC_SECTIONS_COPY, m_copy);
    DDX_Control(pDX, IDC_SECTIONS_LOAD, m_load);
    DDX_Control(pDX, IDC_SECTIONS_SAVE, m_save);
    DDX_Control(pDX, IDC_SECTIONS_RESET, m_reset);
}

BOOL CPage3::OnInitDialog()
{
    CNewWizPage::OnInitDialog();
    CreateGrid();
    m_slider.Create(this);
    AddToolTip(&m_copy, IDS_COPY_TO_SECTIONS);
    AddToolTip(&m_save, IDS_SAVE_CASM);
    AddToolTip(&m_load, IDS_LOAD_CASM);
    AddToolTip(&m_reset, IDS_RESET_CASM);
    DragAcceptFiles(TRUE);
    ReloadTexts();
    RefreshCells();
    return TRUE;
}

void CPage3::CreateGrid()
{
    // Dialog units: labels on the left, then 16 columns of cells, each wide
    // enough for its longest text ("Bypass", "Change") inside its frame.
    constexpr int kLeft = 12, kLabelWidth = 48, kCellWidth = 29, kTop = 56, kRowHeight = 18, kCellHeight = 14;
    CFont* font = GetFont();
    // The cells' texts a point smaller than the page's, so that the longest
    // ("Bypass", "Change") keep clear of the cell's frame.
    LOGFONTW cellLook{};
    font->GetLogFont(&cellLook);
    cellLook.lfHeight = cellLook.lfHeight * 11 / 12;
    m_cellFont.CreateFontIndirect(&cellLook);
    for (int channel = 0; channel < kChannels; ++channel) {
        CRect header(kLeft + kLabelWidth + channel * kCellWidth, kTop - 12, 0, 0);
        header.right = header.left + kCellWidth;
        header.bottom = header.top + 10;
        MapDialogRect(&header);
        CString text;
        text.Format(L"%d", channel + 1);
        CStatic& number = m_channelNumbers[static_cast<size_t>(channel)];
        number.Create(text, WS_CHILD | WS_VISIBLE | SS_CENTER, header, this);
        number.SetFont(font);
    }
    for (int row = 0; row < kRowCount; ++row) {
        CRect label(kLeft, kTop + row * kRowHeight + 2, kLeft + kLabelWidth, kTop + row * kRowHeight + 12);
        MapDialogRect(&label);
        m_rowLabels[static_cast<size_t>(row)].Create(kRows[row].label, WS_CHILD | WS_VISIBLE | SS_LEFT, label, this);
        m_rowLabels[static_cast<size_t>(row)].SetFont(font);
        for (int channel = 0; channel < kChannels; ++channel) {
            CRect place(kLeft + kLabelWidth + channel * kCellWidth, kTop + row * kRowHeight, 0, 0);
            place.right = place.left + kCellWidth - 1;
            place.bottom = place.top + kCellHeight;
            MapDialogRect(&place);
            auto cell = std::make_unique<CComboButton>();
            cell->Create(L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_OWNERDRAW, place, this,
                         kRows[row].firstCell + static_cast<UINT>(channel));
            cell->SetFont(&m_cellFont);
            cell->SetDisplayFormat(nullptr);
            cell->SetRange(kRows[row].minimum, kRows[row].maximum);
            m_cells[static_cast<size_t>(row)][static_cast<size_t>(channel)] = std::move(cell);
        }
    }
}

void CPage3::ReloadTexts()
{
    SetDlgItemText(IDC_SECTIONS_LABEL, LoadResString(IDS_COLUMN_SECTION));
    SetDlgItemText(IDC_SECTIONS_STEP, LoadResString(IDS_STEP_2_OF_3));
    m_copy.SetWindowText(LoadResString(IDS_COPY_PARAMETERS));
    m_save.SetWindowText(LoadResString(IDS_SAVE_PARAMETERS));
    m_reset.SetWindowText(LoadResString(IDS_RESET_PARAMETERS));
    m_load.SetWindowText(LoadResString(IDS_LOAD_PARAMETERS));
}

LRESULT CPage3::OnLanguageChanged(WPARAM, LPARAM)
{
    ReloadTexts();
    Invalidate();
    return 0;
}

LRESULT CPage3::OnSelectPage(WPARAM, LPARAM)
{
    HideSlider();
    return 0;
}

void CPage3::OnSetActive()
{
    if (m_source == nullptr || m_source->GetSourcePath().CompareNoCase(m_loadedSource) == 0)
        return;
    m_loadedSource = m_source->GetSourcePath();
    ResetTable();
    if (IsDeviceStyleSource(m_source)) {
        // A block that does not lie wholly in the file leaves the defaults.
        keyloft::marks::FileByteSource file{std::filesystem::path(m_loadedSource.GetString())};
        if (file.IsOpen())
            m_settings = style::ReadSectionSettingsFromStyle(file).settings;
    }
    RefreshCells();
    m_modified = false;
}

LRESULT CPage3::OnWizardBack()
{
    HideSlider();
    return 0;
}

LRESULT CPage3::OnWizardNext()
{
    HideSlider();
    return 0;
}

void CPage3::HideSlider()
{
    if (m_slider.IsShowing())
        m_slider.Hide();
}

void CPage3::RefreshCells()
{
    if (m_sectionButton.GetSafeHwnd() == nullptr)
        return;
    m_sectionButton.SetWindowText(CString(style::GetSegmentNameA(style::SegmentOfSection(m_section)).c_str()));
    const bool hideLowChannels = style::IsMainOrFillSection(m_section);
    for (int row = 0; row < kRowCount; ++row) {
        for (int channel = 0; channel < kChannels; ++channel) {
            RefreshCell(row, channel);
            const bool shown = !(hideLowChannels && channel < kHiddenChannels);
            m_cells[static_cast<size_t>(row)][static_cast<size_t>(channel)]->ShowWindow(shown ? SW_SHOW : SW_HIDE);
        }
    }
}

void CPage3::RefreshCell(int row, int channel)
{
    CComboButton& cell = *m_cells[static_cast<size_t>(row)][static_cast<size_t>(channel)];
    const int value = Field(m_settings.At(m_section, channel), row);
    if (row == NoteMin)
        cell.SetRange(0, m_settings.At(m_section, channel).noteMax);
    else if (row == NoteMax)
        cell.SetRange(m_settings.At(m_section, channel).noteMin, 127);
    cell.SetValue(value);
    cell.SetWindowText(CellText(row, value));
    cell.Invalidate();
}

void CPage3::StoreValue(int row, int channel, int value)
{
    ChannelSetting& setting = m_settings.At(m_section, channel);
    value = std::clamp(value, kRows[row].minimum, kRows[row].maximum);
    if (row == NoteMin)
        value = std::min(value, static_cast<int>(setting.noteMax));
    else if (row == NoteMax)
        value = std::max(value, static_cast<int>(setting.noteMin));
    Field(setting, row) = static_cast<std::uint8_t>(value);
    RefreshCell(row, channel);
    if (row == NoteMin || row == NoteMax)
        RefreshCell(row == NoteMin ? NoteMax : NoteMin, channel);
    m_modified = true;
}

namespace {

// The grid position of a cell id; false for another control.
bool CellOf(UINT id, int& row, int& channel)
{
    for (int r = 0; r < CPage3::kRowCount; ++r) {
        if (id >= kRows[r].firstCell && id < kRows[r].firstCell + kChannels) {
            row = r;
            channel = static_cast<int>(id - kRows[r].firstCell);
            return true;
        }
    }
    return false;
}

} // namespace

void CPage3::OnCellMenu(UINT id)
{
    int row = 0;
    int channel = 0;
    if (!CellOf(id, row, channel) || row == NoteMin || row == NoteMax)
        return;
    HideSlider();
    const int value = ChooseFromMenu(this, GetDlgItem(static_cast<int>(id)), MenuOfRow(row));
    if (value >= 0)
        StoreValue(row, channel, value);
}

void CPage3::OnNoteCell(UINT id)
{
    int row = 0;
    int channel = 0;
    if (!CellOf(id, row, channel) || (row != NoteMin && row != NoteMax))
        return;
    // Min between 0 and the channel's Max; Max between its Min and 127.
    const ChannelSetting& setting = m_settings.At(m_section, channel);
    m_slider.SetRange(row == NoteMin ? 0 : setting.noteMin, row == NoteMin ? setting.noteMax : 127);
    CRect place;
    GetDlgItem(static_cast<int>(id))->GetWindowRect(&place);
    m_sliderCell = id;
    m_slider.PopupAt(place.left, place.bottom, Field(m_settings.At(m_section, channel), row));
}

LRESULT CPage3::OnSliderValue(WPARAM value, LPARAM)
{
    int row = 0;
    int channel = 0;
    if (CellOf(m_sliderCell, row, channel))
        StoreValue(row, channel, static_cast<int>(value));
    return 0;
}

LRESULT CPage3::OnValueButton(WPARAM id, LPARAM value)
{
    int row = 0;
    int channel = 0;
    if (!CellOf(static_cast<UINT>(id), row, channel))
        return 0;
    StoreValue(row, channel, static_cast<int>(value));
    if (m_slider.IsShowing() && m_sliderCell == id)
        m_slider.SetPos(Field(m_settings.At(m_section, channel), row));
    return 0;
}

void CPage3::OnSectionMenu()
{
    HideSlider();
    RowMenu sections;
    std::vector<int> indexes;
    for (const CString& name : ReadEssentialSections()) {
        const int segment = style::GetSegmentByNameA(ToAnsiText(name));
        if (segment < style::SegIntroA || segment > style::SegEndingC)
            continue;
        const int index = style::SectionOfSegment(segment);
        if (std::find(indexes.begin(), indexes.end(), index) == indexes.end())
            indexes.push_back(index);
    }
    std::sort(indexes.begin(), indexes.end());
    for (int index : indexes)
        sections.items.push_back(CString(style::GetSegmentNameA(style::SegmentOfSection(index)).c_str()));
    const int chosen = ChooseFromMenu(this, &m_sectionButton, sections);
    if (chosen < 0 || indexes[static_cast<size_t>(chosen)] == m_section)
        return;
    m_section = indexes[static_cast<size_t>(chosen)];
    RefreshCells();
}

void CPage3::OnCopySetting()
{
    HideSlider();
    int checks[CCopyCasmDlg::kSectionCount] = {};
    for (int section = 0; section < style::SectionCount; ++section) {
        bool same = section != m_section;
        for (int channel = 0; same && channel < kChannels; ++channel)
            same = m_settings.At(section, channel) == m_settings.At(m_section, channel);
        checks[section] = same ? 1 : 0;
    }
    CCopyCasmDlg dialog(m_section, checks, this);
    if (dialog.DoModal() != IDOK)
        return;
    dialog.GetChecks(checks);
    // Channels 1-8 of a main or fill section are hidden there: only 9-16 travel.
    const int firstChannel = style::IsMainOrFillSection(m_section) ? kHiddenChannels : 0;
    for (int section = 0; section < style::SectionCount; ++section) {
        if (section == m_section || checks[section] == 0)
            continue;
        for (int channel = firstChannel; channel < kChannels; ++channel)
            m_settings.At(section, channel) = m_settings.At(m_section, channel);
        m_modified = true;
    }
}

void CPage3::OnSaveSetting()
{
    HideSlider();
    const CString path = AskSavePath(L"*.sci|*.sci||", L"sci", this);
    if (path.IsEmpty())
        return;
    const style::SectionSettingsBlock block = m_settings.Pack();
    SaveFileBytes(path, block.data(), block.size());
}

void CPage3::OnLoadSetting()
{
    HideSlider();
    const CString path = AskOpenPath(L"*.sci|*.sci||", this);
    if (!path.IsEmpty())
        TakeSciFile(path);
}

void CPage3::OnDropFiles(HDROP hDropInfo)
{
    const CString path = SingleDroppedFile(hDropInfo);
    if (!path.IsEmpty())
        TakeSciFile(path);
}

void CPage3::TakeSciFile(const CString& path)
{
    std::vector<std::uint8_t> bytes;
    std::uint64_t size = 0;
    if (!ReadSideFile(path, style::SectionSettingsSize, bytes, size))
        return;
    style::SciFileRead read = style::ReadSciFile(bytes);
    if (!read.settings) {
        read.check.size = size;
        ShowSideFileRefusal(path, IDS_SCI_REFUSED_FMT, read.check);
        return;
    }
    m_settings = *read.settings;
    m_modified = true;
    RefreshCells();
}

void CPage3::OnResetSetting()
{
    HideSlider();
    if (ShowMessageBox(MSG_ICON_DEFAULT, IDS_ASK_RESET_PARAMETERS, MB_MODE_OKCANCEL) != IDOK)
        return;
    ResetTable();
    m_modified = true;
    RefreshCells();
}

void CPage3::ResetTable()
{
    m_settings.Reset();
}

BOOL CPage3::PreTranslateMessage(MSG* pMsg)
{
    HideSliderOnClick(m_slider, pMsg);
    return CNewWizPage::PreTranslateMessage(pMsg);
}
