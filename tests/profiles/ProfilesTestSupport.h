// Shared pieces of the profile and file tests: a scratch program folder and a
// recording replacement of the shell.
#pragma once

#include <afx.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/files/Folders.h"
#include "core/files/ShellSeam.h"

// A fresh, empty folder that GetProgramFolder returns while the object lives.
class ScratchProgramFolder {
public:
    ScratchProgramFolder();
    ~ScratchProgramFolder();
    ScratchProgramFolder(const ScratchProgramFolder&) = delete;
    ScratchProgramFolder& operator=(const ScratchProgramFolder&) = delete;

    const CString& Path() const { return m_path; } // with trailing backslash

private:
    CString m_path;
};

class ProgramFolderTest : public ::testing::Test {
protected:
    ScratchProgramFolder m_folder;
    CString Folder() const { return m_folder.Path(); }
};

void WriteBytes(LPCTSTR path, const std::vector<std::uint8_t>& bytes);
void WriteText(LPCTSTR path, const std::string& text);
std::string ReadAllBytes(LPCTSTR path);
void RemoveTree(LPCTSTR path);

// Records every request and answers with scripted values; shows nothing.
class RecordingShell final : public IShellOperations {
public:
    struct Message {
        CString text;
        CString caption;
        UINT type = 0;
    };
    struct Copy {
        std::vector<CString> sources;
        std::vector<CString> destinations;
    };
    struct Delete {
        std::vector<CString> paths;
        bool permanent = false;
    };

    int CopyFiles(const std::vector<CString>& sources, const std::vector<CString>& destinations) override
    {
        copies.push_back({sources, destinations});
        return copyResult;
    }
    int DeleteFiles(const std::vector<CString>& paths, bool permanent) override
    {
        deletes.push_back({paths, permanent});
        return deleteResult;
    }
    bool Open(LPCTSTR path, DWORD& error) override
    {
        opened.emplace_back(path);
        error = openError;
        return openSucceeds;
    }
    bool BrowseForFolder(HWND, CString& folder) override
    {
        browseStart.push_back(folder);
        if (!browseAnswer.IsEmpty())
            folder = browseAnswer;
        return !browseAnswer.IsEmpty();
    }
    int MessageBox(HWND, LPCTSTR text, LPCTSTR caption, UINT type) override
    {
        messages.push_back({text, caption, type});
        return messageAnswer;
    }

    std::vector<Copy> copies;
    std::vector<Delete> deletes;
    std::vector<CString> opened;
    std::vector<CString> browseStart;
    std::vector<Message> messages;
    int copyResult = 0;
    int deleteResult = 0;
    bool openSucceeds = true;
    DWORD openError = ERROR_FILE_NOT_FOUND;
    CString browseAnswer;
    int messageAnswer = IDOK;
};

// Installs a RecordingShell for the test's lifetime.
class ShellTest : public ProgramFolderTest {
protected:
    RecordingShell m_shell;
    CScopedShellOperations m_scope{m_shell};
};

// Narrow text for readable assertion messages.
std::string Narrow(const CString& text);
