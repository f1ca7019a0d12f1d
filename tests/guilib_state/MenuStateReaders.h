// The readers of the menu, combo and edit buttons, the mouse manager and the
// user tools, as the mutation test drives them.
#pragma once

#include "tests/guilib_state/StoredStateReaders.h"

namespace stored_state_test {

std::unique_ptr<StoredStateReader> MakeMenuButtonReader();
std::unique_ptr<StoredStateReader> MakeComboAndEditReader();
std::unique_ptr<StoredStateReader> MakeMouseManagerReader();
std::unique_ptr<StoredStateReader> MakeUserToolsReader();

} // namespace stored_state_test
