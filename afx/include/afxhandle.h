// Owners of system handles: one template, CHandleOwner, over the handle type and
// the function that releases it, and the kinds the program uses (kernel objects
// such as files, events, mutexes and threads; registry keys; GDI objects; memory
// DCs; icons; menus; accelerator tables; cursors; image lists; change notifications; file searches; loaded
// modules). Two owners need more than the handle: CWindowDCHandle (a window's DC,
// given back to that window) and CSelectionScope (an object selected into a DC,
// the previous one put back).
//
// An owner releases its handle when it goes out of scope or is reset; it moves
// but never copies. Both null and INVALID_HANDLE_VALUE count as "no handle", so
// one test (`if (owner)`) serves every creation function whichever of the two it
// answers on failure.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

template <class Handle, auto Release>
class CHandleOwner {
public:
    CHandleOwner() noexcept = default;
    explicit CHandleOwner(Handle handle) noexcept : m_handle(handle) {}
    ~CHandleOwner() { Reset(); }
    CHandleOwner(const CHandleOwner&) = delete;
    CHandleOwner& operator=(const CHandleOwner&) = delete;
    CHandleOwner(CHandleOwner&& other) noexcept : m_handle(other.Detach()) {}
    CHandleOwner& operator=(CHandleOwner&& other) noexcept
    {
        if (this != &other)
            Reset(other.Detach());
        return *this;
    }

    // Releases the handle held (if any) and takes the one given.
    void Reset(Handle handle = Handle{}) noexcept
    {
        const Handle old = std::exchange(m_handle, handle);
        if (IsHandle(old))
            Release(old);
    }
    // Gives the handle up without releasing it.
    [[nodiscard]] Handle Detach() noexcept { return std::exchange(m_handle, Handle{}); }
    Handle Get() const noexcept { return m_handle; }
    // For functions that answer a handle through a pointer: releases the handle
    // held and gives the address the new one is written to.
    [[nodiscard]] Handle* Put() noexcept
    {
        Reset();
        return &m_handle;
    }
    explicit operator bool() const noexcept { return IsHandle(m_handle); }

private:
    static bool IsHandle(Handle handle) noexcept
    {
        return handle != Handle{} && reinterpret_cast<HANDLE>(handle) != INVALID_HANDLE_VALUE;
    }

    Handle m_handle{};
};

// Kernel objects closed by CloseHandle; the names say what the owner holds.
using CKernelHandle = CHandleOwner<HANDLE, &::CloseHandle>;
using CFileHandle = CKernelHandle;
using CEventHandle = CKernelHandle;
using CMutexHandle = CKernelHandle;
using CThreadHandle = CKernelHandle;

using CRegKeyHandle = CHandleOwner<HKEY, &::RegCloseKey>;
template <class GdiObject>
using CGdiHandle = CHandleOwner<GdiObject, &::DeleteObject>;
using CIconHandle = CHandleOwner<HICON, &::DestroyIcon>;
using CAcceleratorHandle = CHandleOwner<HACCEL, &::DestroyAcceleratorTable>;
using CMenuHandle = CHandleOwner<HMENU, &::DestroyMenu>;
using CCursorHandle = CHandleOwner<HCURSOR, &::DestroyCursor>;
using CImageListHandle = CHandleOwner<HIMAGELIST, &::ImageList_Destroy>;
using CChangeNotificationHandle = CHandleOwner<HANDLE, &::FindCloseChangeNotification>;
using CFindHandle = CHandleOwner<HANDLE, &::FindClose>;
using CModuleHandle = CHandleOwner<HMODULE, &::FreeLibrary>;
// A DC of its own (CreateCompatibleDC, CreateDC), deleted with DeleteDC.
using CMemoryDCHandle = CHandleOwner<HDC, &::DeleteDC>;

// The DC of a window's client area (the screen's when the window is null), from
// GetDC and given back to the same window with ReleaseDC; Whole() gives the DC
// of the whole window, non-client area included (GetWindowDC).
class CWindowDCHandle {
public:
    CWindowDCHandle() noexcept = default;
    explicit CWindowDCHandle(HWND hWnd) noexcept : m_hWnd(hWnd), m_hDC(::GetDC(hWnd)) {}
    [[nodiscard]] static CWindowDCHandle Whole(HWND hWnd) noexcept
    {
        CWindowDCHandle owner;
        owner.m_hWnd = hWnd;
        owner.m_hDC = ::GetWindowDC(hWnd);
        return owner;
    }
    ~CWindowDCHandle() { Reset(); }
    CWindowDCHandle(const CWindowDCHandle&) = delete;
    CWindowDCHandle& operator=(const CWindowDCHandle&) = delete;
    CWindowDCHandle(CWindowDCHandle&& other) noexcept
        : m_hWnd(std::exchange(other.m_hWnd, nullptr)), m_hDC(std::exchange(other.m_hDC, nullptr))
    {
    }
    CWindowDCHandle& operator=(CWindowDCHandle&& other) noexcept
    {
        if (this != &other) {
            Reset();
            m_hWnd = std::exchange(other.m_hWnd, nullptr);
            m_hDC = std::exchange(other.m_hDC, nullptr);
        }
        return *this;
    }

    void Reset() noexcept
    {
        if (m_hDC != nullptr)
            ::ReleaseDC(m_hWnd, m_hDC);
        m_hDC = nullptr;
        m_hWnd = nullptr;
    }
    HDC Get() const noexcept { return m_hDC; }
    HWND GetWindow() const noexcept { return m_hWnd; }
    explicit operator bool() const noexcept { return m_hDC != nullptr; }

private:
    HWND m_hWnd = nullptr;
    HDC m_hDC = nullptr;
};

// Selects a GDI object into a DC for the scope and puts the object selected
// before back on exit. The object must outlive the scope (declare its owner
// first). Neither copies nor moves: it belongs to one block.
class CSelectionScope {
public:
    CSelectionScope(HDC hDC, HGDIOBJ hObject) noexcept
        : m_hDC(hDC), m_hPrevious(hDC != nullptr && hObject != nullptr ? ::SelectObject(hDC, hObject) : nullptr)
    {
    }
    ~CSelectionScope()
    {
        if (m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR)
            ::SelectObject(m_hDC, m_hPrevious);
    }
    CSelectionScope(const CSelectionScope&) = delete;
    CSelectionScope& operator=(const CSelectionScope&) = delete;

    // Whether the object went in (the previous one is known).
    explicit operator bool() const noexcept { return m_hPrevious != nullptr && m_hPrevious != HGDI_ERROR; }

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
