// Filling the song page's PC list beside inserting the same rows into a bare
// list-view control, in the same run, with 10, 1,000 and 10,000 files. The page's
// fill lists the data folder, takes the sizes from the listing, sorts and
// inserts the rows and sets its title; the files' marks are then read off the
// GUI thread. The bare fill only inserts name and size cells, with redraw off as
// the page does. The page is sized to its window, as the program's view does.
//
// The bare fill is handed its rows; the page's fill also lists the folder. So
// each page fill is timed twice: with the rows given (the listing made before
// the clock starts: the same job as the bare fill) and whole, as the program
// runs it (the listing alone is shown too). Targets (medians): the fill with
// the rows given, into an emptied list and as a refill of the same files, each
// at most 1.2 times the bare fill with redraw off, at every size. The whole
// fill's ratios are printed beside them. The time until every mark is checked
// is shown too.
//
// Usage: bench_shell_listfill.exe [rounds] [--with-redraw] [--trace-marks] [--files 10|1000|10000]
//   (run under the harness's Wine and Xvfb; --with-redraw also times the bare
//   fill with redraw on, which takes tens of seconds a round under Wine;
//   --trace-marks marks each timed span in a debug wineserver's request trace)
#include <afxwin.h>
#include <afxcmn.h>

#include "app/transfer/PCFolderListing.h"
#include "app/transfer/TransferPage.h"
#include "app/transfer/TransferPages.h"
#include "core/files/Folders.h"
#include "core/profile/AppProfile.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "tests/e2e/SampleFiles.h"
#include "tests/e2e/TempFolder.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kSizes[] = {10, 1000, 10000};
constexpr double kTarget = 1.2;

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

// With --trace-marks each timed span is bracketed by a look-up of a named atom,
// which a wineserver started with -d1 shows in its request trace: the
// requests between two marks are the span's own.
bool g_traceMarks = false;

void TraceMark(const wchar_t* what) {
    if (g_traceMarks)
        ::GlobalFindAtomW(what);
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? -1 : values[values.size() / 2];
}

// Names in another order than the rows show them (the page sorts).
std::wstring FileName(int index, int files) {
    wchar_t name[64];
    swprintf(name, 64, L"Song number %05d.mid", static_cast<int>((index * 7919LL) % files));
    return name;
}

// The same rows the page shows: name, size in KiB with two decimals.
double BareFill(CWnd& host, const std::vector<std::pair<std::wstring, UINT>>& rows, bool redrawOff) {
    CListCtrl list;
    list.Create(WS_CHILD | WS_VISIBLE | LVS_REPORT | LVS_SHOWSELALWAYS, CRect(0, 0, 400, 600), &host, 4000);
    list.InsertColumn(0, L"Name", LVCFMT_LEFT, 180);
    list.InsertColumn(1, L"Size", LVCFMT_LEFT, 180);
    TraceMark(L"keyloft-mark bare fill begins");
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
    TraceMark(L"keyloft-mark bare fill ends");
    list.DestroyWindow();
    return elapsed;
}

