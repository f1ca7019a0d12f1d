#include "tests/app_transfer/PageFixture.h"

#include <cstdio>
#include <fstream>

#include "app/transfer/TransferPages.h"
#include "core/files/Folders.h"
#include "core/portable/marks/FileMarks.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "tests/support/WholeFile.h"

namespace fs = std::filesystem;

namespace transfertest {

int RecordingNotes::Ask(UINT messageId, BOOL, UINT)
{
    notes.push_back({messageId, {}});
    return IDOK;
}

int RecordingNotes::Show(int, UINT messageId, int)
{
    notes.push_back({messageId, {}});
    return answer;
}

int RecordingNotes::ShowText(int, int, LPCTSTR text)
{
    notes.push_back({0, text});
    return answer;
}

bool RecordingNotes::Saw(UINT messageId) const
{
    for (const Note& note : notes) {
        if (note.messageId == messageId)
            return true;
    }
    return false;
}

int FakeShell::CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations)
{
    for (std::size_t i = 0; i < sources.size() && i < destinations.size(); ++i) {
        ::CopyFileW(sources[i], destinations[i], FALSE);
        copiedTo.push_back(destinations[i]);
    }
    return 0;
}

int FakeShell::DeleteFiles(const std::vector<CString>& paths, bool)
{
    for (const CString& path : paths) {
        ::DeleteFileW(path);
        deleted.push_back(path);
    }
    return 0;
}

bool FakeShell::Open(LPCTSTR, DWORD& error)
{
    error = 0;
    return true;
}

bool FakeShell::BrowseForFolder(HWND, CString& folder)
{
    if (folderToChoose.IsEmpty())
        return false;
    folder = folderToChoose;
    return true;
}

int FakeShell::MessageBox(HWND, LPCTSTR text, LPCTSTR, UINT)
{
    boxes.push_back(text);
    if (answers.empty())
        return IDYES;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

void PageTest::SetUp()
{
    TransferTest::SetUp();
    if (HasFatalFailure())
        return;
    m_programFolder = m_pcFolder / L"program";
    fs::create_directories(m_programFolder / L"DevProfile");
    {
        std::ofstream ini(m_programFolder / L"DevProfile" / L"RX470.ini");
        ini << "[FILE_MAX_CNT]\nSNG_MAX_CNT=20\nSTY_MAX_CNT=20\nVOC_MAX_CNT=16\nMEM_MAX_CNT=8\n"
            << "[FILE_SIZE]\nSNG_MAX_SIZE=2097152\nSTY_MAX_SIZE=131072\nVOC_SIZE=" << kProfileVoiceSize
            << "\nMEM_SIZE=" << kProfileMemorySize << "\n"
            << "[UPLOAD_ENABLE]\nUPLOAD_SNG=1\nUPLOAD_STY=1\nUPLOAD_VOC=1\nUPLOAD_MEM=1\n";
    }
    SetProgramFolderOverride((m_programFolder.wstring() + L"\\").c_str());
    ASSERT_TRUE(SelectDevProfile(L"RX470"));
    GetDeviceNames().m_deviceName = L"RX470";
    GetDeviceNames().SetInterName(L"RX470", L"RX470");
    GetDeviceNames().SetDeviceSeries(L"RX470", L"RX470");

    m_notesScope = std::make_unique<CScopedTransferNotes>(m_notes);
    m_shellScope = std::make_unique<CScopedShellOperations>(m_shell);
    ASSERT_TRUE(m_host.CreateEx(0, L"STATIC", L"host", WS_POPUP, CRect(0, 0, 900, 700), nullptr, 0));
    m_progress = ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    m_port->SetProgressWindow(m_progress);
}

void PageTest::TearDown()
{
    m_basePage.reset();
    m_page = nullptr;
    if (m_host.GetSafeHwnd())
        m_host.DestroyWindow();
    if (m_progress)
        ::DestroyWindow(m_progress);
    m_shellScope.reset();
    m_notesScope.reset();
    ClearDevProfile();
    GetDeviceNames().m_deviceName.Empty();
    GetDeviceNames().ClearInterNames();
    GetDeviceNames().ClearDeviceSeries();
    SetProgramFolderOverride(L"");
    TransferTest::TearDown();
}

void PageTest::OpenPage(int kind)
{
    m_basePage = CreateTransferPage(kind, &m_host);
    ASSERT_TRUE(m_basePage);
    m_page = dynamic_cast<CTransferPage*>(m_basePage.get());
    ASSERT_NE(m_page, nullptr);
    ASSERT_TRUE(IsTransferPage(m_page));
    m_page->Attach(nullptr, m_port.get());
    m_page->RefreshDeviceList();
}

bool PageTest::PumpUntil(const std::function<bool()>& done, DWORD timeoutMs)
{
    return PumpThreadUntil(done, timeoutMs, [this](const MSG& msg) {
        if (!m_progress || msg.hwnd != m_progress)
            return false;
        m_progressMessages.push_back(msg.message);
        return true;
    });
}

CString PageTest::DataFolder() const
{
    return m_page ? m_page->GetFolder() : CString();
}

std::vector<std::uint8_t> PageTest::MarkedBytes(int kind, std::size_t size, std::uint32_t seed)
{
    std::vector<std::uint8_t> bytes = linktest::PatternBytes(size, seed);
    std::string_view mark;
    if (kind == 2)
        mark = keyloft::marks::kVoiceMarkText;
    else if (kind == 3)
        mark = keyloft::marks::kMemoryMarkText;
    for (std::size_t i = 0; i < mark.size() && i < bytes.size(); ++i)
        bytes[i] = static_cast<std::uint8_t>(mark[i]);
    return bytes;
}

void PageTest::WriteDataFile(int kind, const wchar_t* name, std::size_t size, std::uint32_t seed) const
{
    keyloft_test::WriteWholeFile((GetDataFolder(kind) + name).GetString(), MarkedBytes(kind, size, seed));
}

} // namespace transfertest
