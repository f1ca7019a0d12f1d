// Command targets and message maps.
//
// Design (for writers of classes on top of CCmdTarget and CWnd):
// - A message map is a static array of AFX_MSGMAP_ENTRY plus a link to the base
//   class's map (DECLARE_MESSAGE_MAP / BEGIN_MESSAGE_MAP(theClass, baseClass) /
//   END_MESSAGE_MAP). Look-up walks the class's own map first, then the base maps;
//   the first matching entry wins, so a derived entry overrides a base entry.
// - Each entry carries a small "thunk": a captureless lambda created by the entry
//   macro inside the class's own map function. The thunk casts the target to the
//   class that wrote the map (ThisClass) and calls the handler with MFC's typed
//   signature, so handler types are checked by the compiler and no member-pointer
//   casts are needed. A thunk returns FALSE when the handler declined (the _EX
//   forms, a NULL brush from a reflected colour handler): the message then goes on
//   to default processing or the next command target.
// - Handlers named in ON_COMMAND & co. are written as member pointers,
//   `ON_COMMAND(ID_X, &CMyWnd::OnX)`. ON_WM_xxx entries call the fixed names
//   (OnSize, OnPaint, ...) found from ThisClass, as in MFC.
// - Commands, control notifications, WM_NOTIFY and update-UI requests are matched
//   in OnCmdMsg on (message, code, id range); ids and codes are compared by their
//   low 16 bits. Window messages are matched in CWnd::OnWndMsg on the message
//   number; the WM_CTLCOLORxxx family maps to one WM_CTLCOLOR entry.
// - Reflected messages use message numbers WM_REFLECT_BASE + msg (0xBC00 + ...).
#pragma once

#include <afx.h>

class CCmdTarget;
class CCmdUI;
class CWnd;
class CDC;
class CMenu;
class CScrollBar;

// Framework-private window messages (values fixed: other code stores them).
#define WM_QUERYAFXWNDPROC 0x0360
#define WM_SIZEPARENT 0x0361
#define WM_SETMESSAGESTRING 0x0362
#define WM_IDLEUPDATECMDUI 0x0363
#define WM_INITIALUPDATE 0x0364
#define WM_COMMANDHELP 0x0365
#define WM_HELPHITTEST 0x0366
#define WM_EXITHELPMODE 0x0367
#define WM_RECALCPARENT 0x0368
#define WM_SIZECHILD 0x0369
#define WM_KICKIDLE 0x036A
#define WM_QUERYCENTERWND 0x036B
#define WM_DISABLEMODAL 0x036C
#define WM_FLOATSTATUS 0x036D
#define WM_ACTIVATETOPLEVEL 0x036E
#define WM_RESERVED_036F 0x036F
#define WM_RESERVED_0370 0x0370
#define WM_RESERVED_0371 0x0371
#define WM_RESERVED_0372 0x0372
#define WM_SOCKET_NOTIFY 0x0373
#define WM_SOCKET_DEAD 0x0374
#define WM_POPMESSAGESTRING 0x0375

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019
#endif
#define WM_REFLECT_BASE 0xBC00
#ifndef WM_HELPINFO
#define WM_HELPINFO 0x0053
#endif

// Command codes passed to OnCmdMsg besides control notification codes.
#define CN_COMMAND 0
#define CN_UPDATE_COMMAND_UI (static_cast<UINT>(-1))
#define CN_EVENT 0xFFFA
#define CN_OLECOMMAND 0xFFFB
#define CN_OLE_UNREGISTER 0xFFFC

// Colour kinds of the unified WM_CTLCOLOR handler (nCtlColor).
#ifndef CTLCOLOR_MSGBOX
#define CTLCOLOR_MSGBOX 0
#define CTLCOLOR_EDIT 1
#define CTLCOLOR_LISTBOX 2
#define CTLCOLOR_BTN 3
#define CTLCOLOR_DLG 4
#define CTLCOLOR_SCROLLBAR 5
#define CTLCOLOR_STATIC 6
#define CTLCOLOR_MAX 7
#endif

// What a thunk sees of one dispatch.
struct AFX_MSG_CALL {
    UINT nMessage = 0;      // window message (the actual WM_CTLCOLORxxx for colour handlers)
    WPARAM wParam = 0;
    LPARAM lParam = 0;
    UINT nID = 0;           // command or control id (commands and notifications)
    UINT nCode = 0;         // notification code (commands and notifications)
    void* pExtra = nullptr; // CCmdUI* for update requests, AFX_NOTIFY* for WM_NOTIFY
    LRESULT* pResult = nullptr;
};

typedef BOOL (*AFX_PMSGTHUNK)(CCmdTarget* pTarget, const AFX_MSG_CALL& call);

// Entry kinds; used by the dispatcher where the kind changes the protocol.
enum AfxSig : UINT {
    AfxSig_end = 0,
    AfxSig_wm,        // window message
    AfxSig_registered,// registered window message (nID holds nothing, pnRegistered the number)
    AfxSig_cmd,       // command or control notification
    AfxSig_cmdUI,     // CN_UPDATE_COMMAND_UI handler (routing may continue)
    AfxSig_notify,    // WM_NOTIFY
};

