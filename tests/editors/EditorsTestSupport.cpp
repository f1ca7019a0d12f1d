#include "tests/editors/EditorsTestSupport.h"

#include <algorithm>
#include <fstream>

#include "core/files/Folders.h"
#include "core/portable/midi/MidiWriter.h"
#include "core/profile/DevProfile.h"
#include "core/profile/DeviceNames.h"
#include "tests/support/Dib.h"
#include "tests/support/MessagePump.h"

namespace editorstest {

CHostFrame::~CHostFrame()
{
    if (GetSafeHwnd() != nullptr)
        DestroyWindow();
}

BOOL CHostFrame::CreateHost(int width, int height)
{
    const CString cls = AfxRegisterWndClass(0, ::LoadCursorW(nullptr, IDC_ARROW),
                                            reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
    if (!CreateEx(0, cls, L"Keyloft editors test", WS_OVERLAPPEDWINDOW | WS_VISIBLE, CRect(0, 0, width, height),
                  nullptr, 0))
        return FALSE;
    ::SetForegroundWindow(m_hWnd);
    keyloft_test::Pump(200);
    return TRUE;
}

LRESULT CHostFrame::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_KEYMENU) {
        ++keyMenuRequests;  // noted, not run: the test stays out of a menu loop
        return 0;
    }
    if (message > WM_USER && message <= WM_USER + 40)
        posted.emplace_back(message, wParam);
    return CWnd::WindowProc(message, wParam, lParam);
}

CConnectedModel::CConnectedModel(const std::vector<std::string>& essentialSections)
{
    CreateFolder(m_folder.File(L"DevProfile"));
    CreateFolder(m_folder.File(L"INS"));
    std::string profile = "[DLG_VISIBLE]\r\nDLG_EDIT_SONG=1\r\nDLG_EDIT_STYLE=1\r\n[FILE_MAX_CNT]\r\nMELODY_MAX_CNT=8\r\n"
                          "[STY_ESSENTIAL_SEC]\r\n";
    for (std::size_t i = 0; i < essentialSections.size(); ++i)
        profile += "SEC" + std::to_string(i + 1) + "=" + essentialSections[i] + "\r\n";
    WriteBytes(m_folder.File(L"DevProfile\\RX470.ini"), profile);
    WriteBytes(m_folder.File(L"INS\\RX470.ins"), "0\tNo voice\r\n1\tGrand Piano\r\n12\tMarimba\r\n");
    SetProgramFolderOverride(m_folder.Path());
    SelectDevProfile(kModel);
    GetDeviceNames().m_deviceName = kModel;
    GetDeviceNames().SetInterName(kModel, kModel);
    GetDeviceNames().SetDeviceSeries(kModel, kModel);
}

CConnectedModel::~CConnectedModel()
{
    ClearDevProfile();
    GetDeviceNames().m_deviceName.Empty();
    GetDeviceNames().ClearInterNames();
    GetDeviceNames().ClearDeviceSeries();
    SetProgramFolderOverride(L"");
}

bool WriteBytes(const CString& path, const std::string& bytes)
{
    std::ofstream out(path.GetString(), std::ios::binary);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return out.good();
}

std::string MarkedMidi(const std::vector<std::string>& markers)
{
    namespace midi = keyloft::midi;
    midi::MidiFile file;
    file.division = 96;
    midi::MidiTrack& track = file.AddTrack();
    std::uint32_t tick = 0;
    for (const std::string& marker : markers) {
        file.AddMetaText(track, tick, midi::meta::Marker, marker);
        for (std::uint8_t channel : {9, 10}) {
            file.AddChannel(track, tick, static_cast<std::uint8_t>(0x90 | channel), 40, 100);
            file.AddChannel(track, tick + 90, static_cast<std::uint8_t>(0x80 | channel), 40, 0);
        }
        tick += 384;
    }
    const auto bytes = midi::WriteMidiFile(file);
    return bytes ? std::string(bytes->begin(), bytes->end()) : std::string();
}

void TypeKeys(const std::vector<WORD>& keys, WORD modifier)
{
    std::vector<INPUT> inputs;
    const auto add = [&inputs](WORD key, bool up) {
        INPUT input{};
        input.type = INPUT_KEYBOARD;
        input.ki.wVk = key;
        input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(input);
    };
    if (modifier != 0)
        add(modifier, false);
    for (WORD key : keys) {
        add(key, false);
        add(key, true);
    }
    if (modifier != 0)
        add(modifier, true);
    ::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
    PumpWithPreTranslation(300);
}

void PumpWithPreTranslation(DWORD ms)
{
    const DWORD start = ::GetTickCount();
    do {
        MSG msg{};
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE) != FALSE) {
            if (!AfxPreTranslateMessage(&msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageW(&msg);
            }
        }
        ::Sleep(5);
    } while (::GetTickCount() - start < ms);
}

CLanguageInForce::CLanguageInForce(UINT language) : m_language(language), m_previous(AfxGetResourceHandle())
{
    if (language == 0)
        return;
    const std::wstring path =
        std::wstring(KEYLOFT_PROGRAM_FOLDER) + (language == 1 ? L"/lan_trad.dll" : L"/lan_eng.dll");
    m_module = ::LoadLibraryW(path.c_str());
    if (m_module != nullptr)
        AfxSetResourceHandle(m_module);
}

CLanguageInForce::~CLanguageInForce()
{
    AfxSetResourceHandle(m_previous);
    if (m_module != nullptr)
        ::FreeLibrary(m_module);
}

std::vector<DWORD> PixelsDrawnBy(int width, int height, const std::function<void(HDC)>& draw)
{
    if (width <= 0 || height <= 0)
        return {};
    void* bits = nullptr;
    HDC dc = ::CreateCompatibleDC(nullptr);
    HBITMAP bitmap = keyloft_test::CreateTopDown32BitDib(dc, width, height, &bits);
    HGDIOBJ old = ::SelectObject(dc, bitmap);
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    draw(dc);
    ::GdiFlush();
    const auto* first = static_cast<const DWORD*>(bits);
    std::vector<DWORD> pixels(first, first + static_cast<std::size_t>(width) * height);
    ::SelectObject(dc, old);
    ::DeleteObject(bitmap);
    ::DeleteDC(dc);
    return pixels;
}

namespace {

// What a control draws of itself (WM_PRINTCLIENT; an owner-drawn button asks
// its parent to draw it there).
std::vector<DWORD> PrintedPixels(HWND control)
{
    RECT client{};
    ::GetClientRect(control, &client);
    return PixelsDrawnBy(client.right, client.bottom, [control](HDC dc) {
        ::SendMessageW(control, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
    });
}

}  // namespace

bool DrawsItsGlyphs(HWND button)
{
    wchar_t buffer[128] = {};
    ::GetWindowTextW(button, buffer, 128);
    const std::wstring text = buffer;
    std::wstring shown = text;
    shown.erase(std::remove(shown.begin(), shown.end(), L'&'), shown.end());
    std::wstring reordered = shown;
    std::rotate(reordered.begin(), reordered.begin() + (reordered.empty() ? 0 : 1), reordered.end());
    if (reordered == shown)
        return true;  // one character, or all alike: nothing to tell apart
    const std::vector<DWORD> before = PrintedPixels(button);
    ::SetWindowTextW(button, reordered.c_str());
    const std::vector<DWORD> after = PrintedPixels(button);
    ::SetWindowTextW(button, text.c_str());
    ::InvalidateRect(button, nullptr, TRUE);
    return !before.empty() && before != after;
}

}  // namespace editorstest
