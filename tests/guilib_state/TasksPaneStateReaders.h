// The tasks pane's readers of stored state (its "Settings" value with the
// docking pane's registry values, and its archive), joined to the mutation
// test's table of readers (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeTasksPaneRegistryReader();
std::unique_ptr<StoredStateReader> MakeTasksPaneArchiveReader();

} // namespace stored_state_test
