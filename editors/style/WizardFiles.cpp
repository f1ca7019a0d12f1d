#include "editors/style/WizardFiles.h"

#include <afxdlgs.h>

#include "core/files/FileErrors.h"
#include "core/files/SafeSave.h"
#include "pages/BaseDlg.h"

namespace {

void ShowOsFileError(LPCTSTR path, DWORD error)
{
    const CFileException exception(CFileException::OsErrorToException(static_cast<LONG>(error)),
                                   static_cast<LONG>(error), path);
    ShowFileException(path, exception);
}

} // namespace

CString AskOpenPath(LPCTSTR filter, CWnd* parent, DWORD* filterIndex)
{
    CFileDialog dialog(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent);
    if (filterIndex != nullptr)
        dialog.m_ofn.nFilterIndex = *filterIndex;
    if (dialog.DoModal() != IDOK)
        return CString();
    if (filterIndex != nullptr)
        *filterIndex = dialog.m_ofn.nFilterIndex;
    return dialog.GetPathName();
}

CString AskSavePath(LPCTSTR filter, LPCTSTR extension, CWnd* parent, LPCTSTR fileName, LPCTSTR initialFolder)
{
    CFileDialog dialog(FALSE, nullptr, fileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent);
    if (initialFolder != nullptr && *initialFolder != L'\0')
        dialog.m_ofn.lpstrInitialDir = initialFolder;
    if (dialog.DoModal() != IDOK)
        return CString();
    CString path = dialog.GetPathName();
    if (dialog.GetFileExt().CompareNoCase(extension) != 0)
        path += CString(L".") + extension;
    return path;
}

CString SingleDroppedFile(HDROP drop)
{
    CStringArray files;
    CStringArray folders;
    CBaseDlg::SplitDroppedPaths(drop, files, folders);
    ::DragFinish(drop);
    return files.GetSize() == 1 && folders.GetSize() == 0 ? files[0] : CString();
}

bool ReadDroppedBlock(HDROP drop, std::size_t size, std::vector<std::uint8_t>& bytes)
{
    const CString path = SingleDroppedFile(drop);
    return !path.IsEmpty() && ReadFileBytes(path, bytes, size + 1) && bytes.size() == size;
}

bool ReadFileBytes(LPCTSTR path, std::vector<std::uint8_t>& bytes, std::uint64_t maxBytes)
{
    bytes.clear();
    CFile file;
    if (!OpenFileWithMessage(file, path, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    try {
        const ULONGLONG length = file.GetLength();
        bytes.resize(static_cast<size_t>(length < maxBytes ? length : maxBytes));
        UINT done = 0;
        while (done < bytes.size()) {
            const UINT read = file.Read(bytes.data() + done, static_cast<UINT>(bytes.size() - done));
            if (read == 0)
                break;
            done += read;
        }
        bytes.resize(done);
    } catch (CFileException* error) {
        ShowFileException(path, error);
        error->Delete();
        return false;
    }
    return true;
}

bool SaveFileBytes(LPCTSTR path, const void* data, std::size_t size)
{
    DWORD error = 0;
    if (SaveFileReplacing(path, data, size, &error))
        return true;
    ShowOsFileError(path, error);
    return false;
}

std::string ToAnsiText(const CString& text)
{
    const CStringA ansi(text);
    return std::string(ansi.GetString(), static_cast<size_t>(ansi.GetLength()));
}

CString FromAnsiText(const std::string& text)
{
    return CString(CStringA(text.c_str(), static_cast<int>(text.size())));
}
