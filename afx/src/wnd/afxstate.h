// Per-thread state of the window layer (private to afx/src).
#pragma once

#include <afxwin.h>

#include <string>
#include <unordered_map>

namespace afx_detail {

struct ThreadState {
    CWinThread* pCurrentThread = nullptr;
    MSG lastSentMsg{};            // the message being handled (Default, ReflectLastMsg)
    CWnd* pWndInit = nullptr;     // object waiting for its window (creation hook)
    HHOOK hHookCbt = nullptr;     // the creation hook, installed once per thread
    std::unordered_map<HWND, CWnd*>* pTempMap = nullptr; // owned; temporaries of this thread
    HWND hWndToolTip = nullptr;   // owned tooltip control of this thread
    HWND hWndLastHit = nullptr;   // window whose tool is registered
    INT_PTR nLastHit = -1;
    TTTOOLINFOW lastInfo{};
    bool bOleInitialized = false;
    HWND hLockoutNotifyWindow = nullptr; // control notifications ignored during its UpdateData
    std::wstring* pToolTipText = nullptr; // owned; a narrow tool-tip text made wide
};

ThreadState& GetThreadState();

// Removes and deletes every temporary wrapper of the calling thread.
void DeleteTempWndMap();
// Makes hWnd's object pWnd (permanent map); FALSE when hWnd already has one.
BOOL MapPermanent(HWND hWnd, CWnd* pWnd);
void UnmapPermanent(HWND hWnd, CWnd* pWnd);
// Frees the calling thread's temporary image-list wrappers (at the thread's end).
void ReleaseThreadTempImageLists();

} // namespace afx_detail
