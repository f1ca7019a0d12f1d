// A fresh folder under the temporary folder, removed with everything in it
// when the object goes. Header-only, so any suite can include it.
#pragma once

#include <afx.h>

#include <atomic>

#include <gtest/gtest.h>

namespace keyloft_test {

// Deletes a folder (given with its trailing backslash) and all it holds, read-only files included.
inline void DeleteFolderTree(const CString& folder)
{
    WIN32_FIND_DATAW data = {};
    HANDLE find = ::FindFirstFileW(folder + L"*", &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const CString path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                DeleteFolderTree(path + L"\\");
            } else {
                ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path);
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.Left(folder.GetLength() - 1));
}

class TempFolder {
public:
    explicit TempFolder(LPCTSTR prefix = L"keyloft_test")
    {
        wchar_t base[MAX_PATH] = {};
        ::GetTempPathW(MAX_PATH, base);
        static std::atomic<int> counter{0};
        for (int attempt = 0; attempt < 1000; ++attempt) {
            CString candidate;
            candidate.Format(L"%s%s_%lu_%d", base, prefix, ::GetCurrentProcessId(), counter++);
            if (::CreateDirectoryW(candidate, nullptr)) {
                m_path = candidate + L"\\";
                return;
            }
        }
        ADD_FAILURE() << "no temporary folder";
    }
    ~TempFolder()
    {
        if (!m_path.IsEmpty())
            DeleteFolderTree(m_path);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    // The folder with a trailing backslash.
    const CString& Path() const { return m_path; }
    CString File(LPCTSTR name) const { return m_path + name; }

private:
    CString m_path;
};

} // namespace keyloft_test
