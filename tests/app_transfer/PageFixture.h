// A transfer page on a hidden host window, attached to a port on the simulated
// instrument, with its own program folder (data folders, device profile), the
// shell and the program's message boxes replaced by recorders.
#pragma once

#include <afxwin.h>

#include <boost/shared_ptr.hpp>

#include <deque>
#include <functional>

#include "app/transfer/TransferNotes.h"
#include "app/transfer/TransferPage.h"
#include "core/files/ShellSeam.h"
#include "tests/app_transfer/TransferFixture.h"

namespace transfertest {

struct Note {
    UINT messageId = 0;  // 0 for a text made by the page
    CString text;
};

class RecordingNotes : public ITransferNotes {
public:
    int Ask(UINT messageId, BOOL showCancel, UINT soundId) override;
    int Show(int iconId, UINT messageId, int buttonMode) override;
    int ShowText(int iconId, int buttonMode, LPCTSTR text) override;
    bool Saw(UINT messageId) const;

    std::vector<Note> notes;
    int answer = IDOK;
};

class FakeShell : public IShellOperations {
public:
    int CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations) override;
    int DeleteFiles(const std::vector<CString>& paths, bool permanent) override;
    bool Open(LPCTSTR path, DWORD& error) override;
    bool BrowseForFolder(HWND owner, CString& folder) override;
    int MessageBox(HWND owner, LPCTSTR text, LPCTSTR caption, UINT type) override;

    std::vector<CString> boxes;
    std::deque<int> answers;  // IDYES when empty
    std::vector<CString> copiedTo;
    std::vector<CString> deleted;
    CString folderToChoose;
};

class PageTest : public TransferTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Creates the page of a kind and reads the device list.
    void OpenPage(int kind);
    // Runs the thread's messages until done() or the time is up; the progress
    // window's messages are recorded.
    bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
    CString DataFolder() const;
    void WriteDataFile(int kind, const wchar_t* name, std::size_t size, std::uint32_t seed = 1) const;
    static std::vector<std::uint8_t> MarkedBytes(int kind, std::size_t size, std::uint32_t seed);

    std::filesystem::path m_programFolder;
    CWnd m_host;
    HWND m_progress = nullptr;
    std::vector<UINT> m_progressMessages;
    boost::shared_ptr<CBaseDlg> m_basePage;
    CTransferPage* m_page = nullptr;
    RecordingNotes m_notes;
    FakeShell m_shell;
    std::unique_ptr<CScopedTransferNotes> m_notesScope;
    std::unique_ptr<CScopedShellOperations> m_shellScope;
};

inline constexpr UINT kProfileVoiceSize = 64;
inline constexpr UINT kProfileMemorySize = 96;

} // namespace transfertest
