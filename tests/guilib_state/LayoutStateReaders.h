// The dock manager's readers of a whole saved docking layout (the registry's
// and the archive's), joined to the mutation test's table of readers
// (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeDockLayoutReader();
std::unique_ptr<StoredStateReader> MakeDockLayoutArchiveReader();

} // namespace stored_state_test
