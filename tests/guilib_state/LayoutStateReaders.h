// The dock manager's reader of a whole saved docking layout, joined to the
// mutation test's table of readers (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeDockLayoutReader();

} // namespace stored_state_test
