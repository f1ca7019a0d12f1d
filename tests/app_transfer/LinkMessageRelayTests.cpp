// The link's failure box while a transfer job runs: it shows on the GUI thread,
// before the job's end reaches the page, and a GUI thread that stops the job
// while the worker waits for its box does not wait forever.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "app/transfer/TransferMessages.h"
#include "app/transfer/TransferRunner.h"
#include "core/link/LinkMessages.h"
#include "tests/app_transfer/TransferFixture.h"

using linktest::PatternBytes;
using transfertest::TransferTest;

namespace {

// A slot the port refuses before it sends anything: the failure is reported at once.
constexpr int kRefusedSlot = -5;

// Tells when the link has reported a failure (the trace line comes before the hook).
class ReportWatch {
public:
    ReportWatch()
    {
        m_previous = SetLinkTraceHook([this](const std::wstring& line) {
            if (line.find(L"Link: message") != std::wstring::npos)
                m_reported = true;
        });
    }
    ~ReportWatch() { SetLinkTraceHook(std::move(m_previous)); }
    bool Reported() const { return m_reported.load(); }

private:
    std::atomic<bool> m_reported{false};
    LinkTraceHook m_previous;
};

// Runs work on a thread of its own with its own windows, as the GUI thread;
// false when it has not ended in time (it is then stopped).
bool RunAsGuiThread(const std::function<void()>& work, DWORD timeoutMs)
{
    struct Start {
        const std::function<void()>* work;
        static DWORD WINAPI Run(LPVOID parameter)
        {
            (*static_cast<Start*>(parameter)->work)();
            return 0;
        }
    } start{&work};
    const HANDLE thread = ::CreateThread(nullptr, 0, &Start::Run, &start, 0, nullptr);
    if (!thread)
        return false;
    const bool ended = ::WaitForSingleObject(thread, timeoutMs) == WAIT_OBJECT_0;
    if (!ended)
        ::TerminateThread(thread, 1);  // a hung join: fail the test instead of hanging it
    ::CloseHandle(thread);
    return ended;
}

TransferDownloadJob RefusedDownload(const CString& folder)
{
    TransferDownloadJob request;
    request.kind = 0;
    request.folder = folder;
    request.names = {L"a.mid"};
    request.slots = {kRefusedSlot};
    return request;
}

TEST_F(TransferTest, AFailureBoxShowsOnTheGuiThreadBeforeTheJobEndReachesThePage)
{
    WritePcFile(L"a.mid", PatternBytes(100, 1));
    std::vector<std::string> order;
    DWORD boxThread = 0;
    UINT boxId = 0;
    {
        transfertest::MessageSink page;
        CGuiThreadLinkMessages relay([&](UINT id) {
            boxThread = ::GetCurrentThreadId();
            boxId = id;
            order.push_back("box");
        });
        CTransferRunner runner;
        ASSERT_TRUE(runner.StartDownload(*m_port, page.Handle(), RefusedDownload(Folder())));
        bool finished = false;
        ASSERT_TRUE(transfertest::PumpThreadUntil([&] { return finished; }, 10000, [&](const MSG& msg) {
            if (msg.hwnd == page.Handle() && msg.message == TransferMsg::DownloadFinished) {
                finished = true;
                order.push_back("finished");
            }
            return false;
        }));
        runner.CancelAndJoin();
    }
    EXPECT_EQ(boxThread, ::GetCurrentThreadId()) << "the worker does not own the box";
    EXPECT_NE(boxId, 0u);
    EXPECT_EQ(order, (std::vector<std::string>{"box", "finished"}))
        << "the job goes on only once its failure box was closed";
}

TEST_F(TransferTest, StoppingAJobWhoseWorkerWaitsForItsFailureBoxDoesNotHang)
{
    WritePcFile(L"a.mid", PatternBytes(100, 1));
    ReportWatch watch;
    std::atomic<bool> joined{false};
    std::atomic<bool> shownOnGuiThread{false};
    std::vector<UINT> shown;
    const bool ended = RunAsGuiThread(
        [&] {
            // The main window: a box owned by it would talk to it, as a modal box does.
            const HWND mainWindow =
                ::CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
            transfertest::MessageSink page;
            const DWORD guiThread = ::GetCurrentThreadId();
            CGuiThreadLinkMessages relay([&](UINT id) {
                ::SendMessageW(mainWindow, WM_NULL, 0, 0);
                shownOnGuiThread = ::GetCurrentThreadId() == guiThread;
                shown.push_back(id);
            });
            CTransferRunner runner;
            if (!runner.StartDownload(*m_port, page.Handle(), RefusedDownload(Folder())))
                return;
            // The GUI thread is busy (no messages) when the worker reports; then the
            // page goes and stops the job.
            for (int waited = 0; !watch.Reported() && waited < 5000; waited += 5)
                ::Sleep(5);
            ::Sleep(50);
            runner.CancelAndJoin();
            joined = true;
            // The box still shows, once the GUI thread runs its messages.
            transfertest::PumpThreadUntil([&] { return !shown.empty(); }, 2000);
            ::DestroyWindow(mainWindow);
        },
        15000);
    ASSERT_TRUE(ended) << "the join waited for a worker that waited for the GUI thread";
    EXPECT_TRUE(watch.Reported());
    EXPECT_TRUE(joined.load());
    ASSERT_EQ(shown.size(), 1u) << "the failure is still shown";
    EXPECT_TRUE(shownOnGuiThread.load());
}

} // namespace
