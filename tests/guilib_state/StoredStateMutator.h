// Damaged copies of valid stored states, as hostile or unlucky bytes would
// make them: bytes flipped, values cut short, counts and string lengths
// changed, class names swapped, objects read again (a back reference where a
// new object stood), numbers at their edges, values dropped or of another
// kind. The archive-aware damages find their places by the archive's own
// marks (class records, class references, wide-string markers).
// SystematicDamages walks every such place of a form once; Mutate picks
// damages at random, and the same seed gives the same copies.
#pragma once

#include "tests/guilib_state/StoredForm.h"

#include <cstdint>
#include <random>
#include <string>

namespace stored_state_test {

struct DamagedForm {
    StoredForm form;
    std::string done; // what was damaged
};

// Each value dropped, cut at each of its marks and in its last bytes, each
// list count, string length, class record and class reference changed, each
// number of a short value at its edges, each value of another kind and size.
std::vector<DamagedForm> SystematicDamages(const StoredForm& form);

class StoredStateMutator {
public:
    explicit StoredStateMutator(std::uint32_t seed) : m_random(seed) {}

    // A damaged copy of the form; `done` says what was damaged.
    StoredForm Mutate(const StoredForm& form, std::string& done);

private:
    void MutateArchive(std::vector<BYTE>& bytes, std::string& done);
    void MutateNumber(StoredValue& value, std::string& done);
    size_t Below(size_t bound) { return bound == 0 ? 0 : std::uniform_int_distribution<size_t>(0, bound - 1)(m_random); }
    template <class T, size_t N>
    T Pick(const T (&choices)[N]) { return choices[Below(N)]; }

    std::mt19937 m_random;
};

} // namespace stored_state_test
