#include "tests/e2e/Scenario.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace e2e {

std::string InstrumentProfile(bool songPage, bool stylePage, bool voicePage, bool memoryPage, bool songEditor,
                              bool styleEditor) {
    auto flag = [](bool on) { return on ? "1" : "0"; };
    std::string text = "[DLG_VISIBLE]\r\n";
    text += std::string("DLG_DOWN_SONG=") + flag(songPage) + "\r\n";
    text += std::string("DLG_DOWN_STYLE=") + flag(stylePage) + "\r\n";
    text += std::string("DLG_DOWN_VOICE=") + flag(voicePage) + "\r\n";
    text += std::string("DLG_DOWN_MEMORY=") + flag(memoryPage) + "\r\n";
    text += std::string("DLG_EDIT_SONG=") + flag(songEditor) + "\r\n";
    text += std::string("DLG_EDIT_STYLE=") + flag(styleEditor) + "\r\n";
    text += "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=20\r\nSTY_MAX_CNT=20\r\nVOC_MAX_CNT=16\r\nMEM_MAX_CNT=8\r\nMELODY_MAX_CNT=8\r\n";
    text += "[FILE_SIZE]\r\nSNG_MAX_SIZE=2097152\r\nSTY_MAX_SIZE=131072\r\nVOC_SIZE=131072\r\nMEM_SIZE=131072\r\n";
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

void Agree(const BoxView& box) {
    if (!box.window)
        return;
    PressButton(box.window, GetDlgItem(box.window, IDYES) ? IDYES : IDOK);
}

int UsedDeviceRows(HWND deviceList) {
    int used = 0;
    for (const auto& row : ReadListView(deviceList))
        if (row.size() > 1 && !row[1].empty())
            ++used;
    return used;
}

} // namespace e2e
