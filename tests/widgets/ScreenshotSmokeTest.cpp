// Paints a window holding every control of the program's look and checks that
// each one drew: its area must differ from the plain background and hold more
// than one colour (a failed paint leaves the background or a black block).
// Controls with a pixel test of their own (picture button, picture frame,
// position bar) are left to it.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>

#include "widgets/GdiplusSession.h"
#include "widgets/UiResources.h"
#include "tests/support/Dib.h"
#include "tests/widgets/ChildCapture.h"
#include "widgets/ComboButton.h"
#include "widgets/CylinderProgressCtrl.h"
#include "widgets/ImageButton.h"
#include "widgets/MyButton.h"
#include "widgets/MyCombox.h"
#include "widgets/MyGroupbox.h"
#include "widgets/NotifyDlg.h"
#include "widgets/SecListCtrl.h"
#include "widgets/SliderDlg.h"
#include "widgets/TrackListCtrl.h"
#include "widgets/TranDlg.h"
#include "widgets/TranEdit.h"
#include "widgets/TreeCtrlBT.h"

namespace {

using widgets_test::AsPixel;
using widgets_test::CaptureWindow;
using widgets_test::CRecordingParent;
using widgets_test::Pump;

constexpr COLORREF kBackground = RGB(236, 242, 250);

// A 16 x 16 bitmap: magenta around a coloured square.
HBITMAP MakeKeyedBitmap(COLORREF square)
{
    void* bits = nullptr;
    HBITMAP bitmap = keyloft_test::CreateTopDown32BitDib(nullptr, 16, 16, &bits);
    auto* pixels = static_cast<DWORD*>(bits);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            pixels[y * 16 + x] = x >= 3 && x < 13 && y >= 3 && y < 13 ? AsPixel(square) : 0xFF00FFu;
    return bitmap;
}

struct AreaCheck {
    double differingShare = 0;
    size_t colours = 0;
    size_t magenta = 0;
};

AreaCheck CheckArea(const std::vector<DWORD>& pixels, int width, const RECT& area)
{
    AreaCheck check;
    std::set<DWORD> colours;
    size_t differing = 0;
    size_t total = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            const DWORD pixel = pixels[static_cast<size_t>(y) * width + x];
            colours.insert(pixel);
            differing += pixel != AsPixel(kBackground) ? 1 : 0;
            check.magenta += pixel == 0xFF00FF ? 1 : 0;
            ++total;
        }
    }
    check.colours = colours.size();
    check.differingShare = total == 0 ? 0 : static_cast<double>(differing) / total;
    return check;
}

class ScreenshotSmokeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_gdiplus.IsStarted());
        GetUiResources().LoadImages(KEYLOFT_PICTURES_FOLDER);
    }
    void TearDown() override { GetUiResources().ReleaseImages(); }

    RECT ChildArea(const CWnd& child) const
    {
        RECT rect{};
        ::GetWindowRect(child.m_hWnd, &rect);
        RECT host{};
        ::GetWindowRect(m_host.m_hWnd, &host);
        ::OffsetRect(&rect, -host.left, -host.top);
        return rect;
    }

    CGdiplusSession m_gdiplus;
    CRecordingParent m_host;
};

