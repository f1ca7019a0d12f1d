// Which button of a toolbar the user is at: the one pressed, the one hot
// under the pointer or from the keyboard, the pointer's last place and its
// leaving tracked, the button the hover timer started for, the windows that
// had the capture and the focus before the bar took them, and the buttons'
// mnemonics.
#pragma once

#include <afxwin.h>

#include <map>

struct CKGPToolBarTracking {
    // The button held down (-1: none), the hot one, and the one made hot
    // from the keyboard.
    int pressed = -1;
    int hot = -1;
    int keyHot = -1;
    // The indexes follow a button that left the list at the index: one that
    // named it names none, those after it move down.
    void ForgetDeleted(int index);

    // The pointer's last place in the bar, and whether its leaving is tracked.
    CPoint mouseLast{-1, -1};
    BOOL leaveTracking = FALSE;
    // The button under the pointer when the hover timer started (-10: none).
    int hoverTimer = -10;

    // The windows the capture and the focus go back to.
    HWND prevCapture = nullptr;
    HWND prevFocus = nullptr;

    // Upper-case mnemonic to button index.
    std::map<WCHAR, int> mnemonics;
};
