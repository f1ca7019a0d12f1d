#include "editors/style/WizardFiles.h"

#include <afxdlgs.h>

#include "core/files/FileErrors.h"
#include "core/files/Folders.h"
#include "core/files/SafeSave.h"
#include "core/files/TextHelpers.h"
#include "core/portable/style/Segments.h"
#include "pages/BaseDlg.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"

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
    // The dialog puts the extension on a name typed without one before it asks
    // whether to replace the file, so that it asks about the file written.
    CFileDialog dialog(FALSE, extension, fileName, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT, filter, parent);
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

bool ReadSideFile(LPCTSTR path, std::size_t blockSize, std::vector<std::uint8_t>& bytes, std::uint64_t& fileSize)
{
    if (!ReadFileBytes(path, bytes, blockSize + 1))
        return false;
    CFileStatus status;
    fileSize = CFile::GetStatus(path, status) ? static_cast<std::uint64_t>(status.m_size) : bytes.size();
    return true;
}

namespace {

// Where and what: the reason part of a side file's refusal.
CString SideFileReason(const keyloft::style::SideFileCheck& check)
{
    using keyloft::style::SideFileFault;
    static const wchar_t* const kParts[] = {L"Voice R1", L"Voice R2", L"Voice L"};
    const CString field(check.field);
    CString reason;
    switch (check.fault) {
    case SideFileFault::WrongSize:
        reason.Format(LoadResString(IDS_SIDE_FILE_SIZE_FMT), static_cast<unsigned>(check.size),
                      static_cast<unsigned>(check.expectedSize));
        break;
    case SideFileFault::MinAboveMax:
    case SideFileFault::ValueOutOfRange:
        if (check.section >= 0) {
            const CString section(keyloft::style::GetSegmentNameA(keyloft::style::SegmentOfSection(check.section)).c_str());
            if (check.fault == SideFileFault::MinAboveMax)
                reason.Format(LoadResString(IDS_SCI_MIN_ABOVE_MAX_FMT), section.GetString(), check.channel + 1,
                              check.value, check.maximum);
            else
                reason.Format(LoadResString(IDS_SCI_VALUE_FMT), section.GetString(), check.channel + 1,
                              field.GetString(), check.value);
        } else {
            reason.Format(LoadResString(IDS_OTS_VALUE_FMT), check.entry / 3 + 1, kParts[check.entry % 3],
                          field.GetString(), check.value);
        }
        break;
    case SideFileFault::UnknownVoice:
        reason.Format(LoadResString(IDS_OTS_VOICE_FMT), check.entry / 3 + 1, kParts[check.entry % 3], check.value);
        break;
    case SideFileFault::None: break;
    }
    return reason;
}

} // namespace

void ShowSideFileRefusal(LPCTSTR path, UINT refusalFormat, const keyloft::style::SideFileCheck& check)
{
    CString text;
    text.Format(LoadResString(refusalFormat), GetFileNameOfPath(path).GetString(), SideFileReason(check).GetString());
    ShowMessageBoxText(MSG_ICON_WARNING, MB_MODE_OK, text);
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
