// The menu page of the customisation sheet: the frame's menus (the default
// menu and each document template's) shown in the menu bar for editing and
// reset to their resources, and the popup menus' animation and shadows.
#pragma once

#include <afxwin.h>

class CKGPMenuBar;
class CMultiDocTemplate;

class CKGPMenuPage : public CPropertyPage {
    DECLARE_DYNCREATE(CKGPMenuPage)
public:
    explicit CKGPMenuPage(CFrameWnd* pParentFrame = nullptr, BOOL bAutoSet = FALSE);
    ~CKGPMenuPage() override;

    // The frame's menu at the index of the combo goes into the menu bar (the
    // one edited before is stored first).
    void SelectFrameMenu(int nIndex);
    // The chosen menu loaded again from its resource (the buttons ask first);
    // FALSE when it has no resource.
    BOOL ResetFrameMenu();
    // The menu bar this page edits; null when the frame has none.
    CKGPMenuBar* GetMenuBar() const { return m_pMenuBar; }
    CComboBox& GetFrameMenus() { return m_wndFrameMenus; }
    CComboBox& GetAnimations() { return m_wndAnimation; }
    // The animation chosen and the shadow option go to the popup menus.
    void ApplyOptions();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    CMultiDocTemplate* ChosenTemplate() const;
    void StoreEditedMenu();
    CComboBox m_wndFrameMenus;
    CComboBox m_wndContextMenus;
    CComboBox m_wndAnimation;
    CFrameWnd* m_pParentFrame;
    CKGPMenuBar* m_pMenuBar = nullptr;
    BOOL m_bAutoSet;
};
