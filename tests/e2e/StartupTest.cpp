// Start-up against the single simulated instrument: automatic connection, pages
// built from the device profile's switches, the profile fetched when missing, and
// a second start that ends silently.
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/Scenario.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace e2e {
namespace {

namespace fs = std::filesystem;

TEST(StartUp, ConnectsToTheSingleInstrumentAndBuildsTheSwitchedOnPages) {
    Workspace workspace;
    // Voice page and style editor switched off: two groups, three transfer pages, one editor.
    ProfileSettings profile;
    profile.voicePage = false;
    profile.styleEditor = false;
    workspace.PutOnInstrument(L"profile.ini", InstrumentProfile(profile));
    workspace.PutOnInstrument(L"song/000.mid", SampleSong(1));
    workspace.PutOnInstrument(L"song/003.mid", SampleSong(2));

    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);

    // No chooser stays open after the automatic connection.
    EXPECT_NE(program->FindBox().kind, BoxKind::Chooser);

    HWND tree = FindVisibleChildById(program->MainFrame(), kPageTree);
    ASSERT_TRUE(tree);
    EXPECT_EQ(SendMessageW(tree, TVM_GETCOUNT, 0, 0), 2 + 3 + 1);
    EXPECT_EQ(reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_GETNEXTITEM, TVGN_CARET, 0)),
              FindTreeItem(tree, ProgramString(workspace.Program(), 103)))
        << "the tree marks the page that shows";

    // The first page shown is the song page: 20 slots, slots 0 and 3 used.
    HWND deviceList = program->PageList(kDeviceList);
    const ListRows rows = ReadListView(deviceList);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(UsedDeviceRows(deviceList), 2);

    // The USB transport is never selected: nothing of it is loaded on the way;
    // nor are the common dialogs, which no step of start-up shows.
    EXPECT_TRUE(HasLoadedLibrary(program->ProcessId(), L"user32.dll"));
    EXPECT_FALSE(HasLoadedLibrary(program->ProcessId(), L"setupapi.dll"));
    EXPECT_FALSE(HasLoadedLibrary(program->ProcessId(), L"comdlg32.dll"));

    // The fetched device profile is the instrument's, written beside the program.
    const std::string fetched = ReadFileBytes(workspace.Program() / L"DevProfile" / L"RX470.ini");
    EXPECT_NE(fetched.find("DLG_DOWN_VOICE=0"), std::string::npos);
    EXPECT_NE(fetched.find("DLG_EDIT_STYLE=0"), std::string::npos);
}

TEST(StartUp, ALaterStartUsesTheProfileOnDiskAndShowsThePagesAsTheyAreNow) {
    Workspace workspace;
    workspace.PutOnInstrument(L"song/000.mid", SampleSong(1));
    const fs::path profilePath = workspace.Program() / L"DevProfile" / L"RX470.ini";
    workspace.PutInDataFolder(L"song", L"earlier.mid", SampleSong(4));
    std::vector<int> firstMarks;
    {
        auto first = StartConnected(workspace);
        ASSERT_TRUE(first);
        // The files' marks are checked on a worker: read once they stay put.
        HWND pcList = first->PageList(kPcList);
        ASSERT_TRUE(WaitUntil([&] {
            const std::vector<int> marks = ReadListViewImages(pcList);
            const bool settled = !marks.empty() && marks == firstMarks;
            firstMarks = marks;
            return settled;
        }, 5000));
        first->Stop();
    }
    ASSERT_TRUE(fs::exists(profilePath));
    const auto fetchedAt = fs::last_write_time(profilePath);
    // Both sides changed between the starts.
    workspace.PutOnInstrument(L"song/004.mid", SampleSong(2));
    workspace.PutInDataFolder(L"song", L"later.mid", SampleSong(3));

    auto program = StartConnected(workspace);
    ASSERT_TRUE(program);
    HWND deviceList = program->PageList(kDeviceList);
    EXPECT_EQ(ReadListView(deviceList).size(), 20u);
    EXPECT_EQ(UsedDeviceRows(deviceList), 2);
    const ListRows pcRows = ReadListView(program->PageList(kPcList));
    EXPECT_TRUE(std::any_of(pcRows.begin(), pcRows.end(),
                            [](const std::vector<std::wstring>& row) { return !row.empty() && row[0] == L"later.mid"; }));
    EXPECT_EQ(fs::last_write_time(profilePath), fetchedAt) << "the profile on disk is not fetched again";
    // The file there before is marked as at the first start (the marks follow
    // the model's series, which the first start stored).
    ASSERT_EQ(firstMarks.size(), 1u);
    EXPECT_TRUE(WaitUntil([&] {
        const ListRows rows = ReadListView(program->PageList(kPcList));
        const std::vector<int> marks = ReadListViewImages(program->PageList(kPcList));
        for (std::size_t row = 0; row < rows.size() && row < marks.size(); ++row)
            if (!rows[row].empty() && rows[row][0] == L"earlier.mid")
                return marks[row] == firstMarks[0];
        return false;
    }, 5000));
}

