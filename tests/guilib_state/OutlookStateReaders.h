// The outlook bar's reader of stored state (its custom pages), joined to the
// mutation test's table of readers (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeOutlookCustomPagesReader();

} // namespace stored_state_test
