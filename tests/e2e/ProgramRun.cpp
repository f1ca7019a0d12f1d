#include "tests/e2e/ProgramRun.h"

#include <commctrl.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace e2e {

namespace fs = std::filesystem;

namespace {

constexpr int kProgramBoxText = 1241;    // dialog 187
constexpr int kCancelableText = 1157;    // dialog 214
constexpr int kCancelableCheck = 1156;
constexpr int kPlainBoxText = 0xFFFF;    // the system's message box
constexpr int kChooserCombo = 1001;      // dialog 142
constexpr int kChooserRefresh = 1003;
constexpr int kStatusBar = 59393;
constexpr int kProgressBar = 1025;
constexpr int kDeviceList = 1027;

// The current environment with `overrides` put in (names compared without case).
std::wstring EnvironmentBlock(const std::map<std::wstring, std::wstring>& overrides) {
    std::wstring block;
    LPWCH strings = GetEnvironmentStringsW();
    for (const wchar_t* entry = strings; *entry; entry += wcslen(entry) + 1) {
        const std::wstring text(entry);
        const auto equals = text.find(L'=', 1);
        const std::wstring name = text.substr(0, equals);
        bool replaced = false;
        for (const auto& [key, value] : overrides)
            replaced = replaced || CompareStringOrdinal(key.c_str(), -1, name.c_str(), -1, TRUE) == CSTR_EQUAL;
        if (!replaced)
            block += text + L'\0';
    }
    FreeEnvironmentStringsW(strings);
    for (const auto& [key, value] : overrides)
        block += key + L"=" + value + L'\0';
    block += L'\0';
    return block;
}

BoxKind KindOf(HWND dialog) {
    if (GetDlgItem(dialog, kProgramBoxText))
        return BoxKind::ProgramBox;
    if (GetDlgItem(dialog, kCancelableText) && GetDlgItem(dialog, kCancelableCheck))
        return BoxKind::CancelableBox;
    if (GetDlgItem(dialog, kChooserCombo) && GetDlgItem(dialog, kChooserRefresh))
        return BoxKind::Chooser;
    if (GetDlgItem(dialog, kPlainBoxText))
        return BoxKind::PlainBox;
    return BoxKind::OtherDialog;
}

std::wstring BoxText(HWND dialog, BoxKind kind) {
    switch (kind) {
    case BoxKind::ProgramBox: return TextOf(GetDlgItem(dialog, kProgramBoxText));
    case BoxKind::CancelableBox: return TextOf(GetDlgItem(dialog, kCancelableText));
    case BoxKind::PlainBox: return TextOf(GetDlgItem(dialog, kPlainBoxText));
    default: return TextOf(dialog);
    }
}

} // namespace

fs::path BuiltProgramFolder() {
    return fs::path(KEYLOFT_E2E_PROGRAM_DIR);
}

Workspace::Workspace(const fs::path& programFolder) : root_(L"keyloft-e2e") {
    program_ = root_.Path() / programFolder;
    fs::create_directories(program_.parent_path());
    instrument_ = root_.Path() / L"instrument";
    fs::copy(BuiltProgramFolder(), program_, fs::copy_options::recursive);
    fs::create_directories(instrument_);
}

fs::path Workspace::DataFolder(std::wstring_view kind) const {
    return program_ / L"XKBD" / std::wstring(kind);
}

void Workspace::PutOnInstrument(const std::wstring& relative, std::string_view bytes) const {
    WriteFileBytes(instrument_ / relative, bytes);
}

void Workspace::PutInDataFolder(std::wstring_view kind, const std::wstring& name, std::string_view bytes) const {
    WriteFileBytes(DataFolder(kind) / name, bytes);
}

void Workspace::WriteInstrumentControl(std::string_view text) const {
    WriteFileBytes(instrument_ / L"control.txt", text);
}

