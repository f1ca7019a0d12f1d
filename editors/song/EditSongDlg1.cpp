#include "editors/song/EditSongDlg1.h"

#include <afxdlgs.h>

#include <algorithm>

#include "core/files/TextHelpers.h"
#include "core/link/MidiDevSearch.h"
#include "core/profile/DeviceNames.h"
#include "editors/song/GeneralMidiNames.h"
#include "editors/song/SongConvertInfoDlg.h"
#include "editors/song/SongEditorRules.h"
#include "pages/AppMessages.h"
#include "pages/PageHost.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"
#include "widgets/ListColumnText.h"
#include "widgets/MidiDevDlg.h"
#include "widgets/ToolBarHelpers.h"
#include "widgets/UiResources.h"

namespace {

constexpr UINT kToolBarId = 59392;
constexpr int kToolBarHeight = 56;
constexpr LPCTSTR kOutputSection = L"EditSong";
constexpr LPCTSTR kOutputEntry = L"MIDIDev";
constexpr int kSongKind = 0;

// Room beside a column caption: the header's own margins on both sides.
constexpr int kCaptionMargin = 16;

// Toolbar texts and column captions, in button and column order.
constexpr UINT kButtonTexts[] = {186, 165, 166, 181, 167};
struct TrackColumn {
    UINT caption;
    int width;
    int format;
};
constexpr TrackColumn kTrackColumns[] = {{168, 40, LVCFMT_LEFT},   {169, 130, LVCFMT_LEFT},
                                         {170, 50, LVCFMT_CENTER}, {171, 50, LVCFMT_CENTER},
                                         {172, 60, LVCFMT_CENTER}, {173, 80, LVCFMT_CENTER}};

UINT ReadStoredOutput()
{
    CWinApp* app = AfxGetApp();
    return app != nullptr ? app->GetProfileInt(kOutputSection, kOutputEntry, -1) : static_cast<UINT>(-1);
}

void StoreOutput(UINT id)
{
    if (CWinApp* app = AfxGetApp())
        app->WriteProfileInt(kOutputSection, kOutputEntry, static_cast<int>(id));
}

// The stored output unless it is the instrument's own port; else the first
// "MICROSOFT" output; else the first other one (written back when it changed).
UINT ChooseStartingOutput()
{
    std::vector<CString> names;
    for (const auto& output : CMidiDevDlg::ListSystemOutputs())
        names.push_back(output.second);
    const UINT stored = ReadStoredOutput();
    const int chosen =
        songedit::ChooseMidiOutput(static_cast<int>(stored), names, GetDeviceNames().m_midiPortName);
    if (chosen >= 0 && static_cast<UINT>(chosen) != stored)
        StoreOutput(static_cast<UINT>(chosen));
    return chosen >= 0 ? static_cast<UINT>(chosen) : stored;
}

} // namespace

BEGIN_MESSAGE_MAP(CEditSongDlg1, CBaseDlg)
    ON_WM_CREATE()
    ON_WM_DESTROY()
    ON_COMMAND(ID_SONG_OPEN, &CEditSongDlg1::OnOpen)
    ON_COMMAND(ID_SONG_PLAY, &CEditSongDlg1::OnPlayPause)
    ON_COMMAND(ID_SONG_STOP, &CEditSongDlg1::OnStop)
    ON_COMMAND(ID_SONG_CONVERT, &CEditSongDlg1::OnConvert)
    ON_COMMAND(ID_SONG_CONVERT_DOWNLOAD, &CEditSongDlg1::OnConvertAndDownload)
    ON_COMMAND(ID_SONG_DEVICE, &CEditSongDlg1::OnChooseOutput)
    ON_NOTIFY(TBN_DROPDOWN, kToolBarId, &CEditSongDlg1::OnToolBarDropDown)
    ON_MESSAGE(WM_PLAYER_POSITION, &CEditSongDlg1::OnPlayPosition)
    ON_MESSAGE(WM_PLAYER_STOPPED, &CEditSongDlg1::OnPlayStopped)
    ON_MESSAGE(CSkinScrollBar::kMsgThumbReleased, &CEditSongDlg1::OnBarReleased)
    ON_MESSAGE(CTrackListCtrl::kMsgSoloRequest, &CEditSongDlg1::OnSoloRequest)
    ON_MESSAGE(CTrackListCtrl::kMsgMuteRequest, &CEditSongDlg1::OnMuteRequest)
    ON_MESSAGE(AppMsg::LanguageChanged, &CEditSongDlg1::OnLanguageChanged)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

