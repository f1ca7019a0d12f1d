#include "tests/e2e/Scenario.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <cwchar>

namespace e2e {

namespace fs = std::filesystem;

std::string InstrumentProfile(const ProfileSettings& settings) {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    std::string text = "[DLG_VISIBLE]\r\n";
    text += std::string("DLG_DOWN_SONG=") + flag(settings.songPage) + "\r\n";
    text += std::string("DLG_DOWN_STYLE=") + flag(settings.stylePage) + "\r\n";
    text += std::string("DLG_DOWN_VOICE=") + flag(settings.voicePage) + "\r\n";
    text += std::string("DLG_DOWN_MEMORY=") + flag(settings.memoryPage) + "\r\n";
    text += std::string("DLG_EDIT_SONG=") + flag(settings.songEditor) + "\r\n";
    text += std::string("DLG_EDIT_STYLE=") + flag(settings.styleEditor) + "\r\n";
    text += "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=" + std::to_string(settings.songSlots) +
            "\r\nSTY_MAX_CNT=20\r\nVOC_MAX_CNT=16\r\nMEM_MAX_CNT=8\r\nMELODY_MAX_CNT=8\r\n";
    text += "[FILE_SIZE]\r\nSNG_MAX_SIZE=2097152\r\nSTY_MAX_SIZE=131072\r\n";
    text += "VOC_SIZE=" + std::to_string(settings.voiceSize) + "\r\nMEM_SIZE=" + std::to_string(settings.memorySize) + "\r\n";
    text += "[UPLOAD_ENABLE]\r\nUPLOAD_SNG=1\r\nUPLOAD_STY=1\r\nUPLOAD_VOC=1\r\nUPLOAD_MEM=1\r\n";
    text += "[STY_ESSENTIAL_SEC]\r\nSEC01=INTRO A\r\nSEC02=MAIN A\r\nSEC03=ENDING A\r\n";
    return text;
}

std::unique_ptr<RunningProgram> StartConnected(const Workspace& workspace,
                                               const std::map<std::wstring, std::wstring>& environment) {
    auto program = std::make_unique<RunningProgram>(workspace, environment);
    if (!program->WaitForMainFrame(kStartTimeoutMs)) {
        const BoxView box = program->FindBox();
        ADD_FAILURE() << "no main window; box shown: " << (box.window ? "yes" : "no");
        return nullptr;
    }
    const bool filled = WaitUntil([&] {
        HWND list = program->PageList(kDeviceList);
        return list && SendMessageW(list, LVM_GETITEMCOUNT, 0, 0) > 0;
    }, kStartTimeoutMs);
    if (!filled) {
        ADD_FAILURE() << "no transfer page with a filled device list";
        return nullptr;
    }
    return program;
}

namespace {

constexpr int kPcTitle = 1035;
constexpr int kDeviceTitle = 1013;
constexpr UINT kFirstPageName = 103;   // song, style, voice, memory in the page tree
constexpr UINT kFirstPcTitle = 150;    // "PC - Song  (%d)", ...
constexpr int kFirstWindowCommand = 32775;  // Window menu: song, style, voice, memory

} // namespace

HWND ShowTransferPage(const RunningProgram& program, const Workspace& workspace, int kind, PageSwitch how) {
    HWND frame = program.MainFrame();
    const fs::path& folder = workspace.Program();
    if (how == PageSwitch::WindowMenu) {
        program.Command(frame, kFirstWindowCommand + kind);
    } else {
        HWND tree = frame ? FindVisibleChildById(frame, kPageTree) : nullptr;
        const std::wstring name = ProgramString(folder, kFirstPageName + static_cast<UINT>(kind));
        HTREEITEM item = tree ? FindTreeItem(tree, name) : nullptr;
        if (!item || !ClickTreeItem(tree, item)) {
            ADD_FAILURE() << "no page tree item for kind " << kind;
            return nullptr;
        }
    }
    // Each page's title is its own: "PC - Style  (%d)" and so on.
    const std::wstring title = ProgramString(folder, kFirstPcTitle + static_cast<UINT>(kind));
    const std::wstring titleStart = title.substr(0, title.find(L'%'));
    HWND page = nullptr;
    const bool shown = WaitUntil([&] {
        page = program.VisiblePage();
        return page && PcTitleOf(page).rfind(titleStart, 0) == 0;
    }, kBoxTimeoutMs);
    if (!shown) {
        ADD_FAILURE() << "the page of kind " << kind << " did not come up";
        return nullptr;
    }
    return page;
}

std::wstring PcTitleOf(HWND page) {
    return TextOf(GetDlgItem(page, kPcTitle));
}

std::wstring DeviceTitleOf(HWND page) {
    return TextOf(GetDlgItem(page, kDeviceTitle));
}

std::wstring ProgramText(const Workspace& workspace, UINT id, int first, int second) {
    const std::wstring format = ProgramString(workspace.Program(), id);
    wchar_t text[512] = {};
    _snwprintf(text, 511, format.c_str(), first, second);
    return text;
}

void Agree(const BoxView& box) {
    if (!box.window)
        return;
    PressButton(box.window, GetDlgItem(box.window, IDYES) ? IDYES : IDOK);
    // The next box looked for must not be this one on its way out.
    WaitUntil([&] { return !IsWindow(box.window) || !IsWindowVisible(box.window); }, kBoxTimeoutMs);
}

int UsedDeviceRows(HWND deviceList) {
    int used = 0;
    for (const auto& row : ReadListView(deviceList))
        if (row.size() > 1 && !row[1].empty())
            ++used;
    return used;
}

int BoxesShown(const RunningProgram& program) {
    int shown = 0;
    for (HWND window : TopLevelWindowsOf(program.ProcessId()))
        shown += IsWindowVisible(window) && ClassOf(window) == L"#32770" ? 1 : 0;
    return shown;
}

HWND WaitForVisibleChild(HWND parent, int controlId) {
    return WaitForWindow([&] { return FindVisibleChildById(parent, controlId); }, kBoxTimeoutMs);
}

FileDialogView WaitForFileDialog(const RunningProgram& program) {
    // The name field: an edit (edt1), or a combo box (cmb13) in the newer layout.
    constexpr int kNameEdit = 0x480;
    constexpr int kNameCombo = 0x47c;
    FileDialogView found;
    WaitForWindow([&]() -> HWND {
        for (HWND window : TopLevelWindowsOf(program.ProcessId())) {
            if (!IsWindowVisible(window) || ClassOf(window) != L"#32770")
                continue;
            for (int id : {kNameCombo, kNameEdit}) {
                if (HWND field = GetDlgItem(window, id)) {
                    found = FileDialogView{window, field, TextOf(window)};
                    return window;
                }
            }
        }
        return nullptr;
    }, kBoxTimeoutMs);
    return found;
}

void ChooseInFileDialog(const FileDialogView& dialog, const fs::path& file) {
    if (!file.empty())
        SendMessageW(dialog.nameField, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.wstring().c_str()));
    PressButton(dialog.window, IDOK);
}

} // namespace e2e