struct AFX_MSGMAP_ENTRY {
    UINT nMessage;              // window message, WM_COMMAND, WM_NOTIFY, or WM_REFLECT_BASE + one
    UINT nCode;                 // control or notification code (low 16 bits), CN_UPDATE_COMMAND_UI
    UINT nID;                   // first control id
    UINT nLastID;               // last control id (== nID unless a range)
    UINT nSig;                  // AfxSig
    AFX_PMSGTHUNK pfn;          // handler thunk; nullptr ends the map
    const UINT* pnRegistered;   // ON_REGISTERED_MESSAGE: the variable holding the number
};

struct AFX_MSGMAP {
    const AFX_MSGMAP* (*pfnGetBaseMap)();
    const AFX_MSGMAP_ENTRY* lpEntries;
};

// WM_NOTIFY payload handed through OnCmdMsg's pExtra.
struct AFX_NOTIFY {
    LRESULT* pResult;
    NMHDR* pNMHDR;
};

// Filled by OnCmdMsg when asked only whether a handler exists.
struct AFX_CMDHANDLERINFO {
    CCmdTarget* pTarget;
    const AFX_MSGMAP_ENTRY* pEntry;
};

class CCmdTarget : public CObject {
    DECLARE_DYNAMIC(CCmdTarget)
public:
    CCmdTarget();
    ~CCmdTarget() override;

    // Routes a command, control notification, WM_NOTIFY or update request (CN_xxx,
    // or MAKELONG(code, WM_NOTIFY)) through this object's message maps. With
    // pHandlerInfo set it only reports whether (and where) a handler exists.
    virtual BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo);

    // The hourglass while a long operation runs on this thread.
    void BeginWaitCursor();
    void EndWaitCursor();
    void RestoreWaitCursor();

    // Finds the entry of a map chain for a window message (nullptr if none).
    static const AFX_MSGMAP_ENTRY* FindMessageEntry(const AFX_MSGMAP* pMap, UINT nMessage);
    // Finds the entry of a map chain for a command (nMessage WM_COMMAND/WM_NOTIFY/reflected).
    static const AFX_MSGMAP_ENTRY* FindCommandEntry(const AFX_MSGMAP* pMap, UINT nMessage, UINT nCode,
                                                    UINT nID);

protected:
    static const AFX_MSGMAP* GetThisMessageMap();
    virtual const AFX_MSGMAP* GetMessageMap() const;

    // Calls the thunk of a found command entry with the update-UI protocol applied.
    BOOL DispatchCmdEntry(const AFX_MSGMAP_ENTRY* pEntry, UINT nID, UINT nCode, void* pExtra);
};

// Shows the wait cursor for the lifetime of the object.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    void Restore();
};

// ---------------------------------------------------------------------------
// Map declaration and definition.

#define DECLARE_MESSAGE_MAP()                                                                     \
protected:                                                                                        \
    static const AFX_MSGMAP* GetThisMessageMap();                                                 \
    const AFX_MSGMAP* GetMessageMap() const override;

// templateHead is empty for a class's map and "template <...>" for a class
// template's map (both functions are members of the template).
#define AFX_MSGMAP_BEGIN_BODY_(templateHead, theClass, baseClass)                                 \
    templateHead const AFX_MSGMAP* theClass::GetMessageMap() const                                \
    {                                                                                             \
        return GetThisMessageMap();                                                               \
    }                                                                                             \
    templateHead const AFX_MSGMAP* theClass::GetThisMessageMap()                                  \
    {                                                                                             \
        typedef theClass ThisClass;                                                               \
        typedef baseClass TheBaseClass;                                                           \
        static_assert(sizeof(ThisClass) > 0, "complete class");                                   \
        static const AFX_MSGMAP_ENTRY _messageEntries[] = {

#define BEGIN_MESSAGE_MAP(theClass, baseClass) AFX_MSGMAP_BEGIN_BODY_(, theClass, baseClass)

// The map of a class template, written once for every instance; baseClass may
// name the template's parameter (type_name).
#define BEGIN_TEMPLATE_MESSAGE_MAP(theClass, type_name, baseClass)                                \
    AFX_MSGMAP_BEGIN_BODY_(template <typename type_name>, theClass<type_name>, baseClass)

#define END_MESSAGE_MAP()                                                                         \
    { 0, 0, 0, 0, AfxSig_end, nullptr, nullptr }                                                  \
    }                                                                                             \
    ;                                                                                             \
    static const AFX_MSGMAP messageMap = {&TheBaseClass::GetThisMessageMap, &_messageEntries[0]}; \
    return &messageMap;                                                                           \
    }

// Implementation helpers of the entry macros.
#define AFX_SELF_ static_cast<ThisClass*>(afxTarget_)
#define AFX_THUNK_(body)                                                                          \
    [](CCmdTarget* afxTarget_, const AFX_MSG_CALL& afxCall_) -> BOOL {                            \
        (void)afxTarget_;                                                                         \
        (void)afxCall_;                                                                           \
        body                                                                                      \
    }
#define AFX_WM_ENTRY_(msg, body) {msg, 0, 0, 0, AfxSig_wm, AFX_THUNK_(body), nullptr},
#define AFX_RESULT_(value) (*afxCall_.pResult = static_cast<LRESULT>(value))
#define AFX_WP_ afxCall_.wParam
#define AFX_LP_ afxCall_.lParam
#define AFX_POINT_ CPoint(static_cast<short>(LOWORD(AFX_LP_)), static_cast<short>(HIWORD(AFX_LP_)))
#define AFX_WND_(h) CWnd::FromHandle(reinterpret_cast<HWND>(h))

namespace afx_detail {
// Casts a temporary window wrapper to a control class (controls add no data).
template <class T>
inline T* WndAs(CWnd* p)
{
    return static_cast<T*>(p);
}
} // namespace afx_detail

