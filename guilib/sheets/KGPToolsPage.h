// The tools page of the customisation sheet: the user tools of the user-tools
// manager in an editable list, and the command, arguments and initial
// directory of the chosen one.
#pragma once

#include <afxwin.h>

#include "guilib/controls/KGPEditListBox.h"

class CKGPToolsPage;
class CKGPUserTool;

// The list of tools: its additions, removals, moves and renamings reach the
// page, which keeps the manager's tools in step.
class CToolsList : public CKGPEditListBox {
    DECLARE_DYNAMIC(CToolsList)
public:
    explicit CToolsList(CKGPToolsPage& page) : m_page(page) {}

protected:
    BOOL OnBeforeRemoveItem(int nIndex) override;
    void OnAfterAddItem(int nIndex) override;
    void OnAfterRenameItem(int nIndex) override;
    void OnAfterMoveItemUp(int nIndex) override;
    void OnAfterMoveItemDown(int nIndex) override;
    void OnSelectionChanged() override;

private:
    friend class CKGPToolsPage;
    CKGPToolsPage& m_page;
};

class CKGPToolsPage : public CPropertyPage {
    DECLARE_DYNAMIC(CKGPToolsPage)
public:
    CKGPToolsPage();

    // A new tool named so (listed and chosen); null, with message 16024,
    // when every id of the tools' range is taken.
    CKGPUserTool* AddTool(LPCTSTR lpszLabel);
    // The tool at the list's index goes (with its buttons on every bar).
    BOOL RemoveTool(int nIndex);
    // The chosen tool (null for none) and its fields.
    CKGPUserTool* GetSelectedTool() const;
    void SelectTool(int nIndex);
    // Types the text into the field as character messages.
    void TypeInto(UINT nIDField, const CString& strText);
    CToolsList& GetToolsList() { return m_wndToolsList; }

    // Leaving the page asks the sheet whether the tools are sound.
    BOOL OnKillActive() override;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void ShowFields();
    void OfferMenu(UINT nIDButton, UINT nIDMenu, UINT nIDField);

private:
    friend class CToolsList;
    CToolsList m_wndToolsList;
    BOOL m_bFilling = FALSE;
};
