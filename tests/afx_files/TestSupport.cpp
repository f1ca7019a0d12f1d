#include "TestSupport.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

namespace {

std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largestRequest{0};

void DeleteTree(const CString& folder)
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
                DeleteTree(path + L"\\");
            } else {
                ::SetFileAttributesW(path, FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(path);
            }
        } while (::FindNextFileW(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.Left(folder.GetLength() - 1));
}

} // namespace

// Counting replacement of the global allocation functions of this test program.
void* operator new(size_t size)
{
    if (g_watching.load(std::memory_order_relaxed)) {
        size_t seen = g_largestRequest.load(std::memory_order_relaxed);
        while (size > seen && !g_largestRequest.compare_exchange_weak(seen, size)) {
        }
    }
    if (void* block = std::malloc(size != 0 ? size : 1))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, size_t) noexcept { std::free(block); }

namespace afx_files_test {

TempFolder::TempFolder()
{
    wchar_t base[MAX_PATH] = {};
    ::GetTempPathW(MAX_PATH, base);
    static std::atomic<int> counter{0};
    for (int attempt = 0; attempt < 1000; ++attempt) {
        CString candidate;
        candidate.Format(L"%safx_files_%lu_%d", base, ::GetCurrentProcessId(), counter++);
        if (::CreateDirectoryW(candidate, nullptr)) {
            m_path = candidate + L"\\";
            return;
        }
    }
    ADD_FAILURE() << "no temporary folder";
}

TempFolder::~TempFolder()
{
    if (!m_path.IsEmpty())
        DeleteTree(m_path);
}

void WriteBytes(const CString& path, const std::vector<BYTE>& bytes)
{
    CFile file(path, CFile::modeCreate | CFile::modeWrite);
    file.Write(bytes.data(), static_cast<UINT>(bytes.size()));
    file.Close();
}

std::vector<BYTE> ReadBytes(const CString& path)
{
    CFile file(path, CFile::modeRead | CFile::shareDenyNone);
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    const UINT read = file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    bytes.resize(read);
    return bytes;
}

std::vector<BYTE> ContentOf(CMemFile& file)
{
    const ULONGLONG position = file.GetPosition();
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    const UINT read = file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
    bytes.resize(read);
    file.Seek(static_cast<LONGLONG>(position), CFile::begin);
    return bytes;
}

AllocationWatch::AllocationWatch()
{
    g_largestRequest = 0;
    g_watching = true;
}

AllocationWatch::~AllocationWatch() { g_watching = false; }

size_t AllocationWatch::LargestRequest() const { return g_largestRequest.load(); }

} // namespace afx_files_test
