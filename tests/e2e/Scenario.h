// Steps the end-to-end cases share: a started program with its pages built, boxes
// answered, the instrument's default device profile written out.
#pragma once

#include "tests/e2e/ProgramRun.h"

#include <memory>
#include <string>

namespace e2e {

// Wine-paced waits: start-up includes the chooser's scan and the 2-second pause.
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kBoxTimeoutMs = 15000;

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

// A device profile in the instrument's served form with the page switches given.
std::string InstrumentProfile(bool songPage, bool stylePage, bool voicePage, bool memoryPage, bool songEditor,
                              bool styleEditor);

// Starts the program and waits until a transfer page shows its device list
// filled; returns null (after a test failure) when it does not come up.
std::unique_ptr<RunningProgram> StartConnected(const Workspace& workspace,
                                               const std::map<std::wstring, std::wstring>& environment = {});

// Presses the affirmative button of a box: Yes on a Yes/No box, else OK.
void Agree(const BoxView& box);

// Rows of the device list whose name cell is not empty (used slots).
int UsedDeviceRows(HWND deviceList);

} // namespace e2e
