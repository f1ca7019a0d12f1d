// Starts the real program from a fresh copy of the built program folder, against a
// fresh memory folder of the simulated instrument, and finds its windows: the main
// frame, the chooser, the program's message boxes and the transfer pages.
#pragma once

#include "tests/e2e/OtherProcessWindows.h"
#include "tests/e2e/TempFolder.h"

#include <windows.h>

#include <filesystem>
#include <map>
#include <string>
#include <string_view>

namespace e2e {

// The program folder the build laid out (Keyloft.exe and its companions).
std::filesystem::path BuiltProgramFolder();

// One test's world: program/ (a copy of the built folder; another relative
// folder when given) and instrument/.
class Workspace {
public:
    explicit Workspace(const std::filesystem::path& programFolder = L"program");

    const std::filesystem::path& Program() const { return program_; }
    const std::filesystem::path& Instrument() const { return instrument_; }
    std::filesystem::path DataFolder(std::wstring_view kind) const; // L"song", L"style", ...

    void PutOnInstrument(const std::wstring& relative, std::string_view bytes) const;
    void PutInDataFolder(std::wstring_view kind, const std::wstring& name, std::string_view bytes) const;
    // control.txt of the instrument; every text should differ in length from the last
    // (the instrument notices changes by size and write time).
    void WriteInstrumentControl(std::string_view text) const;

private:
    TempFolder root_;
    std::filesystem::path program_;
    std::filesystem::path instrument_;
};

enum class BoxKind { None, ProgramBox, CancelableBox, PlainBox, Chooser, OtherDialog };

struct BoxView {
    HWND window = nullptr;
    BoxKind kind = BoxKind::None;
    std::wstring text;
};

class RunningProgram {
public:
    // Starts Keyloft.exe from the workspace with the instrument's folder set and the
    // extra environment given (e.g. KEYLOFT_SIM_PACE).
    explicit RunningProgram(const Workspace& workspace, const std::map<std::wstring, std::wstring>& environment = {});
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    DWORD ProcessId() const { return process_.dwProcessId; }
    bool WaitForExit(DWORD timeoutMs) const;
    DWORD ExitCode() const;

    HWND MainFrame() const;                       // null until it is shown
    HWND WaitForMainFrame(DWORD timeoutMs) const;
    BoxView FindBox() const;                      // the first dialog window shown, if any
    BoxView FindBoxWindow() const;                // the same without its text (no message to the program)
    BoxView WaitForBox(DWORD timeoutMs) const;
    // Waits for a box whose kind is not the chooser (chooser boxes are waited on apart).
    BoxView WaitForBoxOfKind(BoxKind kind, DWORD timeoutMs) const;

    // The visible transfer page: the dialog that holds the device list 1027.
    HWND VisiblePage() const;
    HWND PageList(int listId) const;              // 1025 PC list, 1027 device list
    // The status bar's progress bar 1025, when shown.
    bool ProgressShown() const;

    void Command(HWND target, int commandId) const;

    // Asks the program to close, answers nothing, then ends it hard if it lingers.
    void Stop();

private:
    PROCESS_INFORMATION process_{};
    bool stopped_ = false;
};

// A string of the program's built-in resources (the exe's table).
std::wstring ProgramString(const std::filesystem::path& programFolder, UINT id,
                           std::wstring_view module = L"Keyloft.exe");

} // namespace e2e
