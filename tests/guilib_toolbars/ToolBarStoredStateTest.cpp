// A toolbar's stored state: saved and reloaded (from an archive fitting its
// buttons; with the docking layout, back in its row and place), and damaged
// ones refused whole (the bar, its edge and its reference lists stay as they
// were): cut short, objects of other classes, an object read twice, numbers
// out of bounds.
#include <gtest/gtest.h>

#include "guilib/core/KGPRegistry.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPDockBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/toolbars/KGPToolBar.h"
#include "tests/guilib_toolbars/ToolBarTestFrame.h"
#include "tests/guilib_toolbars/ToolBarTestIds.h"
#include "tests/support/ArchiveBytes.h"

#include <afxarch.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

using keyloft_test::LoadBytes;
using keyloft_test::StoredBytes;
using toolbar_test::kBarId;
using toolbar_test::kProfile;
using toolbar_test::ToolBarTest;

// A serialisable class that is no button; counts the objects made of it.
class CStoredProbe : public CObject {
    DECLARE_SERIAL(CStoredProbe)
public:
    CStoredProbe() { ++s_nMade; }
    void Serialize(CArchive&) override {}
    static int s_nMade;
};
IMPLEMENT_SERIAL(CStoredProbe, CObject, 1)
int CStoredProbe::s_nMade = 0;

// A button whose stored form cannot be written.
class CUnwritableButton : public CKGPToolbarButton {
    DECLARE_SERIAL(CUnwritableButton)
public:
    void Serialize(CArchive& ar) override
    {
        if (ar.IsStoring())
            AfxThrowMemoryException();
        CKGPToolbarButton::Serialize(ar);
    }
};
IMPLEMENT_SERIAL(CUnwritableButton, CKGPToolbarButton, 1)

std::vector<BYTE> ListBytes(std::initializer_list<CObject*> objects)
{
    CObList list;
    for (CObject* object : objects)
        list.AddTail(object);
    return StoredBytes([&](CArchive& ar) { list.Serialize(ar); });
}

// The second object of a stored list made a back reference to the first (index
// 2: the first class record is 1): two bytes change. `at` is where the list
// starts in the bytes.
std::vector<BYTE> SecondReadAgain(std::vector<BYTE> bytes, size_t at, CObject* first)
{
    const size_t second = at + ListBytes({first}).size();
    EXPECT_EQ(0x01, bytes.at(second));
    EXPECT_EQ(0x80, bytes.at(second + 1)) << "the first one's class again";
    bytes[second] = 0x02;
    bytes[second + 1] = 0x00;
    return bytes;
}

std::vector<CString> Captions(const CObList& buttons)
{
    std::vector<CString> captions;
    for (POSITION pos = buttons.GetHeadPosition(); pos != nullptr;)
        captions.push_back(static_cast<CKGPToolbarButton*>(buttons.GetNext(pos))->m_strCaption);
    return captions;
}

class ToolBarStoredStateTest : public ToolBarTest {
protected:
    void TearDown() override
    {
        SetWorkspace(nullptr);
        ToolBarTest::TearDown();
    }
    // The stored form of a bar along the top with these buttons.
    std::vector<BYTE> BarBytes(std::initializer_list<const CKGPToolbarButton*> buttons)
    {
        CKGPToolBar source;
        EXPECT_TRUE(source.Create(&frame, WS_CHILD | CBRS_TOP, kBarId + 2));
        for (const CKGPToolbarButton* button : buttons)
            source.InsertButtonCopy(*button);
        return StoredBytes([&](CArchive& ar) { source.Serialize(ar); });
    }
    // What a refused load must leave as it was.
    struct Kept {
        std::vector<UINT> commands;
        DWORD edge;
        BOOL visible;
        BOOL restored;
        std::vector<CString> afterReset;
        bool operator==(const Kept& other) const
        {
            return commands == other.commands && edge == other.edge && visible == other.visible &&
                   restored == other.restored && afterReset == other.afterReset;
        }
    };
    Kept Now() const
    {
        return {Commands(), bar.GetCurrentAlignment(), bar.GetRecentVisibleState(), bar.IsStateRestored(),
                Captions(bar.GetAfterResetButtons())};
    }
    // Writes the value, loads, and expects the load refused with the bar as it was.
    void ExpectRefused(LPCTSTR lpszValue, const std::vector<BYTE>& bytes, const char* what)
    {
        const Kept before = Now();
        WriteStored(lpszValue, bytes);
        EXPECT_FALSE(bar.LoadState(kProfile)) << what;
        EXPECT_TRUE(before == Now()) << what;
    }
    CKGPToolbarButton open{ID_TEST_OPEN, 0, L"Open"};
    CKGPToolbarButton print{ID_TEST_PRINT, 2, L"Print"};
};

