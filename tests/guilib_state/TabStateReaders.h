// The tab windows' and tabbed panes' readers of stored state, joined to the
// mutation test's table of readers (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeTabWindowArchiveReader();
std::unique_ptr<StoredStateReader> MakeTabbedPaneArchiveReader();

} // namespace stored_state_test
