#include "tests/widgets/WidgetTestSupport.h"

#include <objidl.h>
#include <gdiplus.h>

#include <chrono>

namespace widgets_test {

CRecordingParent::CRecordingParent() = default;

CRecordingParent::~CRecordingParent()
{
    if (m_hWnd != nullptr) {
        DestroyWindow();
    }
    if (m_background != nullptr) {
        ::DeleteObject(m_background);
    }
}

BOOL CRecordingParent::CreateHost(int width, int height, COLORREF background)
{
    m_background = ::CreateSolidBrush(background);
    LPCTSTR windowClass = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, ::LoadCursorW(nullptr, IDC_ARROW), m_background);
    if (!CreateEx(0, windowClass, L"widgets host", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 20, 20, width, height,
                  nullptr, nullptr)) {
        return FALSE;
    }
    Pump(50);
    return TRUE;
}

LRESULT CRecordingParent::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message >= WM_USER && message <= WM_USER + 40) {
        m_received.push_back(RecordedMessage{message, wParam, lParam});
        return 1;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

std::vector<RecordedMessage> CRecordingParent::Take(UINT message)
{
    std::vector<RecordedMessage> taken;
    std::vector<RecordedMessage> rest;
    for (const RecordedMessage& m : m_received) {
        (m.message == message ? taken : rest).push_back(m);
    }
    m_received = rest;
    return taken;
}

void Pump(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
        if (ms > 0) {
            ::Sleep(5);
        }
    } while (::GetTickCount() - start < ms);
}

std::vector<WORD> MakeDialogTemplate(DWORD style, short cx, short cy, const wchar_t* title)
{
    std::vector<WORD> data;
    auto putDword = [&data](DWORD value) {
        data.push_back(LOWORD(value));
        data.push_back(HIWORD(value));
    };
    putDword(style);
    putDword(0);        // extended style
    data.push_back(0);  // no controls
    data.push_back(10); // x
    data.push_back(10); // y
    data.push_back(static_cast<WORD>(cx));
    data.push_back(static_cast<WORD>(cy));
    data.push_back(0); // no menu
    data.push_back(0); // the dialog class
    for (const wchar_t* p = title; *p != L'\0'; ++p) {
        data.push_back(static_cast<WORD>(*p));
    }
    data.push_back(0);
    data.push_back(0); // padding
    return data;
}

namespace {

struct FindContext {
    const wchar_t* caption;
    DWORD process;
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    auto* context = reinterpret_cast<FindContext*>(lParam);
    DWORD process = 0;
    ::GetWindowThreadProcessId(hWnd, &process);
    if (process != context->process || ::IsWindowVisible(hWnd) == FALSE) {
        return TRUE;
    }
    wchar_t className[32] = {};
    wchar_t text[256] = {};
    ::GetClassNameW(hWnd, className, 32);
    ::GetWindowTextW(hWnd, text, 256);
    if (wcscmp(className, L"#32770") == 0 && wcscmp(text, context->caption) == 0) {
        context->found = hWnd;
        return FALSE;
    }
    return TRUE;
}

} // namespace

CDialogAnswerer::CDialogAnswerer(const wchar_t* caption, std::function<void(HWND)> answer, DWORD timeoutMs)
{
    m_thread = std::thread([this, caption, answer, timeoutMs]() {
        const DWORD start = ::GetTickCount();
        while (!m_stop.load() && ::GetTickCount() - start < timeoutMs) {
            FindContext context{caption, ::GetCurrentProcessId(), nullptr};
            ::EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&context));
            if (context.found != nullptr) {
                ::Sleep(100); // let the dialog finish its initialisation and first paint
                m_found.store(true);
                answer(context.found);
                return;
            }
            ::Sleep(20);
        }
    });
}

CDialogAnswerer::~CDialogAnswerer()
{
    Stop();
}

void CDialogAnswerer::Stop()
{
    m_stop.store(true);
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

std::vector<DWORD> CaptureWindow(HWND hWnd, int& width, int& height)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    width = rect.right - rect.left;
    height = rect.bottom - rect.top;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    HDC screen = ::GetDC(nullptr);
    HDC memory = ::CreateCompatibleDC(screen);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = ::SelectObject(memory, bitmap);
    // The picture on the screen after a full repaint (PrintWindow does not
    // reach every child's WM_PAINT under Wine).
    ::RedrawWindow(hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    Pump(300);
    HDC windowDc = ::GetWindowDC(hWnd);
    ::BitBlt(memory, 0, 0, width, height, windowDc, 0, 0, SRCCOPY);
    ::ReleaseDC(hWnd, windowDc);
    ::GdiFlush();
    const auto* source = static_cast<const DWORD*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) {
        pixels[i] = source[i] & 0x00FFFFFF;
    }
    ::SelectObject(memory, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(memory);
    ::ReleaseDC(nullptr, screen);
    return pixels;
}

bool SavePng(const wchar_t* path, const std::vector<DWORD>& pixels, int width, int height)
{
    UINT count = 0;
    UINT size = 0;
    if (Gdiplus::GetImageEncodersSize(&count, &size) != Gdiplus::Ok || size == 0) {
        return false;
    }
    std::vector<BYTE> buffer(size);
    auto* encoders = reinterpret_cast<Gdiplus::ImageCodecInfo*>(buffer.data());
    Gdiplus::GetImageEncoders(count, size, encoders);
    const CLSID* png = nullptr;
    for (UINT i = 0; i < count; ++i) {
        if (wcscmp(encoders[i].MimeType, L"image/png") == 0) {
            png = &encoders[i].Clsid;
        }
    }
    if (png == nullptr) {
        return false;
    }
    std::vector<DWORD> opaque(pixels);
    for (DWORD& p : opaque) {
        p |= 0xFF000000;
    }
    Gdiplus::Bitmap bitmap(width, height, width * 4, PixelFormat32bppARGB, reinterpret_cast<BYTE*>(opaque.data()));
    return bitmap.Save(path, png, nullptr) == Gdiplus::Ok;
}

} // namespace widgets_test
