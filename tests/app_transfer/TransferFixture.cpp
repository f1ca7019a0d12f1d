#include "tests/app_transfer/TransferFixture.h"


#include "app/transfer/TransferMessages.h"
#include "tests/support/WholeFile.h"

namespace fs = std::filesystem;

namespace transfertest {

void RecordedEvents::FileError(const CString& path, int)
{
    std::lock_guard lock(mutex);
    errorPaths.push_back(path);
}

void RecordedEvents::FileRejected(const CString& path)
{
    std::lock_guard lock(mutex);
    rejectedPaths.push_back(path);
}

void RecordedEvents::PcFolderWritten()
{
    std::lock_guard lock(mutex);
    ++pcWrites;
}

void TransferTest::SetUp()
{
    const auto instrument = linktest::InstrumentPorts();
    ASSERT_TRUE(instrument) << "the test MIDI driver is not installed in the prefix";
    m_pcFolder = m_memory.Folder().parent_path() / (m_memory.Folder().filename().wstring() + L"-pc");
    std::error_code error;
    fs::remove_all(m_pcFolder, error);
    fs::create_directories(m_pcFolder);
    CUSBPort::s_keepAliveBusy = false;
    m_port = std::make_unique<CUSBPort>();
    m_port->SetTimeouts(linktest::ShortTimeouts());
    ASSERT_TRUE(m_port->GetMidiLink().Open(instrument->out, instrument->in));
    m_port->GetComm().Close();
    m_port->SetMode(CUSBPort::kModeMidi);
}

void TransferTest::TearDown()
{
    m_port.reset();
    std::error_code error;
    fs::remove_all(m_pcFolder, error);
}

CString TransferTest::Folder() const
{
    return CString(m_pcFolder.wstring().c_str()) + L"\\";
}

void TransferTest::WritePcFile(const wchar_t* name, const std::vector<std::uint8_t>& bytes) const
{
    keyloft_test::WriteWholeFile(m_pcFolder / name, bytes);
}

std::vector<std::uint8_t> TransferTest::ReadPcFile(const wchar_t* name) const
{
    return keyloft_test::ReadWholeFile<std::vector<std::uint8_t>>(m_pcFolder / name);
}

bool TransferTest::PcFileExists(const wchar_t* name) const
{
    return fs::is_regular_file(m_pcFolder / name);
}

bool PumpThreadUntil(const std::function<bool()>& done, DWORD timeoutMs, const std::function<bool(const MSG&)>& take)
{
    const DWORD start = ::GetTickCount();
    while (!done()) {
        if (::GetTickCount() - start > timeoutMs)
            return false;
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (take && take(msg))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return true;
}

MessageSink::MessageSink()
{
    m_window = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
}

MessageSink::~MessageSink()
{
    // Free the texts of messages nobody looked at.
    MSG msg;
    while (::PeekMessageW(&msg, m_window, 0, 0, PM_REMOVE)) {
        if (msg.message == TransferMsg::FileError || msg.message == TransferMsg::FileRejected)
            TakePostedText(msg.lParam);
    }
    ::DestroyWindow(m_window);
}

std::vector<Posted> MessageSink::PumpUntil(UINT first, UINT last, DWORD timeoutMs)
{
    std::vector<Posted> seen;
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageW(&msg, m_window, 0, 0, PM_REMOVE)) {
            seen.push_back({msg.message, msg.wParam, msg.lParam});
            if (msg.message >= first && msg.message <= last)
                return seen;
        }
        if (::GetTickCount() - start > timeoutMs)
            return seen;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

} // namespace transfertest
