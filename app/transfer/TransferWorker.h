// The per-file loops of a download and an upload, as run on a worker thread.
// They report through an events object instead of touching any window, so the
// same loops run under tests and behind the page's posting events.
#pragma once

#include <afx.h>

#include <atomic>
#include <functional>
#include <vector>

class CUSBPort;

class ITransferEvents {
public:
    virtual ~ITransferEvents() = default;
    // A PC file could not be opened, read or written (cause of the file exception).
    virtual void FileError(const CString& path, int cause) = 0;
    // A file no longer fits the size rule or fails its mark check; not sent.
    virtual void FileRejected(const CString& path) = 0;
    // A file was written into the data folder.
    virtual void PcFolderWritten() = 0;
};

struct TransferDownloadJob {
    int kind = 0;
    CString folder;                 // with a trailing backslash
    std::vector<CString> names;     // PC file names, in order
    std::vector<int> slots;         // target slots (-1 for a row without record)
    // Checked on the bytes actually read, right before they are sent: false
    // refuses the file. Empty accepts every file.
    std::function<bool(const CString& path, ULONGLONG size)> stillValid;
};

struct DownloadOutcome {
    int result = 1;        // the last port result: 0 failed, 1 done, 2 cancelled
    bool everyFileSent = true;
};

DownloadOutcome DownloadFiles(CUSBPort& port, const TransferDownloadJob& request, const std::atomic<bool>& cancel,
                            ITransferEvents& events);

struct TransferUploadJob {
    int kind = 0;
    CString folder;
    std::vector<int> slots;
    std::vector<DWORD> expectedSizes;
    std::vector<CString> names;     // file titles; the kind's extension is added
    LPCTSTR extension = L".mid";
    // Switches the data folder's watch off (false) while the job writes, on after.
    std::function<void(bool on)> setFolderWatch;
};

// 1 when every slot was read and written, 2 when cancelled, 0 when a slot failed
// or a target file could not be written.
int UploadFiles(CUSBPort& port, const TransferUploadJob& request, const std::atomic<bool>& cancel,
              ITransferEvents& events);
