#include "app/transfer/TransferRunner.h"

#include <afxwin.h>

#include "pages/AppMessages.h"
#include "app/transfer/TransferMessages.h"
#include "core/link/LinkMessages.h"
#include "core/link/USBPort.h"

bool PostText(HWND window, UINT message, WPARAM wParam, const CString& text)
{
    auto copy = std::make_unique<CString>(text);
    if (!window || !::PostMessageW(window, message, wParam, reinterpret_cast<LPARAM>(copy.get())))
        return false;
    copy.release();  // the receiver frees it
    return true;
}

std::unique_ptr<CString> TakePostedText(LPARAM lParam)
{
    return std::unique_ptr<CString>(reinterpret_cast<CString*>(lParam));
}

namespace {

// Hands every event to the page's window.
class PostingEvents : public ITransferEvents {
public:
    explicit PostingEvents(HWND window) : m_window(window) {}
    void FileError(const CString& path, int cause) override
    {
        PostText(m_window, TransferMsg::FileError, static_cast<WPARAM>(cause), path);
    }
    void FileRejected(const CString& path) override { PostText(m_window, TransferMsg::FileRejected, 0, path); }
    void PcFolderWritten() override { ::PostMessageW(m_window, TransferMsg::PcFolderWritten, 0, 0); }

private:
    HWND m_window = nullptr;
};

} // namespace

struct CTransferRunner::Job {
    AFX_THREADPROC threadProc = nullptr;
    CUSBPort* port = nullptr;
    HWND notify = nullptr;
    TransferDownloadJob download;
    TransferUploadJob upload;
    std::shared_ptr<std::atomic<bool>> cancel;
};

namespace {

// The download's thread: the per-file loop, then the end posted to the page.
UINT AFX_CDECL DownloadThreadProc(LPVOID parameter)
{
    std::unique_ptr<CTransferRunner::Job> job(static_cast<CTransferRunner::Job*>(parameter));  // the thread frees its block
    PostingEvents events(job->notify);
    const DownloadOutcome outcome = DownloadFiles(*job->port, job->download, *job->cancel, events);
    ::PostMessageW(job->notify, TransferMsg::DownloadFinished, static_cast<WPARAM>(outcome.result),
                   outcome.everyFileSent && outcome.result == 1 ? 1 : 0);
    return 1;
}

// The upload's thread: the per-slot loop, then WM_USER+27 with its result.
UINT AFX_CDECL UploadThreadProc(LPVOID parameter)
{
    std::unique_ptr<CTransferRunner::Job> job(static_cast<CTransferRunner::Job*>(parameter));
    PostingEvents events(job->notify);
    const int result = UploadFiles(*job->port, job->upload, *job->cancel, events);
    ::PostMessageW(job->notify, AppMsg::UploadFinished, static_cast<WPARAM>(result), 0);
    return 1;
}

} // namespace

CTransferRunner::~CTransferRunner()
{
    CancelAndJoin();
}

bool CTransferRunner::StartDownload(CUSBPort& port, HWND notify, TransferDownloadJob request)
{
    auto job = std::make_unique<Job>();
    job->threadProc = &DownloadThreadProc;
    job->port = &port;
    job->notify = notify;
    job->download = std::move(request);
    return Start(std::move(job));
}

bool CTransferRunner::StartUpload(CUSBPort& port, HWND notify, TransferUploadJob request)
{
    auto job = std::make_unique<Job>();
    job->threadProc = &UploadThreadProc;
    job->port = &port;
    job->notify = notify;
    job->upload = std::move(request);
    return Start(std::move(job));
}

bool CTransferRunner::Start(std::unique_ptr<Job> job)
{
    if (IsRunning())
        return false;
    ForgetEndedThread();
    m_cancel = std::make_shared<std::atomic<bool>>(false);
    job->cancel = m_cancel;
    m_port = job->port;
    CWinThread* thread = AfxBeginThread(job->threadProc, job.get(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (!thread)
        return false;
    HANDLE duplicate = nullptr;
    ::DuplicateHandle(::GetCurrentProcess(), thread->m_hThread, ::GetCurrentProcess(), &duplicate, SYNCHRONIZE, FALSE, 0);
    m_thread.Reset(duplicate);
    job.release();  // from here the thread owns its block
    thread->ResumeThread();
    return true;
}

bool CTransferRunner::IsRunning() const
{
    return m_thread && ::WaitForSingleObject(m_thread.Get(), 0) == WAIT_TIMEOUT;
}

void CTransferRunner::ForgetEndedThread()
{
    m_thread.Reset();
}

void CTransferRunner::CancelAndJoin()
{
    if (!m_thread)
        return;
    // A worker waiting for its failure box to close would never end.
    CLinkMessageJoinScope joining;
    if (m_cancel)
        m_cancel->store(true);
    // The port drops a stale cancel request when its next transfer starts, so
    // keep asking until the thread has ended.
    while (::WaitForSingleObject(m_thread.Get(), 50) == WAIT_TIMEOUT) {
        if (m_port)
            m_port->RequestCancel();
    }
    ForgetEndedThread();
}
