// CFileDialog: filters, results of single and multiple selection, and a real
// open dialog answered by a helper thread with more names than its buffer holds;
// the common dialogs, loaded on their first use, each reached by its own name.
#include <afxwin.h>
#include <afxdlgs.h>

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "TestApp.h"
#include "tests/support/DialogTesting.h"

namespace {

std::vector<wchar_t> Buffer(std::initializer_list<const wchar_t*> parts)
{
    std::vector<wchar_t> buffer;
    for (const wchar_t* part : parts) {
        for (const wchar_t* p = part; *p != 0; ++p)
            buffer.push_back(*p);
        buffer.push_back(0);
    }
    buffer.push_back(0);
    return buffer;
}

// The names of the libraries a loaded module imports, from its import table.
std::vector<std::string> ImportedLibraries(HMODULE module)
{
    const auto* base = reinterpret_cast<const BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& directory = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    std::vector<std::string> names;
    if (directory.VirtualAddress == 0)
        return names;
    for (auto* entry = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         entry->Name != 0; ++entry)
        names.emplace_back(reinterpret_cast<const char*>(base + entry->Name));
    return names;
}

TEST(FileDialog, CommonDialogsLoadOnTheirFirstUse)
{
    const std::vector<std::string> imported = ImportedLibraries(::GetModuleHandleW(nullptr));
    ASSERT_FALSE(imported.empty());
    for (const std::string& name : imported)
        EXPECT_NE(_stricmp(name.c_str(), "comdlg32.dll"), 0);
    EXPECT_EQ(::CommDlgExtendedError(), 0u);
    EXPECT_NE(::GetModuleHandleW(L"comdlg32.dll"), nullptr);
}

// What a common dialog showed before its hook cancelled it.
struct ShownDialog {
    bool shown = false;
    std::wstring title;
};

void NoteAndCancel(HWND dialog, ShownDialog* shown)
{
    wchar_t title[128] = {};
    ::GetWindowTextW(dialog, title, 128);
    shown->shown = true;
    shown->title = title;
    ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
}

UINT_PTR CALLBACK CancelFileDialogWhenReady(HWND child, UINT message, WPARAM, LPARAM lParam)
{
    const auto* notify = reinterpret_cast<const OFNOTIFYW*>(lParam);
    if (message == WM_NOTIFY && notify->hdr.code == CDN_INITDONE)
        NoteAndCancel(::GetParent(child), reinterpret_cast<ShownDialog*>(notify->lpOFN->lCustData));
    return 0;
}

UINT_PTR CALLBACK CancelColourDialogWhenReady(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        NoteAndCancel(dialog, reinterpret_cast<ShownDialog*>(reinterpret_cast<const CHOOSECOLORW*>(lParam)->lCustData));
    return 0;
}

ShownDialog ShowFileDialog(BOOL(WINAPI* show)(LPOPENFILENAMEW))
{
    ShownDialog shown;
    wchar_t name[MAX_PATH] = {};
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.lpstrFile = name;
    dialog.nMaxFile = MAX_PATH;
    dialog.Flags = OFN_EXPLORER | OFN_ENABLEHOOK | OFN_OVERWRITEPROMPT;
    dialog.lpfnHook = &CancelFileDialogWhenReady;
    dialog.lCustData = reinterpret_cast<LPARAM>(&shown);
    EXPECT_FALSE(show(&dialog)) << "cancelled";
    return shown;
}

template <typename Function>
bool IsTheSystemFunction(Function called, const char* name)
{
    return reinterpret_cast<void*>(called) ==
           reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"comdlg32.dll"), name));
}

// Each common-dialog function, in any order of use, is the system's function of
// its own name, not another one loaded before it.
TEST(FileDialog, EachCommonDialogFunctionReachesTheOneOfItsOwnName)
{
    TestApp();
    const ShownDialog firstSave = ShowFileDialog(&::GetSaveFileNameW);
    const ShownDialog open = ShowFileDialog(&::GetOpenFileNameW);
    const ShownDialog save = ShowFileDialog(&::GetSaveFileNameW);
    // Titled in the system's language ("Save As", "Open").
    EXPECT_TRUE(firstSave.shown && open.shown && save.shown);
    EXPECT_EQ(firstSave.title, save.title);
    EXPECT_NE(open.title, save.title) << "an Open dialog titled as the save dialog";

    ShownDialog colour;
    COLORREF custom[16] = {};
    CHOOSECOLORW choose{};
    choose.lStructSize = sizeof(choose);
    choose.lpCustColors = custom;
    choose.Flags = CC_ENABLEHOOK;
    choose.lpfnHook = &CancelColourDialogWhenReady;
    choose.lCustData = reinterpret_cast<LPARAM>(&colour);
    EXPECT_FALSE(::ChooseColorW(&choose));
    EXPECT_TRUE(colour.shown) << "the colour dialog";
    EXPECT_EQ(::CommDlgExtendedError(), 0u) << "a cancelled dialog is no error";

    // Once called, each import is the system's own function.
    EXPECT_TRUE(IsTheSystemFunction(&::GetOpenFileNameW, "GetOpenFileNameW"));
    EXPECT_TRUE(IsTheSystemFunction(&::GetSaveFileNameW, "GetSaveFileNameW"));
    EXPECT_TRUE(IsTheSystemFunction(&::ChooseColorW, "ChooseColorW"));
    EXPECT_TRUE(IsTheSystemFunction(&::CommDlgExtendedError, "CommDlgExtendedError"));
}

