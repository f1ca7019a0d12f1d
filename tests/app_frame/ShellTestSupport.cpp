#include "tests/app_frame/ShellTestSupport.h"

#include <windows.h>

#include "core/files/Folders.h"

void ShellFolderTest::SetUp()
{
    SetProgramFolderOverride(Folder());
}

void ShellFolderTest::TearDown()
{
    SetProgramFolderOverride(L"");
}

void ShellFolderTest::WriteFile(const CString& relativePath, const std::string& text) const
{
    const CString path = Folder() + relativePath;
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
    HANDLE file = ::CreateFileW(Folder() + relativePath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
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
