#include "app/view/KeyloftView.h"

#include <algorithm>

#include "widgets/ListDrag.h"
#include "pages/BaseDlg.h"
#include "pages/ProgramMessages.h"
#include "app/transfer/TransferPages.h"
#include "app/view/SelectDevDlg.h"
#include "app/view/ViewThreads.h"
#include "app/view/WorkspaceBar.h"
#include "core/files/FileErrors.h"
#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"
#include "core/files/ShellSeam.h"
#include "core/files/TraceLog.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "editors/song/EditSongDlg1.h"
#include "editors/style/EditStyleDlg1.h"
#include "res/resource.h"
#include "widgets/MessageBox.h"
#include "widgets/PaintAhead.h"
#include "widgets/UiResources.h"

#include <chrono>
#include <cstdlib>
#include <memory>
#include <utility>

namespace {

constexpr UINT kIdsAppTitle = 57344;
constexpr UINT kIdsNotConnected = 228;
constexpr UINT kIdsDeviceDisconnected = 235;
constexpr UINT kIdsConnectTimeout = 243;
constexpr UINT kIdsDeviceBusy = 244;

constexpr UINT kCmdWindowSong = 32775;
constexpr UINT kCmdWindowEditStyle = 32780;
constexpr UINT kCmdWindowFirmware = 32781;
constexpr UINT kCmdConnectDevice = 32787;
constexpr UINT kCmdDisconnectDevice = 32914;
constexpr UINT kWorkspaceBarId = 32770;
constexpr UINT_PTR kDeviceLostRetryTimer = 1;
constexpr UINT kDeviceLostRetryMs = 200;

constexpr int kDevProfileKind = 5;
constexpr DWORD kDevProfileMaxBytes = 2048;
constexpr int kVoiceListKind = 6;
constexpr DWORD kVoiceListMaxBytes = 61440;

// Writes bytes to a file through a temporary beside it; false (after the
// file-error message) when it cannot be written, the old file untouched.
bool WriteWholeFile(LPCTSTR path, CMemFile& bytes)
{
    const auto length = static_cast<std::size_t>(bytes.GetLength());
    std::unique_ptr<BYTE, decltype(&free)> data(bytes.Detach(), &free);
    return SaveFileWithMessage(path, data.get(), length);
}

// The shell's library is loaded on its first call, not at start-up (see
// app/CMakeLists.txt); the pages call it as they are made (they take dropped
// files). Loaded here, it is not loaded under the main window's first paint.
void LoadLibrariesForPages()
{
    static const HMODULE shell = ::LoadLibraryW(L"shell32.dll");
    static_cast<void>(shell);
}

} // namespace

UINT PageDialogId(int slot)
{
    static constexpr UINT ids[PageSlot::Count] = {135, 136, 137, 138, 139, 140, 0};
    return slot >= 0 && slot < PageSlot::Count ? ids[slot] : 0;
}

void SetConnectedSystem(LPCTSTR deviceName)
{
    GetDeviceNames().m_deviceName = deviceName != nullptr ? deviceName : L"";
    TraceLine(L"set_connected_system:%s\n", static_cast<LPCTSTR>(GetDeviceNames().m_deviceName));
}

CKeyloftView* GetActiveKeyloftView()
{
    CWnd* main = AfxGetMainWnd();
    auto* frame = dynamic_cast<CFrameWnd*>(main);
    if (frame == nullptr)
        return nullptr;
    return dynamic_cast<CKeyloftView*>(frame->GetActiveView());
}

namespace {

// Posted by a page build: the pages not shown are made once the window is up.
constexpr UINT kBuildPendingPages = WM_APP + 0x130;

} // namespace

IMPLEMENT_DYNCREATE(CKeyloftView, CView)