// ---------------------------------------------------------------------------
// Window messages with MFC's handler signatures.

#define ON_WM_CREATE()                                                                            \
    AFX_WM_ENTRY_(WM_CREATE, AFX_RESULT_(AFX_SELF_->OnCreate(reinterpret_cast<LPCREATESTRUCT>(AFX_LP_))); return TRUE;)
#define ON_WM_NCCREATE()                                                                          \
    AFX_WM_ENTRY_(WM_NCCREATE, AFX_RESULT_(AFX_SELF_->OnNcCreate(reinterpret_cast<LPCREATESTRUCT>(AFX_LP_))); return TRUE;)
#define ON_WM_DESTROY() AFX_WM_ENTRY_(WM_DESTROY, AFX_SELF_->OnDestroy(); return TRUE;)
#define ON_WM_NCDESTROY() AFX_WM_ENTRY_(WM_NCDESTROY, AFX_SELF_->OnNcDestroy(); return TRUE;)
#define ON_WM_CLOSE() AFX_WM_ENTRY_(WM_CLOSE, AFX_SELF_->OnClose(); return TRUE;)
#define ON_WM_SIZE()                                                                              \
    AFX_WM_ENTRY_(WM_SIZE, AFX_SELF_->OnSize(static_cast<UINT>(AFX_WP_), static_cast<short>(LOWORD(AFX_LP_)), \
                                             static_cast<short>(HIWORD(AFX_LP_))); return TRUE;)
#define ON_WM_MOVE()                                                                              \
    AFX_WM_ENTRY_(WM_MOVE, AFX_SELF_->OnMove(static_cast<short>(LOWORD(AFX_LP_)), static_cast<short>(HIWORD(AFX_LP_))); return TRUE;)
#define ON_WM_PAINT() AFX_WM_ENTRY_(WM_PAINT, AFX_SELF_->OnPaint(); return TRUE;)
#define ON_WM_NCPAINT() AFX_WM_ENTRY_(WM_NCPAINT, AFX_SELF_->OnNcPaint(); return TRUE;)
#define ON_WM_ERASEBKGND()                                                                        \
    AFX_WM_ENTRY_(WM_ERASEBKGND, AFX_RESULT_(AFX_SELF_->OnEraseBkgnd(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP_)))); return TRUE;)
#define ON_WM_CTLCOLOR()                                                                          \
    AFX_WM_ENTRY_(WM_CTLCOLOR, AFX_RESULT_(reinterpret_cast<LRESULT>(AFX_SELF_->OnCtlColor(        \
                                   CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP_)), AFX_WND_(AFX_LP_),         \
                                   afxCall_.nMessage - WM_CTLCOLORMSGBOX))); return TRUE;)
#define ON_WM_TIMER() AFX_WM_ENTRY_(WM_TIMER, AFX_SELF_->OnTimer(static_cast<UINT_PTR>(AFX_WP_)); return TRUE;)
#define ON_WM_DROPFILES() AFX_WM_ENTRY_(WM_DROPFILES, AFX_SELF_->OnDropFiles(reinterpret_cast<HDROP>(AFX_WP_)); return TRUE;)
#define ON_WM_SETCURSOR()                                                                         \
    AFX_WM_ENTRY_(WM_SETCURSOR, AFX_RESULT_(AFX_SELF_->OnSetCursor(AFX_WND_(AFX_WP_), LOWORD(AFX_LP_), HIWORD(AFX_LP_))); return TRUE;)
#define AFX_MOUSE_ENTRY_(msg, fn) AFX_WM_ENTRY_(msg, AFX_SELF_->fn(static_cast<UINT>(AFX_WP_), AFX_POINT_); return TRUE;)
#define ON_WM_MOUSEMOVE() AFX_MOUSE_ENTRY_(WM_MOUSEMOVE, OnMouseMove)
#define ON_WM_LBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_LBUTTONDOWN, OnLButtonDown)
#define ON_WM_LBUTTONUP() AFX_MOUSE_ENTRY_(WM_LBUTTONUP, OnLButtonUp)
#define ON_WM_LBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_LBUTTONDBLCLK, OnLButtonDblClk)
#define ON_WM_RBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_RBUTTONDOWN, OnRButtonDown)
#define ON_WM_RBUTTONUP() AFX_MOUSE_ENTRY_(WM_RBUTTONUP, OnRButtonUp)
#define ON_WM_RBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_RBUTTONDBLCLK, OnRButtonDblClk)
#define ON_WM_MBUTTONDOWN() AFX_MOUSE_ENTRY_(WM_MBUTTONDOWN, OnMButtonDown)
#define ON_WM_MBUTTONUP() AFX_MOUSE_ENTRY_(WM_MBUTTONUP, OnMButtonUp)
#define ON_WM_MOUSEWHEEL()                                                                        \
    AFX_WM_ENTRY_(WM_MOUSEWHEEL, AFX_RESULT_(AFX_SELF_->OnMouseWheel(LOWORD(AFX_WP_), static_cast<short>(HIWORD(AFX_WP_)), AFX_POINT_)); return TRUE;)
