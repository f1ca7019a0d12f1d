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
    bool upload = false;
    CUSBPort* port = nullptr;
    HWND notify = nullptr;
    DownloadRequest download;
    UploadRequest uploadRequest;
    std::shared_ptr<std::atomic<bool>> cancel;

    static UINT AFX_CDECL ThreadProc(LPVOID parameter)
    {
        std::unique_ptr<Job> job(static_cast<Job*>(parameter));  // the thread frees its block
        PostingEvents events(job->notify);
        if (job->upload) {
            const int result = RunUpload(*job->port, job->uploadRequest, *job->cancel, events);
            ::PostMessageW(job->notify, AppMsg::UploadFinished, static_cast<WPARAM>(result), 0);
        } else {
            const DownloadOutcome outcome = RunDownload(*job->port, job->download, *job->cancel, events);
            ::PostMessageW(job->notify, TransferMsg::DownloadFinished, static_cast<WPARAM>(outcome.result),
                           outcome.everyFileSent && outcome.result == 1 ? 1 : 0);
        }
        return 1;
    }
};

CTransferRunner::~CTransferRunner()
{
    CancelAndJoin();
}

bool CTransferRunner::StartDownload(CUSBPort& port, HWND notify, DownloadRequest request)
{
    auto job = std::make_unique<Job>();
    job->port = &port;
    job->notify = notify;
    job->download = std::move(request);
    return Start(std::move(job));
}

bool CTransferRunner::StartUpload(CUSBPort& port, HWND notify, UploadRequest request)
{
    auto job = std::make_unique<Job>();
    job->upload = true;
    job->port = &port;
    job->notify = notify;
    job->uploadRequest = std::move(request);
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
    CWinThread* thread = AfxBeginThread(&Job::ThreadProc, job.get(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
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
