#include "TestSupport.h"

#include <atomic>
#include <cstdlib>
#include <new>

#include <gtest/gtest.h>

namespace {

std::atomic<bool> g_watching{false};
std::atomic<size_t> g_largestRequest{0};

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
