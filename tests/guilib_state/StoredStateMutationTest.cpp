// Every library reader of stored state held to the one discipline: damaged
// copies of valid stored states are loaded: each place of each valid state
// damaged once (cut, count, length, class, reference, number), then damages
// at random from a fixed seed (by hand, a long run:
// KEYLOFT_STATE_MUTATIONS=<random cases over all readers, e.g. 16000> and
// KEYLOFT_STATE_SEED=<seed>; KEYLOFT_STATE_READER=<part of a reader's name>
// runs only the readers so named). None may crash or leave a GDI, USER or counted
// object behind; a refused load leaves the live objects as they were; what an
// accepted one loaded, saved, loaded and saved again, gives the same bytes
// (as every valid state does), and after it the valid state loads back to
// the same objects.
#include <gtest/gtest.h>

#include "guilib/frames/KGPFrameWnd.h"
#include "tests/support/GuiObjectCounts.h"
#include "tests/guilib_state/StoredStateMutator.h"
#include "tests/guilib_state/StoredStateReaders.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <sstream>

namespace {

using namespace stored_state_test;
using keyloft_test::CountGuiObjects;
using keyloft_test::GuiObjectCounts;

constexpr unsigned long kDefaultRandomCases = 520; // over all readers
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

// Where two stored forms differ first, for the failure message; empty when
// they are the same.
std::string FormDifference(const StoredForm& was, const StoredForm& now)
{
    for (size_t i = 0; i < was.size() || i < now.size(); ++i) {
        if (i >= was.size() || i >= now.size())
            return "value " + std::to_string(i) + " is in one form only";
        const StoredValue& a = was[i];
        const StoredValue& b = now[i];
        const std::string name = std::string(CW2A(a.key.c_str())) + "\\" + std::string(CW2A(a.name.c_str()));
        if (a.key != b.key || a.name != b.name || a.type != b.type)
            return "value " + std::to_string(i) + " (" + name + ") has another name or kind";
        const auto at = std::mismatch(a.bytes.begin(), a.bytes.end(), b.bytes.begin(), b.bytes.end());
        if (at.first != a.bytes.end() || at.second != b.bytes.end())
            return name + " differs from byte " + std::to_string(at.first - a.bytes.begin()) + " of " +
                   std::to_string(a.bytes.size()) + " (" + std::to_string(b.bytes.size()) + " now)";
    }
    return {};
}

// What was loaded, saved, loaded and saved again: the same bytes. Empty when
// so, else what differed.
std::string RoundTripFault(StoredStateReader& reader)
{
    const StoredForm saved = reader.Save();
    if (!reader.Load(saved))
        return "its own save is refused";
    const std::string bytes = FormDifference(saved, reader.Save());
    return bytes.empty() ? bytes : "its own save, loaded and saved again: " + bytes;
}

// One reader's run: each damaged copy loaded into the live objects, a refused
// one checked to have changed nothing, an accepted one saved, loaded and
// saved again and followed by its valid state, which must load back to the
// same objects.
class ReaderRun {
public:
    ReaderRun(StoredStateReader& reader, const std::vector<StoredForm>& seeds, const std::vector<std::string>& loaded)
        : m_reader(reader), m_seeds(seeds), m_loaded(loaded)
    {
    }

    // False once enough has failed to stop the reader's run.
    bool Try(size_t s, const DamagedForm& damaged)
    {
        ++m_cases;
        const std::string was = m_reader.Snapshot();
        if (!m_reader.Load(damaged.form)) {
            ++m_refused;
            const std::string now = m_reader.Snapshot();
            if (now != was)
                Fail(damaged, "refused, yet changed" + FirstDifference(was, now));
            return m_failures < kMaxFailures;
        }
        if (const std::string fault = RoundTripFault(m_reader); !fault.empty())
            Fail(damaged, "accepted, then " + fault);
        if (!m_reader.Load(m_seeds[s])) {
            Fail(damaged, "the valid state is refused after it");
            return false;
        }
        const std::string now = LoadedPart(m_reader.Snapshot());
        if (now != m_loaded[s])
            Fail(damaged, "the valid state loads back otherwise" + FirstDifference(m_loaded[s], now));
        return m_failures < kMaxFailures;
    }

