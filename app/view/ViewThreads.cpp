#include "app/view/ViewThreads.h"

#include "pages/AppMessages.h"
#include "app/view/ViewGlobals.h"
#include "core/link/LinkMessages.h"
#include "core/link/USBPort.h"

struct CViewThreads::Worker {
    HANDLE stopEvent = nullptr;
    HWND target = nullptr;
    FolderWatchTarget folder;
    CUSBPort* port = nullptr;
    DWORD periodMs = 3000;
};

CViewThreads::CViewThreads() : m_stopEvent(::CreateEventW(nullptr, TRUE, FALSE, nullptr)) {}

CViewThreads::~CViewThreads()
{
    StopAll();
}

void CViewThreads::Launch(AFX_THREADPROC proc, std::unique_ptr<Worker> worker)
{
    worker->stopEvent = m_stopEvent.Get();
    CWinThread* thread = AfxBeginThread(proc, worker.get(), THREAD_PRIORITY_NORMAL, 0, CREATE_SUSPENDED);
    if (thread == nullptr)
        return;
    // Kept (not auto-deleted) so that StopAll can wait on its handle.
    thread->m_bAutoDelete = FALSE;
    m_workers.push_back(std::move(worker));
    m_threads.emplace_back(thread);
    thread->ResumeThread();
}

void CViewThreads::StartFolderWatches(HWND view, const std::vector<FolderWatchTarget>& folders)
{
    for (const FolderWatchTarget& folder : folders) {
        auto worker = std::make_unique<Worker>();
        worker->target = view;
        worker->folder = folder;
        Launch(&CViewThreads::FolderWatchProc, std::move(worker));
    }
}

void CViewThreads::StartKeepAlive(CUSBPort& port, HWND lostTarget, DWORD periodMs)
{
    auto worker = std::make_unique<Worker>();
    worker->target = lostTarget;
    worker->port = &port;
    worker->periodMs = periodMs;
    Launch(&CViewThreads::KeepAliveProc, std::move(worker));
}

void CViewThreads::StopAll()
{
    // The keep-alive may be waiting for a failure box that needs this thread.
    CLinkMessageJoinScope joining;
    if (m_stopEvent)
        ::SetEvent(m_stopEvent.Get());
    for (const auto& thread : m_threads)
        ::WaitForSingleObject(thread->m_hThread, INFINITE);
    m_threads.clear();
    m_workers.clear();
    if (m_stopEvent)
        ::ResetEvent(m_stopEvent.Get());
}

int CViewThreads::RunningCount() const
{
    int running = 0;
    for (const auto& thread : m_threads) {
        if (::WaitForSingleObject(thread->m_hThread, 0) == WAIT_TIMEOUT)
            ++running;
    }
    return running;
}

UINT AFX_CDECL CViewThreads::FolderWatchProc(LPVOID param)
{
    const Worker& worker = *static_cast<const Worker*>(param);
    CChangeNotificationHandle change(
        ::FindFirstChangeNotificationW(worker.folder.folder, TRUE, worker.folder.filter));
    if (!change)
        return 1;
    const HANDLE handles[2] = {worker.stopEvent, change.Get()};
    for (;;) {
        const DWORD woken = ::WaitForMultipleObjects(2, handles, FALSE, INFINITE);
        if (woken != WAIT_OBJECT_0 + 1)
            return 0;  // stop event, or a wait that can no longer succeed
        if (IsFolderWatchOn(worker.folder.kind))
            ::PostMessageW(worker.target, AppMsg::FolderChanged, static_cast<WPARAM>(worker.folder.kind), 0);
        if (!::FindNextChangeNotification(change.Get()))
            return 1;
    }
}

UINT AFX_CDECL CViewThreads::KeepAliveProc(LPVOID param)
{
    const Worker& worker = *static_cast<const Worker*>(param);
    CUSBPort& port = *worker.port;
    while (::WaitForSingleObject(worker.stopEvent, worker.periodMs) == WAIT_TIMEOUT) {
        if (!CUSBPort::s_connected.load() || port.GetMode() == CUSBPort::kModeClosed || port.IsBusy())
            continue;
        // A transfer may have found the instrument gone already.
        bool lost = port.IsInstrumentLost();
        if (!lost) {
            CKeepAliveBusyScope busy;
            lost = !port.ClearState();
        }
        if (lost)
            ReportInstrumentLost(worker.target);
    }
    return 0;
}
