#include "pages/SegmentNames.h"

#include "core/portable/style/Segments.h"

namespace {
CString UpperCase(CString text)
{
    text.MakeUpper();
    return text;
}
} // namespace

void CSegmentNames::Build(const std::function<CString(UINT)>& loadString)
{
    m_byName.clear();
    for (const auto& row : keyloft::style::SegmentTable()) {
        CString name = loadString(row.stringId);
        if (name.IsEmpty())
            name = CString(row.name); // a library without the string still names it
        m_byName[UpperCase(name)] = row.segment;
    }
}

int CSegmentNames::Lookup(const CString& name) const
{
    const auto found = m_byName.find(UpperCase(name));
    return found == m_byName.end() ? keyloft::style::SegNone : found->second;
}

int CSegmentNames::LookupA(std::string_view name) const
{
    // Segment names are ASCII; bytes above 0x7F cannot match any of them.
    CString wide;
    for (char c : name)
        wide += static_cast<wchar_t>(static_cast<unsigned char>(c));
    return Lookup(wide);
}

CString CSegmentNames::NameOf(int segment) const
{
    for (const auto& [name, value] : m_byName)
        if (value == segment)
            return name;
    return CString();
}

CSegmentNames& GetAppSegmentNames()
{
    static CSegmentNames names;
    return names;
}

int GetSegmentByName(const CString& name)
{
    return GetAppSegmentNames().Lookup(name);
}

int GetSegmentByNameA(std::string_view name)
{
    return GetAppSegmentNames().LookupA(name);
}

void SanitizeFileName(CString& name)
{
    static constexpr wchar_t kForbidden[] = L"\"*/:<>?\\|";
    for (int i = 0; i < name.GetLength(); ++i)
        if (wcschr(kForbidden, name[i]) != nullptr)
            name.SetAt(i, L'~');
}
