// COwnerDrawMenu: a menu loaded from a resource whose items are drawn with
// the program's look (white face, green highlight). Popups taken from it by
// position are tracked as usual; WM_MEASUREITEM/WM_DRAWITEM reach this object
// through the layer's menu dispatch.
#pragma once

#include <afxwin.h>

#include <memory>
#include <vector>

#include "widgets/SkinMenuGlobals.h"

class COwnerDrawMenu : public CMenu {
public:
    COwnerDrawMenu() = default;
    ~COwnerDrawMenu() override;

    // Loads the menu resource (current resource module) and makes every item
    // of every popup owner-drawn.
    BOOL LoadMenu(UINT nIDResource);
    BOOL DestroyMenu();
    // Makes the items of a menu already held owner-drawn (after items were added).
    void SkinItems();

    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

    // Item geometry of the look.
    static constexpr int kItemHeight = 24;
    static constexpr int kSeparatorHeight = 7;
    static constexpr int kCheckColumn = 24;
    static constexpr int kTextGap = 28;  // between the text and the accelerator

protected:
    // The top-level items of a menu bar stay plain (CMenuEx).
    virtual bool SkinsTopLevel() const { return true; }

private:
    void SkinMenu(HMENU hMenu, bool topLevel);
    void ForgetRecords();

    std::vector<std::unique_ptr<CSkinMenuItem>> m_records;
    std::vector<HMENU> m_skinnedHandles;
};

// The skinned menus' WM_MENUCHAR handler, shared by the frame and the pages:
// picks the item of pMenu whose mnemonic ('&' + letter, case ignored) is
// nChar. One match runs it (MNC_EXECUTE), several select the next one after
// the highlighted item (MNC_SELECT), none answers MNC_IGNORE (0).
LRESULT SkinMenuOnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
LRESULT SkinMenuOnMenuChar(UINT nChar, UINT nFlags, HMENU hMenu);
