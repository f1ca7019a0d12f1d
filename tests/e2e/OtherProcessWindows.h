// Looks at and drives the windows of another process: what an end-to-end test
// sees of the program from outside. Texts go through WM_GETTEXT (marshalled by the
// system); list-view rows are read through a buffer placed in the other process.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace e2e {

std::vector<HWND> TopLevelWindowsOf(DWORD processId);
// Whether the process has a library of that file name loaded.
bool HasLoadedLibrary(DWORD processId, const wchar_t* library);
std::vector<HWND> DescendantsOf(HWND parent);
std::wstring ClassOf(HWND window);
std::wstring TextOf(HWND window);
// Visible descendant with this control id, or null.
HWND FindVisibleChildById(HWND parent, int controlId);
// Polls `find` every 50 ms until it returns a window or the time is up.
HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs);
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs);

// Presses a dialog button the way a click does (BN_CLICKED to its parent).
void PressButton(HWND dialog, int buttonId);

// A key pressed and released on a window, as keyboard messages to it (no
// modifier: the key state of the other process does not change).
void PressKey(HWND window, UINT virtualKey);

// Rows of a list-view control in another process, cell texts per column.
using ListRows = std::vector<std::vector<std::wstring>>;
ListRows ReadListView(HWND list);
// The image index of each row of another process's list view.
std::vector<int> ReadListViewImages(HWND list);
// Selects exactly the given rows (and focuses the first).
void SelectListViewRows(HWND list, const std::vector<int>& rows);

// Clicks the middle of a list-view cell, as the mouse does; false when the
// cell has no place on the screen.
bool ClickListCell(HWND list, int row, int column);

// Every item text of a tree-view control in another process, depth first.
std::vector<std::wstring> ReadTreeTexts(HWND tree);
// The first item with this text, depth first; null when there is none.
HTREEITEM FindTreeItem(HWND tree, const std::wstring& text);
// Clicks the middle of the item's label, as the mouse does; false when the item
// has no place on the screen.
bool ClickTreeItem(HWND tree, HTREEITEM item);

} // namespace e2e
