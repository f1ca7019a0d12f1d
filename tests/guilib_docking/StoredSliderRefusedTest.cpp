// A stored layout whose slider between two panes cannot have its window (the
// slider class refuses WM_CREATE): the slider is deleted once, by its own
// end, and the load goes on without touching it again. A second delete of one
// block is counted (DeleteWatch) instead of corrupting the heap.
#include <gtest/gtest.h>

#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_docking/DockLayoutState.h"
#include "tests/support/heap/DeleteWatch.h"

namespace {

using namespace docking_test;

int g_refusedSliders = 0;

class CRefusedSlider : public CKGPSlider {
    DECLARE_DYNCREATE(CRefusedSlider)
public:
    ~CRefusedSlider() override { ++g_refusedSliders; }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        return message == WM_CREATE ? -1 : CKGPSlider::WindowProc(message, wParam, lParam);
    }
};
IMPLEMENT_DYNCREATE(CRefusedSlider, CKGPSlider)

TEST(StoredSliderRefused, AStoredSliderBetweenPanesRefusedIsDeletedOnceAndTheLoadGoesOn)
{
    DeleteLayoutProfile();
    {
        CLayoutFrame f(2);
        ASSERT_TRUE(f.Save());
    }
    CLayoutFrame g(2);
    g_refusedSliders = 0;
    int doubleDeletes = 0;
    {
        keyloft_test::DeleteWatchScope watch;
        CRuntimeClass* pOld = CKGPSlider::m_pSliderRTC;
        CKGPSlider::m_pSliderRTC = RUNTIME_CLASS(CRefusedSlider);
        const BOOL bLoaded = g.Load();
        CKGPSlider::m_pSliderRTC = pOld;
        EXPECT_TRUE(bLoaded);
        keyloft_test::Pump(20);
        doubleDeletes = watch.Stop();
    }
    EXPECT_EQ(0, doubleDeletes);
    EXPECT_EQ(1, g_refusedSliders) << "made, refused and gone once";
    EXPECT_TRUE(::IsWindow(g.Pane(0)->GetSafeHwnd()));
    EXPECT_TRUE(::IsWindow(g.Pane(1)->GetSafeHwnd()));
    DeleteLayoutProfile();
}

} // namespace