#define AFX_NCMOUSE_ENTRY_(msg, fn) AFX_WM_ENTRY_(msg, AFX_SELF_->fn(static_cast<UINT>(AFX_WP_), AFX_POINT_); return TRUE;)
#define ON_WM_NCMOUSEMOVE() AFX_NCMOUSE_ENTRY_(WM_NCMOUSEMOVE, OnNcMouseMove)
#define ON_WM_NCLBUTTONDOWN() AFX_NCMOUSE_ENTRY_(WM_NCLBUTTONDOWN, OnNcLButtonDown)
#define ON_WM_NCLBUTTONUP() AFX_NCMOUSE_ENTRY_(WM_NCLBUTTONUP, OnNcLButtonUp)
#define ON_WM_NCLBUTTONDBLCLK() AFX_NCMOUSE_ENTRY_(WM_NCLBUTTONDBLCLK, OnNcLButtonDblClk)
#define ON_WM_NCRBUTTONDOWN() AFX_NCMOUSE_ENTRY_(WM_NCRBUTTONDOWN, OnNcRButtonDown)
#define ON_WM_NCRBUTTONUP() AFX_NCMOUSE_ENTRY_(WM_NCRBUTTONUP, OnNcRButtonUp)
#define ON_WM_NCRBUTTONDBLCLK() AFX_NCMOUSE_ENTRY_(WM_NCRBUTTONDBLCLK, OnNcRButtonDblClk)
#define ON_WM_NCMBUTTONDOWN() AFX_NCMOUSE_ENTRY_(WM_NCMBUTTONDOWN, OnNcMButtonDown)
#define ON_WM_NCMBUTTONUP() AFX_NCMOUSE_ENTRY_(WM_NCMBUTTONUP, OnNcMButtonUp)
#define ON_WM_NCMBUTTONDBLCLK() AFX_NCMOUSE_ENTRY_(WM_NCMBUTTONDBLCLK, OnNcMButtonDblClk)
#define ON_WM_MBUTTONDBLCLK() AFX_MOUSE_ENTRY_(WM_MBUTTONDBLCLK, OnMButtonDblClk)
#define ON_WM_MOUSEHOVER() AFX_MOUSE_ENTRY_(WM_MOUSEHOVER, OnMouseHover)
#define ON_WM_NCMOUSEHOVER() AFX_NCMOUSE_ENTRY_(WM_NCMOUSEHOVER, OnNcMouseHover)
#define ON_WM_NCMOUSELEAVE() AFX_WM_ENTRY_(WM_NCMOUSELEAVE, AFX_SELF_->OnNcMouseLeave(); return TRUE;)
#define ON_WM_NCHITTEST() AFX_WM_ENTRY_(WM_NCHITTEST, AFX_RESULT_(AFX_SELF_->OnNcHitTest(AFX_POINT_)); return TRUE;)
#define ON_WM_NCCALCSIZE()                                                                        \
    AFX_WM_ENTRY_(WM_NCCALCSIZE, AFX_SELF_->OnNcCalcSize(static_cast<BOOL>(AFX_WP_), reinterpret_cast<NCCALCSIZE_PARAMS*>(AFX_LP_)); return TRUE;)
#define ON_WM_NCACTIVATE() AFX_WM_ENTRY_(WM_NCACTIVATE, AFX_RESULT_(AFX_SELF_->OnNcActivate(static_cast<BOOL>(AFX_WP_))); return TRUE;)
#define ON_WM_CONTEXTMENU() AFX_WM_ENTRY_(WM_CONTEXTMENU, AFX_SELF_->OnContextMenu(AFX_WND_(AFX_WP_), AFX_POINT_); return TRUE;)
#define ON_WM_INITMENUPOPUP()                                                                     \
    AFX_WM_ENTRY_(WM_INITMENUPOPUP, AFX_SELF_->OnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP_)), \
                                                               LOWORD(AFX_LP_), static_cast<BOOL>(HIWORD(AFX_LP_))); return TRUE;)
#define ON_WM_INITMENU() AFX_WM_ENTRY_(WM_INITMENU, AFX_SELF_->OnInitMenu(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP_))); return TRUE;)
#define ON_WM_MENUCHAR()                                                                          \
    AFX_WM_ENTRY_(WM_MENUCHAR, AFX_RESULT_(AFX_SELF_->OnMenuChar(LOWORD(AFX_WP_), HIWORD(AFX_WP_), \
                                                                 CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_LP_)))); return TRUE;)
#define ON_WM_MENUSELECT()                                                                        \
    AFX_WM_ENTRY_(WM_MENUSELECT, AFX_SELF_->OnMenuSelect(LOWORD(AFX_WP_), HIWORD(AFX_WP_), reinterpret_cast<HMENU>(AFX_LP_)); return TRUE;)
