#include "core/files/SafeSave.h"

#include <afxhandle.h>

#include <atomic>
#include <string>

namespace {

// Bytes the disk still takes in tests of a full disk; negative: no limit.
std::atomic<long long> g_spaceLeftForTesting{-1};

// WriteFile, failing as a full disk does once the test limit is spent (after
// writing what still fits).
bool WriteChunk(HANDLE file, const unsigned char* bytes, DWORD size)
{
    const long long space = g_spaceLeftForTesting.load();
    const bool tooLarge = space >= 0 && static_cast<unsigned long long>(space) < size;
    const DWORD allowed = tooLarge ? static_cast<DWORD>(space) : size;
    DWORD done = 0;
    if (allowed > 0 && (!::WriteFile(file, bytes, allowed, &done, nullptr) || done != allowed))
        return false;
    if (space >= 0)
        g_spaceLeftForTesting -= done;
    if (tooLarge) {
        ::SetLastError(ERROR_DISK_FULL);
        return false;
    }
    return true;
}

void SetError(DWORD* error, DWORD code)
{
    if (error)
        *error = code;
}

std::wstring FolderOf(LPCWSTR path)
{
    const std::wstring full(path);
    const auto slash = full.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring(L".") : full.substr(0, slash + 1);
}

} // namespace

std::wstring MakeTemporaryBeside(LPCWSTR target, DWORD* error)
{
    // GetTempFileNameW takes at most MAX_PATH - 14 characters of folder; the
    // \\?\ form has no such limit, so build the name ourselves.
    const std::wstring folder = FolderOf(target);
    const DWORD seed = ::GetTickCount() ^ (::GetCurrentThreadId() << 16);
    for (DWORD attempt = 0; attempt < 1000; ++attempt) {
        wchar_t name[32];
        swprintf(name, 32, L"~kl%04X.tmp", static_cast<unsigned>((seed + attempt) & 0xFFFF));
        std::wstring candidate = folder;
        if (!candidate.empty() && candidate.back() != L'\\' && candidate.back() != L'/')
            candidate += L'\\';
        candidate += name;
        const CFileHandle file(::CreateFileW(candidate.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file)
            return candidate;
        const DWORD code = ::GetLastError();
        if (code != ERROR_FILE_EXISTS && code != ERROR_ALREADY_EXISTS) {
            SetError(error, code);
            return {};
        }
    }
    SetError(error, ERROR_FILE_EXISTS);
    return {};
}

bool ReplaceWithTemporary(LPCWSTR temporaryPath, LPCWSTR target, DWORD* error)
{
    if (::MoveFileExW(temporaryPath, target, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    SetError(error, ::GetLastError());
    ::DeleteFileW(temporaryPath);
    return false;
}

bool SaveFileReplacing(LPCWSTR path, const void* data, std::size_t size, DWORD* error)
{
    const std::wstring temporary = MakeTemporaryBeside(path, error);
    if (temporary.empty())
        return false;

    CFileHandle file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr));
    bool written = static_cast<bool>(file);
    DWORD code = written ? ERROR_SUCCESS : ::GetLastError();
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t left = size;
    while (written && left > 0) {
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        ::SetLastError(ERROR_SUCCESS);
        if (!WriteChunk(file.Get(), bytes, chunk)) {
            code = ::GetLastError();
            if (code == ERROR_SUCCESS)
                code = ERROR_DISK_FULL;
            written = false;
            break;
        }
        bytes += chunk;
        left -= chunk;
    }
    if (written && !::FlushFileBuffers(file.Get())) {
        code = ::GetLastError();
        written = false;
    }
    file.Reset();
    if (!written) {
        SetError(error, code);
        ::DeleteFileW(temporary.c_str());
        return false;
    }
    return ReplaceWithTemporary(temporary.c_str(), path, error);
}

void LimitSaveSpaceForTesting(std::optional<std::size_t> bytes)
{
    g_spaceLeftForTesting = bytes ? static_cast<long long>(*bytes) : -1;
}
