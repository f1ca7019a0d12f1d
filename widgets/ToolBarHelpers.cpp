#include "widgets/ToolBarHelpers.h"

#include <commctrl.h>

#include <map>
#include <mutex>

namespace {

// Image lists handed to toolbars, by toolbar window.
std::mutex g_lock;
std::map<HWND, CImageListHandle> g_imageLists;

void ForgetDestroyedToolBars()
{
    for (auto it = g_imageLists.begin(); it != g_imageLists.end();) {
        if (!::IsWindow(it->first))
            it = g_imageLists.erase(it);
        else
            ++it;
    }
}

CGdiHandle<HBITMAP> LoadBitmapResource(UINT bitmapId)
{
    for (HINSTANCE module : {AfxGetResourceHandle(), ::GetModuleHandleW(nullptr)}) {
        if (module == nullptr)
            continue;
        const auto bitmap = static_cast<HBITMAP>(
            ::LoadImageW(module, MAKEINTRESOURCEW(bitmapId), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        if (bitmap != nullptr)
            return CGdiHandle<HBITMAP>(bitmap);
    }
    return {};
}

} // namespace

bool MakeToolBarDropDown(UINT commandId, CToolBar& toolBar)
{
    const HWND window = toolBar.GetSafeHwnd();
    if (window == nullptr || !::IsWindow(window))
        return false;
    const int index = toolBar.CommandToIndex(commandId);
    if (index < 0)
        return false;
    const auto extended = static_cast<DWORD>(::SendMessageW(window, TB_GETEXTENDEDSTYLE, 0, 0));
    ::SendMessageW(window, TB_SETEXTENDEDSTYLE, 0, extended | TBSTYLE_EX_DRAWDDARROWS);
    toolBar.SetButtonStyle(index, toolBar.GetButtonStyle(index) | TBSTYLE_DROPDOWN);
    return true;
}

bool SetToolBarImageList(CToolBar& toolBar, UINT bitmapId, int cx, int cy)
{
    if (toolBar.GetSafeHwnd() == nullptr)
        return false;
    const CGdiHandle<HBITMAP> bitmap = LoadBitmapResource(bitmapId);
    return bitmap && SetToolBarImageList(toolBar, bitmap.Get(), cx, cy);
}

bool SetToolBarImageList(CToolBar& toolBar, HBITMAP bitmap, int cx, int cy)
{
    const HWND window = toolBar.GetSafeHwnd();
    if (window == nullptr || !::IsWindow(window) || bitmap == nullptr || cx <= 0 || cy <= 0)
        return false;
    CImageListHandle list(::ImageList_Create(cx, cy, ILC_COLOR24 | ILC_MASK, 0, 4));
    // ImageList_AddMasked changes the mask colour in the bitmap it is given: work on a copy.
    const CGdiHandle<HBITMAP> copy(static_cast<HBITMAP>(::CopyImage(bitmap, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (!list || !copy || ::ImageList_AddMasked(list.Get(), copy.Get(), RGB(192, 192, 192)) < 0)
        return false;
    ::SendMessageW(window, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list.Get()));
    ::SendMessageW(window, TB_SETBITMAPSIZE, 0, MAKELPARAM(cx, cy));

    std::lock_guard lock(g_lock);
    ForgetDestroyedToolBars();
    g_imageLists[window] = std::move(list); // the previous list, if any, goes now
    return true;
}