TEST_F(ToolBarStoredStateTest, SavedReloadedAndRefusedWhenCutShortOrForeign)
{
    CKGPToolbarButton text(ID_TEST_OPEN, -1, L"Text");
    bar.InsertButtonCopy(text, 0);
    ASSERT_TRUE(bar.SaveState(kProfile));
    const std::vector<UINT> saved = Commands();

    const UINT other[] = {ID_TEST_PRINT};
    bar.SetButtons(other, 1);
    ASSERT_TRUE(bar.LoadState(kProfile));
    EXPECT_EQ(saved, Commands());
    EXPECT_EQ(CString(L"Text"), bar.GetButton(0)->m_strCaption);

    // Cut short: nothing changes.
    bar.SetButtons(other, 1);
    std::vector<BYTE> cut = BarBytes({&text});
    cut.resize(cut.size() - 12);
    WriteStored(_T("Buttons"), cut);
    EXPECT_FALSE(bar.LoadState(kProfile));
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, Commands());

    // An object of another class where a button belongs: refused.
    WriteStored(_T("Buttons"), StoredBytes([](CArchive& ar) {
                    CCmdUsageCount usage;
                    ar << DWORD(CBRS_ALIGN_TOP) << DWORD(1) << CRect() << CRect() << DWORD(0);
                    ar.WriteCount(1);
                    ar.WriteObject(&usage);
                }));
    EXPECT_FALSE(bar.LoadState(kProfile));
    EXPECT_EQ(std::vector<UINT>{ID_TEST_PRINT}, Commands());

    EXPECT_TRUE(bar.DeleteStoredState(kProfile));
    EXPECT_FALSE(bar.LoadState(kProfile));

    // A bar whose buttons could not be written reports it and leaves no value.
    bar.InsertButton(std::make_unique<CUnwritableButton>());
    EXPECT_FALSE(bar.SaveState(kProfile));
    EXPECT_FALSE(bar.LoadState(kProfile)) << "no Buttons value was written";
}

// Loaded from an archive (an application's own file), a bar fits the
// buttons it read, as after LoadState.
TEST_F(ToolBarStoredStateTest, AnArchivedBarFitsTheButtonsItLoads)
{
    const std::vector<BYTE> whole = StoredBytes([this](CArchive& ar) { bar.Serialize(ar); });
    const CSize wide = bar.CalcFixedLayout(FALSE, TRUE);
    const UINT one[] = {ID_TEST_PRINT};
    bar.SetButtons(one, 1);
    bar.AdjustLayout();
    CRect rect;
    bar.GetWindowRect(rect);
    ASSERT_LT(rect.Width(), wide.cx);
    LoadBytes(whole, [this](CArchive& ar) { bar.Serialize(ar); });
    bar.GetWindowRect(rect);
    EXPECT_EQ(wide, rect.Size());
}