BEGIN_MESSAGE_MAP(CKeyloftView, CView)
    ON_MESSAGE(AppMsg::SelectPage, &CKeyloftView::OnSelectPage)
    ON_MESSAGE(kBuildPendingPages, &CKeyloftView::OnBuildPendingPages)
    ON_MESSAGE(AppMsg::FolderChanged, &CKeyloftView::OnFolderChanged)
    ON_MESSAGE(AppMsg::LanguageChanged, &CKeyloftView::OnLanguageChanged)
    ON_MESSAGE(AppMsg::DeviceLost, &CKeyloftView::OnDeviceLost)
    ON_MESSAGE(AppMsg::DeviceRemoved, &CKeyloftView::OnDeviceRemoved)
    ON_MESSAGE(AppMsg::FirmwarePage, &CKeyloftView::OnFirmwarePageMsg)
    ON_WM_MOUSEMOVE()
    ON_WM_LBUTTONUP()
    ON_WM_SIZE()
    ON_WM_SETFOCUS()
    ON_WM_ERASEBKGND()
    ON_WM_DESTROY()
    ON_WM_TIMER()
    ON_COMMAND(kCmdConnectDevice, &CKeyloftView::OnConnectDevice)
    ON_COMMAND(kCmdDisconnectDevice, &CKeyloftView::OnDisconnectDevice)
    ON_UPDATE_COMMAND_UI(kCmdDisconnectDevice, &CKeyloftView::OnUpdateDisconnectDevice)
    ON_UPDATE_COMMAND_UI_RANGE(kCmdWindowSong, kCmdWindowEditStyle, &CKeyloftView::OnUpdateWindowPage)
    ON_UPDATE_COMMAND_UI(kCmdWindowFirmware, &CKeyloftView::OnUpdateWindowFirmware)
END_MESSAGE_MAP()

CKeyloftView::CKeyloftView()
    : m_pageFactory([](int slot, CWnd* parent) -> PagePtr {
          if (slot >= PageSlot::SongTransfer && slot <= PageSlot::MemoryTransfer)
              return CreateTransferPage(slot, parent);
          if (slot == PageSlot::SongEditor)
              return CreateSongEditorPage(parent);
          if (slot == PageSlot::StyleEditor)
              return CreateStyleEditorPage(parent);
          return PagePtr();
      }),
      m_threads(std::make_unique<CViewThreads>())
{
}

CKeyloftView::~CKeyloftView()
{
    // The threads hold the port: they end before it does.
    StopThreads();
    StopPageJobs();
    m_pages = {};
    if (!m_deviceRemoved)
        m_port.Disconnect();
}

BOOL CKeyloftView::PreCreateWindow(CREATESTRUCT& cs) { return CView::PreCreateWindow(cs); }

void CKeyloftView::OnDraw(CDC* /*pDC*/) {}

CWnd* CKeyloftView::MainWindow() const
{
    CWnd* main = AfxGetMainWnd();
    return main != nullptr && ::IsWindow(main->GetSafeHwnd()) ? main : nullptr;
}

// ---- Threads

void CKeyloftView::StartThreads()
{
    std::vector<FolderWatchTarget> folders;
    for (int kind = 0; kind < kWatchedFolderCount; ++kind) {
        FolderWatchTarget target;
        target.kind = kind;
        target.folder = GetDataFolder(kind);
        target.filter = FILE_NOTIFY_CHANGE_FILE_NAME;
        if (kind == 0)
            target.filter |= FILE_NOTIFY_CHANGE_SIZE;
        folders.push_back(target);
    }
    m_threads->StartFolderWatches(GetSafeHwnd(), folders);
    HWND lostTarget = m_deviceLostTarget;
    if (lostTarget == nullptr && MainWindow() != nullptr)
        lostTarget = MainWindow()->GetSafeHwnd();
    if (lostTarget == nullptr)
        lostTarget = GetSafeHwnd();
    m_threads->StartKeepAlive(m_port, lostTarget, m_keepAlivePeriodMs);
}

void CKeyloftView::StopThreads()
{
    if (m_threads)
        m_threads->StopAll();
}

int CKeyloftView::GetRunningThreadCount() const { return m_threads ? m_threads->RunningCount() : 0; }

// ---- Pages

CKeyloftView::PagePtr CKeyloftView::GetPage(int slot) const
{
    if (slot < 0 || slot >= PageSlot::Count)
        return PagePtr();
    // A page of the last build not made yet is made now: whoever asks gets it.
    if (m_pagePending[static_cast<size_t>(slot)])
        const_cast<CKeyloftView*>(this)->BuildPage(slot);
    const PagePtr& page = m_pages[static_cast<size_t>(slot)];
    if (!page || !::IsWindow(page->GetSafeHwnd()))
        return PagePtr();
    return page;
}

