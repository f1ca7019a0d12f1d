#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstring>
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

// Every item text of a menu and of its submenus.
void CollectMenuTexts(HMENU menu, std::vector<std::wstring>& texts)
{
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        wchar_t text[256] = {};
        if (GetMenuStringW(menu, static_cast<UINT>(i), text, 256, MF_BYPOSITION) > 0)
            texts.emplace_back(text);
        if (HMENU sub = GetSubMenu(menu, i))
            CollectMenuTexts(sub, texts);
    }
}

// The caption and the control texts of an extended dialog template.
void CollectDialogTexts(const BYTE* data, DWORD size, std::vector<std::wstring>& texts)
{
    const BYTE* end = data + size;
    const auto word = [&](const BYTE*& at) {
        WORD value = 0;
        if (at + 2 <= end)
            memcpy(&value, at, 2);
        at += 2;
        return value;
    };
    // A string, or an ordinal (FFFF and a number), or nothing (0).
    const auto stringOrOrdinal = [&](const BYTE*& at, bool keep) {
        const WORD first = word(at);
        if (first == 0xFFFF) {
            at += 2;
            return;
        }
        std::wstring text;
        for (WORD c = first; c != 0 && at <= end; c = word(at))
            text.push_back(static_cast<wchar_t>(c));
        if (keep && !text.empty())
            texts.push_back(text);
    };
    const auto align = [&](const BYTE*& at) { at = data + ((at - data + 3) & ~static_cast<std::ptrdiff_t>(3)); };
    const BYTE* at = data;
    if (word(at) != 1 || word(at) != 0xFFFF)
        return;  // not DIALOGEX
    at += 4 + 4;
    DWORD style = 0;
    memcpy(&style, at, 4);
    at += 4;
    const WORD items = word(at);
    at += 8;
    stringOrOrdinal(at, false);  // menu
    stringOrOrdinal(at, false);  // class
    stringOrOrdinal(at, true);   // caption
    if (style & (DS_SETFONT | DS_SHELLFONT)) {
        at += 6;
        stringOrOrdinal(at, false);  // typeface
    }
    for (WORD item = 0; item < items && at < end; ++item) {
        align(at);
        at += 4 + 4 + 4 + 8 + 4;     // help id, extended style, style, place, id
        stringOrOrdinal(at, false);  // class
        stringOrOrdinal(at, true);   // text
        const WORD extra = word(at);  // creation data
        at += extra;
    }
}

// English texts mark their shortcut on a letter of the words ("Add &files"),
// not in the Chinese way after them ("Add files (&F)"); a language's name in
// its own script (the language menu) keeps its own way.
TEST(LanguageLibraries, EnglishTextsMarkTheirShortcutsInTheirWords)
{
    Module english = LoadLanguageLibrary(L"lan_eng.dll");
    ASSERT_TRUE(english);
    std::vector<std::wstring> texts;
    EnumResourceNamesW(english.get(), RT_MENU,
        [](HMODULE module, LPCWSTR, LPWSTR name, LONG_PTR param) -> BOOL {
            if (HMENU menu = LoadMenuW(module, name)) {
                CollectMenuTexts(menu, *reinterpret_cast<std::vector<std::wstring>*>(param));
                DestroyMenu(menu);
            }
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&texts));
    EnumResourceNamesW(english.get(), RT_DIALOG,
        [](HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) -> BOOL {
            HRSRC found = FindResourceW(module, name, type);
            HGLOBAL loaded = found ? LoadResource(module, found) : nullptr;
            if (loaded)
                CollectDialogTexts(static_cast<const BYTE*>(LockResource(loaded)), SizeofResource(module, found),
                                   *reinterpret_cast<std::vector<std::wstring>*>(param));
            return TRUE;
        },
        reinterpret_cast<LONG_PTR>(&texts));
    ASSERT_GT(texts.size(), 50u) << "the library's menus and dialogs were read";
    EXPECT_NE(std::find(texts.begin(), texts.end(), L"&Cancel"), texts.end()) << "dialog texts were read";
    for (const std::wstring& text : texts) {
        const bool ascii = std::all_of(text.begin(), text.end(), [](wchar_t c) { return c < 0x80; });
        if (ascii)
            EXPECT_EQ(text.find(L"(&"), std::wstring::npos) << std::string(text.begin(), text.end());
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