TEST_F(ScreenshotSmokeTest, EveryControlDrawsItself)
{
    ASSERT_TRUE(m_host.CreateHost(660, 560, kBackground));
    std::map<std::string, const CWnd*> controls;

    CMyButton textButton;
    ASSERT_TRUE(textButton.Create(L"连接(&C)", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(20, 20, 140, 50), &m_host, 1));
    controls["CMyButton"] = &textButton;

    CMyButton bitmapButton;
    ASSERT_TRUE(bitmapButton.Create(L"刷新(&U)", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(150, 20, 290, 50), &m_host, 1003));
    bitmapButton.SetBitmaps(MakeKeyedBitmap(RGB(0, 120, 200)), nullptr);
    controls["CMyButton with bitmap"] = &bitmapButton;

    CImageButton imageButton;
    ASSERT_TRUE(imageButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(300, 24, 324, 46), &m_host, 1226));
    imageButton.SetBitmaps(MakeKeyedBitmap(RGB(200, 30, 30)), MakeKeyedBitmap(RGB(250, 90, 90)));
    controls["CImageButton"] = &imageButton;

    CMyGroupbox group;
    ASSERT_TRUE(group.Create(L"设备列表 (&L)", WS_CHILD | WS_VISIBLE | BS_GROUPBOX, CRect(20, 70, 300, 200), &m_host, 1151));
    group.SetCaptionHeight(20);
    group.SetStyle(2);
    controls["CMyGroupbox"] = &group;

    CMyCombox combo;
    ASSERT_TRUE(combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWNLIST | WS_VSCROLL, CRect(40, 110, 280, 300), &m_host, 1001));
    combo.AddString(L"DEVICE 1");
    combo.AddString(L"DEVICE 2");
    combo.SetCurSel(0);
    combo.SetColors(RGB(214, 227, 242), RGB(34, 160, 84));
    controls["CMyCombox"] = &combo;

    CTranEdit edit;
    ASSERT_TRUE(edit.Create(WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL, CRect(40, 150, 280, 174), &m_host, 1016));
    edit.SetWindowText(L"C:\\Styles\\Pop.mid");
    controls["CTranEdit"] = &edit;

    CComboButton valueButton;
    ASSERT_TRUE(valueButton.Create(L"", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(320, 80, 380, 104), &m_host, 1048));
    valueButton.SetRange(0, 127);
    valueButton.SetValue(100);
    controls["CComboButton"] = &valueButton;

    CCylinderProgressCtrl progress;
    ASSERT_TRUE(progress.Create(WS_CHILD | WS_VISIBLE | PBS_SMOOTH, CRect(20, 220, 300, 238), &m_host, 1025));
    progress.SetColors(RGB(214, 227, 242), RGB(120, 150, 190));
    progress.SetRange32(0, 100);
    progress.SetPos(60);
    controls["CCylinderProgressCtrl"] = &progress;

    // A wizard page: the white rounded sheet on the page colour.
    std::vector<WORD> pageTemplate =
        widgets_test::MakeDialogTemplate(WS_CHILD | WS_VISIBLE, 150, 110, L"");
    CTranDlg page;
    ASSERT_TRUE(page.CreateIndirect(reinterpret_cast<LPCDLGTEMPLATE>(pageTemplate.data()), &m_host));
    ::SetWindowPos(page.m_hWnd, nullptr, 400, 130, 240, 200, SWP_NOZORDER);
    controls["CTranDlg"] = &page;

    CTreeCtrlBT tree;
    ASSERT_TRUE(tree.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | TVS_HASBUTTONS | TVS_SHOWSELALWAYS,
                            CRect(20, 260, 150, 430), &m_host, 1200));
    HTREEITEM transfer = tree.InsertItemWithBitmap(L"Data Transfer", TVI_ROOT, 0);
    tree.InsertItemWithBitmap(L"Song", transfer, 0);
    tree.InsertItemWithBitmap(L"Style", transfer, 0);
    tree.Expand(transfer, TVE_EXPAND);
    controls["CTreeCtrlBT"] = &tree;
    CTrackListCtrl tracks;
    ASSERT_TRUE(tracks.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(160, 260, 390, 430), &m_host, 1031));
    const wchar_t* trackColumns[] = {L"Track", L"Voice", L"Solo", L"Mute", L"Remove", L"Melody"};
    for (int i = 0; i < 6; ++i) {
        tracks.InsertColumn(i, trackColumns[i], LVCFMT_LEFT, i == 1 ? 70 : 36);
    }
    tracks.AddTrack(L"Piano");
    tracks.AddTrack(nullptr);
    tracks.AddTrack(L"Strings");
    controls["CTrackListCtrl"] = &tracks;
    CSecListCtrl sections;
    ASSERT_TRUE(sections.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT, CRect(400, 340, 640, 430), &m_host, 1162));
    sections.InsertColumn(0, L"Section", LVCFMT_LEFT, 120);
    sections.InsertColumn(1, L"State", LVCFMT_LEFT, 60);
    sections.InsertItem(0, L"INTRO A");
    sections.SetItemText(0, 1, L"Y");
    sections.InsertItem(1, L"MAIN B");
    sections.SetItemText(1, 1, L"N");
    controls["CSecListCtrl"] = &sections;

    Pump(1000);
    int width = 0;
    int height = 0;
    const std::vector<DWORD> pixels = CaptureWindow(m_host.m_hWnd, width, height);
    ASSERT_EQ(660, width);

    for (const auto& [name, control] : controls) {
        const AreaCheck check = CheckArea(pixels, width, ChildArea(*control));
        EXPECT_GT(check.differingShare, 0.05) << name << " left the background as it was";
        EXPECT_GE(check.colours, 2u) << name << " is one flat block";
        EXPECT_EQ(0u, check.magenta) << name << " shows its transparent colour";
    }

    // The wizard page is a white sheet with rounded corners on the page colour.
    const RECT pageArea = ChildArea(page);
    const auto pixelAt = [&](int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; };
    EXPECT_EQ(0xFFFFFFu, pixelAt((pageArea.left + pageArea.right) / 2, (pageArea.top + pageArea.bottom) / 2));
    EXPECT_EQ(AsPixel(GetUiResources().m_pageBackColour), pixelAt(pageArea.left + 1, pageArea.top + 1));
    EXPECT_EQ(AsPixel(GetUiResources().m_pageBackColour), pixelAt(pageArea.left + 5, pageArea.top + 5))
        << "the corner of the sheet is rounded off";

    // Relabelling a button repaints it.
    const std::vector<DWORD> before = widgets_test::CaptureChild(m_host.m_hWnd, textButton.m_hWnd).pixels;
    textButton.SetWindowText(L"WWWWWWWW");
    Pump(200);
    const std::vector<DWORD> relabelled = widgets_test::CaptureChild(m_host.m_hWnd, textButton.m_hWnd).pixels;
    ASSERT_EQ(before.size(), relabelled.size());
    size_t changed = 0;
    for (size_t i = 0; i < before.size(); ++i)
        changed += relabelled[i] != before[i] ? 1 : 0;
    EXPECT_GT(changed, 20u);

    // The popups draw too.
    CSliderDlg slider;
    ASSERT_TRUE(slider.Create(&m_host));
    slider.SetRange(0, 127);
    RECT hostRect{};
    ::GetWindowRect(m_host.m_hWnd, &hostRect);
    slider.PopupAt(hostRect.left + 330, hostRect.top + 250, 90);
    CNotifyDlg notify;
    ASSERT_TRUE(notify.Create(&m_host, L"正在读取音色名称..."));
    notify.ShowWindow(SW_SHOW);
    Pump(500);
    for (const CWnd* popup : {static_cast<const CWnd*>(&slider), static_cast<const CWnd*>(&notify)}) {
        int w = 0;
        int h = 0;
        const std::vector<DWORD> popupPixels = CaptureWindow(popup->m_hWnd, w, h);
        const AreaCheck check = CheckArea(popupPixels, w, RECT{0, 0, w, h});
        EXPECT_GE(check.colours, 3u) << "a popup painted nothing";
    }
}

} // namespace
