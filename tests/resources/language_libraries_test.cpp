#include <gtest/gtest.h>

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "resource.h"

namespace {

struct ModuleCloser {
    void operator()(HMODULE module) const { FreeLibrary(module); }
};
using Module = std::unique_ptr<std::remove_pointer_t<HMODULE>, ModuleCloser>;

Module LoadLanguageLibrary(const wchar_t* name)
{
    std::wstring path = std::wstring(KEYLOFT_PROGRAM_FOLDER) + L"/" + name;
    return Module(LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
}

std::wstring LoadText(HMODULE module, UINT id)
{
    const wchar_t* text = nullptr;
    int length = LoadStringW(module, id, reinterpret_cast<LPWSTR>(&text), 0);
    return length > 0 ? std::wstring(text, length) : std::wstring();
}

// Every string id of the built-in table, found by walking the exe's string blocks.
std::vector<UINT> BuiltInStringIds()
{
    std::vector<UINT> ids;
    EnumResourceNamesW(nullptr, RT_STRING,
        [](HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            auto* out = reinterpret_cast<std::vector<UINT>*>(param);
            UINT block = static_cast<UINT>(reinterpret_cast<ULONG_PTR>(name));
            for (UINT i = 0; i < 16; ++i) {
                UINT id = (block - 1) * 16 + i;
                if (!LoadText(module, id).empty())
                    out->push_back(id);
            }
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&ids));
    return ids;
}

TEST(LanguageLibraries, HoldEveryBuiltInStringInTheirLanguage)
{
    Module english = LoadLanguageLibrary(L"lan_eng.dll");
    Module traditional = LoadLanguageLibrary(L"lan_trad.dll");
    ASSERT_TRUE(english) << "lan_eng.dll missing from the program folder";
    ASSERT_TRUE(traditional) << "lan_trad.dll missing from the program folder";

    // Three languages: the same string differs in each (the built-in table is the program's own).
    const std::wstring builtIn = LoadText(nullptr, IDS_NOT_CONNECTED);
    EXPECT_NE(LoadText(english.get(), IDS_NOT_CONNECTED), builtIn);
    EXPECT_NE(LoadText(traditional.get(), IDS_NOT_CONNECTED), builtIn);
    EXPECT_NE(LoadText(traditional.get(), IDS_NOT_CONNECTED), LoadText(english.get(), IDS_NOT_CONNECTED));
    EXPECT_NE(LoadIconW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_MAINFRAME)), nullptr);

    std::vector<UINT> ids = BuiltInStringIds();
    ASSERT_GT(ids.size(), 100u);
    for (UINT id : ids) {
        EXPECT_FALSE(LoadText(english.get(), id).empty()) << "English text missing for " << id;
        EXPECT_FALSE(LoadText(traditional.get(), id).empty()) << "Traditional text missing for " << id;
    }
}

TEST(LanguageLibraries, KeepTheSegmentNamesThatFilesAndMarkersMatch)
{
    // Segment names are matched against ini sections and MIDI markers: no
    // translation may change them.
    Module english = LoadLanguageLibrary(L"lan_eng.dll");
    Module traditional = LoadLanguageLibrary(L"lan_trad.dll");
    ASSERT_TRUE(english && traditional);
    for (UINT id : {IDS_SEGMENT_SINT, IDS_SEGMENT_INTRO_A, IDS_SEGMENT_FILL_IN_DC, IDS_SEGMENT_ENDING_C}) {
        std::wstring builtIn = LoadText(nullptr, id);
        EXPECT_EQ(LoadText(english.get(), id), builtIn);
        EXPECT_EQ(LoadText(traditional.get(), id), builtIn);
    }
}

}  // namespace

namespace {

// The program folder carries the files the program opens by name.
TEST(ProgramFolder, HoldsTheHelpImagesAndSounds)
{
    const std::wstring folder = KEYLOFT_PROGRAM_FOLDER;
    struct Expected {
        const wchar_t* path;
        const char* magic;
    };
    const Expected files[] = {
        {L"/help/ch_smp.chm", "ITSF"},     {L"/help/ch_trd.chm", "ITSF"},
        {L"/help/english.chm", "ITSF"},    {L"/wav/msgBox.wav", "RIFF"},
        {L"/wav/finish.wav", "RIFF"},      {L"/pictures/connected.png", "\x89PNG"},
        {L"/pictures/disconnect.png", "\x89PNG"}, {L"/pictures/pcFile.png", "\x89PNG"},
        {L"/pictures/left.png", "\x89PNG"}, {L"/pictures/right.png", "\x89PNG"},
    };
    for (const Expected& file : files) {
        HANDLE handle = CreateFileW((folder + file.path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(handle, INVALID_HANDLE_VALUE) << "missing: " << std::string(file.path, file.path + wcslen(file.path));
        char head[4] = {};
        DWORD read = 0;
        ReadFile(handle, head, sizeof head, &read, nullptr);
        CloseHandle(handle);
        EXPECT_EQ(std::string(head, read), std::string(file.magic, 4));
    }
}

}  // namespace