TEST(FileDialog, FilterSeparatorsBecomeNuls)
{
    const auto filter = CFileDialog::MakeFilter(L"Styles (*.sty)|*.sty|All (*.*)|*.*||");
    const std::wstring joined(filter.begin(), filter.end());
    EXPECT_EQ(joined, std::wstring(L"Styles (*.sty)\0*.sty\0All (*.*)\0*.*\0\0", 36));
    const auto unterminated = CFileDialog::MakeFilter(L"Songs|*.mid");
    ASSERT_GE(unterminated.size(), 2u);
    EXPECT_EQ(unterminated[unterminated.size() - 1], 0);
    EXPECT_EQ(unterminated[unterminated.size() - 2], 0);
}

TEST(FileDialog, ResultsOfOneAndSeveralFiles)
{
    auto single = Buffer({L"C:\\songs\\demo.mid"});
    auto paths = CFileDialog::ParseResult(single.data(), single.size(), true);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], CString(L"C:\\songs\\demo.mid"));

    auto several = Buffer({L"C:\\songs", L"a.mid", L"b.sty", L"c.mid"});
    paths = CFileDialog::ParseResult(several.data(), several.size(), true);
    ASSERT_EQ(paths.size(), 3u);
    EXPECT_EQ(paths[1], CString(L"C:\\songs\\b.sty"));

    // A root folder already ends with its separator.
    auto root = Buffer({L"C:\\", L"x.mid", L"y.mid"});
    paths = CFileDialog::ParseResult(root.data(), root.size(), true);
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0], CString(L"C:\\x.mid"));

    // A buffer without its final NULs is read only as far as it goes.
    std::vector<wchar_t> cut = {L'C', L':', 0, L'a', L'b'};
    paths = CFileDialog::ParseResult(cut.data(), cut.size(), true);
    ASSERT_EQ(paths.size(), 1u);
    EXPECT_EQ(paths[0], CString(L"C:\\ab"));
    EXPECT_TRUE(CFileDialog::ParseResult(nullptr, 10, true).empty());
}

TEST(FileDialog, NamePartsOfTheChosenFile)
{
    CFileDialog dialog(TRUE, L"sty", L"C:\\data\\My Style.sty");
    EXPECT_EQ(dialog.GetPathName(), CString(L"C:\\data\\My Style.sty"));
    EXPECT_EQ(dialog.GetFileName(), CString(L"My Style.sty"));
    EXPECT_EQ(dialog.GetFileExt(), CString(L"sty"));
    EXPECT_EQ(dialog.GetFileTitle(), CString(L"My Style"));
    EXPECT_EQ(dialog.GetFolderPath(), CString(L"C:\\data"));
    EXPECT_EQ(dialog.m_ofn.lStructSize, sizeof(OPENFILENAMEW));
    EXPECT_GE(dialog.m_ofn.nMaxFile, 4096u);
}

// Types text into the name box of the visible "Open" dialog and presses OK.
keyloft_test::CDialogAnswerer TypeIntoOpenDialog(const wchar_t* text)
{
    return keyloft_test::CDialogAnswerer(L"Open", [text](HWND dialog) {
        // The file name box is edt1 or the combo box cmb13.
        HWND edit = ::GetDlgItem(dialog, 0x480);
        if (edit == nullptr)
            edit = ::GetDlgItem(dialog, 0x47C);
        ::SendMessageW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    });
}

TEST(FileDialog, SelectionLargerThanTheCallersBufferIsNotCut)
{
    TestApp();
    wchar_t small[48] = {};
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_ALLOWMULTISELECT);
    dialog.m_ofn.lpstrFile = small;
    dialog.m_ofn.nMaxFile = 48;
    dialog.m_ofn.lpstrInitialDir = L"Z:\\tmp";
    const wchar_t* names =
        L"\"first-style.sty\" \"second-style.sty\" \"third-style.sty\" \"fourth-style.sty\" \"fifth-style.sty\"";
    INT_PTR result = IDCANCEL;
    {
        auto answerer = TypeIntoOpenDialog(names);
        result = dialog.DoModal();
    }
    ASSERT_EQ(result, IDOK);
    std::vector<CString> paths;
    POSITION pos = dialog.GetStartPosition();
    while (pos)
        paths.push_back(dialog.GetNextPathName(pos));
    ASSERT_EQ(paths.size(), 5u);
    EXPECT_EQ(paths[0].CompareNoCase(L"Z:\\tmp\\first-style.sty"), 0);
    EXPECT_EQ(paths[4].CompareNoCase(L"Z:\\tmp\\fifth-style.sty"), 0);
    EXPECT_GT(dialog.m_ofn.nMaxFile, 48u);
    EXPECT_EQ(small[0], 0);  // too small for the result: left empty, not cut
}

} // namespace
