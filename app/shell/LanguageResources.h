// The language libraries and the choice among them: the built-in texts
// (Simplified Chinese, the program's own resources), "lan_trad.dll" and
// "lan_eng.dll". Strings, dialogs and menus a library lacks still come from
// the program's own resources (the layer falls back to them).
#pragma once

#include <afxwin.h>

namespace Language {
inline constexpr UINT Simplified = 0;
inline constexpr UINT Traditional = 1;
inline constexpr UINT English = 2;
} // namespace Language

class CLanguageResources {
public:
    CLanguageResources() = default;
    ~CLanguageResources();
    CLanguageResources(const CLanguageResources&) = delete;
    CLanguageResources& operator=(const CLanguageResources&) = delete;

    // Remembers the resource handle in force as the built-in one and loads both
    // libraries from folder (ending in a backslash); a missing one stays null.
    void Load(const CString& folder);
    // Puts the language stored in the application profile in force (0 built-in,
    // 1 Traditional Chinese, anything else English); the built-in texts stay
    // when that library is missing. Returns the language now in force.
    UINT ApplyStoredLanguage();
    // A language command: when the language's resources exist, puts them in
    // force, stores the choice in the profile and returns true.
    bool Switch(UINT language);
    // The resources of a language (0, 1, else 2); null when missing.
    HINSTANCE HandleOf(UINT language) const;
    // The language the profile names (what the menu's check marks show).
    static UINT StoredLanguage();
    // Frees the libraries, Traditional Chinese first. The built-in texts are put
    // back in force first, so nothing keeps using a freed module.
    void Free();

private:
    HINSTANCE m_builtIn = nullptr;  // the program's own module, never freed
    CModuleHandle m_traditional;
    CModuleHandle m_english;
};