RunningProgram::RunningProgram(const Workspace& workspace, const std::map<std::wstring, std::wstring>& environment) {
    std::map<std::wstring, std::wstring> overrides = environment;
    overrides.emplace(L"KEYLOFT_SIM_DIR", workspace.Instrument().wstring());
    std::wstring block = EnvironmentBlock(overrides);
    std::wstring commandLine = L"\"" + (workspace.Program() / L"Keyloft.exe").wstring() + L"\"";
    const std::wstring folder = workspace.Program().wstring();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    // A program folder copied a moment ago is now and then not yet ready to
    // start under Wine (the start fails at once): a few more tries.
    DWORD error = ERROR_SUCCESS;
    for (int attempt = 0; attempt < 5; ++attempt) {
        if (CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                           block.data(), folder.c_str(), &startup, &process_))
            return;
        error = GetLastError();
        Sleep(200);
    }
    throw std::runtime_error("Keyloft.exe could not be started (error " + std::to_string(error) + ")");
}

RunningProgram::~RunningProgram() {
    Stop();
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool RunningProgram::WaitForExit(DWORD timeoutMs) const {
    return WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0;
}

DWORD RunningProgram::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

HWND RunningProgram::MainFrame() const {
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId)) {
        const LONG style = GetWindowLongW(window, GWL_STYLE);
        if (IsWindowVisible(window) && (style & WS_CAPTION) == WS_CAPTION && (style & WS_THICKFRAME) &&
            !GetWindow(window, GW_OWNER) && ClassOf(window) != L"#32770")
            return window;
    }
    return nullptr;
}

HWND RunningProgram::WaitForMainFrame(DWORD timeoutMs) const {
    return WaitForWindow([this] { return MainFrame(); }, timeoutMs);
}

BoxView RunningProgram::FindBox() const {
    BoxView box = FindBoxWindow();
    if (box.window)
        box.text = BoxText(box.window, box.kind);
    return box;
}

BoxView RunningProgram::FindBoxWindow() const {
    for (HWND window : TopLevelWindowsOf(process_.dwProcessId)) {
        if (IsWindowVisible(window) && ClassOf(window) == L"#32770")
            return BoxView{window, KindOf(window), {}};
    }
    return {};
}

BoxView RunningProgram::WaitForBox(DWORD timeoutMs) const {
    BoxView found;
    // A box can be visible a moment before its text is in place: wait for both.
    WaitUntil([&] { return (found = FindBox()).window != nullptr && !found.text.empty(); }, timeoutMs);
    return found;
}

BoxView RunningProgram::WaitForBoxOfKind(BoxKind kind, DWORD timeoutMs) const {
    BoxView found;
    WaitUntil([&] {
        found = FindBox();
        return found.kind == kind;
    }, timeoutMs);
    return found.kind == kind ? found : BoxView{};
}

HWND RunningProgram::VisiblePage() const {
    HWND frame = MainFrame();
    if (!frame)
        return nullptr;
    HWND list = FindVisibleChildById(frame, kDeviceList);
    return list ? GetParent(list) : nullptr;
}

HWND RunningProgram::PageList(int listId) const {
    HWND page = VisiblePage();
    return page ? GetDlgItem(page, listId) : nullptr;
}

bool RunningProgram::ProgressShown() const {
    HWND frame = MainFrame();
    HWND status = frame ? GetDlgItem(frame, kStatusBar) : nullptr;
    HWND progress = status ? GetDlgItem(status, kProgressBar) : nullptr;
    return progress && IsWindowVisible(progress);
}

void RunningProgram::Command(HWND target, int commandId) const {
    PostMessageW(target, WM_COMMAND, MAKEWPARAM(commandId, 0), 0);
}

void RunningProgram::Stop() {
    if (stopped_)
        return;
    stopped_ = true;
    if (WaitForExit(0))
        return;
    if (HWND frame = MainFrame())
        PostMessageW(frame, WM_CLOSE, 0, 0);
    if (!WaitForExit(10000)) {
        TerminateProcess(process_.hProcess, 1);
        WaitForExit(10000);
    }
}

std::wstring ProgramString(const fs::path& programFolder, UINT id, std::wstring_view module) {
    HMODULE library = LoadLibraryExW((programFolder / std::wstring(module)).c_str(), nullptr,
                                     LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!library)
        return {};
    const wchar_t* text = nullptr;
    const int length = LoadStringW(library, id, reinterpret_cast<LPWSTR>(&text), 0);
    std::wstring result = length > 0 ? std::wstring(text, static_cast<std::size_t>(length)) : std::wstring();
    FreeLibrary(library);
    return result;
}

} // namespace e2e
