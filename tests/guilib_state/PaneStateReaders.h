// The docking panes' readers of stored state, joined to the mutation test's
// table of readers (StoredStateReaders.cpp).
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

#include <memory>

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakePaneArchiveReader();
std::unique_ptr<StoredStateReader> MakeSliderTreeArchiveReader();
std::unique_ptr<StoredStateReader> MakeMultiFrameArchiveReader();

} // namespace stored_state_test