#define ON_WM_MEASUREITEM()                                                                       \
    AFX_WM_ENTRY_(WM_MEASUREITEM, AFX_SELF_->OnMeasureItem(static_cast<int>(AFX_WP_), reinterpret_cast<LPMEASUREITEMSTRUCT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_DRAWITEM()                                                                          \
    AFX_WM_ENTRY_(WM_DRAWITEM, AFX_SELF_->OnDrawItem(static_cast<int>(AFX_WP_), reinterpret_cast<LPDRAWITEMSTRUCT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_GETMINMAXINFO() AFX_WM_ENTRY_(WM_GETMINMAXINFO, AFX_SELF_->OnGetMinMaxInfo(reinterpret_cast<MINMAXINFO*>(AFX_LP_)); return TRUE;)
#define ON_WM_ACTIVATE()                                                                          \
    AFX_WM_ENTRY_(WM_ACTIVATE, AFX_SELF_->OnActivate(LOWORD(AFX_WP_), AFX_WND_(AFX_LP_), static_cast<BOOL>(HIWORD(AFX_WP_))); return TRUE;)
#define ON_WM_ACTIVATEAPP() AFX_WM_ENTRY_(WM_ACTIVATEAPP, AFX_SELF_->OnActivateApp(static_cast<BOOL>(AFX_WP_), static_cast<DWORD>(AFX_LP_)); return TRUE;)
#define ON_WM_MOUSEACTIVATE()                                                                     \
    AFX_WM_ENTRY_(WM_MOUSEACTIVATE, AFX_RESULT_(AFX_SELF_->OnMouseActivate(AFX_WND_(AFX_WP_), LOWORD(AFX_LP_), HIWORD(AFX_LP_))); return TRUE;)
#define ON_WM_SETFOCUS() AFX_WM_ENTRY_(WM_SETFOCUS, AFX_SELF_->OnSetFocus(AFX_WND_(AFX_WP_)); return TRUE;)
#define ON_WM_KILLFOCUS() AFX_WM_ENTRY_(WM_KILLFOCUS, AFX_SELF_->OnKillFocus(AFX_WND_(AFX_WP_)); return TRUE;)
#define AFX_KEY_ENTRY_(msg, fn)                                                                   \
    AFX_WM_ENTRY_(msg, AFX_SELF_->fn(static_cast<UINT>(AFX_WP_), LOWORD(AFX_LP_), HIWORD(AFX_LP_)); return TRUE;)
#define ON_WM_KEYDOWN() AFX_KEY_ENTRY_(WM_KEYDOWN, OnKeyDown)
#define ON_WM_KEYUP() AFX_KEY_ENTRY_(WM_KEYUP, OnKeyUp)
#define ON_WM_CHAR() AFX_KEY_ENTRY_(WM_CHAR, OnChar)
#define ON_WM_SYSKEYDOWN() AFX_KEY_ENTRY_(WM_SYSKEYDOWN, OnSysKeyDown)
#define ON_WM_SYSKEYUP() AFX_KEY_ENTRY_(WM_SYSKEYUP, OnSysKeyUp)
#define ON_WM_SYSCHAR() AFX_KEY_ENTRY_(WM_SYSCHAR, OnSysChar)
#define ON_WM_GETDLGCODE() AFX_WM_ENTRY_(WM_GETDLGCODE, AFX_RESULT_(AFX_SELF_->OnGetDlgCode()); return TRUE;)
#define ON_WM_HSCROLL()                                                                           \
    AFX_WM_ENTRY_(WM_HSCROLL, AFX_SELF_->OnHScroll(LOWORD(AFX_WP_), HIWORD(AFX_WP_),                \
                  afx_detail::WndAs<CScrollBar>(AFX_WND_(AFX_LP_))); return TRUE;)
#define ON_WM_VSCROLL()                                                                           \
    AFX_WM_ENTRY_(WM_VSCROLL, AFX_SELF_->OnVScroll(LOWORD(AFX_WP_), HIWORD(AFX_WP_),                \
                  afx_detail::WndAs<CScrollBar>(AFX_WND_(AFX_LP_))); return TRUE;)
#define ON_WM_SHOWWINDOW() AFX_WM_ENTRY_(WM_SHOWWINDOW, AFX_SELF_->OnShowWindow(static_cast<BOOL>(AFX_WP_), static_cast<UINT>(AFX_LP_)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGED() AFX_WM_ENTRY_(WM_WINDOWPOSCHANGED, AFX_SELF_->OnWindowPosChanged(reinterpret_cast<WINDOWPOS*>(AFX_LP_)); return TRUE;)
#define ON_WM_WINDOWPOSCHANGING() AFX_WM_ENTRY_(WM_WINDOWPOSCHANGING, AFX_SELF_->OnWindowPosChanging(reinterpret_cast<WINDOWPOS*>(AFX_LP_)); return TRUE;)
#define ON_WM_SIZING() AFX_WM_ENTRY_(WM_SIZING, AFX_SELF_->OnSizing(static_cast<UINT>(AFX_WP_), reinterpret_cast<LPRECT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_MOVING() AFX_WM_ENTRY_(WM_MOVING, AFX_SELF_->OnMoving(static_cast<UINT>(AFX_WP_), reinterpret_cast<LPRECT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_CAPTURECHANGED() AFX_WM_ENTRY_(WM_CAPTURECHANGED, AFX_SELF_->OnCaptureChanged(AFX_WND_(AFX_LP_)); return TRUE;)
#define ON_WM_MOUSELEAVE() AFX_WM_ENTRY_(WM_MOUSELEAVE, AFX_SELF_->OnMouseLeave(); return TRUE;)
#define ON_WM_SYSCOMMAND() AFX_WM_ENTRY_(WM_SYSCOMMAND, AFX_SELF_->OnSysCommand(static_cast<UINT>(AFX_WP_), AFX_LP_); return TRUE;)
#define ON_WM_ENABLE() AFX_WM_ENTRY_(WM_ENABLE, AFX_SELF_->OnEnable(static_cast<BOOL>(AFX_WP_)); return TRUE;)
#define ON_WM_SETTINGCHANGE()                                                                     \
    AFX_WM_ENTRY_(WM_SETTINGCHANGE, AFX_SELF_->OnSettingChange(static_cast<UINT>(AFX_WP_), reinterpret_cast<LPCTSTR>(AFX_LP_)); return TRUE;)
#define ON_WM_SYSCOLORCHANGE() AFX_WM_ENTRY_(WM_SYSCOLORCHANGE, AFX_SELF_->OnSysColorChange(); return TRUE;)
#define ON_WM_CANCELMODE() AFX_WM_ENTRY_(WM_CANCELMODE, AFX_SELF_->OnCancelMode(); return TRUE;)
#define ON_WM_HELPINFO() AFX_WM_ENTRY_(WM_HELPINFO, AFX_RESULT_(AFX_SELF_->OnHelpInfo(reinterpret_cast<HELPINFO*>(AFX_LP_))); return TRUE;)
#define ON_WM_ENTERIDLE() AFX_WM_ENTRY_(WM_ENTERIDLE, AFX_SELF_->OnEnterIdle(static_cast<UINT>(AFX_WP_), AFX_WND_(AFX_LP_)); return TRUE;)
#define ON_WM_CHANGECBCHAIN() AFX_WM_ENTRY_(WM_CHANGECBCHAIN, AFX_SELF_->OnChangeCbChain(reinterpret_cast<HWND>(AFX_WP_), reinterpret_cast<HWND>(AFX_LP_)); return TRUE;)
#define ON_WM_QUERYENDSESSION() AFX_WM_ENTRY_(WM_QUERYENDSESSION, AFX_RESULT_(AFX_SELF_->OnQueryEndSession()); return TRUE;)
#define ON_WM_ENDSESSION() AFX_WM_ENTRY_(WM_ENDSESSION, AFX_SELF_->OnEndSession(static_cast<BOOL>(AFX_WP_)); return TRUE;)

#define ON_WM_STYLECHANGED()                                                                      \
    AFX_WM_ENTRY_(WM_STYLECHANGED, AFX_SELF_->OnStyleChanged(static_cast<int>(AFX_WP_), reinterpret_cast<LPSTYLESTRUCT>(AFX_LP_)); return TRUE;)
#define ON_WM_STYLECHANGING()                                                                     \
    AFX_WM_ENTRY_(WM_STYLECHANGING, AFX_SELF_->OnStyleChanging(static_cast<int>(AFX_WP_), reinterpret_cast<LPSTYLESTRUCT>(AFX_LP_)); return TRUE;)
#define ON_WM_PRINTCLIENT()                                                                       \
    AFX_WM_ENTRY_(WM_PRINTCLIENT, AFX_RESULT_(AFX_SELF_->OnPrintClient(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP_)), \
                                                                       static_cast<UINT>(AFX_LP_))); return TRUE;)
#define ON_WM_THEMECHANGED() AFX_WM_ENTRY_(WM_THEMECHANGED, AFX_RESULT_(AFX_SELF_->OnThemeChanged()); return TRUE;)
#define ON_WM_ENTERMENULOOP() AFX_WM_ENTRY_(WM_ENTERMENULOOP, AFX_SELF_->OnEnterMenuLoop(static_cast<BOOL>(AFX_WP_)); return TRUE;)
#define ON_WM_EXITMENULOOP() AFX_WM_ENTRY_(WM_EXITMENULOOP, AFX_SELF_->OnExitMenuLoop(static_cast<BOOL>(AFX_WP_)); return TRUE;)
#define ON_WM_UNINITMENUPOPUP()                                                                   \
    AFX_WM_ENTRY_(WM_UNINITMENUPOPUP, AFX_SELF_->OnUnInitMenuPopup(CMenu::FromHandle(reinterpret_cast<HMENU>(AFX_WP_)), \
                                                                   static_cast<UINT>(AFX_LP_)); return TRUE;)
#define ON_WM_SETTEXT() AFX_WM_ENTRY_(WM_SETTEXT, AFX_RESULT_(AFX_SELF_->OnSetText(reinterpret_cast<LPCTSTR>(AFX_LP_))); return TRUE;)
#define ON_WM_SETFONT()                                                                           \
    AFX_WM_ENTRY_(WM_SETFONT, AFX_SELF_->OnSetFont(CFont::FromHandle(reinterpret_cast<HFONT>(AFX_WP_)), static_cast<BOOL>(AFX_LP_)); return TRUE;)
#define ON_WM_GETFONT() AFX_WM_ENTRY_(WM_GETFONT, AFX_RESULT_(reinterpret_cast<LRESULT>(AFX_SELF_->OnGetFont())); return TRUE;)
// Sent to an MDI child: lParam is the child activated, wParam the one deactivated.
#define ON_WM_MDIACTIVATE()                                                                       \
    AFX_WM_ENTRY_(WM_MDIACTIVATE, AFX_SELF_->OnMDIActivate(reinterpret_cast<HWND>(AFX_LP_) == AFX_SELF_->m_hWnd, \
                                                           AFX_WND_(AFX_LP_), AFX_WND_(AFX_WP_)); return TRUE;)
#define ON_WM_PARENTNOTIFY() AFX_WM_ENTRY_(WM_PARENTNOTIFY, AFX_SELF_->OnParentNotify(LOWORD(AFX_WP_), AFX_LP_); return TRUE;)

// Registered and plain messages: LRESULT handler(WPARAM, LPARAM).
#define ON_MESSAGE(message, memberFxn)                                                            \
    AFX_WM_ENTRY_(message, AFX_RESULT_((AFX_SELF_->*(memberFxn))(AFX_WP_, AFX_LP_)); return TRUE;)
#define ON_REGISTERED_MESSAGE(nMessageVariable, memberFxn)                                        \
    {0xC000, 0, 0, 0, AfxSig_registered,                                                          \
     AFX_THUNK_(AFX_RESULT_((AFX_SELF_->*(memberFxn))(AFX_WP_, AFX_LP_)); return TRUE;), &(nMessageVariable)},

// ---------------------------------------------------------------------------
// Commands and control notifications.

#define AFX_CMD_ENTRY_(code, id, lastId, body)                                                    \
    {WM_COMMAND, static_cast<WORD>(code), static_cast<WORD>(id), static_cast<WORD>(lastId), AfxSig_cmd, AFX_THUNK_(body), nullptr},

#define ON_COMMAND(id, memberFxn) AFX_CMD_ENTRY_(CN_COMMAND, id, id, (AFX_SELF_->*(memberFxn))(); return TRUE;)
#define ON_COMMAND_EX(id, memberFxn) AFX_CMD_ENTRY_(CN_COMMAND, id, id, return (AFX_SELF_->*(memberFxn))(afxCall_.nID);)
#define ON_COMMAND_RANGE(id, idLast, memberFxn)                                                   \
    AFX_CMD_ENTRY_(CN_COMMAND, id, idLast, (AFX_SELF_->*(memberFxn))(afxCall_.nID); return TRUE;)
#define ON_COMMAND_EX_RANGE(id, idLast, memberFxn)                                                \
    AFX_CMD_ENTRY_(CN_COMMAND, id, idLast, return (AFX_SELF_->*(memberFxn))(afxCall_.nID);)
#define ON_UPDATE_COMMAND_UI(id, memberFxn)                                                       \
    {WM_COMMAND, 0xFFFFFFFFu, static_cast<WORD>(id), static_cast<WORD>(id), AfxSig_cmdUI,         \
     AFX_THUNK_((AFX_SELF_->*(memberFxn))(static_cast<CCmdUI*>(afxCall_.pExtra)); return TRUE;), nullptr},
#define ON_UPDATE_COMMAND_UI_RANGE(id, idLast, memberFxn)                                         \
    {WM_COMMAND, 0xFFFFFFFFu, static_cast<WORD>(id), static_cast<WORD>(idLast), AfxSig_cmdUI,     \
     AFX_THUNK_((AFX_SELF_->*(memberFxn))(static_cast<CCmdUI*>(afxCall_.pExtra)); return TRUE;), nullptr},

#define ON_CONTROL(code, id, memberFxn) AFX_CMD_ENTRY_(code, id, id, (AFX_SELF_->*(memberFxn))(); return TRUE;)
#define ON_CONTROL_RANGE(code, id, idLast, memberFxn)                                             \
    AFX_CMD_ENTRY_(code, id, idLast, (AFX_SELF_->*(memberFxn))(afxCall_.nID); return TRUE;)

#define ON_BN_CLICKED(id, memberFxn) ON_CONTROL(BN_CLICKED, id, memberFxn)
#define ON_BN_DOUBLECLICKED(id, memberFxn) ON_CONTROL(BN_DOUBLECLICKED, id, memberFxn)
#define ON_BN_SETFOCUS(id, memberFxn) ON_CONTROL(BN_SETFOCUS, id, memberFxn)
#define ON_BN_KILLFOCUS(id, memberFxn) ON_CONTROL(BN_KILLFOCUS, id, memberFxn)
#define ON_CBN_SELCHANGE(id, memberFxn) ON_CONTROL(CBN_SELCHANGE, id, memberFxn)
#define ON_CBN_DROPDOWN(id, memberFxn) ON_CONTROL(CBN_DROPDOWN, id, memberFxn)
#define ON_CBN_CLOSEUP(id, memberFxn) ON_CONTROL(CBN_CLOSEUP, id, memberFxn)
#define ON_CBN_SELENDOK(id, memberFxn) ON_CONTROL(CBN_SELENDOK, id, memberFxn)
#define ON_CBN_EDITCHANGE(id, memberFxn) ON_CONTROL(CBN_EDITCHANGE, id, memberFxn)
#define ON_CBN_KILLFOCUS(id, memberFxn) ON_CONTROL(CBN_KILLFOCUS, id, memberFxn)
#define ON_EN_CHANGE(id, memberFxn) ON_CONTROL(EN_CHANGE, id, memberFxn)
#define ON_EN_UPDATE(id, memberFxn) ON_CONTROL(EN_UPDATE, id, memberFxn)
#define ON_EN_SETFOCUS(id, memberFxn) ON_CONTROL(EN_SETFOCUS, id, memberFxn)
#define ON_EN_KILLFOCUS(id, memberFxn) ON_CONTROL(EN_KILLFOCUS, id, memberFxn)
#define ON_LBN_SELCHANGE(id, memberFxn) ON_CONTROL(LBN_SELCHANGE, id, memberFxn)
#define ON_LBN_DBLCLK(id, memberFxn) ON_CONTROL(LBN_DBLCLK, id, memberFxn)
#define ON_STN_CLICKED(id, memberFxn) ON_CONTROL(STN_CLICKED, id, memberFxn)

// ---------------------------------------------------------------------------
// WM_NOTIFY: void handler(NMHDR*, LRESULT*); ranges and _EX forms get the id,
// and _EX handlers return TRUE when they handled the notification.

#define AFX_NOTIFY_ARGS_                                                                          \
    static_cast<AFX_NOTIFY*>(afxCall_.pExtra)->pNMHDR, static_cast<AFX_NOTIFY*>(afxCall_.pExtra)->pResult
#define AFX_NOTIFY_ENTRY_(msg, code, id, lastId, body)                                            \
    {msg, static_cast<WORD>(code), static_cast<WORD>(id), static_cast<WORD>(lastId), AfxSig_notify, AFX_THUNK_(body), nullptr},

#define ON_NOTIFY(code, id, memberFxn)                                                            \
    AFX_NOTIFY_ENTRY_(WM_NOTIFY, code, id, id, (AFX_SELF_->*(memberFxn))(AFX_NOTIFY_ARGS_); return TRUE;)
#define ON_NOTIFY_RANGE(code, id, idLast, memberFxn)                                              \
    AFX_NOTIFY_ENTRY_(WM_NOTIFY, code, id, idLast, (AFX_SELF_->*(memberFxn))(afxCall_.nID, AFX_NOTIFY_ARGS_); return TRUE;)
#define ON_NOTIFY_EX(code, id, memberFxn)                                                         \
    AFX_NOTIFY_ENTRY_(WM_NOTIFY, code, id, id, return (AFX_SELF_->*(memberFxn))(afxCall_.nID, AFX_NOTIFY_ARGS_);)
#define ON_NOTIFY_EX_RANGE(code, id, idLast, memberFxn)                                           \
    AFX_NOTIFY_ENTRY_(WM_NOTIFY, code, id, idLast, return (AFX_SELF_->*(memberFxn))(afxCall_.nID, AFX_NOTIFY_ARGS_);)

// ---------------------------------------------------------------------------
// Reflection: the control's own map handles what its parent was sent.

#define ON_NOTIFY_REFLECT(code, memberFxn)                                                        \
    AFX_NOTIFY_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, (AFX_SELF_->*(memberFxn))(AFX_NOTIFY_ARGS_); return TRUE;)
#define ON_NOTIFY_REFLECT_EX(code, memberFxn)                                                     \
    AFX_NOTIFY_ENTRY_(WM_REFLECT_BASE + WM_NOTIFY, code, 0, 0, return (AFX_SELF_->*(memberFxn))(AFX_NOTIFY_ARGS_);)
#define ON_CONTROL_REFLECT(code, memberFxn)                                                       \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, AfxSig_cmd,                     \
     AFX_THUNK_((AFX_SELF_->*(memberFxn))(); return TRUE;), nullptr},
