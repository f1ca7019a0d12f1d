// Lays out and repaints a toolbar of 200 buttons with 200 images: the
// library's customisable bar against the layer's plain toolbar (the toolbar
// common control) with the same buttons, side by side in one run, each in
// its own frame of the same size (on the harness's 1280-pixel screen both
// paint the same first 55 or so buttons; both lay out all 200). The library's
// bar is to take at most twice the plain bar's time.
#include "guilib/toolbars/KGPToolBar.h"

#include <afxext.h>

#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int kButtons = 200;
constexpr UINT kFirstCommand = 40000;
const CSize kImage(16, 15);
const CSize kButton(23, 22);
const CRect kFrameRect(0, 0, kButtons * kButton.cx + 40, 120);

// 200 images side by side, each a different colour with a dark frame.
HBITMAP MakeImages()
{
    CClientDC screen(static_cast<CWnd*>(nullptr));
    CDC memory;
    memory.CreateCompatibleDC(&screen);
    CBitmap bitmap;
    bitmap.CreateCompatibleBitmap(&screen, kImage.cx * kButtons, kImage.cy);
    CBitmap* old = memory.SelectObject(&bitmap);
    for (int i = 0; i < kButtons; ++i) {
        const CRect cell(i * kImage.cx, 0, (i + 1) * kImage.cx, kImage.cy);
        memory.FillSolidRect(cell, RGB(40 + i % 200, 255 - i % 255, (i * 37) % 255));
        memory.Draw3dRect(CRect(cell.left + 2, 2, cell.right - 2, kImage.cy - 2), RGB(0, 0, 0), RGB(0, 0, 0));
    }
    memory.SelectObject(old);
    return static_cast<HBITMAP>(bitmap.Detach());
}

class CBenchFrame : public CFrameWnd {
protected:
    void PostNcDestroy() override {}
};

// One round: the bar computes its size, takes it (a width one pixel off in
// every other round, so that it lays out again) and repaints at once.
template <class Bar>
double SecondsPerRound(Bar& bar, int rounds)
{
    LARGE_INTEGER frequency, start, end;
    ::QueryPerformanceFrequency(&frequency);
    ::QueryPerformanceCounter(&start);
    for (int round = 0; round < rounds; ++round) {
        const CSize size = bar.CalcFixedLayout(FALSE, TRUE);
        bar.SetWindowPos(static_cast<const CWnd*>(nullptr), 0, 0, size.cx + (round & 1), size.cy,
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        bar.RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ERASE);
    }
    ::QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) / frequency.QuadPart / rounds;
}

} // namespace

// Run by hand under the harness: bench_toolbar_paint.exe [rounds].
int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 50;
    std::vector<UINT> ids(kButtons);
    for (int i = 0; i < kButtons; ++i)
        ids[static_cast<std::size_t>(i)] = kFirstCommand + static_cast<UINT>(i);
    CBitmap images;
    images.Attach(MakeImages());

    CBenchFrame plainFrame;
    CBenchFrame libraryFrame;
    if (!plainFrame.Create(nullptr, L"Plain toolbar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kFrameRect) ||
        !libraryFrame.Create(nullptr, L"Library toolbar", WS_OVERLAPPEDWINDOW | WS_VISIBLE, kFrameRect)) {
        std::printf("the frames could not be created (is the harness's display up?)\n");
        return 1;
    }

    CToolBar plain;
    plain.Create(&plainFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    plain.SetSizes(kButton, kImage);
    plain.SetBitmap(static_cast<HBITMAP>(images.GetSafeHandle()));
    plain.SetButtons(ids.data(), kButtons);

    CKGPToolBar library;
    library.Create(&libraryFrame, WS_CHILD | WS_VISIBLE | CBRS_TOP);
    CKGPToolBar::SetSizes(kButton, kImage);
    CKGPToolBar::s_imgNormal.AddImage(static_cast<HBITMAP>(images.GetSafeHandle()));
    library.SetButtons(ids.data(), kButtons);
    library.AdjustLayout();

    // Warm both up once (fonts, image lists, derived images), then measure in turns.
    SecondsPerRound(plain, 2);
    SecondsPerRound(library, 2);
    double plainSeconds = 0;
    double librarySeconds = 0;
    for (int turn = 0; turn < 4; ++turn) {
        plainSeconds += SecondsPerRound(plain, rounds);
        librarySeconds += SecondsPerRound(library, rounds);
    }
    std::printf("plain toolbar:   %8.3f ms per layout and repaint of %d buttons\n", plainSeconds / 4 * 1e3, kButtons);
    std::printf("library toolbar: %8.3f ms per layout and repaint of %d buttons\n", librarySeconds / 4 * 1e3,
                kButtons);
    const double ratio = librarySeconds / plainSeconds;
    std::printf("ratio: %.2f, at most 2: %s\n", ratio, ratio <= 2.0 ? "met" : "not met");

    library.DestroyWindow();
    plain.DestroyWindow();
    libraryFrame.DestroyWindow();
    plainFrame.DestroyWindow();
    return 0;
}
