#include "tests/app_frame/ShellTestSupport.h"

#include <windows.h>

#include "core/files/Folders.h"

namespace {
void DeleteTree(const CString& folder)
{
    WIN32_FIND_DATAW data{};
    HANDLE find = ::FindFirstFileW(folder + L"*", &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const CString name = data.cFileName;
            if (name == L"." || name == L"..")
                continue;
            const CString path = folder + name;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                DeleteTree(path + L"\\");
            else
                ::DeleteFileW(path);
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder);
}
} // namespace

void ShellFolderTest::SetUp()
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    static int counter = 0;
    m_folder.Format(L"%sapp_frame_%lu_%d\\", temp, ::GetCurrentProcessId(), ++counter);
    ASSERT_TRUE(CreateFolder(m_folder));
    SetProgramFolderOverride(m_folder);
}

void ShellFolderTest::TearDown()
{
    SetProgramFolderOverride(L"");
    DeleteTree(m_folder);
}

void ShellFolderTest::WriteFile(const CString& relativePath, const std::string& text) const
{
    const CString path = m_folder + relativePath;
    CreateFolder(GetFolderOfPath(path));
    HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
}

std::string ShellFolderTest::ReadFile(const CString& relativePath) const
{
    std::string text;
    HANDLE file = ::CreateFileW(m_folder + relativePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return text;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0)
        text.append(buffer, read);
    ::CloseHandle(file);
    return text;
}
