#include "tests/profiles/ProfilesTestSupport.h"

#include <atomic>
#include <memory>

namespace {
std::atomic<int> g_counter{0};
}

ScratchProgramFolder::ScratchProgramFolder()
{
    wchar_t temp[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, temp);
    m_path.Format(L"%sprofiles_test_%lu_%d\\", temp, static_cast<unsigned long>(::GetCurrentProcessId()), g_counter.fetch_add(1));
    RemoveTree(m_path);
    EXPECT_TRUE(CreateFolder(m_path));
    SetProgramFolderOverride(m_path);
}

ScratchProgramFolder::~ScratchProgramFolder()
{
    SetProgramFolderOverride(L"");
    RemoveTree(m_path);
}

void WriteBytes(LPCTSTR path, const std::vector<std::uint8_t>& bytes)
{
    const HANDLE file = ::CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << Narrow(path);
    DWORD written = 0;
    if (!bytes.empty())
        ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    ::CloseHandle(file);
    ASSERT_EQ(written, bytes.size());
}

void WriteText(LPCTSTR path, const std::string& text)
{
    WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

std::string ReadAllBytes(LPCTSTR path)
{
    const HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof(buffer), &read, nullptr) && read > 0)
        bytes.append(buffer, read);
    ::CloseHandle(file);
    return bytes;
}

void RemoveTree(LPCTSTR path)
{
    CString root(path);
    if (root.Right(1) == L"\\")
        root = root.Left(root.GetLength() - 1);
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW(root + L"\\*", &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const CString name(found.cFileName);
            if (name == L"." || name == L"..")
                continue;
            const CString child = root + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesW(child, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child);
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(root);
}

std::string Narrow(const CString& text)
{
    std::string out;
    for (int i = 0; i < text.GetLength(); ++i)
        out.push_back(text[i] < 0x80 ? static_cast<char>(text[i]) : '?');
    return out;
}
