// The PC list fill: rows show at once, the marks are read on a worker and their
// results reach the rows afterwards; rows still waiting for their check are
// judged at once when a decision needs them; a refill or the page going away
// during a check leaves no result of the old check behind.
#include <gtest/gtest.h>

#include <afxwin.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <mutex>
#include <set>
#include <thread>

#include "app/transfer/MarkCheckRunner.h"
#include "app/transfer/TransferPage.h"
#include "app/transfer/TransferPages.h"
#include "app/transfer/TransferMessages.h"
#include "core/files/Folders.h"
#include "tests/app_transfer/PageFixture.h"
#include "tests/support/WholeFile.h"

namespace fs = std::filesystem;

namespace {

constexpr int kMemoryKind = 3;
constexpr std::size_t kMemorySize = transfertest::kProfileMemorySize;

// A memory page with no instrument attached.
class PCListFill : public transfertest::PageTest {
protected:
    void SetUp() override
    {
        PageTest::SetUp();
        if (HasFatalFailure())
            return;
        m_basePage = CreateTransferPage(kMemoryKind, &m_host);
        m_page = dynamic_cast<CTransferPage*>(m_basePage.get());
        ASSERT_NE(m_page, nullptr);
        m_page->Attach(nullptr, nullptr);
        m_page->LoadSettings();  // sorted by name, as the view's pages are
        ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    }

    void TearDown() override
    {
        m_basePage.reset();
        m_page = nullptr;
        PumpUntil([] { return false; }, 50);  // late wakes meet no page
        PageTest::TearDown();
    }

    // A memory file: marked or not, of the exact size or not.
    void WriteMemory(const std::wstring& name, bool marked, std::size_t size = kMemorySize) const
    {
        keyloft_test::WriteWholeFile((GetDataFolder(kMemoryKind) + name.c_str()).GetString(),
                                     MarkedBytes(marked ? kMemoryKind : 0, size, static_cast<std::uint32_t>(name.size())));
    }

    CPCFileListCtrl& List() { return m_page->GetPCList(); }

    int RowOf(const wchar_t* name)
    {
        for (int row = 0; row < List().GetItemCount(); ++row) {
            if (List().GetItemText(row, 0) == name)
                return row;
        }
        return -1;
    }

    int ImageOf(int row)
    {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        List().GetItem(&item);
        return item.iImage;
    }

    void SelectOnly(int row)
    {
        for (int other = 0; other < List().GetItemCount(); ++other)
            List().SetItemState(other, other == row ? LVIS_SELECTED : 0, LVIS_SELECTED);
    }

