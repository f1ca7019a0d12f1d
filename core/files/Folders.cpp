#include "core/files/Folders.h"

#include <algorithm>
#include <mutex>
#include <string>

namespace {

std::mutex g_overrideLock;
CString g_programFolderOverride;

CString WithTrailingBackslash(CString folder)
{
    if (!folder.IsEmpty() && folder[folder.GetLength() - 1] != L'\\' && folder[folder.GetLength() - 1] != L'/')
        folder += L'\\';
    return folder;
}

DWORD Attributes(LPCTSTR path)
{
    return path != nullptr && *path != L'\0' ? ::GetFileAttributesW(path) : INVALID_FILE_ATTRIBUTES;
}

const wchar_t* const kDataFolderNames[] = {L"XKBD\\song\\", L"XKBD\\style\\", L"XKBD\\voice\\", L"XKBD\\memory\\"};

bool HasExtension(const CString& name, LPCTSTR ext)
{
    const int dot = name.ReverseFind(L'.');
    return dot >= 0 && name.Mid(dot + 1).CompareNoCase(ext) == 0;
}

template <class Visit>
void ForEachFileWithExtension(LPCTSTR folder, LPCTSTR ext, Visit visit)
{
    const CString root = WithTrailingBackslash(folder);
    // The pattern only narrows the search; short 8.3 names can make "*.mid" match
    // "song.midi", so the extension is compared again below.
    const CString pattern = root + L"*." + ext;
    WIN32_FIND_DATAW found{};
    const CFindHandle search(::FindFirstFileW(pattern, &found));
    if (!search)
        return;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            continue;
        const CString name(found.cFileName);
        if (HasExtension(name, ext))
            visit(root, name);
    } while (::FindNextFileW(search.Get(), &found));
}

} // namespace

CString GetModuleFolder()
{
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0)
            return CString();
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.assign(path.size() * 2, L'\0');
    }
    return GetFolderOfPath(path.c_str());
}

CString GetProgramFolder()
{
    {
        std::lock_guard lock(g_overrideLock);
        if (!g_programFolderOverride.IsEmpty())
            return g_programFolderOverride;
    }
    return GetModuleFolder();
}

void SetProgramFolderOverride(LPCTSTR folder)
{
    std::lock_guard lock(g_overrideLock);
    g_programFolderOverride = WithTrailingBackslash(folder != nullptr ? CString(folder) : CString());
}

bool CreateFolder(LPCTSTR path)
{
    if (path == nullptr || *path == L'\0')
        return false;
    CString full(path);
    full.Replace(L'/', L'\\');
    while (full.GetLength() > 3 && full[full.GetLength() - 1] == L'\\')
        full = full.Left(full.GetLength() - 1);
    if (FolderExists(full))
        return true;
    // Create each level in turn; a level that exists as a file ends the attempt.
    for (int pos = full.Find(L'\\'); ; pos = full.Find(L'\\', pos + 1)) {
        const CString level = pos < 0 ? full : full.Left(pos);
        const bool isRoot = level.GetLength() <= 2 || (level.GetLength() == 3 && level[1] == L':') ||
                            level.Right(1) == L":" || level == L"\\";
        if (!level.IsEmpty() && !isRoot && !FolderExists(level)) {
            if (FileExists(level))
                return false;
            if (!::CreateDirectoryW(level, nullptr) && ::GetLastError() != ERROR_ALREADY_EXISTS)
                return false;
        }
        if (pos < 0)
            break;
    }
    return FolderExists(full);
}

CString GetDataFolderPath(int kind)
{
    if (kind < 0 || kind > 3)
        return CString();
    return GetProgramFolder() + kDataFolderNames[kind];
}

CString GetDataFolder(int kind)
{
    const CString folder = GetDataFolderPath(kind);
    if (!folder.IsEmpty())
        CreateFolder(folder);
    return folder;
}

CString GetInsFolder()
{
    const CString folder = GetProgramFolder() + L"INS\\";
    CreateFolder(folder);
    return folder;
}

bool FileExists(LPCTSTR path) { return Attributes(path) != INVALID_FILE_ATTRIBUTES; }

bool FolderExists(LPCTSTR path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool RegularFileExists(LPCTSTR path)
{
    const DWORD attributes = Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

CString GetFolderOfPath(LPCTSTR path)
{
    const CString text(path != nullptr ? path : L"");
    const int slash = std::max(text.ReverseFind(L'\\'), text.ReverseFind(L'/'));
    return slash < 0 ? CString() : text.Left(slash + 1);
}

CString GetFileNameOfPath(LPCTSTR path)
{
    const CString text(path != nullptr ? path : L"");
    const int slash = std::max(text.ReverseFind(L'\\'), text.ReverseFind(L'/'));
    return text.Mid(slash + 1);
}

CString GetFileTitleOfPath(LPCTSTR path)
{
    const CString name = GetFileNameOfPath(path);
    const int dot = name.ReverseFind(L'.');
    return dot < 0 ? name : name.Left(dot);
}

std::vector<CString> ListFilesByExtension(LPCTSTR folder, LPCTSTR ext)
{
    std::vector<CString> names;
    ForEachFileWithExtension(folder, ext, [&](const CString&, const CString& name) { names.push_back(name); });
    return names;
}

std::vector<CString> ListAllFiles(LPCTSTR folder, LPCTSTR ext)
{
    std::vector<CString> paths;
    ForEachFileWithExtension(folder, ext, [&](const CString& root, const CString& name) { paths.push_back(root + name); });
    return paths;
}

void ListFilesByExtension(LPCTSTR folder, LPCTSTR ext, CStringArray& names)
{
    names.RemoveAll();
    for (const CString& name : ListFilesByExtension(folder, ext))
        names.Add(name);
}

void ListAllFiles(LPCTSTR folder, LPCTSTR ext, CStringArray& paths)
{
    paths.RemoveAll();
    for (const CString& path : ListAllFiles(folder, ext))
        paths.Add(path);
}
