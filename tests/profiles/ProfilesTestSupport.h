// Shared pieces of the profile and file tests: a scratch program folder and a
// recording replacement of the shell.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/Folders.h"
#include "tests/profiles/RecordingShell.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

// A fresh, empty folder that GetProgramFolder returns while the test runs.
class ProgramFolderTest : public ::testing::Test {
protected:
    ProgramFolderTest() { SetProgramFolderOverride(m_folder.Path()); }
    ~ProgramFolderTest() override { SetProgramFolderOverride(L""); }
    keyloft_test::TempFolder m_folder{L"profiles_test"};
    CString Folder() const { return m_folder.Path(); } // with trailing backslash
};

inline void WriteBytes(LPCTSTR path, const std::vector<std::uint8_t>& bytes)
{
    ASSERT_TRUE(keyloft_test::WriteWholeFile(path, bytes));
}
inline void WriteText(LPCTSTR path, const std::string& text) { ASSERT_TRUE(keyloft_test::WriteWholeFile(path, text)); }
inline std::string ReadAllBytes(LPCTSTR path) { return keyloft_test::ReadWholeFile(path); }

// Installs a RecordingShell for the test's lifetime.
class ShellTest : public ProgramFolderTest {
protected:
    RecordingShell m_shell;
    CScopedShellOperations m_scope{m_shell};
};

// Narrow text for readable assertion messages.
std::string Narrow(const CString& text);