    // Every row: text, record, flag and image agree, and nothing waits.
    void ExpectRowsSettled(const std::set<std::wstring>& invalidNames)
    {
        bool invalidPart = true;
        for (int row = 0; row < List().GetItemCount(); ++row) {
            const PCFileItem* item = List().GetFileItem(row);
            ASSERT_NE(item, nullptr);
            const std::wstring name = List().GetItemText(row, 0).GetString();
            EXPECT_EQ(name, item->name.GetString()) << "row " << row << " shows its own record";
            EXPECT_FALSE(item->checkPending) << name;
            const bool invalid = invalidNames.count(name) != 0;
            EXPECT_EQ(item->invalid != 0, invalid) << name;
            EXPECT_EQ(ImageOf(row), invalid ? CPCFileListCtrl::kImageInvalid : CPCFileListCtrl::kImageValid) << name;
            // Invalid rows come first once the checks have ended.
            EXPECT_TRUE(invalidPart || !invalid) << name << " sorted after a valid row";
            invalidPart = invalidPart && invalid;
        }
    }
};

TEST_F(PCListFill, RowsShowAtOnceAndTheirIconsAndFlagsAreRightWhenTheChecksEnd)
{
    WriteMemory(L"a-good.mem", true);
    WriteMemory(L"b-unmarked.mem", false);
    WriteMemory(L"c-wrong-size.mem", true, kMemorySize + 1);
    WriteMemory(L"d-good.mem", true);
    WriteMemory(L"ignored.txt", true);
    m_page->FillPCList();

    // The rows are there before any mark was read; the size rule already spoke.
    ASSERT_EQ(List().GetItemCount(), 4);
    EXPECT_TRUE(m_page->IsCheckingMarks());
    EXPECT_TRUE(List().GetFileItem(RowOf(L"a-good.mem"))->checkPending);
    EXPECT_FALSE(List().GetFileItem(RowOf(L"c-wrong-size.mem"))->checkPending);
    EXPECT_EQ(ImageOf(RowOf(L"c-wrong-size.mem")), CPCFileListCtrl::kImageInvalid);
    EXPECT_EQ(List().GetItemText(RowOf(L"a-good.mem"), 1), L"0.09");

    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ExpectRowsSettled({L"b-unmarked.mem", L"c-wrong-size.mem"});
    EXPECT_EQ(List().GetItemText(0, 0), L"b-unmarked.mem");
}

TEST_F(PCListFill, ARowStillWaitingIsCheckedAtOnceWhenADecisionNeedsIt)
{
    WriteMemory(L"good.mem", true);
    WriteMemory(L"unmarked.mem", false);
    m_page->FillPCList();
    ASSERT_TRUE(m_page->IsCheckingMarks());

    // No message has run: the worker's results have not reached the rows.
    SelectOnly(RowOf(L"unmarked.mem"));
    EXPECT_TRUE(List().HasInvalidSelection()) << "the download warning must not pass an unchecked file";
    EXPECT_EQ(ImageOf(RowOf(L"unmarked.mem")), CPCFileListCtrl::kImageInvalid);
    EXPECT_FALSE(List().CanDrag(RowOf(L"unmarked.mem")));
    SelectOnly(RowOf(L"good.mem"));
    EXPECT_FALSE(List().HasInvalidSelection());
    EXPECT_TRUE(List().CanDrag(RowOf(L"good.mem")));

    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ExpectRowsSettled({L"unmarked.mem"});
}

TEST_F(PCListFill, OnScreenTheChecksStartOnceTheNewRowsArePainted)
{
    WriteMemory(L"good.mem", true);
    WriteMemory(L"unmarked.mem", false);
    m_host.ShowWindow(SW_SHOWNOACTIVATE);
    m_page->ShowWindow(SW_SHOW);
    m_host.UpdateWindow();
    m_page->FillPCList();
    ASSERT_EQ(List().GetItemCount(), 2);
    ASSERT_TRUE(m_page->IsCheckingMarks());
    ::Sleep(100);
    MSG msg;
    EXPECT_FALSE(::PeekMessageW(&msg, m_page->GetSafeHwnd(), TransferMsg::MarksChecked, TransferMsg::MarksChecked,
                                PM_NOREMOVE))
        << "no file is read before the new rows are on screen";
    List().UpdateWindow();
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ExpectRowsSettled({L"unmarked.mem"});

    // Checks still owed go with their rows: nothing starts at the next paint.
    m_page->FillPCList();
    ASSERT_TRUE(m_page->IsCheckingMarks());
    m_page->OnDeviceLost(0, 0);
    EXPECT_FALSE(m_page->IsCheckingMarks());
    List().UpdateWindow();
    PumpUntil([] { return false; }, 100);
    EXPECT_FALSE(m_page->IsCheckingMarks());
    EXPECT_EQ(List().GetItemCount(), 0);
}

TEST_F(PCListFill, ARefillDuringACheckDropsTheOldResults)
{
    // Enough files that the first check is still at work when the folder changes.
    for (int i = 0; i < 150; ++i)
        WriteMemory(L"file " + std::to_wstring(1000 + i) + L".mem", true);
    WriteMemory(L"turns bad.mem", true);
    m_page->FillPCList();
    ::Sleep(30);  // the first worker has posted results for the first rows

    // The folder changes: one file loses its mark, a new first row shifts every other one.
    WriteMemory(L"turns bad.mem", false);
    WriteMemory(L"0 new.mem", false);
    m_page->FillPCList();
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ASSERT_EQ(List().GetItemCount(), 152);
    ExpectRowsSettled({L"turns bad.mem", L"0 new.mem"});

    // And back: the kept rows take the valid image again.
    WriteMemory(L"turns bad.mem", true);
    ::DeleteFileW(GetDataFolder(kMemoryKind) + L"0 new.mem");
    m_page->FillPCList();
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ASSERT_EQ(List().GetItemCount(), 151);
    ExpectRowsSettled({});
}

TEST_F(PCListFill, ARefillClearsTheSelectionAndShowsTheNewNamesAndSizes)
{
    WriteMemory(L"a.mem", true);
    WriteMemory(L"b.mem", true);
    m_page->FillPCList();
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    SelectOnly(RowOf(L"b.mem"));

    ::DeleteFileW(GetDataFolder(kMemoryKind) + L"a.mem");
    WriteMemory(L"c.mem", true, 2048);
    m_page->FillPCList();
    EXPECT_EQ(List().GetSelectedCount(), 0u) << "a selection must not pass to the file that took its row";
    ASSERT_EQ(List().GetItemCount(), 2);
    EXPECT_EQ(List().GetItemText(0, 0), L"c.mem") << "wrong size: invalid, first";
    EXPECT_EQ(List().GetItemText(0, 1), L"2.00");
    EXPECT_EQ(List().GetItemText(1, 0), L"b.mem");
    ASSERT_TRUE(PumpUntil([&] { return !m_page->IsCheckingMarks(); }));
    ExpectRowsSettled({L"c.mem"});
}

TEST_F(PCListFill, ThePageGoingAwayOrTheDeviceLostDuringACheckLeavesNothingBehind)
{
    for (int i = 0; i < 100; ++i)
        WriteMemory(L"file " + std::to_wstring(i) + L".mem", i % 7 != 0);
    m_page->FillPCList();
    ::Sleep(20);
    m_page->OnDeviceLost(0, 0);
    EXPECT_FALSE(m_page->IsCheckingMarks());
    PumpUntil([] { return false; }, 200);
    EXPECT_EQ(List().GetItemCount(), 0) << "late results fill nothing in";

    m_page->FillPCList();
    ASSERT_TRUE(m_page->IsCheckingMarks());
    m_page->DestroyWindow();  // the worker is stopped and joined with the page
    m_basePage.reset();
    m_page = nullptr;
    PumpUntil([] { return false; }, 200);
}

// The runner on its own: generations, cancelling, joining.
class MarkCheckRunnerTest : public ::testing::Test {
protected:
    std::vector<MarkCheckItem> Items(std::size_t count)
    {
        std::vector<MarkCheckItem> items;
        for (std::size_t i = 0; i < count; ++i)
            items.push_back({i, CString(std::to_wstring(i).c_str())});
        return items;
    }

