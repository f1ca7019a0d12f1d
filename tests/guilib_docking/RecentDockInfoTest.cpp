#include "guilib/docking/KGPRecentDockInfo.h"

#include <gtest/gtest.h>

namespace {

TEST(RecentDockInfo, FreshRecordAndPlacesKeptApartAcrossFloatAndDock)
{
    CKGPRecentDockInfo info;
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), info.m_dwRecentAlignmentToFrame);
    EXPECT_EQ(CRect(10, 10, 110, 110), info.m_rectRecentFloatingRect);
    EXPECT_EQ(50, info.GetRecentSizeShare(TRUE));
    EXPECT_TRUE(info.IsRecentFirstInContainer(FALSE));

    CKGPBarContainer docked, floating;
    CKGPRecentDockInfo source;
    source.m_recentSliderInfo.StoreDockInfo(&docked, nullptr);
    source.m_recentMiniFrameInfo.StoreDockInfo(&floating, nullptr);
    source.m_dwRecentAlignmentToFrame = CBRS_ALIGN_TOP;
    source.m_rectRecentFloatingRect = CRect(5, 5, 50, 50);

    info.SetInfo(FALSE, source);  // it floated: the docked place stays
    EXPECT_EQ(&floating, info.GetRecentContainer(FALSE));
    EXPECT_EQ(nullptr, info.GetRecentContainer(TRUE));
    EXPECT_EQ(DWORD(CBRS_ALIGN_LEFT), info.m_dwRecentAlignmentToFrame);
    info.SetInfo(TRUE, source);  // and docked again
    EXPECT_EQ(&docked, info.GetRecentContainer(TRUE));
    EXPECT_EQ(&floating, info.GetRecentContainer(FALSE));
    EXPECT_EQ(DWORD(CBRS_ALIGN_TOP), info.m_dwRecentAlignmentToFrame);
    EXPECT_EQ(CRect(5, 5, 50, 50), info.m_rectRecentFloatingRect);
}

TEST(RecentDockInfo, EveryPlaceNamingAContainerHoldsOneReference)
{
    CKGPBarContainer first, second;
    {
        CKGPRecentDockInfo info;
        info.m_recentSliderInfo.StoreDockInfo(&first, nullptr);
        info.m_recentSliderInfo.StoreDockInfo(&first, nullptr);  // recorded twice
        EXPECT_EQ(1, first.GetRefCount());

        CKGPRecentDockInfo copy(info);
        CKGPRecentDockInfo assigned;
        assigned = info;
        assigned = assigned;
        EXPECT_EQ(3, first.GetRefCount());

        copy.m_recentSliderInfo.StoreDockInfo(&second, nullptr);
        EXPECT_EQ(2, first.GetRefCount());
        EXPECT_EQ(1, second.GetRefCount());

        assigned.Init();
        copy.Init();
        EXPECT_EQ(1, first.GetRefCount());
        EXPECT_EQ(0, second.GetRefCount());
        EXPECT_EQ(CRect(0, 0, 30, 30), copy.GetRecentContainerRect(TRUE));
        info.Init();
    }
    EXPECT_EQ(0, first.GetRefCount());
}

}  // namespace