void CKeyloftView::FitCurrentPage()
{
    PagePtr page = GetCurrentPage();
    if (!page)
        return;
    CRect client;
    GetClientRect(&client);
    page->MoveWindow(&client);
}

void CKeyloftView::LoadPageSettings()
{
    m_pageSettingsLoaded = true;  // a page made later loads its own
    for (const PagePtr& page : m_pages) {
        if (page)
            page->LoadSettings();
    }
}

void CKeyloftView::SavePageSettings()
{
    for (const PagePtr& page : m_pages) {
        if (page && ::IsWindow(page->GetSafeHwnd()))
            page->SaveSettings();
    }
}

void CKeyloftView::StopPageJobs()
{
    for (const PagePtr& page : m_pages) {
        if (page)
            StopTransferJob(page.get());
    }
}

void CKeyloftView::ReleasePages()
{
    m_pagePending = {};
    m_pageSettingsLoaded = false;
    StopPageJobs();
    if (PagePtr current = GetCurrentPage())
        current->ShowWindow(SW_HIDE);
    for (PagePtr& page : m_pages) {
        if (page && ::IsWindow(page->GetSafeHwnd()))
            page->DestroyWindow();
        page.reset();
    }
}

void CKeyloftView::MakeShownPageAhead()
{
    DiscardPageMadeAhead();
    const CString& device = GetDeviceNames().m_deviceName;
    const CString model = GetInterName(device);
    const CString profilePath = GetDevProfilePathFor(model);
    // Only a profile the chooser found and selected is known before the
    // instrument answers; a missing one is fetched from it after the probe.
    if (!m_pageFactory || profilePath.IsEmpty() || GetDevProfile().GetPath().CompareNoCase(profilePath) != 0 ||
        !IsPageVisible(PageSlot::SongTransfer))
        return;
    // The files' marks are checked against the model's series: the one a
    // later start has stored, read now (the connection writes and reads it
    // again; a page made under another series is not taken).
    GetAppProfile().LoadDeviceSeries();
    m_pageMadeAhead = {PageSlot::SongTransfer, m_pageFactory(PageSlot::SongTransfer, this), profilePath, device,
                       GetDeviceSeries(model)};
    // Laid out at the view's size and painted once unseen: its first paint on the screen only draws.
    if (RECT client{}; m_pageMadeAhead.page && ::GetClientRect(m_hWnd, &client))
        widgets::PaintAhead(m_pageMadeAhead.page->GetSafeHwnd(), client);
}

CKeyloftView::PagePtr CKeyloftView::MakePage(int slot)
{
    PageMadeAhead ahead = std::exchange(m_pageMadeAhead, PageMadeAhead{});
    const bool fits = ahead.slot == slot && ahead.page && ::IsWindow(ahead.page->GetSafeHwnd()) &&
                      GetDevProfile().GetPath().CompareNoCase(ahead.profilePath) == 0 &&
                      GetDeviceNames().m_deviceName == ahead.deviceName &&
                      GetDeviceSeries(GetInterName(ahead.deviceName)) == ahead.series;
    if (fits)
        return ahead.page;
    m_pageMadeAhead = std::move(ahead);
    return m_pageFactory(slot, this);
}

void CKeyloftView::DiscardPageMadeAhead()
{
    PageMadeAhead ahead = std::exchange(m_pageMadeAhead, PageMadeAhead{});
    if (ahead.page && ::IsWindow(ahead.page->GetSafeHwnd()))
        ahead.page->DestroyWindow();
}

void CKeyloftView::BuildPages()
{
    ReleasePages();
    const std::array<bool, 6> visible = GetPageVisibility();
    for (int slot = PageSlot::SongTransfer; slot <= PageSlot::StyleEditor; ++slot)
        m_pagePending[static_cast<size_t>(slot)] = visible[static_cast<size_t>(slot)] && m_pageFactory;
    m_currentPage = PageSlot::SongTransfer;
    // The shown page is made now; the hidden ones, in slot order, once the
    // window is up (or at once when something asks for one first).
    if (m_pagePending[static_cast<size_t>(m_currentPage)])
        BuildPage(m_currentPage);
    DiscardPageMadeAhead();
    FitCurrentPage();
    if (std::find(m_pagePending.begin(), m_pagePending.end(), true) != m_pagePending.end())
        PostMessage(kBuildPendingPages);
}

