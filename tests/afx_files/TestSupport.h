// Helpers shared by the file, archive and synchronisation tests.
#pragma once

#include <afx.h>

#include <cstddef>
#include <string>
#include <vector>

#include "tests/support/TempFolder.h"

namespace afx_files_test {

using keyloft_test::TempFolder;

// Writes bytes to a file (creating or truncating it).
void WriteBytes(const CString& path, const std::vector<BYTE>& bytes);
std::vector<BYTE> ReadBytes(const CString& path);

// The bytes of a memory file, without taking them from it.
std::vector<BYTE> ContentOf(CMemFile& file);

// Runs code that must throw a CException-derived pointer of type E, and answers
// its m_cause (or -1 when something else happened). The exception is deleted.
template <class E, class F>
int CauseOfThrow(F&& code)
{
    try {
        code();
    } catch (E* e) {
        const int cause = e->m_cause;
        e->Delete();
        return cause;
    } catch (CException* e) {
        e->Delete();
        return -2;
    }
    return -1;
}

// Watches the largest single request made through operator new while it lives.
class AllocationWatch {
public:
    AllocationWatch();
    ~AllocationWatch();
    AllocationWatch(const AllocationWatch&) = delete;
    AllocationWatch& operator=(const AllocationWatch&) = delete;

    size_t LargestRequest() const;
};

} // namespace afx_files_test