    size_t Cases() const { return m_cases; }
    size_t Refused() const { return m_refused; }

private:
    static constexpr int kMaxFailures = 5;

    void Fail(const DamagedForm& damaged, const std::string& what)
    {
        ADD_FAILURE() << "case " << m_cases << " (" << damaged.done << "): " << what;
        ++m_failures;
    }

    StoredStateReader& m_reader;
    const std::vector<StoredForm>& m_seeds;
    const std::vector<std::string>& m_loaded;
    size_t m_cases = 0;
    size_t m_refused = 0;
    int m_failures = 0;
};

TEST(StoredStateMutationTest, DamagedStatesAreRefusedWholeWithNothingLiveChangedOrLeaked)
{
    const unsigned long randomCases = FromEnvironment(L"KEYLOFT_STATE_MUTATIONS", kDefaultRandomCases);
    const unsigned long seed = FromEnvironment(L"KEYLOFT_STATE_SEED", kDefaultSeed);
    const size_t randomPerReader = randomCases / kStoredStateReaders.size();
    CHostFrame host;
    ASSERT_TRUE(host.Open());
    const auto started = std::chrono::steady_clock::now();
    size_t allCases = 0;
    size_t allRefused = 0;

    wchar_t only[64] = {};
    ::GetEnvironmentVariableW(L"KEYLOFT_STATE_READER", only, 64);
    for (size_t r = 0; r < kStoredStateReaders.size(); ++r) {
        const StoredStateReaderEntry& entry = kStoredStateReaders[r];
        if (only[0] != 0 && std::string(entry.name).find(CStringA(only).GetString()) == std::string::npos)
            continue;
        SCOPED_TRACE(entry.name);
        const auto readerStarted = std::chrono::steady_clock::now();
        size_t cases = 0;
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
                // Save, load, save gives the same bytes.
                EXPECT_EQ("", RoundTripFault(*reader)) << "a valid state";
            }
            ASSERT_TRUE(reader->Load(seeds.front()));
            const GuiObjectCounts before = CountGuiObjects();

            ReaderRun run(*reader, seeds, loaded);
            bool going = true;
            for (size_t s = 0; s < seeds.size() && going; ++s) {
                for (const DamagedForm& damaged : SystematicDamages(seeds[s])) {
                    going = run.Try(s, damaged);
                    if (!going)
                        break;
                }
            }
            StoredStateMutator mutator(static_cast<std::uint32_t>(seed + r));
            for (size_t i = 0; i < randomPerReader && going; ++i) {
                const size_t s = i % seeds.size();
                DamagedForm damaged;
                damaged.form = mutator.Mutate(seeds[s], damaged.done);
                going = run.Try(s, damaged);
            }
            // Counted in the state the first count was taken in: the seeds may differ in what they make.
            ASSERT_TRUE(reader->Load(seeds.front()));
            EXPECT_EQ(before, CountGuiObjects()) << "GDI and USER objects";
            EXPECT_GT(run.Refused(), 0u) << "damage was refused";
            cases = run.Cases();
            refused = run.Refused();
        }
        EXPECT_EQ(0, LiveCountedButtons()) << "every object read was freed once";
        std::cout << "[ stored ] " << entry.name << ": " << cases << " cases, " << refused << " refused, "
                  << std::chrono::duration<double>(std::chrono::steady_clock::now() - readerStarted).count()
                  << " s\n";
        allCases += cases;
        allRefused += refused;
    }
    DeleteProfile();
    host.DestroyWindow();
    const auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::cout << "[ stored ] " << allCases << " damaged states (" << allRefused << " refused; random ones from seed 0x"
              << std::hex << seed << std::dec << ") in " << seconds << " s\n";
}

} // namespace
