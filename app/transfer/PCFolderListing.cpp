#include "app/transfer/PCFolderListing.h"

#include <windows.h>

#include <cwchar>

namespace {

bool HasBareExtension(const wchar_t* name, const CString& extensionBare)
{
    const wchar_t* dot = std::wcsrchr(name, L'.');
    // The pattern also lets 8.3 short names through ("*.mid" finds "a.midi").
    return dot != nullptr && extensionBare.CompareNoCase(dot + 1) == 0;
}

UINT ClampedSize(DWORD high, DWORD low)
{
    return high != 0 ? static_cast<UINT>(-1) : static_cast<UINT>(low);
}

} // namespace

std::vector<PCFolderEntry> ListPCFolder(const CString& folder, LPCTSTR extensionBare)
{
    std::vector<PCFolderEntry> entries;
    CString root = folder;
    if (!root.IsEmpty() && root.Right(1) != L"\\" && root.Right(1) != L"/")
        root += L"\\";
    const CString extension(extensionBare);
    WIN32_FIND_DATAW found{};
    const CFindHandle search(::FindFirstFileExW(root + L"*." + extension, FindExInfoBasic, &found,
                                                FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!search)
        return entries;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        if (HasBareExtension(found.cFileName, extension))
            entries.push_back({CString(found.cFileName), ClampedSize(found.nFileSizeHigh, found.nFileSizeLow)});
    } while (::FindNextFileW(search.Get(), &found));
    return entries;
}