CEditSongDlg1::CEditSongDlg1(CWnd* pParent) : CBaseDlg(IDD_EDIT_SONG, pParent), m_midiDevId(ChooseStartingOutput())
{
    LoadPageAccelerators(IDR_EDIT_SONG_ACCEL);
}

CEditSongDlg1::~CEditSongDlg1()
{
    if (m_player.m_playing)
        m_player.Stop();
    CloseOutput();
}

void CEditSongDlg1::DoDataExchange(CDataExchange* pDX)
{
    CBaseDlg::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_SONG_TRACK_LIST, m_trackList);
    DDX_Control(pDX, IDC_SONG_TIME, m_timeText);
}

int CEditSongDlg1::OnCreate(LPCREATESTRUCT lpCreateStruct)
{
    if (CBaseDlg::OnCreate(lpCreateStruct) == -1)
        return -1;
    if (m_toolBar.CreateEx(this, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                           CRect(0, 0, 0, 0), kToolBarId) &&
        m_toolBar.LoadToolBar(IDR_EDIT_SONG_BAR)) {
        SetToolBarImageList(m_toolBar, IDB_EDIT_SONG_BAR, 16, 16);
        MakeToolBarDropDown(ID_SONG_CONVERT, m_toolBar);
        m_toolBar.SetSizes(CSize(62, 50), CSize(16, 16));
    }
    return 0;
}

BOOL CEditSongDlg1::OnInitDialog()
{
    CBaseDlg::OnInitDialog();
    EnableToolTips(TRUE);
    m_positionBar.CreateOnPlaceholder(this, IDC_SONG_POSITION);
    m_positionBar.SetRange(0, songedit::kBarMax);
    m_trackList.SetExtendedStyle(LVS_EX_GRIDLINES);
    for (int column = 0; column < static_cast<int>(std::size(kTrackColumns)); ++column) {
        const TrackColumn& info = kTrackColumns[column];
        m_trackList.InsertColumn(column, LoadResString(info.caption), info.format, info.width);
    }
    if (m_toolBar.GetSafeHwnd()) {
        CRect client;
        GetClientRect(&client);
        m_toolBar.SetWindowPos(&CWnd::wndBottom, 0, 0, client.Width(), kToolBarHeight, SWP_NOACTIVATE);
        AddAnchor(m_toolBar.GetSafeHwnd(), ANCHOR_TOPLEFT, ANCHOR_TOPRIGHT);
    }
    AddAnchor(m_positionBar.GetSafeHwnd(), ANCHOR_TOPLEFT, ANCHOR_TOPRIGHT);
    AddAnchor(IDC_SONG_TIME, ANCHOR_TOPRIGHT);
    AddAnchor(IDC_SONG_TRACK_LIST, ANCHOR_TOPLEFT, ANCHOR_BOTTOMRIGHT);
    ClearTimeText();
    ReloadTexts();
    return TRUE;
}

void CEditSongDlg1::OnDestroy()
{
    if (m_player.m_playing)
        m_player.Stop();
    CloseOutput();
    CBaseDlg::OnDestroy();
}

