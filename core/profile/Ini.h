// Access to one ini file through the platform's private-profile functions, with
// the value rules of core/portable/profile/IniValue.h.
//
// An object without a path reads every value as its default and writes nothing
// (the platform would otherwise fall back to a system ini file). Every write
// goes through a copy beside the file, so a failed one leaves the file as it was.
#pragma once

#include <afx.h>

#include <utility>
#include <vector>

class CIni {
public:
    CIni() = default;
    explicit CIni(LPCTSTR path) : m_path(path) {}

    void SetPath(LPCTSTR path) { m_path = path; }
    const CString& GetPath() const { return m_path; }
    bool HasPath() const { return !m_path.IsEmpty(); }

    // The raw value; fallback when the key or the file is absent.
    CString GetString(LPCTSTR section, LPCTSTR key, LPCTSTR fallback = L"") const;
    UINT GetUInt(LPCTSTR section, LPCTSTR key, UINT fallback) const;
    int GetInt(LPCTSTR section, LPCTSTR key, int fallback) const;
    BOOL GetBool(LPCTSTR section, LPCTSTR key, BOOL fallback) const;

    BOOL WriteString(LPCTSTR section, LPCTSTR key, LPCTSTR value) const;
    // Decimal text.
    BOOL WriteInt(LPCTSTR section, LPCTSTR key, int value) const;
    BOOL WriteUInt(LPCTSTR section, LPCTSTR key, UINT value) const;
    BOOL WriteBool(LPCTSTR section, LPCTSTR key, BOOL value) const { return WriteInt(section, key, value ? 1 : 0); }

    BOOL DeleteKey(LPCTSTR section, LPCTSTR key) const;
    BOOL DeleteSection(LPCTSTR section) const;
    bool HasSection(LPCTSTR section) const;
    bool HasKey(LPCTSTR section, LPCTSTR key) const;

    // Keys of a section in file order, and the key/value pairs.
    std::vector<CString> GetKeys(LPCTSTR section) const;
    std::vector<std::pair<CString, CString>> GetEntries(LPCTSTR section) const;
    std::vector<CString> GetSectionNames() const;

private:
    // One write of the platform's (a null key deletes the section, a null value
    // the key), made on a copy that replaces the file only when complete.
    BOOL Change(LPCTSTR section, LPCTSTR key, LPCTSTR value) const;

    enum class ListKind { Names, SectionLines };
    // A double-null-terminated list from the platform, read with a growing buffer:
    // key names of a section (section names when section is null) or its lines.
    std::vector<CString> ReadList(ListKind kind, LPCTSTR section) const;

    CString m_path;
};
