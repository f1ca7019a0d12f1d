// The menu hash (a stored bar per menu in a temporary file of its own) and the
// menu-sound worker.
#include <gtest/gtest.h>

#include "guilib/menus/KGPMenuHash.h"
#include "guilib/menus/KGPMenuSound.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "tests/guilib_menus/MenusTestIds.h"
#include "tests/guilib_menus/MenusTestSupport.h"

#include <afxarch.h>

#include <vector>

namespace {

using menus_test::BarTest;

int TemporaryMenuFiles()
{
    wchar_t folder[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, folder);
    int count = 0;
    WIN32_FIND_DATAW data{};
    CFindHandle find(::FindFirstFileW(CString(folder) + L"ZAZ*.tmp", &data));
    if (!find)
        return 0;
    do {
        ++count;
    } while (::FindNextFileW(find.Get(), &data));
    return count;
}

std::vector<UINT> Commands(const CKGPToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetButton(i)->m_nCommand);
    return ids;
}

// A bar whose stored form is cut short when asked: a damaged copy in the hash.
class CCutShortBar : public CKGPToolBar {
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring() && cutShort) {
            ar << 7;  // a count of buttons that never follow
            return;
        }
        CKGPToolBar::Serialize(ar);
    }
    BOOL cutShort = FALSE;
};

// A bar whose stored form cannot be written.
class CUnwritableBar : public CKGPToolBar {
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            AfxThrowArchiveException(CArchiveException::genericException);
        CKGPToolBar::Serialize(ar);
    }
};

class MenuHashTest : public BarTest {
protected:
    void SetUp() override
    {
        BarTest::SetUp();
        CMenu menu;
        ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
        for (UINT i = 0; i < menu.GetMenuItemCount(); ++i) {
            CString text;
            menu.GetMenuString(i, text, MF_BYPOSITION);
            CMenu* sub = menu.GetSubMenu(static_cast<int>(i));
            bar.InsertButtonCopy(CKGPToolbarMenuButton(sub != nullptr ? 0 : menu.GetMenuItemID(i),
                                                   sub != nullptr ? sub->GetSafeHmenu() : nullptr, -1, text));
        }
        m_hMenu = menu.Detach();
    }
    void TearDown() override
    {
        g_menuHash.CleanUp();
        ::DestroyMenu(m_hMenu);
        BarTest::TearDown();
    }
    HMENU m_hMenu = nullptr;
};

TEST_F(MenuHashTest, ABarStoredForAMenuLoadsBackAndOneFileStaysPerMenu)
{
    const int before = TemporaryMenuFiles();
    ASSERT_TRUE(g_menuHash.SaveMenuBar(m_hMenu, &bar));
    EXPECT_FALSE(CMenuHash::IsLocked());
    EXPECT_EQ(before + 1, TemporaryMenuFiles());
    ASSERT_TRUE(g_menuHash.SaveMenuBar(m_hMenu, &bar));
    EXPECT_EQ(before + 1, TemporaryMenuFiles()) << "the earlier copy of the menu went";

    CKGPToolBar other;
    ASSERT_TRUE(other.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, 0xE831));
    ASSERT_TRUE(g_menuHash.LoadMenuBar(m_hMenu, &other));
    EXPECT_EQ(Commands(bar), Commands(other));
    auto* edit = DYNAMIC_DOWNCAST(CKGPToolbarMenuButton, other.GetButton(1));
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(3, edit->GetCommands().GetCount()) << "the menu buttons keep their sub-items";
    ASSERT_TRUE(g_menuHash.LoadMenuBar(m_hMenu, &other)) << "the file stays for later loads";
    EXPECT_EQ(Commands(bar), Commands(other));

    EXPECT_TRUE(g_menuHash.RemoveMenu(m_hMenu));
    EXPECT_EQ(before, TemporaryMenuFiles()) << "closing the file deletes it";
    EXPECT_FALSE(g_menuHash.RemoveMenu(m_hMenu));
    EXPECT_FALSE(g_menuHash.LoadMenuBar(m_hMenu, &other));
    other.DestroyWindow();
}

