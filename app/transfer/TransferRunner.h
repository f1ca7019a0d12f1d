// Runs a page's download or upload on a worker thread. The thread gets a heap
// parameter block, which it frees; it reports to the page only by posting to the
// page's window (TransferMessages.h). The page owns one runner and stops it
// (cancel, then wait for the thread) before its window goes.
#pragma once

#include <afx.h>

#include <atomic>
#include <memory>

#include "app/transfer/TransferWorker.h"

class CUSBPort;

class CTransferRunner {
public:
    CTransferRunner() = default;
    ~CTransferRunner();
    CTransferRunner(const CTransferRunner&) = delete;
    CTransferRunner& operator=(const CTransferRunner&) = delete;

    // False when a job of this runner still runs or the thread cannot start.
    bool StartDownload(CUSBPort& port, HWND notify, TransferDownloadJob request);
    bool StartUpload(CUSBPort& port, HWND notify, TransferUploadJob request);

    bool IsRunning() const;
    // Asks the running job to stop (and the port to cancel its transfer), then
    // waits for the thread to end. Nothing happens without a job.
    void CancelAndJoin();

    // A job's parameter block, made here and freed by its thread.
    struct Job;

private:
    bool Start(std::unique_ptr<Job> job);
    void ForgetEndedThread();

    CThreadHandle m_thread;  // a duplicate of the worker's handle, to wait on
    CUSBPort* m_port = nullptr;
    std::shared_ptr<std::atomic<bool>> m_cancel;
};