#define ON_CONTROL_REFLECT_EX(code, memberFxn)                                                    \
    {WM_REFLECT_BASE + WM_COMMAND, static_cast<WORD>(code), 0, 0, AfxSig_cmd,                     \
     AFX_THUNK_(return (AFX_SELF_->*(memberFxn))();), nullptr},
// A NULL brush means "not handled here": the parent's own colour handling runs.
#define ON_WM_CTLCOLOR_REFLECT()                                                                  \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_CTLCOLOR,                                                  \
                  HBRUSH afxBrush_ = AFX_SELF_->CtlColor(CDC::FromHandle(reinterpret_cast<HDC>(AFX_WP_)), \
                                                         afxCall_.nMessage - WM_REFLECT_BASE - WM_CTLCOLORMSGBOX); \
                  AFX_RESULT_(reinterpret_cast<LRESULT>(afxBrush_)); return afxBrush_ != nullptr;)
#define ON_WM_DRAWITEM_REFLECT()                                                                  \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_DRAWITEM,                                                  \
                  AFX_SELF_->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_MEASUREITEM_REFLECT()                                                               \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_MEASUREITEM,                                               \
                  AFX_SELF_->MeasureItem(reinterpret_cast<LPMEASUREITEMSTRUCT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_COMPAREITEM_REFLECT()                                                               \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_COMPAREITEM,                                               \
                  AFX_RESULT_(AFX_SELF_->CompareItem(reinterpret_cast<LPCOMPAREITEMSTRUCT>(AFX_LP_))); return TRUE;)
