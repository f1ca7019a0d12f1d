#include "core/profile/Ini.h"

#include "core/files/SafeSave.h"
#include "core/portable/profile/IniValue.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr wchar_t kMissingMarker[] = L"\x01\x02missing\x02\x01";

// The platform truncates silently; read again with twice the room until the
// value fits, so long paths are never cut.
CString ReadProfileString(LPCTSTR section, LPCTSTR key, LPCTSTR fallback, const CString& path)
{
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD copied = ::GetPrivateProfileStringW(section, key, fallback, buffer.data(),
                                                        static_cast<DWORD>(buffer.size()), path);
        const bool truncated = (section != nullptr && key != nullptr) ? copied == buffer.size() - 1
                                                                        : copied == buffer.size() - 2;
        if (!truncated || buffer.size() >= (1u << 20))
            return CString(buffer.c_str(), static_cast<int>(copied));
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

std::vector<CString> SplitDoubleNullList(const std::wstring& list)
{
    std::vector<CString> items;
    std::size_t start = 0;
    while (start < list.size() && list[start] != L'\0') {
        const std::size_t end = list.find(L'\0', start);
        items.emplace_back(list.c_str() + start, static_cast<int>(end - start));
        start = end + 1;
    }
    return items;
}

// A value as the platform reads it back: without surrounding blanks and quotes.
CString AsReadBack(LPCTSTR value)
{
    CString text(value);
    text.Trim(L" \t");
    if (text.GetLength() >= 2 && (text[0] == L'"' || text[0] == L'\'') && text[text.GetLength() - 1] == text[0])
        text = text.Mid(1, text.GetLength() - 2);
    return text;
}

std::wstring_view View(const CString& text) { return {text.GetString(), static_cast<std::size_t>(text.GetLength())}; }

} // namespace

CString CIni::GetString(LPCTSTR section, LPCTSTR key, LPCTSTR fallback) const
{
    if (!HasPath())
        return fallback != nullptr ? CString(fallback) : CString();
    return ReadProfileString(section, key, fallback != nullptr ? fallback : L"", m_path);
}

UINT CIni::GetUInt(LPCTSTR section, LPCTSTR key, UINT fallback) const
{
    return keyloft::profile::ReadIniUInt(View(GetString(section, key)), fallback);
}

int CIni::GetInt(LPCTSTR section, LPCTSTR key, int fallback) const
{
    return keyloft::profile::ReadIniInt(View(GetString(section, key)), fallback);
}

BOOL CIni::GetBool(LPCTSTR section, LPCTSTR key, BOOL fallback) const
{
    return keyloft::profile::ReadIniBool(View(GetString(section, key)), fallback != FALSE) ? TRUE : FALSE;
}

// The platform writes an ini file in place, so a full disk would leave it cut
// short: the change goes to a copy beside it, which replaces it once written
// and read back.
BOOL CIni::Change(LPCTSTR section, LPCTSTR key, LPCTSTR value) const
{
    if (!HasPath())
        return FALSE;
    // A value the file holds already is not written again: the file stays as
    // it is, and start-up does not rewrite its settings at every connection.
    if (section != nullptr && key != nullptr && value != nullptr &&
        ReadProfileString(section, key, kMissingMarker, m_path) == AsReadBack(value))
        return TRUE;
    const std::wstring temporary = MakeTemporaryBeside(m_path);
    if (temporary.empty())
        return FALSE;
    const bool copied = ::CopyFileW(m_path, temporary.c_str(), FALSE) || ::GetLastError() == ERROR_FILE_NOT_FOUND;
    bool written = copied && ::WritePrivateProfileStringW(section, key, value, temporary.c_str());
    if (written && section != nullptr && key != nullptr && value != nullptr)
        written = ReadProfileString(section, key, kMissingMarker, temporary.c_str()) == AsReadBack(value);
    if (!written) {
        ::DeleteFileW(temporary.c_str());
        return FALSE;
    }
    return ReplaceWithTemporary(temporary.c_str(), m_path) ? TRUE : FALSE;
}

BOOL CIni::WriteString(LPCTSTR section, LPCTSTR key, LPCTSTR value) const
{
    return Change(section, key, value != nullptr ? value : L"");
}

BOOL CIni::WriteInt(LPCTSTR section, LPCTSTR key, int value) const
{
    return WriteString(section, key, std::to_wstring(value).c_str());
}

BOOL CIni::WriteUInt(LPCTSTR section, LPCTSTR key, UINT value) const
{
    return WriteString(section, key, std::to_wstring(value).c_str());
}

BOOL CIni::DeleteKey(LPCTSTR section, LPCTSTR key) const
{
    return Change(section, key, nullptr);
}

BOOL CIni::DeleteSection(LPCTSTR section) const
{
    return Change(section, nullptr, nullptr);
}

bool CIni::HasSection(LPCTSTR section) const
{
    for (const CString& name : GetSectionNames()) {
        if (name.CompareNoCase(section) == 0)
            return true;
    }
    return false;
}

bool CIni::HasKey(LPCTSTR section, LPCTSTR key) const
{
    return HasPath() && GetString(section, key, kMissingMarker) != kMissingMarker;
}

std::vector<CString> CIni::ReadList(ListKind kind, LPCTSTR section) const
{
    if (!HasPath())
        return {};
    std::wstring buffer(1024, L'\0');
    for (;;) {
        const auto size = static_cast<DWORD>(buffer.size());
        const DWORD copied = kind == ListKind::SectionLines
                                 ? ::GetPrivateProfileSectionW(section, buffer.data(), size, m_path)
                                 : ::GetPrivateProfileStringW(section, nullptr, L"", buffer.data(), size, m_path);
        // A full buffer is reported as size - 2; anything less is complete.
        if (copied + 2 < size || size >= (1u << 22)) {
            buffer.resize(std::min<std::size_t>(copied + 1, buffer.size()));
            return SplitDoubleNullList(buffer);
        }
        buffer.assign(buffer.size() * 2, L'\0');
    }
}

std::vector<CString> CIni::GetKeys(LPCTSTR section) const
{
    return ReadList(ListKind::Names, section);
}

std::vector<std::pair<CString, CString>> CIni::GetEntries(LPCTSTR section) const
{
    std::vector<std::pair<CString, CString>> entries;
    for (const CString& line : ReadList(ListKind::SectionLines, section)) {
        const int equals = line.Find(L'=');
        if (equals < 0 || line[0] == L';')
            continue;
        CString key = line.Left(equals);
        CString value = line.Mid(equals + 1);
        key.Trim();
        value.Trim();
        // Quotes around a value are dropped, as the single-value reader does.
        if (value.GetLength() >= 2 && ((value[0] == L'"' && value[value.GetLength() - 1] == L'"') ||
                                       (value[0] == L'\'' && value[value.GetLength() - 1] == L'\'')))
            value = value.Mid(1, value.GetLength() - 2);
        entries.emplace_back(key, value);
    }
    return entries;
}

std::vector<CString> CIni::GetSectionNames() const
{
    return ReadList(ListKind::Names, nullptr);
}
