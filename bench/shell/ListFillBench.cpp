// Filling the song page's PC list with 2,000 files beside inserting the same rows
// into a bare list-view control, in the same run. The page's fill lists the data
// folder, checks every file's mark and size and sorts; the bare fill only inserts
// name and size cells. Target: the page's fill costs at most twice the bare fill.
//
// Usage: bench_shell_listfill.exe [rounds]   (run under the harness's Wine and Xvfb)
#include <afxwin.h>
#include <afxcmn.h>

#include "app/transfer/TransferPage.h"
#include "app/transfer/TransferPages.h"
#include "core/files/Folders.h"
#include "core/ui/UiResources.h"
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kFiles = 2000;

double MillisecondsSince(const LARGE_INTEGER& start) {
    LARGE_INTEGER now, frequency;
    QueryPerformanceCounter(&now);
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
    LARGE_INTEGER value;
    QueryPerformanceCounter(&value);
    return value;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

std::wstring FileName(int index) {
    wchar_t name[64];
    swprintf(name, 64, L"Song number %04d.mid", (index * 7919) % kFiles);
    return name;
}

// The same rows the page shows: name, size in KiB with two decimals.
double BareFill(CWnd& host, const std::vector<std::pair<std::wstring, UINT>>& rows, bool redrawOff) {
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 600), &host, 4000);
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 180);
    list.InsertColumn(1, L"Size", LVCFMT_LEFT, 180);
    const LARGE_INTEGER start = Now();
    if (redrawOff)
        list.SetRedraw(FALSE);
    int row = 0;
    for (const auto& [name, size] : rows) {
        const int at = list.InsertItem(row++, name.c_str());
        CString sizeText;
        sizeText.Format(L"%.2f", size / 1024.0);
        list.SetItemText(at, 1, sizeText);
    }
    if (redrawOff)
        list.SetRedraw(TRUE);
    const double elapsed = MillisecondsSince(start);
    list.DestroyWindow();
    return elapsed;
}

class CListFillBenchApp : public CWinApp {
public:
    BOOL InitInstance() override {
        const int rounds = std::max(1, __argc > 1 ? _wtoi(__wargv[1]) : 5);
        e2e::TempFolder folder(L"keyloft-listfill");
        SetProgramFolderOverride(folder.Path().c_str());
        // The connected model's series, so that every file's mark is checked as in use.
        e2e::WriteFileBytes(folder.Path() / L"AppProfile.ini", "[SEC_DEV_2_SERIAL]\r\nRX470=RX470\r\n");
        GetUiResources().m_deviceName = L"DEVICE 1";
        SetInterName(L"DEVICE 1", L"RX470");

        std::vector<std::pair<std::wstring, UINT>> rows;
        const CString dataFolder = GetDataFolder(0);
        for (int index = 0; index < kFiles; ++index) {
            const std::string song = e2e::SampleSong(static_cast<unsigned char>(index));
            e2e::WriteFileBytes(std::filesystem::path(static_cast<LPCTSTR>(dataFolder)) / FileName(index), song);
            rows.emplace_back(FileName(index), static_cast<UINT>(song.size()));
        }

        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0), L"List fill bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1000,
                      700, nullptr, nullptr);
        boost::shared_ptr<CBaseDlg> page = CreateTransferPage(TransferKind::Song, &host);
        auto* songPage = dynamic_cast<CTransferPage*>(page.get());
        if (!songPage) {
            std::printf("the song page could not be made\n");
            return FALSE;
        }
        songPage->ShowWindow(SW_SHOW);

        std::vector<double> pageTimes, bareTimes, quietTimes;
        for (int round = 0; round < rounds; ++round) {
            const LARGE_INTEGER start = Now();
            songPage->FillPCList();
            pageTimes.push_back(MillisecondsSince(start));
            bareTimes.push_back(BareFill(host, rows, false));
            quietTimes.push_back(BareFill(host, rows, true));
            std::printf("round %d: page fill %.1f ms (%d rows), bare list fill %.1f ms, bare with redraw off %.1f ms\n",
                        round + 1, pageTimes.back(), songPage->GetPCList().GetItemCount(), bareTimes.back(),
                        quietTimes.back());
            std::fflush(stdout);
        }
        const double pageMedian = Median(pageTimes), bareMedian = Median(bareTimes);
        std::printf("\nmedians over %d rounds: page fill %.1f ms, bare fill %.1f ms, ratio %.2f (target <= 2)\n",
                    rounds, pageMedian, bareMedian, pageMedian / bareMedian);
        std::printf("bare fill with redraw off: %.1f ms\n", Median(quietTimes));
        std::fflush(stdout);
        page.reset();
        host.DestroyWindow();
        SetProgramFolderOverride(L"");
        return FALSE;
    }
};

CListFillBenchApp theApp;

} // namespace

// A console program, so that the figures reach the terminal; the layer's start-up
// runs the application object as usual.
int wmain() {
    std::printf("list fill benchmark: %d files\n", kFiles);
    std::fflush(stdout);
    return AfxWinMain(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOWNORMAL);
}