void CEditSongDlg1::ReloadTexts()
{
    if (m_toolBar.GetSafeHwnd()) {
        for (int button = 0; button < static_cast<int>(std::size(kButtonTexts)); ++button)
            m_toolBar.SetButtonText(button, LoadResString(kButtonTexts[button]));
    }
    if (m_trackList.GetSafeHwnd()) {
        for (int column = 0; column < static_cast<int>(std::size(kTrackColumns)); ++column) {
            SetListColumnTextById(m_trackList, column, kTrackColumns[column].caption);
            // Wide enough for the caption in every language ("Track" does not
            // fit the 40 pixels that hold the Chinese one).
            const CString caption = LoadResString(kTrackColumns[column].caption);
            const auto textWidth = static_cast<int>(m_trackList.SendMessage(
                LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(caption.GetString())));
            m_trackList.SetColumnWidth(column, std::max(kTrackColumns[column].width, textWidth + kCaptionMargin));
        }
    }
}

HBRUSH CEditSongDlg1::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    if (pWnd != nullptr && pWnd->GetSafeHwnd() == m_timeText.GetSafeHwnd()) {
        const COLORREF back = GetUiResources().m_pageBackColour;
        if (!m_timeBackBrush.GetSafeHandle())
            m_timeBackBrush.CreateSolidBrush(back);
        pDC->SetBkColor(back);
        return static_cast<HBRUSH>(m_timeBackBrush.GetSafeHandle());
    }
    return CBaseDlg::OnCtlColor(pDC, pWnd, nCtlColor);
}

LRESULT CEditSongDlg1::OnLanguageChanged(WPARAM, LPARAM)
{
    ReloadTexts();
    return 0;
}

void CEditSongDlg1::GetExcludeRects(std::vector<CRect>& rects)
{
    if (!m_trackList.GetSafeHwnd())
        return;
    CRect rect;
    m_trackList.GetWindowRect(&rect);
    ScreenToClient(&rect);
    rects.push_back(rect);
}

BOOL CEditSongDlg1::PreTranslateMessage(MSG* pMsg)
{
    // The space bar toggles play and pause (a held key does not repeat it).
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_SPACE) {
        if ((pMsg->lParam & (1 << 30)) == 0)
            PlayPause();
        return TRUE;
    }
    return CBaseDlg::PreTranslateMessage(pMsg);
}

// ---- Open and the track list

void CEditSongDlg1::OnOpen()
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, LoadResString(175), this);
    if (dialog.DoModal() == IDOK)
        LoadSong(dialog.GetPathName());
    // Space and the page's keys work at once, without a click into the page.
    SetFocus();
}

bool CEditSongDlg1::LoadSong(const CString& path)
{
    StopPlaying();
    if (!m_player.LoadFile(path, m_hWnd)) {
        ShowMessageBox(MSG_ICON_WARNING, 116);
        return false;
    }
    FillTracks();
    m_positionBar.SetPos(0);
    return true;
}

void CEditSongDlg1::FillTracks()
{
    m_trackList.ResetMelodyRows();
    m_trackList.ClearColumnMaps();
    m_trackList.DeleteAllItems();
    std::vector<int> programs;
    m_player.GetFirstPrograms(programs);
    for (int program : programs)
        m_trackList.AddTrack(program < 0 ? nullptr : songedit::GeneralMidiProgramName(static_cast<unsigned>(program)));
    m_trackList.SetModified(false);
    m_player.m_melodyChannel = m_player.FindMelodyChannel();
}

// ---- Playing

