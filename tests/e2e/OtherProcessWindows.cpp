#include "tests/e2e/OtherProcessWindows.h"

#include <commctrl.h>
#include <tlhelp32.h>

#include <cstring>
#include <memory>
#include <stdexcept>

namespace e2e {
namespace {

struct ProcessHandleCloser {
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using ProcessHandle = std::unique_ptr<void, ProcessHandleCloser>;

// A block of memory in another process, freed when it goes.
class RemoteBlock {
public:
    RemoteBlock(HWND owner, SIZE_T size) : size_(size) {
        DWORD processId = 0;
        GetWindowThreadProcessId(owner, &processId);
        process_.reset(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
        if (!process_)
            throw std::runtime_error("cannot open the program's process");
        address_ = VirtualAllocEx(process_.get(), nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        if (!address_)
            throw std::runtime_error("cannot place a buffer in the program's process");
    }
    ~RemoteBlock() { VirtualFreeEx(process_.get(), address_, 0, MEM_RELEASE); }
    RemoteBlock(const RemoteBlock&) = delete;
    RemoteBlock& operator=(const RemoteBlock&) = delete;

    void* Address() const { return address_; }
    char* At(SIZE_T offset) const { return static_cast<char*>(address_) + offset; }
    void Write(SIZE_T offset, const void* data, SIZE_T size) const {
        SIZE_T done = 0;
        if (offset + size > size_ || !WriteProcessMemory(process_.get(), At(offset), data, size, &done))
            throw std::runtime_error("cannot write the program's memory");
    }
    void Read(SIZE_T offset, void* data, SIZE_T size) const {
        SIZE_T done = 0;
        if (offset + size > size_ || !ReadProcessMemory(process_.get(), At(offset), data, size, &done))
            throw std::runtime_error("cannot read the program's memory");
    }

private:
    ProcessHandle process_;
    void* address_ = nullptr;
    SIZE_T size_ = 0;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context) {
    auto* found = reinterpret_cast<std::pair<DWORD, std::vector<HWND>*>*>(context);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == found->first)
        found->second->push_back(window);
    return TRUE;
}

BOOL CALLBACK CollectChild(HWND window, LPARAM context) {
    reinterpret_cast<std::vector<HWND>*>(context)->push_back(window);
    return TRUE;
}

int ColumnCount(HWND list) {
    const auto header = reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0));
    const LRESULT count = header ? SendMessageW(header, HDM_GETITEMCOUNT, 0, 0) : 0;
    return count > 0 ? static_cast<int>(count) : 1;
}

} // namespace

bool HasLoadedLibrary(DWORD processId, const wchar_t* library) {
    HANDLE listing = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId);
    if (listing == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot list the program's libraries");
    const ProcessHandle snapshot(listing); // a kernel handle, closed the same way
    MODULEENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Module32FirstW(snapshot.get(), &entry); more; more = Module32NextW(snapshot.get(), &entry))
        if (_wcsicmp(entry.szModule, library) == 0)
            return true;
    return false;
}

std::vector<HWND> TopLevelWindowsOf(DWORD processId) {
    std::vector<HWND> windows;
    std::pair<DWORD, std::vector<HWND>*> context{processId, &windows};
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&context));
    return windows;
}

std::vector<HWND> DescendantsOf(HWND parent) {
    std::vector<HWND> windows;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

std::wstring ClassOf(HWND window) {
    wchar_t name[256] = {};
    GetClassNameW(window, name, 256);
    return name;
}

std::wstring TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                        5000, &copied);
    text.resize(copied);
    return text;
}

HWND FindVisibleChildById(HWND parent, int controlId) {
    for (HWND child : DescendantsOf(parent))
        if (GetDlgCtrlID(child) == controlId && IsWindowVisible(child))
            return child;
    return nullptr;
}

HWND WaitForWindow(const std::function<HWND()>& find, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = find()) != nullptr; }, timeoutMs);
    return found;
}

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
    const ULONGLONG end = GetTickCount64() + timeoutMs;
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount64() >= end)
            return false;
        Sleep(50);
    }
}

void PressButton(HWND dialog, int buttonId) {
    HWND button = GetDlgItem(dialog, buttonId);
    PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(buttonId, BN_CLICKED), reinterpret_cast<LPARAM>(button));
}

void PressKey(HWND window, UINT virtualKey) {
    const UINT scanCode = MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC);
    const LPARAM down = 1 | (static_cast<LPARAM>(scanCode) << 16);
    const LPARAM up = down | (LPARAM{1} << 30) | (LPARAM{1} << 31);
    PostMessageW(window, WM_KEYDOWN, virtualKey, down);
    PostMessageW(window, WM_KEYUP, virtualKey, up);
}

ListRows ReadListView(HWND list) {
    constexpr SIZE_T kTextChars = 520;
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    const int columns = ColumnCount(list);
    RemoteBlock block(list, sizeof(LVITEMW) + kTextChars * sizeof(wchar_t));
    ListRows result;
    for (int row = 0; row < rows; ++row) {
        std::vector<std::wstring> cells;
        for (int column = 0; column < columns; ++column) {
            LVITEMW item{};
            item.iSubItem = column;
            item.cchTextMax = static_cast<int>(kTextChars);
            item.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(LVITEMW)));
            block.Write(0, &item, sizeof item);
            const auto length = SendMessageW(list, LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(block.Address()));
            std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0), L'\0');
            if (!text.empty())
                block.Read(sizeof(LVITEMW), text.data(), text.size() * sizeof(wchar_t));
            cells.push_back(std::move(text));
        }
        result.push_back(std::move(cells));
    }
    return result;
}

