// The MDI client area's reader of its stored arrangement, joined to the
// mutation test's table of readers (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeMDIWindowsReader();
std::unique_ptr<StoredStateReader> MakeMDIStripReader();
std::unique_ptr<StoredStateReader> MakeMDIGroupsReader();

} // namespace stored_state_test
