// The start-up benchmark's floor: the least that the program's start-up order
// allows before its main window paints, with nothing of the program's own. It
// imports the libraries the program imports (common controls 6 by the same
// manifest, OLE, the image blending library), makes the calls the order puts
// before any window (the common controls, OLE), then, as the program does,
// creates its main window hidden, shows a small window owned by it in place of
// the instrument chooser (a drop-down list and two buttons, stock controls),
// and when that window is closed (the benchmark closes it once it has
// painted), shows the main window maximised. A named mutex marks its first
// line, as the program's instance lock marks the program's.
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>

namespace {

constexpr wchar_t kMainClass[] = L"FloorBenchMain";
constexpr wchar_t kChooserClass[] = L"FloorBenchChooser";

HWND g_main = nullptr;

void PaintPlain(HWND window) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    FillRect(dc, &paint.rcPaint, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    EndPaint(window, &paint);
}

LRESULT CALLBACK MainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintPlain(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK ChooserProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        const HINSTANCE instance = reinterpret_cast<LPCREATESTRUCTW>(lParam)->hInstance;
        HWND list = CreateWindowExW(0, WC_COMBOBOXW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST,
                                    20, 20, 200, 120, window, reinterpret_cast<HMENU>(1), instance, nullptr);
        SendMessageW(list, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
        CreateWindowExW(0, WC_BUTTONW, L"Connect", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_DEFPUSHBUTTON, 20, 60,
                        90, 26, window, reinterpret_cast<HMENU>(IDOK), instance, nullptr);
        CreateWindowExW(0, WC_BUTTONW, L"Refresh", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 130, 60, 90, 26, window,
                        reinterpret_cast<HMENU>(2), instance, nullptr);
        return 0;
    }
    case WM_PAINT:
        PaintPlain(window);
        return 0;
    case WM_DESTROY:
        // The chooser gone, the main window shows, as the program's does.
        ShowWindow(g_main, SW_SHOWMAXIMIZED);
        UpdateWindow(g_main);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

ATOM Register(HINSTANCE instance, const wchar_t* name, WNDPROC procedure) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.lpszClassName = name;
    return RegisterClassW(&windowClass);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int) {
    HANDLE firstLine = CreateMutexW(nullptr, FALSE, L"KeyloftFloorBenchFirstLine");
    INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX), 0xFF};
    InitCommonControlsEx(&controls);
    if (FAILED(OleInitialize(nullptr)))
        return 1;
    // Called once so that the blending library stays in the import table, as
    // it is in the program's.
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, 0};
    AlphaBlend(nullptr, 0, 0, 0, 0, nullptr, 0, 0, 0, 0, blend);

    Register(instance, kMainClass, MainProc);
    Register(instance, kChooserClass, ChooserProc);
    g_main = CreateWindowExW(0, kMainClass, L"Floor window", WS_OVERLAPPEDWINDOW | WS_MAXIMIZE, CW_USEDEFAULT,
                             CW_USEDEFAULT, 800, 600, nullptr, nullptr, instance, nullptr);
    const int width = 260;
    const int height = 140;
    HWND chooser = CreateWindowExW(WS_EX_DLGMODALFRAME, kChooserClass, L"Floor chooser",
                                   WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                   (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                                   (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, g_main, nullptr,
                                   instance, nullptr);
    ShowWindow(chooser, SW_SHOW);
    UpdateWindow(chooser);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    OleUninitialize();
    CloseHandle(firstLine);
    return 0;
}