void CKeyloftView::BuildPage(int slot)
{
    const auto index = static_cast<size_t>(slot);
    m_pagePending[index] = false;
    m_pages[index] = MakePage(slot);
    PagePtr page = GetPage(slot);
    if (!page)
        return;
    page->Attach(this, GetPortForPages());
    // Only the song page shows after a build; a page made later stays hidden
    // until it is selected.
    page->ShowWindow(slot == PageSlot::SongTransfer && m_currentPage == slot ? SW_SHOW : SW_HIDE);
    page->RefreshDeviceList();
    if (m_pageSettingsLoaded)
        page->LoadSettings();
}

LRESULT CKeyloftView::OnBuildPendingPages(WPARAM, LPARAM)
{
    for (int slot = 0; slot < PageSlot::Count; ++slot) {
        if (m_pagePending[static_cast<size_t>(slot)])
            BuildPage(slot);
    }
    return 0;
}

LRESULT CKeyloftView::OnSelectPage(WPARAM wParam, LPARAM lParam)
{
    const auto slot = static_cast<int>(wParam);
    if (wParam >= static_cast<WPARAM>(PageSlot::Count))
        return 0;
    CRect client;
    GetClientRect(&client);
    for (int i = 0; i < PageSlot::Count; ++i) {
        PagePtr page = GetPage(i);
        if (!page)
            continue;
        if (i == slot) {
            page->MoveWindow(&client);
            page->ShowWindow(SW_SHOW);
            page->SetFocus();
        } else if (page->IsWindowVisible()) {
            page->ShowWindow(SW_HIDE);
        }
        page->PostMessage(AppMsg::SelectPage, wParam, lParam);
    }
    m_currentPage = slot;
    FitCurrentPage();
    return 0;
}

LRESULT CKeyloftView::OnFolderChanged(WPARAM wParam, LPARAM lParam)
{
    if (wParam > static_cast<WPARAM>(PageSlot::MemoryTransfer))
        return 0;
    if (PagePtr page = GetPage(static_cast<int>(wParam)))
        page->PostMessage(AppMsg::FolderChanged, wParam, lParam);
    return 0;
}

LRESULT CKeyloftView::OnLanguageChanged(WPARAM wParam, LPARAM lParam)
{
    for (int slot = 0; slot < PageSlot::Count; ++slot) {
        if (PagePtr page = GetPage(slot))
            page->PostMessage(AppMsg::LanguageChanged, wParam, lParam);
    }
    if (m_port.GetMode() == CUSBPort::kModeClosed)
        SetCaption();
    return 0;
}

void CKeyloftView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    FitCurrentPage();
}

void CKeyloftView::OnSetFocus(CWnd* pOldWnd)
{
    // The frame gives its view the focus (after a dialog closes, say): the
    // page shown takes it, so that its keys work without a click first.
    PagePtr page = GetCurrentPage();
    if (page && page->IsWindowVisible()) {
        page->SetFocus();
        return;
    }
    CView::OnSetFocus(pOldWnd);
}

BOOL CKeyloftView::OnEraseBkgnd(CDC* pDC)
{
    if (!GetDeviceNames().m_deviceName.IsEmpty())
        return TRUE;
    return CView::OnEraseBkgnd(pDC);
}

// A list drag can travel over the view's uncovered area.
void CKeyloftView::OnMouseMove(UINT nFlags, CPoint point)
{
    FollowListDrag(*this, point);
    CView::OnMouseMove(nFlags, point);
}

void CKeyloftView::OnLButtonUp(UINT nFlags, CPoint point)
{
    EndListDragOnRelease();
    CView::OnLButtonUp(nFlags, point);
}

void CKeyloftView::OnDestroy()
{
    SavePageSettings();
    StopPageJobs();
    CView::OnDestroy();
}

// ---- Window menu

void CKeyloftView::OnUpdateWindowPage(CCmdUI* pCmdUI)
{
    const int slot = static_cast<int>(pCmdUI->m_nID - kCmdWindowSong);
    const bool on = IsPageVisible(slot);
    pCmdUI->Enable(on);
    pCmdUI->SetCheck(on && slot == m_currentPage);
}