TEST(StartUp, ABusyInstrumentIsSaidSoAndTheProgramStays) {
    Workspace workspace;
    workspace.WriteInstrumentControl("fault=refuse\non=0x01\nstatus=1\n");
    RunningProgram program(workspace);
    const BoxView box = program.WaitForBoxOfKind(BoxKind::ProgramBox, kStartTimeoutMs);
    ASSERT_TRUE(box.window);
    EXPECT_EQ(box.text, ProgramString(workspace.Program(), 244));
    Agree(box);
    EXPECT_TRUE(program.WaitForMainFrame(kStartTimeoutMs));
    EXPECT_FALSE(program.WaitForExit(2000));
}

TEST(StartUp, ASecondStartEndsSilentlyAndLeavesTheFirstAlone) {
    Workspace workspace;
    auto first = StartConnected(workspace);
    ASSERT_TRUE(first);
    const fs::path trace = workspace.Program() / L"trace.txt";
    const std::string traceBefore = ReadFileBytes(trace);
    ASSERT_FALSE(traceBefore.empty()) << "the first copy writes a trace of its connection";

    RunningProgram second(workspace);
    ASSERT_TRUE(second.WaitForExit(kStartTimeoutMs));
    EXPECT_TRUE(TopLevelWindowsOf(second.ProcessId()).empty());

    EXPECT_FALSE(first->WaitForExit(0));
    EXPECT_TRUE(first->MainFrame());
    const std::string traceAfter = ReadFileBytes(trace);
    EXPECT_EQ(traceAfter.substr(0, traceBefore.size()), traceBefore);
}

TEST(StartUp, AProgramFolderTooDeepForItsSettingsIsRefusedWithTheReason) {
    // Unpacked deep down: a folder of about 240 characters, where
    // "DevProfile\RX470.ini" and the other settings paths below it would pass
    // the system's limit.
    fs::path deep = L"program";
    for (int level = 0; level < 13; ++level)
        deep = fs::path(L"unpacked-here") / deep;
    Workspace workspace(deep);
    const std::wstring folder = workspace.Program().wstring() + L"\\";
    ASSERT_GT(folder.size(), 200u);

    RunningProgram program(workspace);
    const BoxView box = program.WaitForBoxOfKind(BoxKind::PlainBox, kStartTimeoutMs);
    ASSERT_TRUE(box.window) << "no message about the folder";
    EXPECT_EQ(box.text, ProgramText(workspace, 11, static_cast<int>(folder.size()), 195) + L"\n\n" + folder);
    Agree(box);
    EXPECT_TRUE(program.WaitForExit(kBoxTimeoutMs));
    EXPECT_FALSE(fs::exists(workspace.Program() / L"AppProfile.ini")) << "nothing half-done is left";
}

// The names of the libraries an image imports at load time (its import table).
std::vector<std::string> LoadTimeImports(const fs::path& image) {
    std::vector<std::string> names;
    HMODULE mapped = LoadLibraryExW(image.c_str(), nullptr, LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    if (!mapped)
        return names;
    // The handle of an image mapped as a resource carries a flag in its low bits.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(mapped) & ~ULONG_PTR{3});
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    if (directory.VirtualAddress != 0) {
        for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
             entry->Name != 0; ++entry) {
            std::string name(reinterpret_cast<const char*>(base + entry->Name));
            for (char& c : name)
                c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
            names.push_back(name);
        }
    }
    FreeLibrary(mapped);
    return names;
}

TEST(StartUp, LibrariesNotNeededBeforeTheChooserAreLoadedOnFirstUse) {
    const std::vector<std::string> imported = LoadTimeImports(BuiltProgramFolder() / L"Keyloft.exe");
    ASSERT_FALSE(imported.empty()) << "the program's import table could not be read";
    const auto imports = [&](const char* library) {
        return std::find(imported.begin(), imported.end(), library) != imported.end();
    };
    EXPECT_TRUE(imports("user32.dll"));
    // What start-up itself calls on its own thread stays imported.
    EXPECT_TRUE(imports("comctl32.dll"));
    EXPECT_TRUE(imports("ole32.dll"));
    // GDI+ (and what only the image code calls) is loaded by the first image decoded;
    // the device set-up functions only by the USB transport, the common dialogs by
    // the first one shown.
    for (const char* delayed :
         {"shell32.dll", "winmm.dll", "gdiplus.dll", "oleaut32.dll", "shlwapi.dll", "setupapi.dll", "comdlg32.dll"})
        EXPECT_FALSE(imports(delayed)) << delayed << " is loaded with the program again";
}

// Wine maps a section straight from the file only where it starts on a page
// boundary there; any other it copies in whole before the first line runs.
TEST(StartUp, ProgramSectionsLieOnPageBoundariesInTheFile) {
    const fs::path program = BuiltProgramFolder() / L"Keyloft.exe";
    HMODULE mapped = LoadLibraryExW(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(mapped, nullptr) << "the program could not be read";
    // A data file's handle carries a flag in its low bits; its bytes lie as in the file.
    const auto* base = reinterpret_cast<const BYTE*>(reinterpret_cast<ULONG_PTR>(mapped) & ~ULONG_PTR{3});
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(
        base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    constexpr DWORD kPage = 0x1000;
    EXPECT_EQ(nt->OptionalHeader.FileAlignment, kPage);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        const auto* name = reinterpret_cast<const char*>(section->Name);
        EXPECT_EQ(section->PointerToRawData % kPage, 0u)
            << std::string(name, strnlen(name, IMAGE_SIZEOF_SHORT_NAME)) << " starts inside a page of the file";
    }
    FreeLibrary(mapped);
}

} // namespace
} // namespace e2e
