// Checks the marks of a PC list's files on a worker thread, so that a fill shows
// its rows at once and the files are opened and read afterwards. The worker
// thread stays for the next check.
//
// Each check has a generation number. The worker only stores results in its own
// check's buffer and wakes the page by posting (wParam: the generation); the
// page takes the results on the GUI thread. Starting a check, or stopping one,
// cancels and joins the worker before anything else, and the results it left
// are dropped with its buffer.
#pragma once

#include <afx.h>

#include <functional>
#include <memory>
#include <vector>

#include "app/transfer/JobThread.h"

struct MarkCheckItem {
    std::size_t index = 0;  // the caller's own number of the file
    CString file;           // what the check is given: a path or a name
};

struct MarkCheckResult {
    std::size_t index = 0;
    bool passed = false;
};

class CMarkCheckRunner {
public:
    using Check = std::function<bool(const CString& file)>;

    CMarkCheckRunner() = default;
    ~CMarkCheckRunner();
    CMarkCheckRunner(const CMarkCheckRunner&) = delete;
    CMarkCheckRunner& operator=(const CMarkCheckRunner&) = delete;

    // Stops the check still running, then checks the items in order on a new
    // thread, posting message (wParam the new generation) to notify whenever
    // results wait. False when the thread cannot start; nothing runs then.
    bool Start(HWND notify, UINT message, std::vector<MarkCheckItem> items, Check check);
    // Asks the worker to stop after the file in hand and waits for it; its
    // results are dropped.
    void CancelAndJoin();

    unsigned GetGeneration() const { return m_generation; }
    // A check runs or has results not taken yet.
    bool IsChecking() const { return m_shared != nullptr; }
    // The results of that generation that arrived since the last call, none for
    // another generation. finished turns true when the last ones were taken.
    std::vector<MarkCheckResult> TakeResults(unsigned generation, bool& finished);

private:
    struct Shared;
    static void Work(const std::shared_ptr<Shared>& shared, const std::vector<MarkCheckItem>& items,
                     const Check& check);

    std::shared_ptr<Shared> m_shared;
    unsigned m_generation = 0;
    CJobThread m_worker;  // last: it ends before what its jobs may use
};
