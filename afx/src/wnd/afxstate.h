// Per-thread state of the window layer (private to afx/src).
//
// Thread model: a window belongs to the thread that created it. Its object is
// found through FromHandlePermanent only on that thread; other threads reach the
// window by handle and message (FromHandle gives them a temporary wrapper).
// Everything the layer keeps for a thread lives in one ThreadState, made on
// first use and freed when the thread ends, whoever started it (a fiber-local
// slot's callback, not a thread_local destructor: with this run-time those run
// after the thread's storage is freed).
#pragma once

#include <afxwin.h>
#include <afxselfdelete.h>

class CImageList;

#include <functional>
#include <string>
#include <unordered_map>

namespace afx_detail {

class TempMenuMap;
struct GdiTempMaps;
template <class Wrapper, class Handle>
class TempHandleMap;

// A message of one class's map chain, the key of the look-up cache.
struct MessageKey {
    const AFX_MSGMAP* pMap;
    UINT nMessage;
    bool operator==(const MessageKey&) const = default;
};
struct MessageKeyHash {
    size_t operator()(const MessageKey& key) const
    {
        return std::hash<const void*>()(key.pMap) ^ (static_cast<size_t>(key.nMessage) * 0x9E3779B97F4A7C15ull);
    }
};

struct ThreadState {
    ThreadState();
    ~ThreadState();
    ThreadState(const ThreadState&) = delete;
    ThreadState& operator=(const ThreadState&) = delete;

    CWinThread* pCurrentThread = nullptr;
    MSG lastSentMsg{};            // the message being handled (Default, ReflectLastMsg)
    CWnd* pWndInit = nullptr;     // object waiting for its window (creation hook, or AfxWndProc)
    CSelfDeletingCreation* pCreationWatch = nullptr; // innermost self-deleting creation
    HHOOK hHookCbt = nullptr;     // the creation hook, installed while a creation needs it
    int nHookUsers = 0;           // creations under way that armed the hook
    std::unordered_map<HWND, CWnd*> tempWnds; // temporaries of this thread (owned)
    TempMenuMap* pTempMenus = nullptr;        // owned
    GdiTempMaps* pGdiTempMaps = nullptr;      // owned
    TempHandleMap<CImageList, HIMAGELIST>* pTempImageLists = nullptr; // owned
    HWND hWndToolTip = nullptr;   // owned tooltip control of this thread
    HWND hWndLastHit = nullptr;   // window whose tool is registered
    INT_PTR nLastHit = -1;
    TTTOOLINFOW lastInfo{};
    bool bOleInitialized = false;
    HWND hLockoutNotifyWindow = nullptr; // control notifications ignored during its UpdateData
    std::wstring toolTipText;     // a narrow tool-tip text made wide
    static constexpr int kMaxOpenMenus = 16;
    HMENU openMenus[kMaxOpenMenus] = {}; // popups open on this thread, oldest first
    int nOpenMenus = 0;
    // Window-message look-up cache: the entry a map chain has for a message (or none).
    std::unordered_map<MessageKey, const AFX_MSGMAP_ENTRY*, MessageKeyHash> messageCache;
};

ThreadState& GetThreadState();
// How many threads hold a ThreadState now (for tests of the thread-exit clean-up).
int LiveThreadStates();

// Removes and deletes every temporary wrapper of the calling thread.
void DeleteTempWndMap();
// Makes hWnd's object pWnd (permanent map); FALSE when hWnd already has one.
BOOL MapPermanent(HWND hWnd, CWnd* pWnd);
void UnmapPermanent(HWND hWnd, CWnd* pWnd);
// Drops the permanent entries of the windows of a thread that ends; their objects
// are detached (m_hWnd cleared), the system destroys the windows.
void UnmapThreadWindows(DWORD threadId);
// Frees the calling thread's temporary image-list wrappers (at the thread's end).
void ReleaseThreadTempImageLists();

} // namespace afx_detail
