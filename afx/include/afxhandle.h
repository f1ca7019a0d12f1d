// Owners of system handles: one template, CHandleOwner, over the handle type and
// the function that releases it, and the kinds the program uses
// (kernel objects such as files, events, mutexes and threads; registry keys; GDI
// objects; icons; cursors; image lists; change notifications).
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
using CCursorHandle = CHandleOwner<HCURSOR, &::DestroyCursor>;
using CImageListHandle = CHandleOwner<HIMAGELIST, &::ImageList_Destroy>;
using CChangeNotificationHandle = CHandleOwner<HANDLE, &::FindCloseChangeNotification>;