TEST_F(MenuHashTest, AFailedSaveKeepsTheEarlierCopyAndLeavesNoFileBehind)
{
    ASSERT_TRUE(g_menuHash.SaveMenuBar(m_hMenu, &bar));
    const int files = TemporaryMenuFiles();
    CUnwritableBar unwritable;
    ASSERT_TRUE(unwritable.Create(&frame, WS_CHILD | CBRS_TOP, 0xE834));
    unwritable.InsertButtonCopy(CKGPToolbarButton(ID_TEST_ABOUT, -1, L"About"));
    EXPECT_FALSE(g_menuHash.SaveMenuBar(m_hMenu, &unwritable));
    EXPECT_FALSE(CMenuHash::IsLocked()) << "the busy flag is down after a failed save";
    EXPECT_EQ(files, TemporaryMenuFiles()) << "the new file went, the earlier one stays";
    CKGPToolBar other;
    ASSERT_TRUE(other.Create(&frame, WS_CHILD | CBRS_TOP, 0xE835));
    ASSERT_TRUE(g_menuHash.LoadMenuBar(m_hMenu, &other)) << "the earlier copy still loads";
    EXPECT_EQ(Commands(bar), Commands(other));
    other.DestroyWindow();
    unwritable.DestroyWindow();
}

TEST_F(MenuHashTest, ALoadedBarTakesItsStoredNameBack)
{
    bar.SetWindowText(L"Menus");
    ASSERT_TRUE(g_menuHash.SaveMenuBar(m_hMenu, &bar));
    bar.SetWindowText(L"Renamed");
    ASSERT_TRUE(g_menuHash.LoadMenuBar(m_hMenu, &bar));
    CString name;
    bar.GetWindowText(name);
    EXPECT_EQ(L"Menus", name);
    ASSERT_TRUE(g_menuHash.LoadMenuBar(m_hMenu, &bar));
    bar.GetWindowText(name);
    EXPECT_EQ(L"Menus", name) << "unchanged, and so not set again";
}

TEST_F(MenuHashTest, AnEmptyBarStoresNothingAndADamagedCopyChangesNothing)
{
    CCutShortBar empty;
    ASSERT_TRUE(empty.Create(&frame, WS_CHILD | CBRS_TOP, 0xE832));
    const int before = TemporaryMenuFiles();
    EXPECT_FALSE(g_menuHash.SaveMenuBar(m_hMenu, &empty));
    EXPECT_FALSE(g_menuHash.HasMenu(m_hMenu));
    EXPECT_EQ(before, TemporaryMenuFiles());

    ASSERT_TRUE(g_menuHash.SaveMenuBar(m_hMenu, &bar));
    empty.InsertButtonCopy(CKGPToolbarButton(ID_TEST_ABOUT, -1, L"About"));
    empty.cutShort = TRUE;
    const HMENU damagedMenu = reinterpret_cast<HMENU>(0x4321);
    ASSERT_TRUE(g_menuHash.SaveMenuBar(damagedMenu, &empty));
    const std::vector<UINT> kept = Commands(bar);
    EXPECT_FALSE(g_menuHash.LoadMenuBar(damagedMenu, &bar));
    EXPECT_FALSE(CMenuHash::IsLocked()) << "the busy flag is down after a failed load";
    EXPECT_EQ(kept, Commands(bar)) << "the bar is as it was";
    EXPECT_TRUE(g_menuHash.LoadMenuBar(m_hMenu, &bar)) << "the other menu's copy is untouched";
    empty.DestroyWindow();
}

TEST(MenuSoundTest, TheWorkerStartsWithASoundEndsWhenAskedAndStartsAgain)
{
    const auto waitUntilStopped = [] {
        const DWORD start = ::GetTickCount();
        while (CKGPMenuSound::IsWorkerRunning() && ::GetTickCount() - start < 5000)
            ::Sleep(5);
        return !CKGPMenuSound::IsWorkerRunning();
    };
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kEnd);
    EXPECT_FALSE(CKGPMenuSound::IsWorkerRunning()) << "ending before any sound starts nothing";

    CKGPMenuSound::s_bEnabled = FALSE;
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kPopup);
    EXPECT_FALSE(CKGPMenuSound::IsWorkerRunning()) << "sounds off";
    CKGPMenuSound::s_bEnabled = TRUE;

    for (int round = 0; round < 3; ++round) {
        CKGPMenuSound::PlayMenuSound(round % 2 == 0 ? CKGPMenuSound::kCommand : CKGPMenuSound::kPopup);
        EXPECT_TRUE(CKGPMenuSound::IsWorkerRunning()) << round;
        CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kEnd);
        EXPECT_TRUE(waitUntilStopped()) << "round " << round;
    }
    // A sound asked for right after the end request is not lost.
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kPopup);
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kEnd);
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kCommand);
    EXPECT_TRUE(CKGPMenuSound::IsWorkerRunning());
    CKGPMenuSound::PlayMenuSound(CKGPMenuSound::kEnd);
    EXPECT_TRUE(waitUntilStopped());
}

} // namespace
