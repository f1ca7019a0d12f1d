// The frame implementation's rules that need no frame: free ids for the
// user's toolbars, the accelerator test, the dock-bar id map and the window
// placement restored from a state store.
#include <gtest/gtest.h>

#include "guilib/core/KGPWorkspace.h"
#include "guilib/docking/KGPDockGeometry.h"
#include "guilib/frames/KGPFrameImpl.h"

#include <vector>

namespace {

// Windows standing for toolbars with taken ids, children of one parent.
struct CIdWindow : CWnd {
    CIdWindow(CWnd* pParent, int id)
    {
        CreateEx(0, _T("STATIC"), nullptr, WS_CHILD, CRect(0, 0, 1, 1), pParent, static_cast<UINT>(id));
    }
    ~CIdWindow() override { DestroyWindow(); }
};

TEST(FrameRules, FreeToolbarIdsInTheirRange)
{
    CObList none;
    EXPECT_EQ(0u, CKGPFrameImpl::FindFreeToolbarId(0xFFFFFFFF, 0xFFFFFFFF, none)); // no range
    EXPECT_EQ(0u, CKGPFrameImpl::FindFreeToolbarId(1002, 1000, none));
    EXPECT_EQ(1000u, CKGPFrameImpl::FindFreeToolbarId(1000, 1002, none));
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, _T("STATIC"), nullptr, WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    CIdWindow a(&parent, 1000), c(&parent, 1002), b(&parent, 1001);
    CObList gap;
    gap.AddTail(&a);
    gap.AddTail(&c);
    EXPECT_EQ(1001u, CKGPFrameImpl::FindFreeToolbarId(1000, 1002, gap));
    gap.AddTail(&b);
    EXPECT_EQ(0u, CKGPFrameImpl::FindFreeToolbarId(1000, 1002, gap)); // full
}

TEST(FrameRules, KeysInAnAcceleratorTable)
{
    ACCEL entries[] = {{FVIRTKEY | FCONTROL, 'S', 100}, {FVIRTKEY, VK_F5, 101}};
    HACCEL table = ::CreateAcceleratorTableW(entries, 2);
    ASSERT_NE(nullptr, table);
    EXPECT_TRUE(CKGPFrameImpl::IsKeyInAccelerators(table, 'S', FVIRTKEY | FCONTROL));
    EXPECT_FALSE(CKGPFrameImpl::IsKeyInAccelerators(table, 'S', FVIRTKEY)); // without Ctrl
    EXPECT_TRUE(CKGPFrameImpl::IsKeyInAccelerators(table, VK_F5, FVIRTKEY));
    EXPECT_FALSE(CKGPFrameImpl::IsKeyInAccelerators(table, VK_F5, FVIRTKEY | FSHIFT));
    EXPECT_FALSE(CKGPFrameImpl::IsKeyInAccelerators(nullptr, VK_F5, FVIRTKEY));
    ::DestroyAcceleratorTable(table);
    MSG f1{};
    f1.message = WM_KEYDOWN;
    f1.wParam = VK_F1;
    EXPECT_TRUE(CKGPFrameImpl::IsHelpKey(&f1));
    f1.lParam = 0x40000000; // held down: a repeat
    EXPECT_FALSE(CKGPFrameImpl::IsHelpKey(&f1));
}

TEST(FrameRules, DockBarIdsMapToTheEdgesABarMayTake)
{
    EXPECT_EQ(KGPDock::kAlignTop, KGPDock::DockBarIdAlignment(AFX_IDW_DOCKBAR_TOP, CBRS_ALIGN_ANY));
    EXPECT_EQ(KGPDock::kAlignLeft, KGPDock::DockBarIdAlignment(AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_LEFT));
    EXPECT_EQ(0u, KGPDock::DockBarIdAlignment(AFX_IDW_DOCKBAR_LEFT, CBRS_ALIGN_RIGHT | CBRS_ALIGN_TOP));
    EXPECT_EQ(0u, KGPDock::DockBarIdAlignment(0x1234, CBRS_ALIGN_ANY));
}

// A store that hands back one placement.
class CPlacementStore : public CKGPAppStateStore {
public:
    BOOL LoadPlacement(CRect& rect, int& flags, int& showCmd) override
    {
        rect = m_rect;
        flags = 0;
        showCmd = m_showCmd;
        return TRUE;
    }
    CRect m_rect;
    int m_showCmd = SW_SHOWNORMAL;
};

TEST(FrameRules, ThePlacementComesBackOnAMonitorThatExists)
{
    CPlacementStore store;
    SetWorkspace(&store);
    CKGPFrameImpl impl(nullptr);
    CRect work;
    ::SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);

    CREATESTRUCT cs{};
    cs.x = 10, cs.y = 20, cs.cx = 300, cs.cy = 200;
    store.m_rect = CRect(100, 120, 500, 420);
    impl.RestorePlacement(cs);
    EXPECT_EQ(CRect(100, 120, 500, 420), CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy));

    store.m_rect = CRect(50000, 50000, 50400, 50300); // on a monitor that is gone
    cs = CREATESTRUCT{};
    cs.x = 10, cs.y = 20, cs.cx = 300, cs.cy = 200;
    impl.RestorePlacement(cs);
    EXPECT_EQ(CRect(10, 20, 310, 220), CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy)); // the create values stay

    store.m_showCmd = SW_SHOWMAXIMIZED; // maximised: the nearest work area
    impl.RestorePlacement(cs);
    EXPECT_EQ(work, CRect(cs.x, cs.y, cs.x + cs.cx, cs.y + cs.cy));
    SetWorkspace(nullptr);

    EXPECT_EQ(CString(), GetWorkspaceRegistrySection(_T("Bars")));
    SetWorkspace(&store);
    const CString section = GetWorkspaceRegistrySection(_T("Bars"));
    EXPECT_EQ(_T("Workspace\\Bars\\"), section.Right(15));
    SetWorkspace(nullptr);
}

} // namespace
