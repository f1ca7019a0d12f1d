// The keyboard page of the customisation sheet: the commands of a category,
// the keys each has in the accelerator table of the frame or of a document
// template, and a field that captures a new key combination to assign.
#pragma once

#include <afxwin.h>

#include "guilib/sheets/KGPKeyAssignRules.h"

#include <vector>

class CMultiDocTemplate;

// The field that captures one key combination (see kgp::KeyCaptureStep).
class CKeyAssign : public CEdit {
    DECLARE_DYNAMIC(CKeyAssign)
public:
    BOOL IsKeyDefined() const { return m_capture.complete; }
    // The captured combination (flags and key), valid while IsKeyDefined.
    ACCEL GetAccel() const;
    void ResetKey();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void ShowCapture();
    kgp::KeyCapture m_capture;
};

class CKGPKeyboardPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKGPKeyboardPage)
public:
    explicit CKGPKeyboardPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);

    // The table of the view (0: the frame's own, then the templates').
    void SelectView(int nIndex);
    void SelectCategory(int nIndex);
    void SelectCommand(int nIndex);
    // The captured combination goes to the current command; FALSE without
    // a command, a complete combination, or when the table was not taken.
    BOOL AssignShortcut();
    // The key at the index of the current keys goes; FALSE when none.
    BOOL RemoveShortcut(int nKeyIndex);
    // The table being edited, as the page holds it.
    const std::vector<kgp::AccelEntry>& GetTable() const { return m_table; }
    CKeyAssign& GetKeyField() { return m_wndNewKey; }
    CListBox& GetCurrentKeys() { return m_wndCurrentKeys; }
    CListBox& GetCommands() { return m_wndCommands; }
    CComboBox& GetCategories() { return m_wndCategory; }

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnNewKey();
    void LoadTable();
    BOOL InstallTable(const std::vector<kgp::AccelEntry>& table);
    UINT CurrentCommand() const;
    void ListCurrentKeys();

private:
    CComboBox m_wndCategory;
    CListBox m_wndCommands;
    CComboBox m_wndView;
    CListBox m_wndCurrentKeys;
    CKeyAssign m_wndNewKey;
    std::vector<kgp::AccelEntry> m_table;
    CMultiDocTemplate* m_pSelTemplate = nullptr;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSet;
};
