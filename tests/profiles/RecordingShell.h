// A replacement of the shell for tests: it records every request and answers
// with scripted values, showing nothing. Header-only, so other suites can use it.
#pragma once

#include <afx.h>

#include <vector>

#include "core/files/ShellSeam.h"

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