// Two bars in one row, the second at a place along it: saved (through the
// registry, then through an archive of the bars and the layout), floated or
// moved to a row of its own, and loaded: it is back in the first bar's row,
// where it was.
TEST_F(ToolBarStoredStateTest, ABarsRowAndPlaceComeBackWithTheLayout)
{
    // An application's state store: its data read as this version writes
    // them (a bar's archive then ends where the next one begins).
    CKGPWorkspace workspace;
    workspace.SetDataVersion(9, 20);
    SetWorkspace(&workspace);
    frame.EnableDocking(CBRS_ALIGN_ANY);
    bar.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&bar);
    CKGPToolBar second;
    ASSERT_TRUE(second.Create(&frame, WS_CHILD | WS_VISIBLE | CBRS_TOP, kBarId + 1));
    ASSERT_TRUE(second.LoadToolBar(IDR_TEST_TOOLBAR));
    second.EnableDocking(CBRS_ALIGN_ANY);
    frame.DockControlBar(&second);
    CRect rect;
    bar.GetWindowRect(rect);
    rect.OffsetRect(rect.Width() + 30, 0);
    frame.DockControlBar(&second, AFX_IDW_DOCKBAR_TOP, rect);
    ASSERT_EQ(bar.GetDockBarRow(), second.GetDockBarRow());
    auto place = [this](CKGPToolBar& docked) {
        CRect in;
        docked.GetWindowRect(in);
        frame.ScreenToClient(in);
        return in;
    };
    const CRect saved = place(second);
    CKGPDockManager& manager = *frame.GetDockManager();
    auto moveAway = [&](bool bFloat) {
        if (bFloat)
            ASSERT_TRUE(second.FloatBar(CRect(CPoint(200, 200), second.CalcFixedLayout(FALSE, TRUE))));
        else
            frame.DockControlBar(&second);
        frame.RecalcLayout();
        ASSERT_NE(bar.GetDockBarRow(), second.GetDockBarRow());
    };

    ASSERT_TRUE(bar.SaveState(kProfile));
    ASSERT_TRUE(second.SaveState(kProfile));
    ASSERT_TRUE(manager.SaveState(kProfile, 0));
    moveAway(true);
    ASSERT_TRUE(bar.LoadState(kProfile));
    ASSERT_TRUE(second.LoadState(kProfile));
    ASSERT_TRUE(manager.LoadState(kProfile, 0));
    manager.ApplyLoadedState();
    frame.RecalcLayout();
    EXPECT_EQ(bar.GetDockBarRow(), second.GetDockBarRow()) << "through the registry";
    EXPECT_EQ(saved, place(second)) << "through the registry";
    EXPECT_EQ(nullptr, second.GetParentMiniFrame()) << "its floating frame is gone";

    auto serialize = [&](CArchive& ar) {
        bar.Serialize(ar);
        second.Serialize(ar);
        manager.Serialize(ar);
    };
    const std::vector<BYTE> archived = StoredBytes(serialize);
    moveAway(false);
    LoadBytes(archived, serialize);
    manager.ApplyLoadedState();
    frame.RecalcLayout();
    EXPECT_EQ(bar.GetDockBarRow(), second.GetDockBarRow()) << "through the archive";
    EXPECT_EQ(saved, place(second)) << "through the archive";
    second.DestroyWindow();
}

TEST_F(ToolBarStoredStateTest, AnObjectReadTwiceIsRefusedInEveryList)
{
    CKGPWorkspace workspace;
    workspace.m_bResourceSmartUpdate = TRUE;
    SetWorkspace(&workspace);
    ASSERT_TRUE(bar.SaveState(kProfile));
    // The button list (after the edge and visibility words and the place:
    // two rectangles and the row) and both reference lists.
    ExpectRefused(_T("Buttons"), SecondReadAgain(BarBytes({&open, &print}), 8 + 16 + 16 + 4, &open), "Buttons");
    ASSERT_TRUE(bar.SaveState(kProfile));
    ExpectRefused(_T("OrigResetItems"), SecondReadAgain(ListBytes({&open, &print}), 0, &open), "OrigResetItems");
    ASSERT_TRUE(bar.SaveState(kProfile));
    ExpectRefused(_T("OriginalItems"), SecondReadAgain(ListBytes({&open, &print}), 0, &open), "OriginalItems");
    EXPECT_FALSE(bar.WasResourceChanged());

    // Through the registry's own object-list read: nothing is added.
    CObList read;
    CKGPRegistryHandle reg(FALSE, TRUE);
    CString key;
    key.Format(_T("%sKGToolBar-%d"), kProfile, kBarId);
    ASSERT_TRUE(reg->Open(key));
    EXPECT_FALSE(reg->Read(_T("OriginalItems"), read, RUNTIME_CLASS(CObject)));
    EXPECT_TRUE(read.IsEmpty());
}

