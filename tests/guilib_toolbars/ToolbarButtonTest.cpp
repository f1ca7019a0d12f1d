// Toolbar buttons: images and the command manager, sizes on a bar, stored
// form across versions, usage counts and the states asked of the look.
#include <gtest/gtest.h>

#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPWorkspace.h"
#include "guilib/toolbars/KGPCommandManager.h"
#include "guilib/toolbars/KGPToolBarShared.h"
#include "guilib/toolbars/KGPToolbarButton.h"

#include <afxarch.h>

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// Stores with `store`, then loads the same bytes with `load`.
template <class Store, class Load>
UINT RoundTrip(Store store, Load load)
{
    CMemFile file;
    {
        CArchive ar(&file, CArchive::store);
        store(ar);
        ar.Close();
    }
    const UINT length = static_cast<UINT>(file.GetLength());
    file.SeekToBegin();
    CArchive ar(&file, CArchive::load);
    load(ar);
    return length;
}

class ToolbarButtonTest : public ::testing::Test {
protected:
    void SetUp() override { GetCmdMgr()->ResetAll(); }
    void TearDown() override
    {
        SetWorkspace(nullptr);
        CKGPToolBarShared::s_bCustomizing = FALSE;
    }
};

TEST_F(ToolbarButtonTest, ImagesGoThroughTheCommandManager)
{
    CKGPToolbarButton first(100, 3);
    CKGPToolbarButton second(100, 7);
    EXPECT_EQ(3, GetCmdMgr()->GetCmdImage(100, FALSE)) << "the first registration wins";

    CKGPToolbarButton asks(100, -1);
    EXPECT_EQ(3, asks.m_nImage);
    EXPECT_TRUE(asks.m_bShowImage);

    GetCmdMgr()->SetCmdImage(200, 4, TRUE);
    CKGPToolbarButton userOnly(200, -1);
    EXPECT_TRUE(userOnly.m_bUserImage) << "no standard image: the user image is taken";
    EXPECT_EQ(4, userOnly.GetImage());

    CKGPToolbarButton unknown(300, -1, L"Text");
    EXPECT_FALSE(unknown.m_bShowImage);
    EXPECT_TRUE(unknown.m_bShowCaption);

    CKGPToolbarButton locked(400, 5, nullptr, FALSE, TRUE);
    EXPECT_EQ(-1, GetCmdMgr()->GetCmdImage(400, FALSE));

    CKGPToolbarButton separator;
    separator.m_nBits = TBBS_SEPARATOR;
    separator.SetImage(12);
    EXPECT_EQ(12, separator.m_nImage);
    EXPECT_TRUE(separator.m_bShowImage);
}

TEST_F(ToolbarButtonTest, SizesOnABar)
{
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const CSize size(23, 22);
    CKGPToolbarButton separator;
    separator.m_nBits = TBBS_SEPARATOR;
    separator.SetImage(0);
    EXPECT_EQ(CSize(8, 22), CSize(separator.MeasureOnBar(&dc, size, TRUE)));
    separator.SetImage(12);
    EXPECT_EQ(CSize(12, 22), CSize(separator.MeasureOnBar(&dc, size, TRUE)));
    EXPECT_EQ(CSize(23, 8), CSize(separator.MeasureOnBar(&dc, size, FALSE)));

    CKGPToolbarButton hidden(500, 1, L"Open");
    hidden.m_bShown = FALSE;
    EXPECT_EQ(CSize(0, 0), CSize(hidden.MeasureOnBar(&dc, size, TRUE)));

    CKGPToolbarButton both(500, 1, L"A&&B");
    both.m_bShowCaption = TRUE;
    EXPECT_EQ(23 + dc.GetTextExtent(L"A&B", 3).cx + 6, both.MeasureOnBar(&dc, size, TRUE).cx);
    EXPECT_EQ(22 + dc.GetTextExtent(L"A&B", 3).cx + 6, both.MeasureOnBar(&dc, size, FALSE).cy);

    CKGPToolbarButton textOnly(501, -1, L"&File");
    EXPECT_EQ(dc.GetTextExtent(L"File", 4).cx + 9, textOnly.MeasureOnBar(&dc, size, TRUE).cx);

    CKGPToolbarButton below(500, 1, L"Open");
    below.m_bCaptionBelow = TRUE;
    const CSize measured = below.MeasureOnBar(&dc, size, TRUE);
    EXPECT_EQ(dc.GetTextExtent(L"Open", 4).cx + 6, below.m_sizeCaption.cx);
    EXPECT_EQ(std::max<LONG>(23, below.m_sizeCaption.cx) + 12, measured.cx);
    EXPECT_EQ(22 + below.m_sizeCaption.cy + 1, measured.cy);
}

