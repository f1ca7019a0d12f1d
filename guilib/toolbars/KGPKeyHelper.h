// Turns an accelerator entry into the text menus, tooltips and the keyboard
// page show for it: the modifiers (Ctrl, Shift, Alt, each with "+") then the
// key, named as the current keyboard layout names it. Names are looked up
// once per layout and key.
#pragma once

#include <afxwin.h>

class CKGPKeyHelper : public CObject {
public:
    explicit CKGPKeyHelper(LPACCEL lpAccel = nullptr) : m_lpAccel(lpAccel) {}

    void SetAccelerator(LPACCEL lpAccel) { m_lpAccel = lpAccel; }
    // The entry's text; empty without an entry. A character entry shows its
    // character, except Esc (27), which shows nothing after the modifiers.
    void Format(CString& str) const;

    // The layout's name of a virtual key ("Pause" for VK_PAUSE), lower case
    // with its first letter capital.
    static CString GetKeyName(UINT uiVirtKey);
    // Forgets the names looked up (they are looked up again for each layout).
    static void ResetKeyNames();

private:
    LPACCEL m_lpAccel;
};
