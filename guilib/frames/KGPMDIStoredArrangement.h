// A stored MDI arrangement read whole into scratch records (the documents
// with the objects stored with them, the strip's or groups' tabs, or each
// window's placement) before any window is closed or made.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "guilib/frames/KGPMainClientAreaWnd.h"

struct CKGPMDIStoredArrangement {
    struct Document {
        CString name;
        std::unique_ptr<CObject> object;
        int paneId = -1;
    };
    struct Tab {
        Document document;
        CString label;
        COLORREF back = static_cast<COLORREF>(-1);
    };
    struct TabWindow {
        int activeTab = -1;
        BOOL activeGroup = FALSE;
        std::vector<Tab> tabs;
        BOOL autoColor = FALSE;
        std::vector<COLORREF> autoColors;
        BOOL closeButton = TRUE;
        BOOL tabSwap = TRUE;
        int borderSize = 2;
        CRect rect; // screen
    };
    struct Child {
        Document document;
        WINDOWPLACEMENT placement = {};
        BOOL active = FALSE;
    };

    CKGPMDITabParams params;
    BOOL tabsEnabled = FALSE;
    BOOL groups = FALSE;
    BOOL visible = FALSE;
    int alignment = 0;
    int resizeMargin = 40;
    int newGroupMargin = 40;
    std::vector<TabWindow> windows;
    std::vector<Child> children;
};
