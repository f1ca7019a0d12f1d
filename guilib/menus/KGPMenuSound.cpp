#include "guilib/menus/KGPMenuSound.h"

#include <mmsystem.h>
#include <process.h>

#include <atomic>
#include <mutex>

BOOL CKGPMenuSound::s_bEnabled = TRUE;

namespace {

// The worker's state: no worker, idle (0), a sound to play, or asked to end.
constexpr int kNoWorker = -2;
constexpr int kIdle = 0;
constexpr DWORD kPassMilliseconds = 5;

std::atomic<int> s_state{kNoWorker};

std::mutex& StartLock()
{
    static std::mutex lock;
    return lock;
}

CThreadHandle& WorkerThread()
{
    static CThreadHandle thread;
    return thread;
}

unsigned __stdcall PlayMenuSounds(void*)
{
    for (;;) {
        int state = s_state.load();
        if (state == CKGPMenuSound::kEnd) {
            ::PlaySoundW(nullptr, nullptr, SND_PURGE);
            // A sound asked for meanwhile keeps the worker going.
            if (s_state.compare_exchange_strong(state, kNoWorker))
                return 0;
            continue;
        }
        if (state == CKGPMenuSound::kCommand || state == CKGPMenuSound::kPopup) {
            ::PlaySoundW(state == CKGPMenuSound::kCommand ? L"MenuCommand" : L"MenuPopup", nullptr,
                         SND_ALIAS | SND_NOWAIT | SND_NODEFAULT);
            s_state.compare_exchange_strong(state, kIdle);
        }
        ::Sleep(kPassMilliseconds);
    }
}

void StartWorker(int nSound)
{
    const std::lock_guard<std::mutex> lock(StartLock());
    int expected = kNoWorker;
    if (!s_state.compare_exchange_strong(expected, nSound)) {
        s_state.store(nSound);  // started meanwhile
        return;
    }
    CThreadHandle& thread = WorkerThread();
    if (thread) {
        // The worker before has left its loop; its thread ends in a moment.
        ::WaitForSingleObject(thread.Get(), INFINITE);
        thread.Reset();
    }
    thread.Reset(reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &PlayMenuSounds, nullptr, 0, nullptr)));
    if (!thread) {
        s_state.store(kNoWorker);
        return;
    }
    ::SetThreadPriority(thread.Get(), THREAD_PRIORITY_BELOW_NORMAL);
}

} // namespace

void CKGPMenuSound::PlayMenuSound(int nSound)
{
    if (!s_bEnabled)
        return;
    int state = s_state.load();
    for (;;) {
        if (state == kNoWorker) {
            if (nSound != kEnd)
                StartWorker(nSound);
            return;
        }
        if (s_state.compare_exchange_weak(state, nSound))
            return;
    }
}

BOOL CKGPMenuSound::IsWorkerRunning()
{
    return s_state.load() != kNoWorker;
}
