// A count of deletes of blocks already deleted, for tests of objects that
// delete themselves. While the watch runs, freed blocks are kept (not given
// back to the heap), so an object deleted twice keeps its contents for the
// second delete and the second delete is counted instead of corrupting the
// heap; the blocks are given back when the watch ends.
//
// With poisoning, a kept block is filled with a pattern instead, so that an
// object used after its delete finds no object there (a virtual call faults)
// and a write into it is counted when the watch ends; no object may be
// deleted twice under it.
//
// The watch is a mode of the library test executables' heap
// (QuarantineHeap.h), which every library test executable links.
#pragma once

namespace keyloft_test {

void StartDeleteWatch(bool bPoison = false);
// Ends the watch, gives the kept blocks back and answers the second deletes
// seen; `written` (when given) the poisoned blocks written after their delete.
int StopDeleteWatch(int* written = nullptr);

// Watches for as long as it lives.
class DeleteWatchScope {
public:
    explicit DeleteWatchScope(bool bPoison = false) { StartDeleteWatch(bPoison); }
    ~DeleteWatchScope() { Stop(); }
    DeleteWatchScope(const DeleteWatchScope&) = delete;
    DeleteWatchScope& operator=(const DeleteWatchScope&) = delete;
    // The second deletes seen so far; the watch ends.
    int Stop()
    {
        if (m_bWatching)
            m_nDoubleDeletes = StopDeleteWatch(&m_nWrittenAfterDelete);
        m_bWatching = false;
        return m_nDoubleDeletes;
    }
    // The blocks written after their delete (poisoning); the watch ends.
    int WrittenAfterDelete()
    {
        Stop();
        return m_nWrittenAfterDelete;
    }

private:
    bool m_bWatching = true;
    int m_nDoubleDeletes = 0;
    int m_nWrittenAfterDelete = 0;
};

} // namespace keyloft_test
