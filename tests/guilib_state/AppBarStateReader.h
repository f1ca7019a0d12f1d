// The application bar's stored place, as the mutation test drives it.
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeAppBarReader();

} // namespace stored_state_test