void CKeyloftView::OnUpdateWindowFirmware(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }

void CKeyloftView::OnUpdateDisconnectDevice(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(!GetDeviceNames().m_deviceName.IsEmpty());
}

// ---- Connection

CString CKeyloftView::MakeCaption()
{
    const CString& device = GetDeviceNames().m_deviceName;
    return LoadResString(kIdsAppTitle) + L" - " + (device.IsEmpty() ? LoadResString(kIdsNotConnected) : device);
}

void CKeyloftView::SetCaption()
{
    if (CFrameWnd* frame = GetParentFrame())
        frame->SetWindowText(MakeCaption());
}

INT_PTR CKeyloftView::RunChooser(bool startupMode, UINT& outId, UINT& inId)
{
    CSelectDevDlg chooser(startupMode, MainWindow());
    const INT_PTR result = chooser.DoModal();
    if (result == IDOK) {
        outId = chooser.GetChosenOutId();
        inId = chooser.GetChosenInId();
    } else if (chooser.ClosedPreviousDevice()) {
        // The old instrument was closed for a new one that then failed: the
        // old pages must not stay on the closed port.
        ForgetInstrument();
    }
    return result;
}

void CKeyloftView::NotifyDeviceLost()
{
    ShowMessageBox(-1, kIdsDeviceDisconnected, MB_MODE_OK, MSG_SOUND_NONE);
}

bool CKeyloftView::AskDisconnect() { return CCancelableDlg::Ask(240, TRUE, 1) == IDOK; }

bool CKeyloftView::OpenMidiPair(UINT outId, UINT inId)
{
    if (!m_port.GetMidiLink().Open(outId, inId))
        return false;
    m_port.GetComm().Close();
    m_port.SetMode(CUSBPort::kModeMidi);
    return true;
}

void CKeyloftView::CloseMidiPair()
{
    m_port.GetComm().Close();
    m_port.GetMidiLink().CloseOut();
    m_port.GetMidiLink().CloseIn();
}

void CKeyloftView::EndProgram()
{
    DiscardPageMadeAhead();
    SetConnectedSystem(L"");
    GetDeviceNames().m_midiPortName.Empty();
    m_programEnding = true;
    if (CFrameWnd* frame = GetParentFrame()) {
        if (CWnd* bar = frame->GetDlgItem(kWorkspaceBarId))
            bar->ShowWindow(SW_HIDE);
        if (CWnd* status = frame->GetDlgItem(AFX_IDW_STATUS_BAR))
            status->ShowWindow(SW_HIDE);
    }
    ShowWindow(SW_HIDE);
    if (CWnd* main = MainWindow()) {
        main->ShowWindow(SW_HIDE);
        main->PostMessage(WM_CLOSE);
    }
}

bool CKeyloftView::PrepareConnectedModel()
{
    const CString device = GetDeviceNames().m_deviceName;
    const CString model = GetInterName(device);
    TraceLine(L"View: DevName=%s InterName=%s\n", static_cast<LPCTSTR>(device), static_cast<LPCTSTR>(model));
    GetAppProfile().SetDeviceSeries(model, CAppProfile::kSeriesOfConnectedModels);
    GetAppProfile().LoadDeviceSeries();
    if (!EnsureDevProfile())
        return false;
    return SelectDevProfile(model);
}

void CKeyloftView::FinishConnection()
{
    if (CWnd* main = MainWindow())
        main->SendMessage(AppMsg::DevProfileLoaded);
    SetCaption();
    if (!GetDeviceNames().m_deviceName.IsEmpty())
        CUSBPort::s_connected.store(true);
    BuildPages();
    LoadPageSettings();
}

