// A stored layout damaged in a way no save makes is refused whole at the next
// start: the frame comes up in its default layout. Each case closes the host
// (its layout saved), damages one value and starts it again.
#include "tests/guilib_apphost/HostFixture.h"

#include "guilib/docking/KGPBaseTabbedBar.h"
#include "guilib/docking/KGPSlider.h"
#include "tests/guilib_apphost/AppHostIds.h"
#include "tests/guilib_apphost/HostStoredValues.h"
#include "tests/guilib_apphost/PaneLayoutDescription.h"

#include <cstring>

namespace {

class StoredLayoutRefusedTest : public AppHostTest {
protected:
    static std::string Describe(CHostMainFrame& frame)
    {
        return apphost::DescribePanes(frame, frame.StoredPanes()) + apphost::DescribeBars(frame, frame.StoredBars());
    }
    // The start after the damage: the layout was refused and the default
    // one stands.
    void ExpectRefusedAtStart(const std::string& defaults)
    {
        ASSERT_TRUE(Start());
        EXPECT_TRUE(HostApp().StateStore().m_bLayoutRefused);
        EXPECT_FALSE(HostApp().StateStore().m_bLayoutLoaded);
        EXPECT_EQ(defaults, Describe(Frame()));
    }
    // The dock manager's stored layout (its archive) with every 32-bit word
    // equal to `from` made `to`; how many there were.
    static int ReplaceLayoutWords(DWORD from, DWORD to)
    {
        for (const std::wstring& key : apphost::StoredKeysEndingWith(L"KGPDockManager--1")) {
            auto values = apphost::StoredValues();
            const auto found = values.find(key + L":DockingCBAndSliders");
            if (found == values.end())
                continue;
            std::vector<BYTE> bytes = found->second;
            int replaced = 0;
            for (size_t i = 0; i + sizeof(DWORD) <= bytes.size(); i += 1) {
                DWORD word = 0;
                std::memcpy(&word, &bytes[i], sizeof(word));
                if (word == from) {
                    std::memcpy(&bytes[i], &to, sizeof(to));
                    ++replaced;
                }
            }
            return apphost::WriteStoredValue(key, L"DockingCBAndSliders", REG_BINARY, bytes) ? replaced : -1;
        }
        return -1;
    }
};

// A tabbed pane made for the stored tree takes the window style stored with
// it: one with bits no such pane has (a caption, a frame, a pop-up...) is
// damage (it came back shorter, and changed the frame's child order).
TEST_F(StoredLayoutRefusedTest, ATabbedPanesStoredWindowStyleWithBitsNoPaneHasIsRefused)
{
    const std::string defaults = Describe(Frame());
    CKGPBaseControlBar* tabbed = Frame().m_wndFiles.GetParentTabbedBar();
    ASSERT_NE(nullptr, tabbed);
    const DWORD style = tabbed->GetStyle();
    ASSERT_TRUE(Close());
    ASSERT_EQ(1, ReplaceLayoutWords(style, 0x7FFFFFFF));
    ExpectRefusedAtStart(defaults);
}

// A slider dragged left and right stands at a side edge, one dragged up and
// down at the top or bottom: a side slider stored at the bottom edge is
// damage (it moved at every save after, and upset the next valid layout).
TEST_F(StoredLayoutRefusedTest, ASlidersEdgeAcrossItsDirectionIsRefused)
{
    const std::string defaults = Describe(Frame());
    CKGPSlider* slider = Frame().m_wndTasks.GetDefaultPaneSlider();
    ASSERT_NE(nullptr, slider);
    ASSERT_FALSE(slider->IsHorizontal());
    slider->SetCurrentAlignment(CBRS_ALIGN_BOTTOM); // stored so by the close
    ASSERT_TRUE(Close());
    ExpectRefusedAtStart(defaults);
}

// A docked place no frame of this desktop holds (a pane that may not float
// stored 7,100 pixels wide) is damage: the pane took that width and squeezed
// every other pane to nothing.
TEST_F(StoredLayoutRefusedTest, ADockedPlaceBeyondTheDesktopIsRefused)
{
    const std::string defaults = Describe(Frame());
    ASSERT_TRUE(Close());
    const std::vector<std::wstring> keys =
        apphost::StoredKeysEndingWith(L"KGPControlBar-" + std::to_wstring(ID_PANE_SHORTCUTS));
    ASSERT_EQ(1u, keys.size());
    const RECT beyond{0, 109, 7100, 715};
    const std::vector<BYTE> bytes(reinterpret_cast<const BYTE*>(&beyond), reinterpret_cast<const BYTE*>(&beyond + 1));
    ASSERT_TRUE(apphost::WriteStoredValue(keys.front(), L"RectRecentDocked", REG_BINARY, bytes));
    ExpectRefusedAtStart(defaults);
}

} // namespace
