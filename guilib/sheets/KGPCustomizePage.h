// The commands page of the customisation sheet: the categories of the
// sheet's catalogue, the commands of the chosen one, the chosen command's
// description; a command is dragged from the list onto a toolbar or menu.
#pragma once

#include <afxhandle.h>
#include <afxole.h>
#include <afxwin.h>

class CKGPToolbarButton;
class CKGPToolbarCustomize;

// The command list: each item's data is a button of the catalogue. A press
// on an item selects it and drags its button by OLE drag and drop (a press
// released where it was is only a choice).
class CButtonsTextList : public CListBox {
    DECLARE_DYNAMIC(CButtonsTextList)
public:
    CKGPToolbarButton* GetButton(int nIndex) const;
    // Drags the item's button (copy or move); the effect the drop answered.
    DROPEFFECT DragItem(int nIndex);
    // The height of a row: a menu image in its frame, or a line of text.
    int RowHeight() const;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Each row is drawn by its button, image and all, with the text the list keeps.
    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;

private:
    // The library's drag cursor, shown as a drag starts (loaded on the first).
    CCursorHandle m_hcurDrag;
};

class CKGPCustomizePage : public CPropertyPage {
    DECLARE_DYNCREATE(CKGPCustomizePage)
public:
    CKGPCustomizePage();

    // Lists the category's buttons (its index in the category list).
    void SelectCategory(int nIndex);
    // Shows the description of the command at the index of the command list.
    void SelectCommand(int nIndex);
    // The text an item of the list shows for the button in the category.
    static CString ItemText(const CKGPToolbarButton& button, const CObList& lstCategory, BOOL bAllCommands);
    CListBox& GetCategoryList() { return m_wndCategories; }
    CButtonsTextList& GetCommandList() { return m_wndCommands; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    CKGPToolbarCustomize* Sheet() const;

private:
    CListBox m_wndCategories;
    CButtonsTextList m_wndCommands;
    CString m_strAllCommands;
};
