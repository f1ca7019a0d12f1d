// A count of deletes of blocks already deleted, for tests of objects that
// delete themselves. While the watch runs, freed blocks are kept (not given
// back to the heap), so an object deleted twice keeps its contents for the
// second delete and the second delete is counted instead of corrupting the
// heap; the blocks are given back when the watch ends.
//
// The executable's allocation functions are replaced by DeleteWatch.cpp: a
// test group that uses the watch adds that file to its sources.
#pragma once

namespace keyloft_test {

void StartDeleteWatch();
// Ends the watch, gives the kept blocks back and answers the second deletes seen.
int StopDeleteWatch();

// Watches for as long as it lives.
class DeleteWatchScope {
public:
    DeleteWatchScope() { StartDeleteWatch(); }
    ~DeleteWatchScope() { Stop(); }
    DeleteWatchScope(const DeleteWatchScope&) = delete;
    DeleteWatchScope& operator=(const DeleteWatchScope&) = delete;
    // The second deletes seen so far; the watch ends.
    int Stop()
    {
        if (m_bWatching)
            m_nDoubleDeletes = StopDeleteWatch();
        m_bWatching = false;
        return m_nDoubleDeletes;
    }

private:
    bool m_bWatching = true;
    int m_nDoubleDeletes = 0;
};

} // namespace keyloft_test