bool CKeyloftView::PauseBeforeConnecting()
{
    // The wait is the instrument's: the frame, hidden so far, is finished
    // meanwhile, and only the rest of the time is slept. The background
    // threads start here too: until an instrument is chosen there is no page
    // for a folder watch to refresh and no connection to keep alive, and the
    // chooser shows the sooner for not waiting on them. The skin images are
    // first shown by the pages made after it, so they are decoded meanwhile
    // too, on a worker, not while the frame and the chooser are made. The
    // page shown first is made meanwhile as well when its device profile is
    // known already; it is attached and filled from the instrument only once
    // the instrument has answered.
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(m_connectPauseMs);
    StartThreads();
    StartDecodingUiImages();
    CFrameWnd* frame = GetParentFrame();
    const bool completed = frame == nullptr || frame->SendMessage(AppMsg::CompleteFrame) == 0;
    LoadLibrariesForPages();
    if (completed)
        MakeShownPageAhead();
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
    if (left.count() > 0)
        ::Sleep(static_cast<DWORD>(left.count()));
    return completed;
}

void CKeyloftView::OnInitialUpdate()
{
    CView::OnInitialUpdate();

    UINT outId = 0;
    UINT inId = 0;
    if (RunChooser(true, outId, inId) != IDOK) {
        EndProgram();
        return;
    }
    // A frame without its bars is no place for the pages: the start-up ends.
    if (!PauseBeforeConnecting()) {
        EndProgram();
        return;
    }
    // A pair that does not open has been reported by the link; the start-up
    // ends there, as when the instrument does not answer.
    if (!OpenMidiPair(outId, inId)) {
        EndProgram();
        return;
    }
    bool answered = false;
    bool busy = false;
    for (int attempt = 0; attempt < m_startupProbeCount && !answered; ++attempt) {
        if (busy)
            ::Sleep(m_busyProbePauseMs);
        answered = m_port.Probe() != FALSE;
        busy = !answered && m_port.LastProbeWasBusy();
    }
    if (!answered && busy) {
        // The instrument is there but cannot talk now: the program stays, not
        // connected, for the user to connect when it is free.
        ShowMessageBox(IDI_FAILURE, kIdsDeviceBusy, MB_MODE_OK);
        ForgetInstrument();
        return;
    }
    if (!answered) {
        ShowPlainMessageBox(LoadResString(kIdsConnectTimeout), MB_OK | MB_ICONWARNING, GetSafeHwnd());
        EndProgram();
        return;
    }
    if (!PrepareConnectedModel()) {
        EndProgram();
        return;
    }
    FinishConnection();
}

BOOL CKeyloftView::EnsureDevProfile()
{
    const CString path = GetDevProfilePathFor(GetInterName(GetDeviceNames().m_deviceName));
    if (path.IsEmpty())
        return FALSE;
    if (RegularFileExists(path))
        return TRUE;
    CMemFile bytes(1024);
    if (m_port.Upload(kDevProfileKind, 0, kDevProfileMaxBytes, bytes) != 1)
        return FALSE;
    CreateFolder(GetFolderOfPath(path));
    // A profile that cannot be stored is as good as none: the pages would be
    // built from defaults that do not fit the model.
    return WriteWholeFile(path, bytes) ? TRUE : FALSE;
}

BOOL CKeyloftView::FetchInsFile()
{
    const CString model = GetInterName(GetDeviceNames().m_deviceName);
    if (model.IsEmpty() || GetDevProfilePathFor(model).IsEmpty())
        return FALSE;
    const CString path = GetInsFolder() + model + L".ins";
    CMemFile bytes(1024);
    if (m_port.Upload(kVoiceListKind, 0, kVoiceListMaxBytes, bytes) != 1)
        return FALSE;
    return WriteWholeFile(path, bytes) ? TRUE : FALSE;
}

BOOL CKeyloftView::CloseDevice()
{
    for (int slot = 0; slot < PageSlot::Count; ++slot) {
        if (PagePtr page = GetPage(slot)) {
            if (!page->CanClose())
                return FALSE;
        }
    }
    StopPageJobs();
    CUSBPort::s_connected.store(false);
    m_port.CloseDevice();
    CloseMidiPair();
    return TRUE;
}

void CKeyloftView::Disconnect() { DropInstrumentLink(true); }

void CKeyloftView::DropInstrumentLink(bool sendClosePacket)
{
    DiscardPageMadeAhead();
    StopPageJobs();
    CUSBPort::s_connected.store(false);
    if (sendClosePacket)
        m_port.CloseDevice();
    CloseMidiPair();
    SetConnectedSystem(L"");
    GetDeviceNames().m_midiPortName.Empty();
    ClearDevProfile();
}

