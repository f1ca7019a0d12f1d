// What the saved-layout tests compare: a test frame with its own panes (made
// again after it was destroyed), a line per pane telling where it stands,
// its edge and size, and saving and loading under the tests' own profile.
#pragma once

#include <gtest/gtest.h>

#include "guilib/docking/KGPAutoHideToolBar.h"
#include "guilib/docking/KGPDockManager.h"
#include "guilib/docking/KGPMiniFrameWnd.h"
#include "tests/guilib_docking/DockLayoutSnapshot.h"
#include "tests/guilib_docking/DockingTestFrame.h"
#include "tests/guilib_docking/PaneTestSupport.h"
#include "tests/support/MessagePump.h"

#include <memory>
#include <sstream>
#include <string>
#include <vector>

namespace docking_test {

inline constexpr const wchar_t* kLayoutProfile = L"Software\\KeyloftTests\\DockLayout\\";
inline constexpr UINT kLayoutFrameId = 7;

inline void DeleteLayoutProfile()
{
    ::RegDeleteTreeW(HKEY_CURRENT_USER, kLayoutProfile);
    ::RegDeleteKeyW(HKEY_CURRENT_USER, kLayoutProfile);
}

// A frame with auto-hide strips and panes of its own (ids from 3001), each
// docked at the left edge in one tree to begin with: the default layout.
class CLayoutFrame {
public:
    explicit CLayoutFrame(int nPanes, CSize minimum = CSize(40, 40), DWORD extraStyle = KGP_CBRS_FLOAT_MULTI)
        : CLayoutFrame(std::vector<CSize>(static_cast<size_t>(nPanes), minimum), extraStyle)
    {
    }
    // A pane per minimum size given.
    // bShown FALSE: the frame is made hidden.
    explicit CLayoutFrame(const std::vector<CSize>& minimums, DWORD extraStyle = KGP_CBRS_FLOAT_MULTI,
                          bool bShown = true)
    {
        EXPECT_TRUE(frame.Open(bShown));
        EXPECT_TRUE(frame.GetDockManager()->EnableAutoHideBars(CBRS_ALIGN_ANY));
        for (size_t i = 0; i < minimums.size(); ++i) {
            CString title;
            title.Format(_T("Pane %d"), static_cast<int>(i) + 1);
            panes.push_back(MakePane(&frame, Id(static_cast<int>(i)), title, CSize(160, 120), minimums[i], extraStyle));
            if (i == 0)
                EXPECT_TRUE(panes.back()->DockToWindow(CBRS_ALIGN_LEFT, nullptr));
            else
                EXPECT_TRUE(panes.back()->DockToBar(panes.front().get(), CBRS_ALIGN_BOTTOM));
        }
        frame.RecalcLayout();
    }
    ~CLayoutFrame()
    {
        panes.clear();
        frame.DestroyWindow();
        keyloft_test::Pump(20);
    }
    CLayoutFrame(const CLayoutFrame&) = delete;
    CLayoutFrame& operator=(const CLayoutFrame&) = delete;

    static UINT Id(int i) { return 3001 + static_cast<UINT>(i); }
    CKGPDockManager& Manager() { return *frame.GetDockManager(); }
    CKGPDockingControlBar* Pane(int i) { return panes[static_cast<size_t>(i)].get(); }

    BOOL Save() { return Manager().SaveState(kLayoutProfile, kLayoutFrameId); }
    BOOL Load()
    {
        if (!Manager().LoadState(kLayoutProfile, kLayoutFrameId))
            return FALSE;
        Manager().ApplyLoadedState();
        frame.RecalcLayout();
        return TRUE;
    }

    // A line per pane: where it stands, its edge, its place (frame client
    // coordinates when docked, the floating frame's screen rectangle when
    // floating) and whether it shows.
    // bSizes FALSE: docked panes by their edge alone.
    std::string Describe(bool bSizes = true)
    {
        std::ostringstream out;
        for (auto& pane : panes) {
            if (pane == nullptr || pane->GetSafeHwnd() == nullptr)
                continue;
            out << pane->GetDlgCtrlID() << ' ';
            CRect rect;
            if (pane->IsAutoHideMode()) {
                out << "auto-hide " << pane->GetCurrentAlignment();
                CKGPAutoHideToolBar* pToolBar = pane->GetAutoHideToolBar();
                out << " group " << (pToolBar != nullptr ? pToolBar->GetButtonCount() : 0) << '\n';
                continue; // slid out or in for the moment: loaded in

            } else if (pane->IsTabbed()) {
                // A tab shows while its tab does (its window only while active).
                CKGPBaseControlBar* pTabbed = pane->GetParentTabbedBar();
                out << "tabbed" << (pane->IsBarVisible() ? " tab shown" : " tab hidden");
                if (pTabbed != nullptr && pTabbed->GetParentMiniFrame(TRUE) != nullptr)
                    out << " floating";
                else if (pTabbed != nullptr)
                    out << " docked " << pTabbed->GetCurrentAlignment();
                out << '\n';
                continue;
            } else if (CKGPMiniFrameWnd* pMiniFrame = pane->GetParentMiniFrame(TRUE)) {
                pMiniFrame->GetWindowRect(rect);
                out << "floating " << rect.left << ',' << rect.top << ',' << rect.Width() << 'x' << rect.Height();
            } else {
                rect = ClientRectIn(pane.get(), &frame);
                out << "docked " << pane->GetCurrentAlignment();
                if (bSizes)
                    out << ' ' << rect.left << ',' << rect.top << ',' << rect.Width() << 'x' << rect.Height();
            }
            out << (pane->IsWindowVisible() ? " shown" : " hidden") << '\n';
        }
        return out.str();
    }

    void ExpectSound(const char* step) { ExpectSoundLayout(Manager(), panes, step); }

    CTestFrame frame;
    std::vector<std::unique_ptr<CKGPDockingControlBar>> panes;
};

} // namespace docking_test
