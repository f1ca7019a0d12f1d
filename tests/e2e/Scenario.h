// Steps the end-to-end cases share: a started program with its pages built, boxes
// answered, the instrument's default device profile written out.
#pragma once

#include "tests/e2e/ProgramRun.h"

#include <memory>
#include <string>

namespace e2e {

// Waits of ten times what they take under Wine: start-up includes the chooser's
// scan and the 2-second pause.
constexpr DWORD kStartTimeoutMs = 60000;
constexpr DWORD kBoxTimeoutMs = 30000;

constexpr int kPcList = 1025;
constexpr int kDeviceList = 1027;
constexpr int kPageTree = 32769;
constexpr int kCancelTransfer = 1226;

// Commands of the transfer pages.
constexpr int kDownloadSelected = 32836;
constexpr int kDeleteOnDevice = 32808;
constexpr int kUploadSelected = 32842;

// Language commands.
constexpr int kBuiltInLanguage = 32793;
constexpr int kEnglish = 32791;

// What a test may change of the device profile the instrument serves; the
// defaults are the instrument's built-in profile.
struct ProfileSettings {
    bool songPage = true;
    bool stylePage = true;
    bool voicePage = true;
    bool memoryPage = true;
    bool songEditor = true;
    bool styleEditor = true;
    unsigned songSlots = 20;
    unsigned voiceSize = 131072;   // exact size of a voice file
    unsigned memorySize = 131072;  // exact size of a memory file
};

// The device profile in the instrument's served form (its profile.ini).
std::string InstrumentProfile(const ProfileSettings& settings);

// Starts the program and waits until a transfer page shows its device list
// filled; returns null (after a test failure) when it does not come up.
std::unique_ptr<RunningProgram> StartConnected(const Workspace& workspace,
                                               const std::map<std::wstring, std::wstring>& environment = {});

// The two ways a user brings a page forward.
enum class PageSwitch { TreeClick, WindowMenu };

// Brings the transfer page of a kind (0 song, 1 style, 2 voice, 3 memory) forward
// (a click on its page-tree item, or its Window menu command) and waits until that
// page is the one shown; returns it, or null after a test failure.
HWND ShowTransferPage(const RunningProgram& program, const Workspace& workspace, int kind, PageSwitch how);

// The titles above a transfer page's lists, as the program writes them.
std::wstring PcTitleOf(HWND page);
std::wstring DeviceTitleOf(HWND page);

// A string of the program's built-in table with printf-style numbers put in.
std::wstring ProgramText(const Workspace& workspace, UINT id, int first, int second = 0);

// Presses the affirmative button of a box (Yes on a Yes/No box, else OK) and
// waits until the box has gone.
void Agree(const BoxView& box);

// Rows of the device list whose name cell is not empty (used slots).
int UsedDeviceRows(HWND deviceList);

// Dialog boxes the program shows right now.
int BoxesShown(const RunningProgram& program);

// Waits for a visible descendant of the window with this control id; null when
// none comes.
HWND WaitForVisibleChild(HWND parent, int controlId);

// A file dialog of the system's that the program shows: its title ("Open",
// "Save As") and its file name field.
struct FileDialogView {
    HWND window = nullptr;
    HWND nameField = nullptr;
    std::wstring title;
};

// Waits for a file dialog of the program; no window when none comes.
FileDialogView WaitForFileDialog(const RunningProgram& program);

// Types a path into the dialog's name field (unless it is empty: the name the
// dialog proposes stays) and presses the dialog's OK button.
void ChooseInFileDialog(const FileDialogView& dialog, const std::filesystem::path& file);

} // namespace e2e
