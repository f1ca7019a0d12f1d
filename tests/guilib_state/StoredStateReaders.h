// Every reader of stored state in the library, as the mutation test drives
// it: live objects to load into, valid stored states to damage, the load, and
// a snapshot of what a refused load must leave as it was. A new reader joins
// with one line in kStoredStateReaders (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredForm.h"

#include <afxwin.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace stored_state_test {

class StoredStateReader {
public:
    virtual ~StoredStateReader() = default;
    // Makes the live objects in the host frame (which docks on every edge).
    virtual void SetUp(CFrameWnd& /*host*/) {}
    // Valid stored states, as the library writes them.
    virtual std::vector<StoredForm> Seeds() = 0;
    // Loads the form into the live objects; true when the load was accepted.
    virtual bool Load(const StoredForm& form) = 0;
    // What the live objects (or, for a reader with none, the objects its
    // last accepted load read) store now, in the form Load takes.
    virtual StoredForm Save() = 0;
    // The live objects' state, a line per part. Lines that begin with '~'
    // hold what loading does not set again (images the command manager
    // learned, a window's size, the lists a reset to the resource records): a
    // refused load leaves them too, a valid state need not bring them back.
    virtual std::string Snapshot() = 0;
};

struct StoredStateReaderEntry {
    const char* name;
    std::unique_ptr<StoredStateReader> (*make)();
};

extern const std::vector<StoredStateReaderEntry> kStoredStateReaders;

// Loads an archive form; false when the load threw (was refused).
bool LoadArchive(const StoredForm& form, const std::function<void(CArchive&)>& load);

// The snapshot without its '~' lines.
std::string LoadedPart(const std::string& snapshot);

// Live objects of the test's own button class (every seed holds some): none
// may be left once a reader's objects are gone.
int LiveCountedButtons();

} // namespace stored_state_test
