#include "app/transfer/TransferWorker.h"

#include <algorithm>
#include <cstdlib>
#include <memory>

#include "core/files/FileErrors.h"
#include "core/files/SafeSave.h"
#include "core/link/USBPort.h"

namespace {

// Reads a whole file; false (and the exception's cause) when it cannot be opened or read.
bool ReadWholeFile(const CString& path, std::vector<BYTE>& bytes, int& cause)
{
    CFileException error;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite, &error)) {
        cause = error.m_cause;
        return false;
    }
    try {
        const ULONGLONG length = file.GetLength();
        if (length > 0x7FFFFFFFULL) {
            cause = CFileException::diskFull;
            return false;
        }
        bytes.resize(static_cast<std::size_t>(length));
        const UINT read = bytes.empty() ? 0 : file.Read(bytes.data(), static_cast<UINT>(bytes.size()));
        bytes.resize(read);
        return true;
    } catch (CFileException* readError) {
        cause = readError->m_cause;
        readError->Delete();
        return false;
    }
}

// The whole file goes to a temporary beside the target first: a full disk
// leaves an existing file as it was.
bool WriteWholeFile(const CString& path, const BYTE* data, std::size_t length, int& cause)
{
    DWORD code = ERROR_SUCCESS;
    if (SaveFileReplacing(path, data, length, &code))
        return true;
    cause = FileErrorCause(code);
    return false;
}

// Switches a folder watch off for as long as it lives.
class FolderWatchPause {
public:
    explicit FolderWatchPause(const std::function<void(bool)>& set) : m_set(set)
    {
        if (m_set)
            m_set(false);
    }
    ~FolderWatchPause()
    {
        if (m_set)
            m_set(true);
    }
    FolderWatchPause(const FolderWatchPause&) = delete;
    FolderWatchPause& operator=(const FolderWatchPause&) = delete;

private:
    const std::function<void(bool)>& m_set;
};

} // namespace

DownloadOutcome DownloadFiles(CUSBPort& port, const TransferDownloadJob& request, const std::atomic<bool>& cancel,
                            ITransferEvents& events)
{
    DownloadOutcome outcome;
    const std::size_t count = std::min(request.names.size(), request.slots.size());
    for (std::size_t i = 0; i < count && outcome.result == 1; ++i) {
        if (cancel.load()) {
            outcome.result = 2;
            break;
        }
        const CString path = request.folder + request.names[i];
        std::vector<BYTE> bytes;
        int cause = 0;
        if (!ReadWholeFile(path, bytes, cause)) {
            events.FileError(path, cause);
            outcome.everyFileSent = false;
            continue;
        }
        // The file may have changed since the list was filled: judge what is sent.
        if (request.stillValid && !request.stillValid(path, bytes.size())) {
            events.FileRejected(path);
            outcome.everyFileSent = false;
            continue;
        }
        outcome.result = port.Download(request.kind, request.slots[i], bytes.data(), static_cast<DWORD>(bytes.size()));
        if (outcome.result != 1)
            outcome.everyFileSent = false;
    }
    return outcome;
}

int UploadFiles(CUSBPort& port, const TransferUploadJob& request, const std::atomic<bool>& cancel,
              ITransferEvents& events)
{
    FolderWatchPause pause(request.setFolderWatch);
    int result = 1;
    bool everyFileWritten = true;
    const std::size_t count =
        std::min({request.slots.size(), request.expectedSizes.size(), request.names.size()});
    for (std::size_t i = 0; i < count; ++i) {
        if (cancel.load())
            return 2;
        CMemFile memory(1024);
        result = port.Upload(request.kind, request.slots[i], request.expectedSizes[i], memory);
        if (result != 1)
            return result;
        const std::size_t length = static_cast<std::size_t>(memory.GetLength());
        std::unique_ptr<BYTE, decltype(&free)> buffer(memory.Detach(), &free);
        const CString path = request.folder + request.names[i] + request.extension;
        int cause = 0;
        if (!WriteWholeFile(path, buffer.get(), length, cause)) {
            events.FileError(path, cause);
            everyFileWritten = false;
        }
        events.PcFolderWritten();
    }
    return everyFileWritten ? 1 : 0;
}