bool CEditSongDlg1::OpenOutput()
{
    CloseOutput();
    HMIDIOUT handle = nullptr;
    // No output chosen (or it is gone) is a failure too, not the system's mapper.
    if (m_midiDevId >= ::midiOutGetNumDevs() ||
        ::midiOutOpen(&handle, m_midiDevId, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
        ShowMessageBox(MSG_ICON_WARNING, 61502);
        return false;
    }
    m_hMidiOut = handle;
    m_player.m_hMidiOut = handle;
    ::midiOutReset(handle);
    return true;
}

void CEditSongDlg1::CloseOutput()
{
    if (m_hMidiOut == nullptr)
        return;
    while (::midiOutClose(m_hMidiOut) == MIDIERR_STILLPLAYING)
        ::Sleep(1);
    m_hMidiOut = nullptr;
    m_player.m_hMidiOut = nullptr;
}

void CEditSongDlg1::OnPlayPause()
{
    PlayPause();
}

void CEditSongDlg1::PlayPause()
{
    if (m_hMidiOut == nullptr && !OpenOutput())
        return;
    if (m_player.m_length != 0)
        m_player.Play(TRUE);
    RefreshPlayButton();
}

void CEditSongDlg1::OnStop()
{
    StopPlaying();
}

void CEditSongDlg1::StopPlaying()
{
    if (!m_player.m_playing)
        return;
    m_player.Stop();
    CloseOutput();
    ClearTimeText();
    RefreshPlayButton();
}

void CEditSongDlg1::ClearTimeText()
{
    if (!m_timeText.GetSafeHwnd())
        return;
    m_timeText.ShowWindow(SW_HIDE);
    m_timeText.SetWindowText(L"");
    m_timeText.ShowWindow(SW_SHOW);
}

void CEditSongDlg1::RefreshPlayButton()
{
    if (m_toolBar.GetSafeHwnd())
        m_toolBar.GetToolBarCtrl().PressButton(ID_SONG_PLAY, m_player.m_playing && !m_player.m_paused);
}

LRESULT CEditSongDlg1::OnPlayPosition(WPARAM wParam, LPARAM lParam)
{
    const auto current = static_cast<UINT>(wParam);
    const auto total = static_cast<UINT>(lParam);
    m_timeText.SetWindowText(songedit::FormatPlayTime(current, total));
    // The user's hand on the thumb wins over the player.
    const bool held = m_positionBar.m_bDragging ||
                      (::GetKeyState(VK_LBUTTON) < 0 && ::GetFocus() == m_positionBar.GetSafeHwnd());
    int position = 0;
    if (!held && songedit::BarPositionOf(current, total, position)) {
        m_positionBar.m_nPos = position;
        m_positionBar.UpdateThumbPosition();
    }
    return 0;
}

LRESULT CEditSongDlg1::OnPlayStopped(WPARAM, LPARAM)
{
    if (m_player.m_playing)
        return 0;
    m_player.Stop();  // ends the timer of a song that ran to its end
    CloseOutput();
    m_positionBar.m_nPos = 0;
    m_positionBar.UpdateThumbPosition();
    ClearTimeText();
    RefreshPlayButton();
    return 0;
}

LRESULT CEditSongDlg1::OnBarReleased(WPARAM wParam, LPARAM)
{
    if (wParam != IDC_SONG_POSITION)
        return 0;
    m_positionBar.EnableWindow(FALSE);
    m_player.Seek(songedit::SeekFractionOf(m_positionBar.GetPos()));
    m_positionBar.EnableWindow(TRUE);
    return 0;
}

LRESULT CEditSongDlg1::RequestChannelFlag(int (&flags)[16], WPARAM channel, LPARAM on)
{
    if (channel >= 16)
        return 0;
    if (m_player.m_playing && !m_player.m_paused && m_player.m_pendingChange)
        return 0;
    flags[channel] = on != 0 ? 1 : 0;
    m_player.m_pendingChange = 1;
    return 1;
}

LRESULT CEditSongDlg1::OnSoloRequest(WPARAM wParam, LPARAM lParam)
{
    return RequestChannelFlag(m_player.m_solo, wParam, lParam);
}

LRESULT CEditSongDlg1::OnMuteRequest(WPARAM wParam, LPARAM lParam)
{
    return RequestChannelFlag(m_player.m_mute, wParam, lParam);
}

void CEditSongDlg1::OnChooseOutput()
{
    CMidiDevDlg dialog(m_midiDevId, this);
    if (dialog.DoModal() == IDOK && dialog.GetDeviceId() != m_midiDevId) {
        m_midiDevId = dialog.GetDeviceId();
        StoreOutput(m_midiDevId);
        StopPlaying();
    }
    SetFocus();
}

// ---- Conversion

void CEditSongDlg1::OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    const auto* drop = reinterpret_cast<NMTOOLBAR*>(pNMHDR);
    *pResult = 0;
    if (drop->iItem != ID_SONG_CONVERT)
        return;
    CMenu menu;
    if (!menu.LoadMenu(IDR_EDIT_SONG_CONVERT_MENU))
        return;
    CMenu* popup = menu.GetSubMenu(0);
    if (popup == nullptr)
        return;
    CRect rect(drop->rcButton);
    ::MapWindowPoints(pNMHDR->hwndFrom, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    popup->TrackPopupMenu(TPM_LEFTALIGN | TPM_TOPALIGN, rect.left, rect.bottom, this);
}

void CEditSongDlg1::OnConvert()
{
    ConvertSong();
    SetFocus();
}

void CEditSongDlg1::OnConvertAndDownload()
{
    // Converted as Convert does; the song written then goes to the instrument
    // through the song transfer page's own download.
    const CString converted = ConvertSong();
    if (!converted.IsEmpty()) {
        if (IPageHost* host = GetView())
            host->DownloadSongFile(converted);
    }
    SetFocus();
}

CString CEditSongDlg1::ConvertSong()
{
    if (GetDeviceNames().m_deviceName.IsEmpty()) {
        ShowMessageBox(MSG_ICON_WARNING, 232);
        return CString();
    }
    if (m_player.m_path.IsEmpty()) {
        ShowMessageBox(MSG_ICON_WARNING, 185);
        return CString();
    }
    int removed[16] = {};
    UINT kept = 0;
    for (int channel = 0; channel < 16; ++channel) {
        removed[channel] = !m_player.m_used[channel] || m_trackList.IsRemoved(channel) ? 1 : 0;
        kept += removed[channel] ? 0 : 1;
    }
    CSongConvertInfoDlg dialog(kept, m_fullName, m_shortName, m_player.m_path, this);
    if (dialog.DoModal() != IDOK)
        return CString();
    m_fullName = dialog.GetFullName();
    m_shortName = dialog.GetShortName();
    const CString path = songedit::WithMidExtension(dialog.GetOutputPath());
    return ConvertInto(path, dialog.GetTargetModel(), removed) ? path : CString();
}

bool CEditSongDlg1::ConvertInto(const CString& path, const CString& model, const int (&removed)[16])
{
    BOOL converted = FALSE;
    {
        // The song folder's watch stays quiet while the file is written.
        CHostFolderWatchPause pause(GetView(), kSongKind);
        converted = m_player.ConvertForDevice(model, removed, &m_player, path, m_trackList.GetMainMelodyRow());
    }
    if (converted) {
        m_trackList.SetModified(false);
        CCancelableDlg::Ask(236, FALSE, MSG_SOUND_FINISH);
    }
    if (IPageHost* host = GetView())
        host->NotifyFolderChanged(kSongKind);
    return converted != FALSE;
}

// ---- Closing

bool CEditSongDlg1::CanClose()
{
    if (m_trackList.GetSafeHwnd() && m_trackList.IsModified() &&
        ShowMessageBox(MSG_ICON_DEFAULT, 223, MB_MODE_OKCANCEL) != IDOK) {
        if (CWnd* main = AfxGetMainWnd())
            main->PostMessage(AppMsg::BringPageForward, PageSlot::SongEditor, 0);
        return false;
    }
    StopPlaying();
    return true;
}

LRESULT CEditSongDlg1::OnDeviceLost(WPARAM, LPARAM)
{
    if (m_player.m_playing) {
        m_player.Stop();
        CloseOutput();
        ClearTimeText();
        RefreshPlayButton();
    }
    return 1;
}

boost::shared_ptr<CBaseDlg> CreateSongEditorPage(CWnd* parent)
{
    boost::shared_ptr<CEditSongDlg1> page(new CEditSongDlg1(parent));
    if (!page->Create(IDD_EDIT_SONG, parent))
        return {};
    return page;
}
