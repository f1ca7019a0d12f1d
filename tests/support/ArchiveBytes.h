// Archives over memory, for tests of stored forms: what a store writes, and
// loading from given bytes. Header-only, so any suite can include it.
#pragma once

#include <afx.h>

#include <cstring>
#include <initializer_list>
#include <utility>
#include <vector>

namespace keyloft_test {

// The bytes that store(ar) writes through a storing archive.
template <class Store>
std::vector<BYTE> StoredBytes(Store&& store)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    std::vector<BYTE> bytes(static_cast<size_t>(file.GetLength()));
    file.SeekToBegin();
    bytes.resize(file.Read(bytes.data(), static_cast<UINT>(bytes.size())));
    return bytes;
}

// A loading archive over its own copy of the bytes.
class LoadingArchive {
public:
    explicit LoadingArchive(std::vector<BYTE> bytes)
        : m_bytes(std::move(bytes)), m_file(m_bytes.data(), static_cast<UINT>(m_bytes.size())),
          m_archive(&m_file, CArchive::load)
    {
    }
    CArchive& Archive() { return m_archive; }

private:
    std::vector<BYTE> m_bytes;
    CMemFile m_file;
    CArchive m_archive;
};

// Runs load(ar) on a loading archive over a copy of the bytes.
template <class Load>
void LoadBytes(std::vector<BYTE> bytes, Load&& load)
{
    LoadingArchive loading(std::move(bytes));
    load(loading.Archive());
}

inline std::vector<BYTE> Ascii(const char* text)
{
    return std::vector<BYTE>(text, text + std::strlen(text));
}

inline std::vector<BYTE> Concat(std::initializer_list<std::vector<BYTE>> parts)
{
    std::vector<BYTE> all;
    for (const auto& part : parts)
        all.insert(all.end(), part.begin(), part.end());
    return all;
}

} // namespace keyloft_test