#define ON_WM_DELETEITEM_REFLECT()                                                                \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_DELETEITEM,                                                \
                  AFX_SELF_->DeleteItem(reinterpret_cast<LPDELETEITEMSTRUCT>(AFX_LP_)); AFX_RESULT_(TRUE); return TRUE;)
#define ON_WM_CHARTOITEM_REFLECT()                                                                \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_CHARTOITEM, AFX_RESULT_(AFX_SELF_->CharToItem(LOWORD(AFX_WP_), HIWORD(AFX_WP_))); return TRUE;)
#define ON_WM_VKEYTOITEM_REFLECT()                                                                \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_VKEYTOITEM, AFX_RESULT_(AFX_SELF_->VKeyToItem(LOWORD(AFX_WP_), HIWORD(AFX_WP_))); return TRUE;)
#define ON_WM_PARENTNOTIFY_REFLECT()                                                              \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_PARENTNOTIFY, AFX_SELF_->ParentNotify(LOWORD(AFX_WP_), AFX_LP_); return TRUE;)
#define ON_WM_HSCROLL_REFLECT()                                                                   \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_HSCROLL, AFX_SELF_->HScroll(LOWORD(AFX_WP_), HIWORD(AFX_WP_)); return TRUE;)
#define ON_WM_VSCROLL_REFLECT()                                                                   \
    AFX_WM_ENTRY_(WM_REFLECT_BASE + WM_VSCROLL, AFX_SELF_->VScroll(LOWORD(AFX_WP_), HIWORD(AFX_WP_)); return TRUE;)