void CKeyloftView::ForgetInstrument()
{
    DropInstrumentLink(false);
    ReleasePages();
    SetCaption();
    if (CWnd* main = MainWindow())
        main->SendMessage(AppMsg::DevProfileLoaded);
}

bool CKeyloftView::ConnectFromChooser()
{
    UINT outId = 0;
    UINT inId = 0;
    if (RunChooser(false, outId, inId) != IDOK)
        return false;
    CUSBPort::s_connected.store(false);
    bool connected = false;
    const bool opened = OpenMidiPair(outId, inId);
    if (opened && m_port.Probe()) {
        m_port.QueryIdentity();
        // The same steps as at start-up: a model first met here gets its
        // series entry and device profile too.
        connected = PrepareConnectedModel();
        if (!connected)
            Disconnect();
    } else if (opened && m_port.LastProbeWasBusy()) {
        ShowMessageBox(IDI_FAILURE, kIdsDeviceBusy, MB_MODE_OK);
    }
    FinishConnection();
    if (CFrameWnd* frame = GetParentFrame()) {
        if (auto* bar = dynamic_cast<CWorkspaceBar*>(frame->GetDlgItem(kWorkspaceBarId)))
            OnSelectPage(static_cast<WPARAM>(bar->GetSelectedPage()), 0);
    }
    m_deviceRemoved = false;
    return connected;
}

void CKeyloftView::OnConnectDevice() { ConnectFromChooser(); }

void CKeyloftView::OnDisconnectDevice()
{
    if (!AskDisconnect())
        return;
    Disconnect();
    SetCaption();
    for (int slot = 0; slot < PageSlot::Count; ++slot) {
        if (PagePtr page = GetPage(slot)) {
            page->PostMessage(AppMsg::DeviceLost);
            page->Attach(this, nullptr);
        }
    }
    if (CWnd* main = MainWindow())
        main->PostMessage(AppMsg::DeviceLost);
    else
        PostMessage(AppMsg::DeviceLost);
}

LRESULT CKeyloftView::OnDeviceLost(WPARAM /*wParam*/, LPARAM /*lParam*/)
{
    // Boxes still up speak of the instrument that has gone: they close, and
    // the loss is handled once every box's loop has ended, not stacked on
    // them (and never under code that waits in a box for a page it would
    // release).
    const bool boxesClosed = CMessageBox::CloseOpenBoxes() > 0;
    CWnd* main = MainWindow();
    if (boxesClosed || (main != nullptr && !main->IsWindowEnabled())) {
        SetTimer(kDeviceLostRetryTimer, kDeviceLostRetryMs, nullptr);
        return 0;
    }
    DropInstrumentLink(false);
    ReleasePages();
    SetCaption();
    NotifyDeviceLost();
    OnConnectDevice();
    return 0;
}

void CKeyloftView::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kDeviceLostRetryTimer) {
        CView::OnTimer(nIDEvent);
        return;
    }
    KillTimer(kDeviceLostRetryTimer);
    OnDeviceLost(0, 0);
}

LRESULT CKeyloftView::OnDeviceRemoved(WPARAM wParam, LPARAM lParam)
{
    // The instrument is gone from the system: nothing may be sent to it, not
    // even the close packet when the view ends.
    m_deviceRemoved = true;
    if (PagePtr firmware = GetPage(PageSlot::Firmware))
        firmware->SendMessage(AppMsg::DeviceRemoved, wParam, lParam);
    DropInstrumentLink(false);
    SetCaption();
    // The pages stay until the next connection rebuilds them, but without a
    // port: the old one leads nowhere now.
    for (int slot = 0; slot < PageSlot::Count; ++slot) {
        if (PagePtr page = GetPage(slot)) {
            page->SendMessage(AppMsg::DeviceLost);
            page->Attach(this, nullptr);
        }
    }
    // The user is told that the instrument went away (not that something
    // succeeded), then offered the chooser.
    NotifyDeviceLost();
    OnConnectDevice();
    return 0;
}

LRESULT CKeyloftView::OnFirmwarePageMsg(WPARAM wParam, LPARAM lParam)
{
    if (PagePtr firmware = GetPage(PageSlot::Firmware))
        firmware->PostMessage(AppMsg::FirmwarePage, wParam, lParam);
    return 0;
}
