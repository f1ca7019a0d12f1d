// What the editors' tests share: a top-level window standing for the main
// frame (it notes a request for menu mode instead of running the menu), a host
// that records what the pages ask of the view, a program folder of its own
// with the connected model's profile and voice list, keys typed as a user
// types them, and the language libraries of the program folder.
#pragma once

#include <afxwin.h>

#include <functional>
#include <string>
#include <vector>

#include "pages/PageHost.h"
#include "tests/support/TempFolder.h"

namespace editorstest {

// The model the tests connect: device name, internal name and series.
inline constexpr const wchar_t* kModel = L"RX470";

class CHostFrame : public CWnd {
public:
    CHostFrame() = default;
    ~CHostFrame() override;
    BOOL CreateHost(int width = 1100, int height = 760);

    int keyMenuRequests = 0;  // WM_SYSCOMMAND SC_KEYMENU: the menu mode Alt alone asks for
    std::vector<std::pair<UINT, WPARAM>> posted;  // the program's messages (WM_USER+1..+40)

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

class RecordingPageHost : public IPageHost {
public:
    void SetFolderWatch(int fileKind, bool on) override { watchChanges.push_back({fileKind, on}); }
    void NotifyFolderChanged(int fileKind) override { changedFolders.push_back(fileKind); }
    BOOL FetchInsFile() override { ++insFetches; return FALSE; }
    bool DownloadSongFile(const CString& path) override
    {
        downloads.push_back(path);
        return true;
    }

    std::vector<std::pair<int, bool>> watchChanges;
    std::vector<int> changedFolders;
    int insFetches = 0;
    std::vector<CString> downloads;
};

// A program folder with DevProfile\RX470.ini (its essential sections given),
// INS\RX470.ins and the data folders; the model connected, for the object's life.
class CConnectedModel {
public:
    explicit CConnectedModel(const std::vector<std::string>& essentialSections = {"INTRO A", "MAIN A", "ENDING A"});
    ~CConnectedModel();
    CConnectedModel(const CConnectedModel&) = delete;
    CConnectedModel& operator=(const CConnectedModel&) = delete;

    const CString& Folder() const { return m_folder.Path(); }
    CString File(LPCTSTR name) const { return m_folder.File(name); }

private:
    keyloft_test::TempFolder m_folder{L"keyloft_editors"};
};

// Writes bytes to a file; false when it cannot be written.
bool WriteBytes(const CString& path, const std::string& bytes);

// A MIDI source whose first track carries these section markers, each
// over one bar of a drum note and a bass note.
std::string MarkedMidi(const std::vector<std::string>& markers);

// Keys as the keyboard gives them to the window that has the focus: each one
// pressed and released, with a modifier (VK_MENU, VK_CONTROL) held around them
// when one is given; then the messages are pumped.
void TypeKeys(const std::vector<WORD>& keys, WORD modifier = 0);
// Dispatches for about ms milliseconds as the program's loop does, each message
// first offered to the windows' pre-translation (the pages' keys).
void PumpWithPreTranslation(DWORD ms);

// Puts the resources of a language (0 built-in, 1 Traditional Chinese, 2
// English) in force for the object's life.
class CLanguageInForce {
public:
    explicit CLanguageInForce(UINT language);
    ~CLanguageInForce();
    CLanguageInForce(const CLanguageInForce&) = delete;
    CLanguageInForce& operator=(const CLanguageInForce&) = delete;
    bool Loaded() const { return m_module != nullptr || m_language == 0; }

private:
    UINT m_language;
    HMODULE m_module = nullptr;
    HINSTANCE m_previous = nullptr;
};

// The pixels (0x00RRGGBB, row by row) of what draw puts on a white bitmap.
std::vector<DWORD> PixelsDrawnBy(int width, int height, const std::function<void(HDC)>& draw);

// True when a button draws each character of its text with a glyph of its
// own: with its characters in another order the button must look different
// (characters a font cannot draw all show the same empty box).
bool DrawsItsGlyphs(HWND button);

}  // namespace editorstest