TEST_F(ToolbarButtonTest, StoredFormAcrossVersions)
{
    CKGPToolbarButton stored(600, 2, L"Save");
    stored.m_nBits = TBBS_CHECKED;
    stored.m_bShowCaption = TRUE;
    stored.m_bFromCommandList = TRUE;
    stored.m_bShown = FALSE;

    CKGPWorkspace workspace;
    struct Row { CKGPWorkspace* workspace; int major, minor; bool busy; bool withShown; };
    const Row rows[] = {{nullptr, 0, 0, false, false}, {&workspace, 6, 40, false, false},
                        {&workspace, 6, 41, false, true}, {&workspace, 7, 0, false, true},
                        {nullptr, 0, 0, true, true}};
    UINT shortLength = 0;
    for (const Row& row : rows) {
        SetWorkspace(row.workspace);
        workspace.SetDataVersion(row.major, row.minor);
        std::unique_ptr<CKGPMenuHashBusy> busy(row.busy ? new CKGPMenuHashBusy : nullptr);
        CKGPToolbarButton loaded;
        const UINT length = RoundTrip([&](CArchive& ar) { stored.Serialize(ar); },
                                      [&](CArchive& ar) { loaded.Serialize(ar); });
        if (shortLength == 0)
            shortLength = length;
        EXPECT_EQ(shortLength + (row.withShown ? 4 : 0), length) << row.major << "." << row.minor;
        EXPECT_EQ(600u, loaded.m_nCommand);
        EXPECT_EQ(UINT(TBBS_CHECKED), loaded.m_nBits);
        EXPECT_EQ(2, loaded.m_nImage);
        EXPECT_EQ(CString(L"Save"), loaded.m_strCaption);
        EXPECT_TRUE(loaded.m_bFromCommandList);
        EXPECT_TRUE(loaded.m_bShowCaption);
        EXPECT_EQ(row.withShown ? FALSE : TRUE, loaded.m_bShown) << "older data leaves the button shown";
    }
}

// A separator's stored image word is its width, also when it carries the
// user-image flag: it comes back as wide, round trip after round trip, and
// a word stored before (the user image of such a separator) still reads as
// the width it always did.
TEST_F(ToolbarButtonTest, ASeparatorWithTheUserImageFlagKeepsItsWidth)
{
    CKGPToolbarButton separator;
    separator.m_nBits = TBBS_SEPARATOR;
    separator.m_nImage = 12;
    separator.m_bUserImage = TRUE;
    CKGPToolbarButton once;
    RoundTrip([&](CArchive& ar) { separator.Serialize(ar); }, [&](CArchive& ar) { once.Serialize(ar); });
    EXPECT_EQ(12, once.m_nImage);
    EXPECT_TRUE(once.m_bUserImage);
    CKGPToolbarButton twice;
    RoundTrip([&](CArchive& ar) { once.Serialize(ar); }, [&](CArchive& ar) { twice.Serialize(ar); });
    EXPECT_EQ(12, twice.m_nImage);

    // Written as earlier versions wrote it: the user image's word in place of the width.
    CKGPToolbarButton earlier;
    RoundTrip(
        [](CArchive& ar) {
            ar << UINT(0) << UINT(TBBS_SEPARATOR) << 20 << CString() << TRUE << FALSE << FALSE << TRUE;
        },
        [&](CArchive& ar) { earlier.Serialize(ar); });
    EXPECT_EQ(20, earlier.m_nImage);
}

// A button whose command has no image of either kind keeps its kind through
// stored round trips; one with only a user image takes it.
TEST_F(ToolbarButtonTest, AButtonWithoutAnImageKeepsItsKindThroughRoundTrips)
{
    CKGPToolbarButton none(510, -1, L"No image", TRUE);
    const BOOL kind = none.m_bUserImage;
    std::unique_ptr<CKGPToolbarButton> last;
    const CKGPToolbarButton* from = &none;
    for (int trip = 0; trip < 3; ++trip) {
        std::unique_ptr<CKGPToolbarButton> read;
        RoundTrip([&](CArchive& ar) { ar << static_cast<const CObject*>(from); },
                  [&](CArchive& ar) { read.reset(CKGPToolbarButton::ReadFrom(ar)); });
        ASSERT_NE(nullptr, read);
        EXPECT_EQ(kind, read->m_bUserImage) << "trip " << trip;
        EXPECT_FALSE(read->m_bShowImage);
        last = std::move(read);
        from = last.get();
    }

    GetCmdMgr()->SetCmdImage(520, 6, TRUE);
    CKGPToolbarButton userOnly(520, -1, L"User");
    userOnly.m_bUserImage = FALSE;
    userOnly.SetImage(-1);
    EXPECT_TRUE(userOnly.m_bUserImage);
    EXPECT_EQ(6, userOnly.GetImage());
}