    // Takes the results of the posted wakes until the check has ended.
    std::vector<MarkCheckResult> Collect(CMarkCheckRunner& runner, unsigned generation, std::vector<unsigned>& wakes)
    {
        std::vector<MarkCheckResult> all;
        bool finished = false;
        const DWORD start = ::GetTickCount();
        while (!finished && ::GetTickCount() - start < 10000) {
            for (const auto& posted : m_sink.PumpUntil(kMessage, kMessage, 50)) {
                if (posted.message != kMessage)
                    continue;
                wakes.push_back(static_cast<unsigned>(posted.wParam));
                for (const MarkCheckResult& result : runner.TakeResults(static_cast<unsigned>(posted.wParam), finished))
                    all.push_back(result);
                if (static_cast<unsigned>(posted.wParam) != generation) {
                    EXPECT_TRUE(runner.TakeResults(static_cast<unsigned>(posted.wParam), finished).empty());
                }
            }
        }
        EXPECT_TRUE(finished);
        return all;
    }

    static constexpr UINT kMessage = WM_APP + 0x7A;
    transfertest::MessageSink m_sink;
};

TEST_F(MarkCheckRunnerTest, EveryItemIsReportedOnceInOrderAndTheCheckEnds)
{
    CMarkCheckRunner runner;
    ASSERT_TRUE(runner.Start(m_sink.Handle(), kMessage, Items(300),
                             [](const CString& file) { return _wtoi(file) % 3 != 0; }));
    const unsigned generation = runner.GetGeneration();
    std::vector<unsigned> wakes;
    const std::vector<MarkCheckResult> results = Collect(runner, generation, wakes);
    ASSERT_EQ(results.size(), 300u);
    for (std::size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(results[i].index, i);
        EXPECT_EQ(results[i].passed, i % 3 != 0);
    }
    EXPECT_FALSE(runner.IsChecking());
    EXPECT_LT(wakes.size(), 300u) << "one wake covers every result waiting";
}

TEST_F(MarkCheckRunnerTest, ANewCheckStopsTheOldOneAndItsResultsAreNeverHandedOut)
{
    CMarkCheckRunner runner;
    std::atomic<int> oldCalls{0};
    std::atomic<bool> release{false};
    ASSERT_TRUE(runner.Start(m_sink.Handle(), kMessage, Items(1000), [&](const CString&) {
        ++oldCalls;
        while (!release.load() && oldCalls.load() > 5)
            ::Sleep(1);  // the old check hangs on its sixth file until told
        return true;
    }));
    const unsigned oldGeneration = runner.GetGeneration();
    while (oldCalls.load() < 6)
        ::Sleep(1);
    // The new start must cancel and join: the old worker is let go only by its cancel flag
    // once this file is done, so release it from another thread after a moment.
    std::thread releaser([&] {
        ::Sleep(50);
        release = true;
    });
    ASSERT_TRUE(runner.Start(m_sink.Handle(), kMessage, Items(10), [](const CString&) { return false; }));
    releaser.join();
    EXPECT_LT(oldCalls.load(), 10) << "the old check stopped after the file in hand";
    const unsigned newGeneration = runner.GetGeneration();
    EXPECT_NE(newGeneration, oldGeneration);

    bool finished = false;
    EXPECT_TRUE(runner.TakeResults(oldGeneration, finished).empty());
    EXPECT_FALSE(finished);
    std::vector<unsigned> wakes;
    const std::vector<MarkCheckResult> results = Collect(runner, newGeneration, wakes);
    ASSERT_EQ(results.size(), 10u) << "only the new check's results";
    for (const MarkCheckResult& result : results)
        EXPECT_FALSE(result.passed);
}

TEST_F(MarkCheckRunnerTest, CancellingWaitsForTheWorkerAndDropsWhatItLeft)
{
    CMarkCheckRunner runner;
    std::atomic<int> calls{0};
    ASSERT_TRUE(runner.Start(m_sink.Handle(), kMessage, Items(100000), [&](const CString&) {
        if (++calls > 10)
            ::Sleep(1); // slow enough that a loaded machine still cancels before the end
        return true;
    }));
    const unsigned generation = runner.GetGeneration();
    while (calls.load() < 10)
        ::Sleep(1);
    runner.CancelAndJoin();
    const int callsAtCancel = calls.load();
    ::Sleep(20);
    EXPECT_EQ(calls.load(), callsAtCancel) << "the worker has ended";
    EXPECT_LT(callsAtCancel, 100000);
    EXPECT_FALSE(runner.IsChecking());
    bool finished = true;
    EXPECT_TRUE(runner.TakeResults(generation, finished).empty());
    EXPECT_FALSE(finished);
}

TEST_F(MarkCheckRunnerTest, OneCheckAfterAnotherUsesTheSameWorkerThread)
{
    CMarkCheckRunner runner;
    std::set<DWORD> threads;
    std::mutex mutex;
    const auto check = [&](const CString&) {
        std::lock_guard lock(mutex);
        threads.insert(::GetCurrentThreadId());
        return true;
    };
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(runner.Start(m_sink.Handle(), kMessage, Items(5), check));
        std::vector<unsigned> wakes;
        EXPECT_EQ(Collect(runner, runner.GetGeneration(), wakes).size(), 5u);
    }
    ASSERT_EQ(threads.size(), 1u) << "the worker stays for the next check";
    EXPECT_NE(*threads.begin(), ::GetCurrentThreadId());
}

} // namespace
