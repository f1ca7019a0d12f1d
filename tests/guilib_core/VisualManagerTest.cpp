// The visual manager chosen by run-time class, and the header painted
// through it.
#include <gtest/gtest.h>

#include "guilib/controls/KGPListCtrl.h"
#include "guilib/core/KGPVisualManager.h"
#include "guilib/core/KGPVisualManager2003.h"
#include "tests/guilib_core/ListTestSupport.h"

#include <vector>

namespace {

class VisualManagerTest : public ::testing::Test {
protected:
    void TearDown() override { CKGPVisualManager::SetDefaultManager(nullptr); }
};

TEST_F(VisualManagerTest, ChosenByRunTimeClassAndAClassThatIsNoManagerIsRefused)
{
    ASSERT_NE(nullptr, CKGPVisualManager::GetInstance());
    EXPECT_FALSE(CKGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CKGPVisualManager2003)));
    EXPECT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    CKGPVisualManager* manager = CKGPVisualManager::GetInstance();
    EXPECT_TRUE(manager->IsKindOf(RUNTIME_CLASS(CKGPVisualManager2003)));
    EXPECT_EQ(manager, CKGPVisualManager::GetInstance()) << "one instance, not one per call";

    EXPECT_FALSE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPListCtrl)));
    EXPECT_TRUE(CKGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CKGPVisualManager2003)));
    EXPECT_TRUE(CKGPVisualManager::SetDefaultManager(nullptr));
    EXPECT_FALSE(CKGPVisualManager::GetInstance()->IsKindOf(RUNTIME_CLASS(CKGPVisualManager2003)));
}

// The header's client as drawn into a memory bitmap by draw.
template <class Draw>
std::vector<COLORREF> HeaderPixels(CKGPHeaderCtrl& header, Draw draw)
{
    CRect client;
    header.GetClientRect(&client);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    HBITMAP bitmap = ::CreateCompatibleBitmap(screen, client.Width(), client.Height());
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    draw(memory);
    std::vector<COLORREF> pixels;
    for (int y = 0; y < client.Height(); ++y) {
        for (int x = 0; x < client.Width(); ++x) {
            pixels.push_back(::GetPixel(memory, x, y));
        }
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

std::vector<COLORREF> PaintHeader(CKGPHeaderCtrl& header)
{
    return HeaderPixels(header, [&](HDC memory) { header.PaintHeader(CDC::FromHandle(memory)); });
}

TEST_F(VisualManagerTest, HeaderArrowsShowTheDirectionAndTheLookFollowsTheManager)
{
    list_test::CListHost host;
    ASSERT_TRUE(host.Create());
    CKGPListCtrl& list = host.List();
    CKGPHeaderCtrl& header = list.GetHeaderCtrl();
    ASSERT_NE(nullptr, header.m_hWnd);

    header.SetSortColumn(-1);
    const auto unsorted = PaintHeader(header);
    header.SetSortColumn(0, TRUE);
    const auto ascending = PaintHeader(header);
    header.SetSortColumn(0, FALSE);
    const auto descending = PaintHeader(header);
    EXPECT_NE(unsorted, ascending);
    EXPECT_NE(ascending, descending);

    ASSERT_TRUE(CKGPVisualManager::SetDefaultManager(RUNTIME_CLASS(CKGPVisualManager2003)));
    const auto look2003 = PaintHeader(header);
    EXPECT_NE(descending, look2003);
    // The 2003 background is a gradient: the top and bottom rows differ.
    const auto width = static_cast<size_t>(host.HeaderWidth());
    EXPECT_NE(look2003[width / 2 + width * 2], look2003[width / 2 + look2003.size() - width * 3]);
}

// The header's own paint and a print request draw what PaintHeader draws,
// and the paint validates what it was asked to draw.
TEST_F(VisualManagerTest, HeaderPaintsAndPrintsItsClientThroughTheBuffer)
{
    list_test::CListHost host;
    ASSERT_TRUE(host.Create());
    CKGPHeaderCtrl& header = host.List().GetHeaderCtrl();
    header.SetSortColumn(0, TRUE);
    const auto painted = PaintHeader(header);

    const auto printed = HeaderPixels(header, [&](HDC memory) {
        header.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    });
    EXPECT_EQ(painted, printed);

    header.Invalidate(FALSE);
    ASSERT_TRUE(::GetUpdateRect(header.m_hWnd, nullptr, FALSE));
    header.UpdateWindow();
    EXPECT_FALSE(::GetUpdateRect(header.m_hWnd, nullptr, FALSE)) << "the paint ended and validated its area";
}

} // namespace
