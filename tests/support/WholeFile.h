// Whole files for tests: read at once (empty when missing) and written at once
// (its folders made first). Plain C++, so any suite can include it.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

namespace keyloft_test {

template <class Bytes = std::string>
Bytes ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// False when the file could not be written whole.
template <class Bytes>
bool WriteWholeFile(const std::filesystem::path& path, const Bytes& bytes)
{
    std::error_code ignored;
    std::filesystem::create_directories(path.parent_path(), ignored);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

} // namespace keyloft_test
