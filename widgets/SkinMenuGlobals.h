// The process-wide state of the skinned menus, owned in one place and
// released at exit: the menu image list, the per-command image indexes, the
// saved system value the skin changes, the menus made owner-drawn, the three
// GDI objects items are drawn with, the skin menu manager and two look-up maps
// (menu handle -> owning menu object, item record -> its menu).
#pragma once

#include <afxwin.h>
#include <afxcmn.h>

#include <map>
#include <vector>

#include "widgets/SkinMenuRender.h"

// Text and kind of one owner-drawn menu item; the menu's item data points here.
struct CSkinMenuItem {
    CString text;        // as stored in the resource, with '&' and "\t" accelerator
    UINT commandId = 0;  // 0 for separators and popups
    bool separator = false;
    bool popup = false;
    bool topLevel = false;  // an item of a menu bar
};

// Holds the renderer a hook would call. The program installs no hook, so the
// renderer is only remembered.
class CSkinMenuManager {
public:
    void SetRenderer(ISkinMenuRender* renderer) { m_renderer = renderer; }
    ISkinMenuRender* GetRenderer() const { return m_renderer; }
    bool IsHookInstalled() const { return false; }

private:
    ISkinMenuRender* m_renderer = nullptr;
};

class CSkinMenuGlobals {
public:
    CSkinMenuGlobals();
    ~CSkinMenuGlobals();
    CSkinMenuGlobals(const CSkinMenuGlobals&) = delete;
    CSkinMenuGlobals& operator=(const CSkinMenuGlobals&) = delete;

    CImageList m_images;                 // command images (none loaded by the program)
    std::vector<int> m_imageOfCommand;   // index in m_images per registered command, -1 none
    UINT m_savedMenuShowDelay = 0;       // the system value before the skin changed it
    std::vector<CMenu*> m_skinnedMenus;  // menus whose items are owner-drawn (not owned)
    CFont m_itemFont;
    CBrush m_highlightBrush;
    CPen m_highlightPen;
    CSkinMenuManager m_manager;
    std::map<HMENU, CMenu*> m_menuOfHandle;             // every skinned (sub)menu -> owning object
    std::map<const CSkinMenuItem*, HMENU> m_itemRecords;  // every live item record -> its menu

    // The record when itemData is one of ours, else nullptr.
    const CSkinMenuItem* FindItem(ULONG_PTR itemData) const;
};

CSkinMenuGlobals& GetSkinMenuGlobals();