std::vector<int> ReadListViewImages(HWND list) {
    const int rows = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    RemoteBlock block(list, sizeof(LVITEMW));
    std::vector<int> images;
    for (int row = 0; row < rows; ++row) {
        LVITEMW item{};
        item.mask = LVIF_IMAGE;
        item.iItem = row;
        block.Write(0, &item, sizeof item);
        SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.Address()));
        block.Read(0, &item, sizeof item);
        images.push_back(item.iImage);
    }
    return images;
}

void SelectListViewRows(HWND list, const std::vector<int>& rows) {
    RemoteBlock block(list, sizeof(LVITEMW));
    auto setState = [&](int row, UINT state) {
        LVITEMW item{};
        item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
        item.state = state;
        block.Write(0, &item, sizeof item);
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address()));
    };
    setState(-1, 0);
    bool first = true;
    for (int row : rows) {
        setState(row, first ? (LVIS_SELECTED | LVIS_FOCUSED) : LVIS_SELECTED);
        first = false;
    }
}

namespace {

// Calls `visit` with every item of the tree and its text, depth first, until it
// returns false.
void WalkTree(HWND tree, const std::function<bool(HTREEITEM, const std::wstring&)>& visit) {
    constexpr SIZE_T kTextChars = 260;
    RemoteBlock block(tree, sizeof(TVITEMW) + kTextChars * sizeof(wchar_t));
    std::vector<HTREEITEM> pending;
    auto next = [&](HTREEITEM item, UINT relation) {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    };
    for (HTREEITEM item = next(nullptr, TVGN_ROOT); item;) {
        TVITEMW request{};
        request.mask = TVIF_TEXT | TVIF_HANDLE;
        request.hItem = item;
        request.cchTextMax = static_cast<int>(kTextChars);
        request.pszText = reinterpret_cast<LPWSTR>(block.At(sizeof(TVITEMW)));
        block.Write(0, &request, sizeof request);
        std::wstring text(kTextChars, L'\0');
        if (SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(block.Address())))
            block.Read(sizeof(TVITEMW), text.data(), text.size() * sizeof(wchar_t));
        text.resize(wcsnlen(text.c_str(), text.size()));
        if (!visit(item, text))
            return;
        if (HTREEITEM sibling = next(item, TVGN_NEXT))
            pending.push_back(sibling);
        if (HTREEITEM child = next(item, TVGN_CHILD)) {
            item = child;
            continue;
        }
        item = nullptr;
        if (!pending.empty()) {
            item = pending.back();
            pending.pop_back();
        }
    }
}

} // namespace

std::vector<std::wstring> ReadTreeTexts(HWND tree) {
    std::vector<std::wstring> texts;
    WalkTree(tree, [&](HTREEITEM, const std::wstring& text) {
        texts.push_back(text);
        return true;
    });
    return texts;
}

HTREEITEM FindTreeItem(HWND tree, const std::wstring& text) {
    HTREEITEM found = nullptr;
    WalkTree(tree, [&](HTREEITEM item, const std::wstring& itemText) {
        if (itemText == text)
            found = item;
        return found == nullptr;
    });
    return found;
}

bool ClickListCell(HWND list, int row, int column) {
    // LVM_GETSUBITEMRECT takes the column and the kind of rectangle in the one it fills.
    RECT rect{LVIR_BOUNDS, column, 0, 0};
    RemoteBlock block(list, sizeof rect);
    block.Write(0, &rect, sizeof rect);
    if (!SendMessageW(list, LVM_GETSUBITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(block.Address())))
        return false;
    block.Read(0, &rect, sizeof rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    return PostMessageW(list, WM_LBUTTONDOWN, MK_LBUTTON, point) && PostMessageW(list, WM_LBUTTONUP, 0, point);
}

bool ClickTreeItem(HWND tree, HTREEITEM item) {
    SendMessageW(tree, TVM_ENSUREVISIBLE, 0, reinterpret_cast<LPARAM>(item));
    // TVM_GETITEMRECT takes the item in the rectangle it fills.
    RECT rect{};
    static_assert(sizeof item <= sizeof rect);
    std::memcpy(&rect, &item, sizeof item);
    RemoteBlock block(tree, sizeof rect);
    block.Write(0, &rect, sizeof rect);
    if (!SendMessageW(tree, TVM_GETITEMRECT, TRUE, reinterpret_cast<LPARAM>(block.Address())))
        return false;
    block.Read(0, &rect, sizeof rect);
    const LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    // Both go into the queue before the tree looks: its drag check ends at the release.
    return PostMessageW(tree, WM_LBUTTONDOWN, MK_LBUTTON, point) && PostMessageW(tree, WM_LBUTTONUP, 0, point);
}

} // namespace e2e
