#include "core/files/ShellHelpers.h"

#include "core/files/ShellSeam.h"

#include <algorithm>
#include <memory>

bool BrowseForFolder(HWND owner, CString& folder)
{
    return GetShellOperations().BrowseForFolder(owner, folder);
}

int CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations)
{
    if (sources.empty() || destinations.empty())
        return 1;
    const std::size_t count = std::min(sources.size(), destinations.size());
    return GetShellOperations().CopyFiles(std::vector<CString>(sources.begin(), sources.begin() + static_cast<std::ptrdiff_t>(count)),
                                          std::vector<CString>(destinations.begin(), destinations.begin() + static_cast<std::ptrdiff_t>(count)));
}

int DeleteFiles(const std::vector<CString>& paths, bool permanent)
{
    if (paths.empty())
        return 1;
    return GetShellOperations().DeleteFiles(paths, permanent);
}

CString GetSystemErrorText(DWORD error)
{
    wchar_t* text = nullptr;
    const DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                              FORMAT_MESSAGE_IGNORE_INSERTS,
                                          nullptr, error, 0, reinterpret_cast<LPWSTR>(&text), 0, nullptr);
    const std::unique_ptr<wchar_t, decltype(&::LocalFree)> owner(text, &::LocalFree);
    if (length == 0 || text == nullptr)
        return CString();
    CString message(text, static_cast<int>(length));
    message.TrimRight();
    return message;
}

bool ShellOpen(LPCTSTR path, bool report)
{
    DWORD error = 0;
    if (GetShellOperations().Open(path, error))
        return true;
    if (report) {
        CString text = GetSystemErrorText(error);
        if (text.IsEmpty())
            text.Format(L"Error %lu", static_cast<unsigned long>(error));
        ShowPlainMessageBox(text, MB_OK | MB_ICONERROR);
    }
    return false;
}

namespace {
std::vector<CString> ToVector(const CStringArray& array)
{
    std::vector<CString> items;
    for (INT_PTR i = 0; i < array.GetSize(); ++i)
        items.push_back(array.GetAt(i));
    return items;
}
} // namespace

int CopyFiles(const CStringArray& sources, const CStringArray& destinations)
{
    return CopyFiles(ToVector(sources), ToVector(destinations));
}

int DeleteFiles(const CStringArray& paths, bool permanent) { return DeleteFiles(ToVector(paths), permanent); }