TEST_F(ToolbarButtonTest, OnlyButtonsAreReadAsButtons)
{
    CCmdUsageCount usage;
    CKGPToolbarButton button(700, 1);
    CKGPToolbarButton* read = nullptr;
    RoundTrip([&](CArchive& ar) { ar << &button; }, [&](CArchive& ar) { read = CKGPToolbarButton::ReadFrom(ar); });
    ASSERT_NE(nullptr, read);
    EXPECT_EQ(700u, read->m_nCommand);
    delete read;

    int cause = 0;
    RoundTrip([&](CArchive& ar) { ar << &usage; },
              [&](CArchive& ar) {
                  try {
                      delete CKGPToolbarButton::ReadFrom(ar);
                  } catch (CArchiveException* e) {
                      cause = e->m_cause;
                      e->Delete();
                  }
              });
    EXPECT_EQ(CArchiveException::badClass, cause);
}

TEST_F(ToolbarButtonTest, UsageCountsAndTheirStoredForm)
{
    CCmdUsageCount usage;
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(1));
    for (int i = 0; i < 89; ++i)
        usage.AddCmd(1);
    for (int i = 0; i < 5; ++i)
        usage.AddCmd(2);
    for (int i = 0; i < 6; ++i)
        usage.AddCmd(3);
    usage.AddCmd(0);
    usage.AddCmd(0xF060);
    CKGPToolBarShared::s_bCustomizing = TRUE;
    usage.AddCmd(3);
    CKGPToolBarShared::s_bCustomizing = FALSE;
    EXPECT_FALSE(usage.IsFrequentlyUsedCmd(2)) << "5 of 100 is not above 5%";
    EXPECT_TRUE(usage.IsFrequentlyUsedCmd(3));
    EXPECT_EQ(6u, usage.GetCount(3));
    EXPECT_EQ(0u, usage.GetCount(0xF060));

    CCmdUsageCount loaded;
    RoundTrip([&](CArchive& ar) { usage.Serialize(ar); }, [&](CArchive& ar) { loaded.Serialize(ar); });
    EXPECT_EQ(89u, loaded.GetCount(1));
    EXPECT_TRUE(loaded.IsFrequentlyUsedCmd(3));

    // A count larger than the bytes behind it is refused, and nothing changes.
    const BYTE damaged[] = {100, 0, 0, 0, 0x20, 0, 1, 0, 0, 0};
    CMemFile file(const_cast<BYTE*>(damaged), sizeof(damaged));
    CArchive ar(&file, CArchive::load);
    EXPECT_THROW(loaded.Serialize(ar), CArchiveException*);
    EXPECT_EQ(89u, loaded.GetCount(1));
}

// Records the states the button asks the look for.
class CSpyManager : public CKGPVisualManager {
    DECLARE_DYNCREATE(CSpyManager)
public:
    void FillButtonFace(CDC*, CKGPToolbarButton*, CRect, int nState) override { fills.push_back(nState); }
    void DrawButtonBorder(CDC*, CKGPToolbarButton*, CRect, int nState) override { frames.push_back(nState); }
    std::vector<int> fills;
    std::vector<int> frames;
};
IMPLEMENT_DYNCREATE(CSpyManager, CKGPVisualManager)

TEST_F(ToolbarButtonTest, StatesAskedOfTheLook)
{
    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CSpyManager)));
    auto* spy = static_cast<CSpyManager*>(CKGPVisualManager::GetInstance());
    CDC dc;
    ASSERT_TRUE(dc.CreateCompatibleDC(nullptr));
    const CRect rect(0, 0, 23, 22);

    struct Row { UINT bits; BOOL highlighted; BOOL customizing; BOOL locked; BOOL noFill; int fill; int frame; };
    const Row rows[] = {
        {0, FALSE, FALSE, FALSE, FALSE, 0, -1},
        {0, TRUE, FALSE, FALSE, FALSE, 2, 2},
        {TBBS_CHECKED, TRUE, FALSE, FALSE, FALSE, 2, 1},
        {TBBS_INDETERMINATE, TRUE, FALSE, FALSE, FALSE, 2, -1},
        {TBBS_DISABLED, TRUE, FALSE, FALSE, FALSE, 2, -1},
        {TBBS_PRESSED, FALSE, FALSE, FALSE, TRUE, -1, 1},
        {TBBS_CHECKED, FALSE, TRUE, FALSE, FALSE, 0, -1},
        {TBBS_CHECKED, FALSE, TRUE, TRUE, FALSE, 1, -1},
    };
    for (const Row& row : rows) {
        CKGPToolbarButton button(800, 0, nullptr, FALSE, row.locked);
        button.m_nBits = row.bits;
        button.m_bNoFill = row.noFill;
        CKGPToolBarShared::s_bCustomizing = row.customizing;
        spy->fills.clear();
        spy->frames.clear();
        button.OnDraw(&dc, rect, nullptr, TRUE, row.customizing, row.highlighted);
        EXPECT_EQ(row.fill < 0 ? std::vector<int>{} : std::vector<int>{row.fill}, spy->fills) << row.bits;
        EXPECT_EQ(row.frame < 0 ? std::vector<int>{} : std::vector<int>{row.frame}, spy->frames) << row.bits;
    }
    CKGPVisualManager::SetDefaultManager(nullptr);
}

}  // namespace
