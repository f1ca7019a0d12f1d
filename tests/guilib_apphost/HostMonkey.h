// A monkey in the application host: seeded random steps of real input
// (SendInput through HostDriver.h) across every family a user reaches:
// docking (panes dragged by caption or tab to markers, captions, tab
// strips, the outlook bar, the notes, off the frame; floating captions
// double-clicked; pin and unpin; close by the caption's button and show again
// from the View menu or the bars' context menu; Esc in a drag; sliders
// dragged), toolbars and menus (bars dragged by their grippers, a floating
// bar resized, menus by mouse and keys, the show-all item, the customise
// button's menu), customisation (the sheet opened, commands dragged onto a
// toolbar and into a menu, buttons dragged off, a toolbar reset, the sheet
// closed), documents (new, close, shown as tabs, tab groups or windows,
// maximised and restored, a tab dragged to another group or a new one) and a
// restart. Each step tells what it did, so that a run read back from the log
// can be followed; the same seed draws the same steps.
#pragma once

#include <afxwin.h>

#include "tests/support/DockingWalk.h"

#include <functional>
#include <set>
#include <string>
#include <vector>

class CHostMainFrame;
class CKGPDockingControlBar;
class CKGPToolBar;
class CKGPMenuBar;

namespace apphost {

class CHostMonkey {
public:
    // `restart` saves, closes and starts the application again; what it
    // found wrong ("" when the layout came back as saved, "-" when it may not
    // restart now). Operations named
    // in `left out` are not drawn (a fault awaiting its mend elsewhere).
    CHostMonkey(unsigned long seed, std::function<std::string()> restart, std::set<std::string> leftOut);

    // One step drawn and played; what it did, for the log.
    std::string Step();
    // Every operation once, in turn (the sheet's own between its opening and
    // its closing): what the process keeps from a first use on is made
    // before objects are counted. What each did, for the log.
    std::vector<std::string> Warm();
    // What the last step found wrong itself ("" when nothing).
    std::string TakeFault();
    // The panes the user closed and has not shown again.
    const std::set<int>& ClosedOnPurpose() const { return m_closed; }
    // Every operation's name.
    static std::vector<std::string> OperationNames();

private:
    using Operation = std::string (CHostMonkey::*)();
    struct Entry {
        const char* name;
        Operation operation;
        int weight;
        bool whileCustomising; // drawn only (or never) while the sheet is open
    };
    static const std::vector<Entry>& Operations();

    CHostMainFrame& Frame() const;
    int Pick(int n) { return m_draws.Pick(n); }
    // The kind of drop point (of n kinds): drawn, or the one a warming step takes.
    int PickKind(int n) { return m_targetKind >= 0 ? m_targetKind % n : Pick(n); }
    // A point of the rectangle drawn at random, `margin` in from its edges.
    CPoint PointIn(const CRect& rect, int margin = 4);
    // The frame's windows at rest again: the mouse released, menus closed,
    // what the step caused handled.
    void Settle();
    void Note(const std::string& fault);

    // ---- Docking (MonkeyDocking.cpp).
    std::string DragPane();
    std::string EscapeInDrag();
    std::string DoubleClickCaption();
    std::string Pin();
    std::string Unpin();
    std::string ClosePane();
    std::string ShowFromMenu();
    std::string DragSlider();
    // A pane shown where it stands and not auto-hidden (and, when asked, one
    // the step can act on), drawn; null when none.
    CKGPDockingControlBar* DrawShownPane(const std::function<bool(CKGPDockingControlBar&)>& usable = nullptr);
    // Where a drag of the pane starts: its tab or its caption (the tabbed
    // pane's, the floating frame's); what was taken, for the log.
    CPoint DragSource(CKGPDockingControlBar& pane, std::string& what);
    // A drop point of the kind drawn (some known only once the drag shows
    // the markers: `marker` is then set and the point is aimed during the
    // drag); what it is, for the log.
    CPoint DropTarget(CKGPDockingControlBar& pane, int& marker, std::string& what);

    // ---- Toolbars and menus (MonkeyBars.cpp).
    std::string DragToolBar();
    std::string ResizeFloatingToolBar();
    std::string MenuByMouse();
    std::string MenuByKeys();
    std::string CustomiseButtonMenu();
    // The frame brought to the front and its menu bar left, so that keys
    // pressed next reach the frame as a user's do; what it took, for the log.
    std::string KeysToFrame();
    // Chooses an item of the open popup (a safe one), the show-all item, or
    // none (Esc); what was chosen.
    std::string ChooseInPopup();
    // A pane's entry chosen in a bars' list shows or hides it: the closed
    // ones follow.
    void AfterCommand(UINT command);

    // ---- Customisation (MonkeyCustomise.cpp).
    std::string OpenCustomiseSheet();
    std::string DragCommandToToolBar();
    std::string DragCommandToMenu();
    std::string DragButtonOff();
    std::string ResetToolBar();
    std::string CloseCustomiseSheet();
    // Chooses a category of the commands page by the mouse; the command
    // list's window, or null.
    HWND ChooseCategory(std::string& what);

    // ---- Documents (MonkeyDocuments.cpp).
    std::string NewDocument();
    std::string CloseDocument();
    std::string ShowDocumentsAs();
    std::string MaximiseOrRestore();
    std::string DragDocumentTab();
    // A menu bar's item opened by the mouse (by its key where a floating
    // window covers it), the popup's item with this text shown (behind the
    // show-all item when used rarely); where it is.
    CPoint OpenToItem(LPCTSTR lpszMenu, LPCTSTR lpszItem);
    // One of the menu bar's menus drawn at random, or -1 with why there is none.
    int PickTopLevelMenu(CKGPMenuBar& bar, std::string& none);
    // Where the active popup's item shows on the screen once it does (within
    // a second), else nowhere.
    CPoint ShownItemPoint(LPCTSTR lpszItem);
    // The same, the item then chosen; whether both were there.
    bool ChooseFromMenu(LPCTSTR lpszMenu, LPCTSTR lpszItem);

    std::string Restart();

    docking_walk::CSeededDraws m_draws;
    std::function<std::string()> m_restart;
    std::set<std::string> m_leftOut;
    std::set<int> m_closed;
    std::string m_fault;
    // The kind of drop a warming step takes instead of drawing one (-1: drawn).
    int m_targetKind = -1;
};

// The toolbars a user drags and customises: the menu bar and the toolbars.
std::vector<CKGPToolBar*> MonkeyBars(CHostMainFrame& frame);

} // namespace apphost
