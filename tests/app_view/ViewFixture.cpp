#include "tests/app_view/ViewFixture.h"

#include <tlhelp32.h>

#include <random>
#include <string_view>

#include "core/files/Folders.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"

namespace viewtest {

ViewFixture::ViewFixture()
{
    std::random_device random;
    m_programFolder = std::filesystem::temp_directory_path() / ("keyloft-view-" + std::to_string(random()));
    std::filesystem::create_directories(m_programFolder);
    SetProgramFolderOverride(m_programFolder.wstring().c_str());
    linktest::SetLoopBehaviour(L"silent");
    m_memory = std::make_unique<linktest::SimulatedMemory>();
    ClearDevProfile();
    GetDeviceNames().m_deviceName.Empty();
    GetDeviceNames().m_midiPortName.Empty();
    GetDeviceNames().ClearInterNames();
    CUSBPort::s_connected.store(false);
}

ViewFixture::~ViewFixture()
{
    DestroyFrame();
    ClearDevProfile();
    GetDeviceNames().m_deviceName.Empty();
    GetDeviceNames().ClearInterNames();
    CUSBPort::s_connected.store(false);
    SetProgramFolderOverride(L"");
    linktest::SetLoopBehaviour(L"echo");
    std::error_code ignored;
    std::filesystem::remove_all(m_programFolder, ignored);
}

TestView& ViewFixture::MakeView()
{
    m_frame = new TestFrame;
    m_frame->Create(nullptr, L"view test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, 640, 480));
    auto* view = new TestView;
    view->m_connectPauseMs = 0;
    view->m_keepAlivePeriodMs = 60000;
    view->GetPort().SetTimeouts(linktest::ShortTimeouts());
    view->SetPageFactory([this, view](int slot, CWnd* parent) -> CKeyloftView::PagePtr {
        boost::shared_ptr<RecordingPage> page(new RecordingPage(slot));
        if (!page->Create(142, parent))
            return {};
        pagesMade.push_back(page);
        slotsMade.push_back(slot);
        portModesAtMake.push_back(view->GetPort().GetMode());
        return page;
    });
    view->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 600, 400), m_frame, AFX_IDW_PANE_FIRST);
    view->SetDeviceLostTarget(view->GetSafeHwnd());
    return *view;
}

void ViewFixture::DestroyFrame()
{
    if (m_frame != nullptr && ::IsWindow(m_frame->GetSafeHwnd()))
        m_frame->DestroyWindow();
    m_frame = nullptr;
}

CString ViewFixture::FrameCaption() const
{
    CString caption;
    if (m_frame != nullptr)
        m_frame->GetWindowText(caption);
    return caption;
}

void ViewFixture::WriteDevProfile(const CString& model, const char* text) const
{
    keyloft_test::WriteWholeFile(m_programFolder / "DevProfile" / (model + L".ini").GetString(), std::string(text));
}

CString LoadedText(UINT id)
{
    CString text;
    text.LoadString(id);
    return text;
}

void AnswerWithInstrument(TestView& view, const CString& label, const CString& model)
{
    view.chooser = [label, model](bool, UINT& outId, UINT& inId) -> INT_PTR {
        const auto pair = linktest::InstrumentPorts();
        if (!pair)
            return IDCANCEL;
        GetDeviceNames().ClearInterNames();
        GetDeviceNames().SetInterName(label, model);
        SetConnectedSystem(label);
        outId = pair->out;
        inId = pair->in;
        return IDOK;
    };
}

void AnswerWithInstrumentAndItsProfile(TestView& view)
{
    AnswerWithInstrument(view);
    view.chooser = [answer = view.chooser](bool startupMode, UINT& outId, UINT& inId) {
        const INT_PTR result = answer(startupMode, outId, inId);
        SelectDevProfile(GetInterName(GetDeviceNames().m_deviceName));
        return result;
    };
}

namespace {

bool g_watchdogFired = false;

BOOL CALLBACK CancelDialog(HWND window, LPARAM)
{
    wchar_t className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring_view(className) == L"#32770" && ::IsWindowVisible(window)) {
        ::PostMessageW(window, WM_COMMAND, IDCANCEL, 0);
        g_watchdogFired = true;
    }
    return TRUE;
}

void CALLBACK OnWatchdogTimer(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), &CancelDialog, 0);
}

} // namespace

DialogWatchdog::DialogWatchdog(UINT timeoutMs)
{
    g_watchdogFired = false;
    m_timer = ::SetTimer(nullptr, 0, timeoutMs, &OnWatchdogTimer);
}

DialogWatchdog::~DialogWatchdog()
{
    ::KillTimer(nullptr, m_timer);
}

bool DialogWatchdog::Fired() const { return g_watchdogFired; }

bool ViewFixture::PumpUntilPagesMade(std::size_t pages)
{
    return PumpUntil([&] { return slotsMade.size() >= pages; }, 5000);
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    const DWORD start = ::GetTickCount();
    while (!done() && ::GetTickCount() - start < timeoutMs) {
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::Sleep(5);
    }
    return done();
}

int ProcessThreadCount()
{
    HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return -1;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    int count = 0;
    const DWORD self = ::GetCurrentProcessId();
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == self)
            ++count;
    }
    ::CloseHandle(snapshot);
    return count;
}

} // namespace viewtest
