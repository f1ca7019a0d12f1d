// A private program folder for each test: the application profile, the device
// profiles and "DefValue.ini" all live beside the program.
#pragma once

#include <afx.h>
#include <gtest/gtest.h>

#include <string>

#include "core/files/Folders.h"
#include "tests/support/TempFolder.h"
#include "tests/support/WholeFile.h"

class ShellFolderTest : public ::testing::Test {
protected:
    void SetUp() override { SetProgramFolderOverride(Folder()); }
    void TearDown() override { SetProgramFolderOverride(L""); }

    const CString& Folder() const { return m_folder.Path(); }
    // Writes text (UTF-8 bytes as given) to Folder() + relativePath, making folders.
    void WriteFile(const CString& relativePath, const std::string& text) const
    {
        ASSERT_TRUE(keyloft_test::WriteWholeFile((Folder() + relativePath).GetString(), text));
    }
    std::string ReadFile(const CString& relativePath) const
    {
        return keyloft_test::ReadWholeFile((Folder() + relativePath).GetString());
    }

private:
    keyloft_test::TempFolder m_folder{L"app_frame"};
};