class CListFillBenchApp : public CWinApp {
public:
    BOOL InitInstance() override {
        int rounds = 5;
        bool withRedraw = false;
        int onlySize = 0;
        for (int i = 1; i < __argc; ++i) {
            if (wcscmp(__wargv[i], L"--with-redraw") == 0)
                withRedraw = true;
            else if (wcscmp(__wargv[i], L"--trace-marks") == 0)
                g_traceMarks = true;
            else if (wcscmp(__wargv[i], L"--files") == 0 && i + 1 < __argc)
                onlySize = _wtoi(__wargv[++i]);
            else
                rounds = std::max(1, _wtoi(__wargv[i]));
        }
        e2e::TempFolder folder(L"keyloft-listfill");
        SetProgramFolderOverride(folder.Path().c_str());
        // The connected model's series, so that every file's mark is read and
        // checked as in use (without it the check ends before opening the file).
        e2e::WriteFileBytes(folder.Path() / L"AppProfile.ini", "[SEC_DEV_2_SERIAL]\r\nRX470=RX470\r\n");
        GetDeviceNames().m_deviceName = L"DEVICE 1";
        SetInterName(L"DEVICE 1", L"RX470");
        GetAppProfile().LoadDeviceSeries();
        // The model's device profile: songs up to 2 MiB, so that the size rule passes them.
        std::filesystem::create_directories(folder.Path() / L"DevProfile");
        e2e::WriteFileBytes(folder.Path() / L"DevProfile" / L"RX470.ini",
                            "[FILE_MAX_CNT]\r\nSNG_MAX_CNT=100\r\n[FILE_SIZE]\r\nSNG_MAX_SIZE=2097152\r\n");
        if (!SelectDevProfile(L"RX470")) {
            std::printf("the device profile could not be selected\n");
            return FALSE;
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
        // Sized to the window as the program's view sizes its pages.
        CRect client;
        host.GetClientRect(&client);
        songPage->MoveWindow(&client);
        songPage->ShowWindow(SW_SHOW);
        // Sorted by name as the program's pages are by default.
        songPage->LoadSettings();

        // The marks are read on a worker; its results reach the page as messages.
        const auto waitForMarkChecks = [&] {
            while (songPage->IsCheckingMarks()) {
                MSG msg;
                while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                    ::TranslateMessage(&msg);
                    ::DispatchMessageW(&msg);
                }
                ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            }
        };
        const CString dataFolder = GetDataFolder(0);
        const std::filesystem::path folderPath(static_cast<LPCTSTR>(dataFolder));
        bool allMet = true;
        for (const int files : kSizes) {
            if (onlySize != 0 && files != onlySize)
                continue;
            std::error_code ignored;
            for (const auto& entry : std::filesystem::directory_iterator(folderPath, ignored))
                std::filesystem::remove(entry.path(), ignored);
            std::vector<std::pair<std::wstring, UINT>> rows;
            for (int index = 0; index < files; ++index) {
                const std::string song = e2e::SampleSong(static_cast<unsigned char>(index));
                e2e::WriteFileBytes(folderPath / FileName(index, files), song);
                rows.emplace_back(FileName(index, files), static_cast<UINT>(song.size()));
            }
            songPage->FillPCList();
            waitForMarkChecks();

            // One timed fill after a quiet start: the marks of the last one all checked.
            const auto timedFill = [&](bool emptied, bool rowsGiven) {
                if (emptied) {
                    // As when the instrument is back after a loss: the emptied
                    // list and its title have been painted since.
                    songPage->OnDeviceLost(0, 0);
                    host.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
                }
                std::vector<PCFolderEntry> entries;
                if (rowsGiven)
                    entries = ListPCFolder(dataFolder, L"mid");
                TraceMark(emptied ? L"keyloft-mark page fill into an emptied list begins"
                                  : L"keyloft-mark page refill begins");
                const LARGE_INTEGER start = Now();
                if (rowsGiven)
                    songPage->ShowPCFiles(std::move(entries));
                else
                    songPage->FillPCList();
                const double elapsed = MillisecondsSince(start);
                TraceMark(L"keyloft-mark page fill ends");
                return std::make_pair(start, elapsed);
            };
            std::vector<double> sameGiven, emptyGiven, sameWhole, emptyWhole, checkedTimes, listingTimes, quietTimes,
                redrawTimes;
            int invalidRows = 0;
            for (int round = 0; round < rounds; ++round) {
                // A refill of the same files, as after a file was changed in place.
                sameGiven.push_back(timedFill(false, true).second);
                waitForMarkChecks();
                sameWhole.push_back(timedFill(false, false).second);
                waitForMarkChecks();
                emptyGiven.push_back(timedFill(true, true).second);
                waitForMarkChecks();
                const auto [start, elapsed] = timedFill(true, false);
                emptyWhole.push_back(elapsed);
                waitForMarkChecks();
                checkedTimes.push_back(MillisecondsSince(start));
                invalidRows = 0;
                for (int row = 0; row < songPage->GetPCList().GetItemCount(); ++row) {
                    const PCFileItem* item = songPage->GetPCList().GetFileItem(row);
                    invalidRows += item && item->invalid ? 1 : 0;
                }
                const LARGE_INTEGER listingStart = Now();
                const std::size_t listed = ListPCFolder(dataFolder, L"mid").size();
                listingTimes.push_back(MillisecondsSince(listingStart));
                if (listed != static_cast<std::size_t>(files) || songPage->GetPCList().GetItemCount() != files) {
                    std::printf("%d files: %zu listed, %d rows\n", files, listed, songPage->GetPCList().GetItemCount());
                    return FALSE;
                }

                quietTimes.push_back(BareFill(host, rows, true));
                if (withRedraw)
                    redrawTimes.push_back(BareFill(host, rows, false));
            }
            const double quiet = Median(quietTimes);
            const auto verdict = [](double ratio) { return ratio <= kTarget ? "met" : "NOT met"; };
            std::printf("%5d files, medians over %d rounds: bare fill with redraw off %.1f ms", files, rounds, quiet);
            if (withRedraw)
                std::printf(" (with redraw on %.1f ms)", Median(redrawTimes));
            std::printf("; folder listing alone %.1f ms; every mark checked %.1f ms after the fill began (%d invalid)\n",
                        Median(listingTimes), Median(checkedTimes), invalidRows);
            const auto report = [&](const char* what, const std::vector<double>& given, const std::vector<double>& whole) {
                const double ratio = Median(given) / quiet;
                allMet = allMet && ratio <= kTarget;
                std::printf("  %s rows given %6.1f ms, ratio %.2f (target <= %.1f): %s; whole, folder listed: %6.1f ms, "
                            "ratio %.2f\n",
                            what, Median(given), ratio, kTarget, verdict(ratio), Median(whole), Median(whole) / quiet);
            };
            report("page fill into an emptied list:", emptyGiven, emptyWhole);
            report("page refill, same files:       ", sameGiven, sameWhole);
            std::fflush(stdout);
        }
        std::printf("every target %s\n", allMet ? "met" : "NOT met");
        std::fflush(stdout);
        page.reset();
        host.DestroyWindow();
        ClearDevProfile();
        SetProgramFolderOverride(L"");
        return FALSE;
    }
};

CListFillBenchApp theApp;

} // namespace

// A console program, so that the figures reach the terminal; the layer's start-up
// runs the application object as usual.
int wmain() {
    return AfxWinMain(GetModuleHandleW(nullptr), nullptr, GetCommandLineW(), SW_SHOWNORMAL);
}
