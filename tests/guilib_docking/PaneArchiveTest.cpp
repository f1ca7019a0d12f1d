// Panes, sliders and their trees in the layout archive: a default slider with
// its tree comes back with the same panes in the same places and the same
// inner sliders; a floating frame of several panes comes back and takes its
// panes; a pane's own record comes back. Damaged archives are refused whole:
// nothing is made and nothing live changes. A stored tabbed pane is read
// only as the tabbed panes' class: a record of any other class is refused
// before anything is made of it.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegisteredMessages.h"
#include "guilib/docking/KGPDockManager.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/guilib_docking/StandInTabs.h"
#include "tests/support/ArchiveBytes.h"
#include "tests/support/MessagePump.h"

#include <cstring>
#include <functional>
#include <sstream>
#include <vector>

namespace {

using namespace docking_test;
using keyloft_test::LoadBytes;
using keyloft_test::StoredBytes;

// A stored object of a class no tabbed pane is: it counts the ones made.
class CForeignRecord : public CObject {
    DECLARE_SERIAL(CForeignRecord)
public:
    CForeignRecord() { ++s_made; }
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            ar << static_cast<DWORD>(0x7AB5);
    }
    static int s_made;
};
IMPLEMENT_SERIAL(CForeignRecord, CObject, VERSIONABLE_SCHEMA | 1)
int CForeignRecord::s_made = 0;

int CountChildrenOfClass(CWnd* pParent, const CRuntimeClass* pClass)
{
    int count = 0;
    for (CWnd* pChild = pParent->GetWindow(GW_CHILD); pChild != nullptr; pChild = pChild->GetWindow(GW_HWNDNEXT)) {
        CWnd* pPermanent = CWnd::FromHandlePermanent(pChild->m_hWnd);
        if (pPermanent != nullptr && pPermanent->IsKindOf(pClass))
            ++count;
    }
    return count;
}

// A stored tree written word by word.
std::vector<BYTE> Words(std::initializer_list<DWORD> words)
{
    return StoredBytes([&](CArchive& ar) {
        for (const DWORD word : words)
            ar << word;
    });
}

