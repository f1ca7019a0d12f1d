// Every library reader of stored state held to the one discipline: damaged
// copies of valid stored states are loaded, with a fixed seed (by hand:
// KEYLOFT_STATE_MUTATIONS=<cases> and KEYLOFT_STATE_SEED=<seed>). None may
// crash or leave a GDI, USER or counted object behind; a refused load leaves
// the live objects as they were; after an accepted one the valid state loads
// back to the same objects.
#include <gtest/gtest.h>

#include "guilib/frames/KGPFrameWnd.h"
#include "tests/support/GuiObjectCounts.h"
#include "tests/guilib_state/StoredStateMutator.h"
#include "tests/guilib_state/StoredStateReaders.h"

#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

using namespace stored_state_test;
using keyloft_test::CountGuiObjects;
using keyloft_test::GuiObjectCounts;

constexpr unsigned long kDefaultCases = 16000; // over all readers
constexpr unsigned long kDefaultSeed = 0x34A7E5ED;

unsigned long FromEnvironment(const wchar_t* name, unsigned long fallback)
{
    wchar_t text[32] = {};
    if (::GetEnvironmentVariableW(name, text, 32) == 0)
        return fallback;
    return std::wcstoul(text, nullptr, 0);
}

class CHostFrame : public CKGPFrameWnd {
public:
    BOOL Open()
    {
        if (!Create(nullptr, _T("Stored state"), WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(10, 10, 610, 450)))
            return FALSE;
        EnableDocking(CBRS_ALIGN_ANY);
        return TRUE;
    }

protected:
    void PostNcDestroy() override {} // lives on the test's stack
};

// The first line where two snapshots differ, for the failure message.
std::string FirstDifference(const std::string& was, const std::string& now)
{
    std::istringstream a(was), b(now);
    std::string lineA, lineB;
    while (true) {
        const bool moreA = static_cast<bool>(std::getline(a, lineA));
        const bool moreB = static_cast<bool>(std::getline(b, lineB));
        if (!moreA && !moreB)
            return "(same)";
        if (!moreA || !moreB || lineA != lineB)
            return "\n  was: " + (moreA ? lineA : "(none)") + "\n  now: " + (moreB ? lineB : "(none)");
    }
}

TEST(StoredStateMutationTest, DamagedStatesAreRefusedWholeWithNothingLiveChangedOrLeaked)
{
    const unsigned long cases = FromEnvironment(L"KEYLOFT_STATE_MUTATIONS", kDefaultCases);
    const unsigned long seed = FromEnvironment(L"KEYLOFT_STATE_SEED", kDefaultSeed);
    const size_t perReader = std::max<size_t>(1, cases / kStoredStateReaders.size());
    CHostFrame host;
    ASSERT_TRUE(host.Open());
    const auto started = std::chrono::steady_clock::now();
    size_t allCases = 0;
    size_t allRefused = 0;

    for (size_t r = 0; r < kStoredStateReaders.size(); ++r) {
        const StoredStateReaderEntry& entry = kStoredStateReaders[r];
        SCOPED_TRACE(entry.name);
        size_t refused = 0;
        {
            const std::unique_ptr<StoredStateReader> reader = entry.make();
            reader->SetUp(host);
            const std::vector<StoredForm> seeds = reader->Seeds();
            ASSERT_FALSE(seeds.empty());
            std::vector<std::string> loaded;
            for (const StoredForm& form : seeds) {
                ASSERT_TRUE(reader->Load(form)) << "a valid state loads";
                loaded.push_back(LoadedPart(reader->Snapshot()));
            }
            ASSERT_TRUE(reader->Load(seeds.front()));
            const GuiObjectCounts before = CountGuiObjects();

            StoredStateMutator mutator(static_cast<std::uint32_t>(seed + r));
            int failures = 0;
            for (size_t i = 0; i < perReader && failures < 5; ++i) {
                const size_t s = i % seeds.size();
                std::string done;
                const StoredForm damaged = mutator.Mutate(seeds[s], done);
                const std::string was = reader->Snapshot();
                if (!reader->Load(damaged)) {
                    ++refused;
                    const std::string now = reader->Snapshot();
                    if (now != was) {
                        ADD_FAILURE() << "case " << i << " (" << done << "): refused, yet changed"
                                      << FirstDifference(was, now);
                        ++failures;
                    }
                    continue;
                }
                ASSERT_TRUE(reader->Load(seeds[s])) << "case " << i << " (" << done << "): the valid state again";
                const std::string now = LoadedPart(reader->Snapshot());
                if (now != loaded[s]) {
                    ADD_FAILURE() << "case " << i << " (" << done << "): the valid state loads back otherwise"
                                  << FirstDifference(loaded[s], now);
                    ++failures;
                }
            }
            // Counted in the state the first count was taken in: the seeds may differ in what they make.
            ASSERT_TRUE(reader->Load(seeds.front()));
            EXPECT_EQ(before, CountGuiObjects()) << "GDI and USER objects";
            EXPECT_GT(refused, 0u) << "damage was refused";
        }
        EXPECT_EQ(0, LiveCountedButtons()) << "every object read was freed once";
        std::cout << "[ stored ] " << entry.name << ": " << perReader << " cases, " << refused << " refused\n";
        allCases += perReader;
        allRefused += refused;
    }
    DeleteProfile();
    host.DestroyWindow();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[ stored ] " << allCases << " damaged states (" << allRefused << " refused) from seed 0x" << std::hex
              << seed << std::dec << " in " << seconds << " s\n";
}

} // namespace
