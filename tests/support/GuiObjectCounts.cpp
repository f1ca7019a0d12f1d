#include "tests/support/GuiObjectCounts.h"

#include <winternl.h>

#include <afxhandle.h>

namespace keyloft_test {

namespace {

// One entry of the GDI handle table (64-bit layout); a non-zero type is a
// live object.
struct GdiHandleEntry {
    ULONGLONG object;
    ULONG owner;
    USHORT unique;
    UCHAR type;
    UCHAR flags;
    ULONGLONG user;
};
static_assert(sizeof(GdiHandleEntry) == 24);

constexpr size_t kGdiTableOffsetInPeb = 0xF8; // GdiSharedHandleTable, 64-bit
constexpr size_t kGdiTableEntries = 0x10000;

const BYTE* ProcessEnvironmentBlock()
{
    using QueryProcess = NTSTATUS(NTAPI*)(HANDLE, PROCESSINFOCLASS, PVOID, ULONG, PULONG);
    const auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(::GetProcAddress(::GetModuleHandleW(L"ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (query == nullptr ||
        query(::GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof(basic), nullptr) != 0)
        return nullptr;
    return reinterpret_cast<const BYTE*>(basic.PebBaseAddress);
}

const GdiHandleEntry* GdiTable()
{
    const BYTE* peb = ProcessEnvironmentBlock();
    return peb != nullptr ? *reinterpret_cast<const GdiHandleEntry* const*>(peb + kGdiTableOffsetInPeb) : nullptr;
}

DWORD CountGdiTable()
{
    const GdiHandleEntry* table = GdiTable();
    if (table == nullptr)
        return 0;
    DWORD live = 0;
    for (size_t i = 0; i < kGdiTableEntries; ++i)
        live += table[i].type != 0 ? 1 : 0;
    return live;
}

BOOL CALLBACK CountWindow(HWND, LPARAM param)
{
    ++*reinterpret_cast<DWORD*>(param);
    return TRUE;
}

// A top-level window and all its descendants.
BOOL CALLBACK CountWindowTree(HWND window, LPARAM param)
{
    CountWindow(window, param);
    ::EnumChildWindows(window, CountWindow, param);
    return TRUE;
}

DWORD CountThreadWindows()
{
    DWORD windows = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), CountWindowTree, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace

GuiObjectCounts CountGuiObjects()
{
    const HANDLE process = ::GetCurrentProcess();
    GuiObjectCounts counts{::GetGuiResources(process, GR_GDIOBJECTS), ::GetGuiResources(process, GR_USEROBJECTS)};
    if (counts.gdi == 0)
        counts.gdi = CountGdiTable();
    if (counts.user == 0)
        counts.user = CountThreadWindows();
    return counts;
}

std::map<DWORD, DWORD> LiveGdiObjects()
{
    std::map<DWORD, DWORD> live;
    const GdiHandleEntry* table = GdiTable();
    for (size_t i = 0; table != nullptr && i < kGdiTableEntries; ++i) {
        if (table[i].type != 0)
            live[static_cast<DWORD>(i) | (static_cast<DWORD>(table[i].unique) << 16)] = table[i].type;
    }
    return live;
}

void MakeSystemColourPens()
{
    CMemoryDCHandle dc;
    CGdiHandle<HBITMAP> bitmap;
    {
        const CWindowDCHandle screen(nullptr);
        dc.Reset(::CreateCompatibleDC(screen.Get()));
        bitmap.Reset(::CreateCompatibleBitmap(screen.Get(), 64, 64));
    }
    const CSelectionScope selected(dc.Get(), bitmap.Get());
    for (UINT edge : {EDGE_RAISED, EDGE_SUNKEN, EDGE_ETCHED, EDGE_BUMP}) {
        for (UINT flags : {0u, static_cast<UINT>(BF_SOFT), static_cast<UINT>(BF_MONO), static_cast<UINT>(BF_FLAT),
                           static_cast<UINT>(BF_DIAGONAL)}) {
            RECT rect{4, 4, 60, 60};
            ::DrawEdge(dc.Get(), &rect, edge, BF_RECT | flags);
        }
    }
    for (UINT type : {DFC_BUTTON, DFC_CAPTION, DFC_MENU, DFC_SCROLL}) {
        for (UINT state : {0u, static_cast<UINT>(DFCS_PUSHED), static_cast<UINT>(DFCS_INACTIVE)}) {
            RECT rect{4, 4, 28, 28};
            ::DrawFrameControl(dc.Get(), &rect, type, state);
        }
    }
}

} // namespace keyloft_test