TEST_F(ToolBarStoredStateTest, TheEdgeAndVisibilityWaitForTheButtonsAndAreOneEdge)
{
    ASSERT_TRUE(bar.SaveState(kProfile));
    ASSERT_TRUE(bar.LoadState(kProfile));
    ASSERT_TRUE(bar.GetRecentVisibleState());
    const std::vector<BYTE> valid = BarBytes({&open, &print});

    // A sound edge (left, hidden) before a button list that is refused.
    std::vector<BYTE> leftThenForeign = valid;
    leftThenForeign[1] = 0x10;
    leftThenForeign[4] = 0;
    const std::string buttonClass = "CKGPToolbarButton";
    const auto name = std::search(leftThenForeign.begin(), leftThenForeign.end(), buttonClass.begin(),
                                  buttonClass.end());
    ASSERT_NE(leftThenForeign.end(), name);
    *(name + 4) = 'X'; // no such class
    ExpectRefused(_T("Buttons"), leftThenForeign, "left and hidden before a foreign button");

    for (const BYTE edge : {0x00, 0x30, 0xF0}) {
        std::vector<BYTE> bytes = valid;
        bytes[1] = edge;
        ExpectRefused(_T("Buttons"), bytes, "no edge or several");
    }
    std::vector<BYTE> bottom = valid;
    bottom[1] = 0x80;
    WriteStored(_T("Buttons"), bottom);
    EXPECT_TRUE(bar.LoadState(kProfile));
    EXPECT_EQ(static_cast<DWORD>(CBRS_ALIGN_BOTTOM), bar.GetCurrentAlignment());
}

TEST_F(ToolBarStoredStateTest, ResourceListsAreReadAsButtonsOnly)
{
    CKGPWorkspace workspace;
    workspace.m_bResourceSmartUpdate = TRUE;
    SetWorkspace(&workspace);
    CStoredProbe probe;
    CKGPToolBar whole;
    for (LPCTSTR value : {_T("OrigResetItems"), _T("OriginalItems")}) {
        ASSERT_TRUE(bar.SaveState(kProfile));
        CStoredProbe::s_nMade = 0;
        ExpectRefused(value, ListBytes({&open, &probe}), "a list with another class");
        EXPECT_EQ(0, CStoredProbe::s_nMade) << "refused before any object of it is made";
        ExpectRefused(value, ListBytes({&whole}), "a whole toolbar in the list");
    }
    EXPECT_EQ(4, bar.GetAfterResetButtons().GetCount());
}

TEST_F(ToolBarStoredStateTest, NumbersInsideRecordsAreBounded)
{
    ASSERT_TRUE(bar.SaveState(kProfile));
    const CSize size = bar.CalcFixedLayout(FALSE, TRUE);

    CKGPToolbarButton wide;
    wide.m_nBits = TBBS_SEPARATOR;
    wide.m_nImage = 0x40000000; // a separator's image is its width
    CKGPToolbarButton command(0x12345, 0);
    CKGPToolbarButton bits(ID_TEST_OPEN, 0);
    bits.m_nBits = 0x80000000;
    CKGPToolbarButton image(ID_TEST_OPEN, 0);
    image.m_nImage = 0x7FFFFFF0;
    CKGPToolbarButton caption(ID_TEST_OPEN, 0, CString(L'x', 5000));
    for (const CKGPToolbarButton* damaged : {&wide, &command, &bits, &image, &caption})
        ExpectRefused(_T("Buttons"), BarBytes({&open, damaged}), "a number out of bounds");
    EXPECT_EQ(size, bar.CalcFixedLayout(FALSE, TRUE)) << "no stored width in the layout";

    // The bar's recorded length, read from version 6.2 on.
    CKGPWorkspace workspace;
    workspace.SetDataVersion(6, 20);
    SetWorkspace(&workspace);
    std::vector<BYTE> negative = BarBytes({&open});
    std::fill(negative.end() - 4, negative.end(), BYTE(0xFF));
    ExpectRefused(_T("Buttons"), negative, "a negative recorded length");

    CKGPToolbarButton separator;
    separator.m_nBits = TBBS_SEPARATOR;
    separator.m_nImage = 12;
    WriteStored(_T("Buttons"), BarBytes({&open, &separator}));
    EXPECT_TRUE(bar.LoadState(kProfile));
    ASSERT_EQ(2, bar.GetCount());
    EXPECT_EQ(12, bar.GetButton(1)->m_rcButton.Width()) << "a width within bounds";
}

}  // namespace