class PaneArchiveTest : public PaneFrameFixture<CTestFrame> {
protected:
    void SetUp() override
    {
        PaneFrameFixture::SetUp();
        a = Add(2201, _T("Left"), CSize(160, 220));
        ASSERT_TRUE(a->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
        b = Add(2202, _T("Right"), CSize(160, 220));
        ASSERT_TRUE(b->DockToBar(a, CBRS_ALIGN_RIGHT));
        c = Add(2203, _T("Below"), CSize(160, 220));
        ASSERT_TRUE(c->DockToBar(b, CBRS_ALIGN_BOTTOM));
        frame.RecalcLayout();
        slider = a->GetDefaultPaneSlider();
        ASSERT_NE(nullptr, slider);
    }
    void TearDown() override
    {
        CKGPLink<IKGPTabbedBarLink>::StandIn(nullptr);
        PaneFrameFixture::TearDown();
    }
    // Loads a default slider's record into a new slider of the frame; the
    // slider made, or null when the load was refused (nothing is then made).
    CKGPSlider* LoadSlider(const std::vector<BYTE>& bytes)
    {
        auto* pLoaded = new CKGPSlider(TRUE, &frame);
        try {
            LoadBytes(bytes, [pLoaded](CArchive& ar) { pLoaded->Serialize(ar); });
        } catch (CException* e) {
            e->Delete();
        }
        if (pLoaded->GetSafeHwnd() == nullptr) {
            delete pLoaded;
            return nullptr;
        }
        return pLoaded;
    }
    // What the live tree is: its shape, panes and each pane's slider.
    std::string LiveState() const
    {
        std::ostringstream out;
        out << Shape(slider->GetContainerManager()->GetRootContainer()) << " | "
            << Listed(*slider->GetContainerManager()) << "| "
            << slider->GetContainerManager()->GetSliders().GetCount();
        for (const auto& pane : panes)
            out << ' ' << (pane->GetDefaultPaneSlider() == slider);
        return out.str();
    }

    CKGPDockingControlBar* a = nullptr;
    CKGPDockingControlBar* b = nullptr;
    CKGPDockingControlBar* c = nullptr;
    CKGPSlider* slider = nullptr;
};

TEST_F(PaneArchiveTest, ADefaultSliderAndItsTreeComeBackWithTheSamePanesAndSliders)
{
    const std::string shape = Shape(slider->GetContainerManager()->GetRootContainer());
    EXPECT_EQ("(0 (V 2201 (H 2202 2203)) .)", shape);
    const std::vector<BYTE> stored = StoredBytes([this](CArchive& ar) { slider->Serialize(ar); });
    const std::string live = LiveState();
    const int slidersBefore = CountChildrenOfClass(&frame, RUNTIME_CLASS(CKGPSlider));

    CKGPSlider* loaded = LoadSlider(stored);
    ASSERT_NE(nullptr, loaded);
    CKGPBarContainerManager* manager = loaded->GetContainerManager();
    ASSERT_NE(nullptr, manager);
    EXPECT_EQ(shape, Shape(manager->GetRootContainer()));
    EXPECT_EQ("2201 2202 2203 ", Listed(*manager));
    EXPECT_EQ(2, manager->GetSliders().GetCount());
    EXPECT_EQ(slidersBefore + 3, CountChildrenOfClass(&frame, RUNTIME_CLASS(CKGPSlider)));
    EXPECT_TRUE(loaded->IsDefault());
    EXPECT_EQ(slider->GetSliderStyle(), loaded->GetSliderStyle());
    // Its inner sliders stand where the live ones do.
    for (POSITION pos = manager->GetSliders().GetHeadPosition(), live = slider->GetContainerManager()->GetSliders().GetHeadPosition();
         pos != nullptr && live != nullptr;) {
        CRect mine, theirs;
        static_cast<CWnd*>(manager->GetSliders().GetNext(pos))->GetWindowRect(mine);
        static_cast<CWnd*>(slider->GetContainerManager()->GetSliders().GetNext(live))->GetWindowRect(theirs);
        EXPECT_EQ(theirs, mine);
    }
    EXPECT_EQ(live, LiveState()); // reading changed nothing live
    loaded->DestroyWindow();
    EXPECT_EQ(slidersBefore, CountChildrenOfClass(&frame, RUNTIME_CLASS(CKGPSlider)));
    EXPECT_EQ(live, LiveState());

    // A slider stored hidden (none of its panes shows) comes back hidden.
    for (CKGPDockingControlBar* pane : {a, b, c})
        pane->ShowBar(FALSE, FALSE, FALSE);
    ASSERT_FALSE(slider->IsWindowVisible());
    CKGPSlider* hidden = LoadSlider(StoredBytes([this](CArchive& ar) { slider->Serialize(ar); }));
    ASSERT_NE(nullptr, hidden);
    EXPECT_FALSE(hidden->IsWindowVisible());
    hidden->DestroyWindow();
}

TEST_F(PaneArchiveTest, ATabbedPaneWithoutAnIdIsStoredWithItsTabs)
{
    // A pane with no id of its own whose tab window holds the third pane.
    CKGPDockingControlBar tabbed;
    ASSERT_TRUE(tabbed.Create(_T("Tabbed"), &frame, CRect(0, 0, 100, 100), TRUE, static_cast<UINT>(-1),
                              WS_CHILD | CBRS_LEFT));
    CWnd tabWnd;
    ASSERT_TRUE(tabWnd.CreateEx(0, _T("STATIC"), nullptr, WS_CHILD, CRect(0, 0, 50, 50), &tabbed, 1));
    CStandInTabs tabs;
    tabs.m_pTabWnd = &tabWnd;
    tabs.m_pTabbedBar = &tabbed;
    CKGPLink<IKGPTabbedBarLink>::StandIn(&tabs);
    c->SetParent(&tabWnd);
    CKGPBarContainer node(slider->GetContainerManager(), &tabbed, nullptr, nullptr);
    const std::vector<BYTE> stored = StoredBytes([&node](CArchive& ar) { node.Serialize(ar); });
    // After the node's mark, its sides' shares and extents, the left pane.
    constexpr size_t kSides = 20;
    ASSERT_GE(stored.size(), kSides + 10);
    DWORD mark = 0;
    std::memcpy(&mark, stored.data(), sizeof(mark));
    EXPECT_EQ(0xFFFFFFFEu, mark);
    DWORD first = 0;
    std::memcpy(&first, stored.data() + kSides, sizeof(first));
    EXPECT_EQ(0xFFFFFFFFu, first);
    WORD count = 0;
    std::memcpy(&count, stored.data() + kSides + 4, sizeof(count));
    EXPECT_EQ(1, count);
    DWORD tabId = 0;
    std::memcpy(&tabId, stored.data() + kSides + 6, sizeof(tabId));
    EXPECT_EQ(2203u, tabId);
    // Without tabs it is stored as no pane.
    tabs.m_pTabWnd = nullptr;
    c->SetParent(&frame);
    const std::vector<BYTE> empty = StoredBytes([&node](CArchive& ar) { node.Serialize(ar); });
    ASSERT_GE(empty.size(), kSides + 4);
    std::memcpy(&first, empty.data() + kSides, sizeof(first));
    EXPECT_EQ(0u, first);
}

TEST_F(PaneArchiveTest, DamagedTreesAreRefusedWholeAndMakeNothing)
{
    const std::vector<BYTE> stored = StoredBytes([this](CArchive& ar) { slider->Serialize(ar); });
    const std::string live = LiveState();
    const int windows = CountChildrenOfClass(&frame, RUNTIME_CLASS(CWnd));
    // Cut short anywhere: refused, no window made.
    for (size_t length = 0; length < stored.size(); ++length) {
        const std::vector<BYTE> cut(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(nullptr, LoadSlider(cut)) << "cut at " << length;
    }
    EXPECT_EQ(windows, CountChildrenOfClass(&frame, RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(live, LiveState());

    // Trees that are whole but unsound, after a default slider's record.
    const std::vector<BYTE> head(stored.begin(), stored.begin() + 2 * 4 + 9 * 4 + 12); // up to the tree
    auto tree = [&](std::initializer_list<DWORD> words) { return keyloft_test::Concat({head, Words(words)}); };
    // A sound one for comparison: one pane at the root.
    CKGPSlider* sound = LoadSlider(tree({2201, 0, 0, 0, 0, 1, 2201}));
    ASSERT_NE(nullptr, sound) << "a sound tree is read";
    EXPECT_EQ("(0 2201 .)", Shape(sound->GetContainerManager()->GetRootContainer()));
    sound->DestroyWindow();
    // A pane in two places.
    EXPECT_EQ(nullptr, LoadSlider(tree({2201, 0, 0, 0, 1, 2201, 0, 0, 0, 0, 1, 2201})));
    // A side that holds a pane and a sub-tree.
    EXPECT_EQ(nullptr, LoadSlider(tree({2201, 0, 0, 1, 2202, 0, 0, 0, 0, 0, 2, 2201, 2202})));
    // A pane listed twice, and one the tree does not place.
    EXPECT_EQ(nullptr, LoadSlider(tree({2201, 0, 0, 0, 0, 2, 2201, 2201})));
    EXPECT_EQ(nullptr, LoadSlider(tree({2201, 0, 0, 0, 0, 2, 2201, 2202})));
    // A control id out of range, a count larger than the bytes.
    EXPECT_EQ(nullptr, LoadSlider(tree({0x12345, 0, 0, 0, 0, 0})));
    EXPECT_EQ(nullptr, LoadSlider(tree({2201, 0, 0, 0, 0, 0x7FFF, 2201})));
    // An inner slider stored as a default one.
    EXPECT_EQ(nullptr, LoadSlider(tree({2201, 2202, 7, /* the slider: base */ CBRS_ALIGN_LEFT, 1, /* id */ 7,
                                        static_cast<DWORD>(-1), 0, 0, 4, 100, 1, KGP_SS_VERT, 4, /* default */ 1,
                                        0, 0, /* sub-trees */ 0, 0, 2, 2201, 2202})));
    // An inner slider whose own id is 0 or -1: its node could not name it
    // when stored again (0 there stands for no slider), so it is refused.
    const auto inner = [&](DWORD id) {
        return tree({2201, 2202, 7, /* the slider: base */ CBRS_ALIGN_LEFT, 1, /* id */ id, static_cast<DWORD>(-1), 0,
                     0, 4, 100, 1, KGP_SS_VERT, 4, /* default */ 0, 0, 0, /* sub-trees */ 0, 0, 2, 2201, 2202});
    };
    CKGPSlider* named = LoadSlider(inner(7));
    ASSERT_NE(nullptr, named) << "an inner slider with an id of its own is read";
    named->DestroyWindow();
    EXPECT_EQ(nullptr, LoadSlider(inner(0)));
    EXPECT_EQ(nullptr, LoadSlider(inner(static_cast<DWORD>(-1))));
    EXPECT_EQ(windows, CountChildrenOfClass(&frame, RUNTIME_CLASS(CWnd)));
    EXPECT_EQ(live, LiveState());

    // A pane gone since the tree was stored leaves its side empty.
    CKGPSlider* gone = LoadSlider(tree({2299, 2201, 0, 0, 0, 2, 2299, 2201}));
    ASSERT_NE(nullptr, gone);
    EXPECT_EQ("(0 . 2201)", Shape(gone->GetContainerManager()->GetRootContainer()));
    EXPECT_EQ("2201 ", Listed(*gone->GetContainerManager()));
    gone->DestroyWindow();
}

TEST_F(PaneArchiveTest, AStoredTabbedPaneIsReadOnlyAsTheTabbedPanesClass)
{
    const std::vector<BYTE> stored = StoredBytes([this](CArchive& ar) { slider->Serialize(ar); });
    const std::vector<BYTE> head(stored.begin(), stored.begin() + 2 * 4 + 9 * 4 + 12);
    // The left side is a tabbed pane's record: its tab ids, the pane, its style, its tabs.
    auto tabbedTree = [&](const CObject* pRecord) {
        return keyloft_test::Concat({head, StoredBytes([pRecord](CArchive& ar) {
                                         ar << static_cast<DWORD>(0xFFFFFFFF);
                                         ar.WriteCount(1);
                                         ar << static_cast<DWORD>(2203);
                                         ar.WriteObject(pRecord);
                                         ar << static_cast<DWORD>(WS_CHILD);
                                         ar << CStandInTabs::kTabStateMark;
                                         ar << static_cast<DWORD>(0) << static_cast<DWORD>(0) << static_cast<DWORD>(0)
                                            << static_cast<DWORD>(0);
                                         ar << static_cast<DWORD>(1) << static_cast<DWORD>(0xFFFFFFFF)
                                            << static_cast<DWORD>(2203);
                                     })});
    };
    CForeignRecord foreign;
    const int madeBefore = CForeignRecord::s_made;
    const std::vector<BYTE> withForeign = tabbedTree(&foreign);
    // Without tabbed panes nothing of the kind can be made: refused.
    EXPECT_EQ(nullptr, LoadSlider(withForeign));
    CStandInTabs tabs;
    tabs.m_pTabbedClass = RUNTIME_CLASS(CKGPDockingControlBar);
    CKGPLink<IKGPTabbedBarLink>::StandIn(&tabs);
    // A record of another class: refused, and no object of it was made.
    EXPECT_EQ(nullptr, LoadSlider(withForeign));
    EXPECT_EQ(madeBefore, CForeignRecord::s_made);
    EXPECT_EQ(0, tabs.readTabStates);

    // A record of the tabbed panes' class is read through, its tabs' state
    // too, and the tabbed panes' code is asked to make it.
    CKGPDockingControlBar tabbed;
    ASSERT_TRUE(tabbed.Create(_T("Tabbed"), &frame, CRect(0, 0, 100, 100), TRUE, 2299, WS_CHILD | CBRS_LEFT));
    CKGPSlider* loaded = LoadSlider(tabbedTree(&tabbed));
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(1, tabs.readTabStates);
    EXPECT_EQ(1, tabs.storedTabbedBarsMade);
    // The stand-in makes none: the side stays empty.
    EXPECT_EQ("(0 . .)", Shape(loaded->GetContainerManager()->GetRootContainer()));
    loaded->DestroyWindow();
}

TEST_F(PaneArchiveTest, APanesRecordComesBackAndADamagedOneChangesNothing)
{
    a->m_recentDockInfo.m_rectRecentFloatingRect = CRect(300, 200, 480, 420);
    const std::vector<BYTE> stored = StoredBytes([this](CArchive& ar) { a->Serialize(ar); });
    CKGPDockingControlBar other;
    ASSERT_TRUE(other.Create(_T("Other"), &frame, CRect(0, 0, 50, 50), TRUE, 2290, WS_CHILD));
    LoadBytes(stored, [&other](CArchive& ar) { other.Serialize(ar); });
    EXPECT_EQ(CRect(300, 200, 480, 420), other.m_recentDockInfo.m_rectRecentFloatingRect);
    EXPECT_EQ(a->m_recentDockInfo.m_rectRecentDockedRect, other.m_recentDockInfo.m_rectRecentDockedRect);
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), other.GetCurrentAlignment());

    const CRect floatingBefore = other.m_recentDockInfo.m_rectRecentFloatingRect = CRect(1, 2, 3, 4);
    for (size_t length = 0; length < stored.size(); ++length) {
        const std::vector<BYTE> cut(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(length));
        EXPECT_THROW(LoadBytes(cut, [&other](CArchive& ar) {
                         try {
                             other.Serialize(ar);
                         } catch (CException* e) {
                             e->Delete();
                             throw 1;
                         }
                     }),
                     int)
            << "cut at " << length;
    }
    EXPECT_EQ(floatingBefore, other.m_recentDockInfo.m_rectRecentFloatingRect);
}

TEST_F(PaneArchiveTest, AFloatingFrameOfSeveralPanesComesBackAndTakesThem)
{
    panes.push_back(MakePane(&frame, 2204, _T("One"), CSize(160, 200), CSize(40, 40), KGP_CBRS_FLOAT_MULTI));
    CKGPDockingControlBar* one = panes.back().get();
    panes.push_back(MakePane(&frame, 2205, _T("Two"), CSize(160, 200), CSize(40, 40), KGP_CBRS_FLOAT_MULTI));
    CKGPDockingControlBar* two = panes.back().get();
    ASSERT_TRUE(one->FloatBar(CRect(300, 120, 480, 320), KGP_DM_UNKNOWN, true));
    auto* floating = DYNAMIC_DOWNCAST(CKGPMultiMiniFrameWnd, one->GetParentMiniFrame(TRUE));
    ASSERT_NE(nullptr, floating);
    CursorAtRightEdge(one);
    ASSERT_FALSE(floating->DockPaneAtCursor(two));
    const std::string shape = Shape(floating->GetContainerManager().GetRootContainer());
    const std::vector<BYTE> stored = StoredBytes([floating](CArchive& ar) { floating->Serialize(ar); });

    auto load = [this](const std::vector<BYTE>& bytes) -> CKGPMultiMiniFrameWnd* {
        CKGPDockManager::s_pLoadingFrame = &frame;
        auto* pLoaded = new CKGPMultiMiniFrameWnd; // deletes itself with its window
        try {
            LoadBytes(bytes, [pLoaded](CArchive& ar) { pLoaded->Serialize(ar); });
        } catch (CException* e) {
            e->Delete();
        }
        CKGPDockManager::s_pLoadingFrame = nullptr;
        if (pLoaded->GetSafeHwnd() == nullptr) {
            delete pLoaded;
            return nullptr;
        }
        return pLoaded;
    };
    for (size_t length = 0; length < stored.size(); ++length) {
        const std::vector<BYTE> cut(stored.begin(), stored.begin() + static_cast<std::ptrdiff_t>(length));
        ASSERT_EQ(nullptr, load(cut)) << "cut at " << length;
    }
    CKGPMultiMiniFrameWnd* loaded = load(stored);
    ASSERT_NE(nullptr, loaded);
    EXPECT_EQ(shape, Shape(loaded->GetContainerManager().GetRootContainer()));
    EXPECT_EQ(floating, one->GetParentMiniFrame(TRUE)); // not taken yet
    // Applied: the loaded frame takes its panes, the old one goes.
    const HWND hOld = floating->m_hWnd;
    ASSERT_TRUE(loaded->SetDockState(frame.GetDockManager()));
    keyloft_test::Pump(50);
    EXPECT_EQ(loaded, one->GetParentMiniFrame(TRUE));
    EXPECT_EQ(loaded, two->GetParentMiniFrame(TRUE));
    EXPECT_FALSE(::IsWindow(hOld));
    ExpectSoundTree(loaded, "the loaded frame with its panes");
}

} // namespace
