#include "tests/support/ThreadStack.h"

#include <tlhelp32.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace keyloft_test {

namespace {

// The thread held for as long as the owner lives.
class CHeldThread {
public:
    explicit CHeldThread(DWORD threadId)
        : m_hThread(::OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_QUERY_INFORMATION, FALSE,
                                 threadId))
    {
        m_bHeld = m_hThread != nullptr && ::SuspendThread(m_hThread) != static_cast<DWORD>(-1);
    }
    ~CHeldThread()
    {
        if (m_bHeld)
            ::ResumeThread(m_hThread);
        if (m_hThread != nullptr)
            ::CloseHandle(m_hThread);
    }
    CHeldThread(const CHeldThread&) = delete;
    CHeldThread& operator=(const CHeldThread&) = delete;

    bool IsHeld() const { return m_bHeld; }
    HANDLE Handle() const { return m_hThread; }

private:
    HANDLE m_hThread;
    bool m_bHeld = false;
};

std::string FrameText(DWORD64 address)
{
    HMODULE module = nullptr;
    wchar_t path[MAX_PATH] = L"?";
    if (::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                             reinterpret_cast<LPCWSTR>(address), &module))
        ::GetModuleFileNameW(module, path, MAX_PATH);
    const wchar_t* name = std::wcsrchr(path, L'\\');
    name = name != nullptr ? name + 1 : path;
    char line[MAX_PATH + 64];
    std::snprintf(line, sizeof(line), "%ls+0x%llx (0x%llx)", name,
                  static_cast<unsigned long long>(address - reinterpret_cast<DWORD64>(module)),
                  static_cast<unsigned long long>(address));
    return line;
}

} // namespace

std::string ThreadStack(DWORD threadId, int maxFrames)
{
    // Nothing is allocated while the thread is held: it may hold the heap's
    // lock.
    DWORD64 addresses[64] = {};
    int count = 0;
    {
        CHeldThread thread(threadId);
        if (!thread.IsHeld())
            return std::string();
        CONTEXT context{};
        context.ContextFlags = CONTEXT_FULL;
        if (!::GetThreadContext(thread.Handle(), &context))
            return std::string();
        const int most = maxFrames < 64 ? maxFrames : 64;
        while (count < most && context.Rip != 0) {
            addresses[count++] = context.Rip;
            DWORD64 imageBase = 0;
            PRUNTIME_FUNCTION function = ::RtlLookupFunctionEntry(context.Rip, &imageBase, nullptr);
            if (function == nullptr) {
                // A leaf function: its return address is on the top of the stack.
                context.Rip = *reinterpret_cast<DWORD64*>(context.Rsp);
                context.Rsp += 8;
                continue;
            }
            PVOID handlerData = nullptr;
            DWORD64 establisher = 0;
            ::RtlVirtualUnwind(UNW_FLAG_NHANDLER, imageBase, context.Rip, function, &context, &handlerData,
                               &establisher, nullptr);
        }
    }
    std::string stack;
    for (int frame = 0; frame < count; ++frame)
        stack += "\n    " + FrameText(addresses[frame]);
    return stack;
}

std::string OtherThreadStacks(DWORD except, int maxFrames)
{
    const HANDLE snapshot = ::CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
    if (snapshot == INVALID_HANDLE_VALUE)
        return std::string();
    std::vector<DWORD> threads;
    THREADENTRY32 entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = ::Thread32First(snapshot, &entry); more; more = ::Thread32Next(snapshot, &entry)) {
        if (entry.th32OwnerProcessID == ::GetCurrentProcessId() && entry.th32ThreadID != ::GetCurrentThreadId() &&
            entry.th32ThreadID != except)
            threads.push_back(entry.th32ThreadID);
    }
    ::CloseHandle(snapshot);
    std::string stacks;
    for (DWORD thread : threads)
        stacks += "\n  thread " + std::to_string(thread) + ":" + ThreadStack(thread, maxFrames);
    return stacks;
}

} // namespace keyloft_test
