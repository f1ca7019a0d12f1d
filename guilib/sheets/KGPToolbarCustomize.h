// The customisation sheet: a modeless property sheet over the frame while
// every toolbar of the process is customised, and the catalogue of the
// commands the user may drag onto bars, grouped by category (from the
// frame's menus, or added by the program).
#pragma once

#include <afxdlg.h>

#include "guilib/controls/KGPButton.h"
#include "guilib/toolbars/KGPToolbarButton.h"

#include <map>
#include <memory>

class CKGPCustomizePage;
class CKGPKeyboardPage;
class CKGPMenuPage;
class CKGPMousePage;
class CKGPOptionsPage;
class CKGPToolsPage;
class CKGPToolbarsPage;
class CComboBox;
class CListBox;

// Option bits of the sheet.
// The toolbars page offers the text labels of a bar.
constexpr UINT KGP_CUSTOMIZE_TEXT_LABELS = 0x02;
// The visual manager's extra option: kept only while the visual manager offers it.
constexpr UINT KGP_CUSTOMIZE_VISUAL_OPTION = 0x04;
constexpr UINT KGP_CUSTOMIZE_NOHELP = 0x10;
constexpr UINT KGP_CUSTOMIZE_CONTEXT_HELP = 0x20;
constexpr UINT KGP_CUSTOMIZE_NOTOOLS = 0x80;
constexpr UINT KGP_CUSTOMIZE_KEEP_AMPERSANDS = 0x100;
// A control's help popup is its help id plus this, in the program's help file.
constexpr DWORD_PTR KGP_CUSTOMIZE_HELP_ID_BASE = 0x41000;

class CKGPToolbarCustomize : public CPropertySheet {
    DECLARE_DYNAMIC(CKGPToolbarCustomize)
public:
    // Pages of the library (commands, toolbars) and of the caller's classes
    // (each must make a CPropertyPage); with bAutoSetFromMenus the catalogue
    // is built from the frame's menus.
    CKGPToolbarCustomize(CFrameWnd* pWndParentFrame, BOOL bAutoSetFromMenus = FALSE, UINT uiFlags = 0,
                         CList<CRuntimeClass*, CRuntimeClass*>* plistCustomPages = nullptr);
    ~CKGPToolbarCustomize() override;

    // Makes the modeless sheet over the frame and customises the toolbars;
    // FALSE when it could not be made. The sheet is made with new and
    // deletes itself when its window goes (Close).
    virtual BOOL Create();
    // Whether the command may stand in the catalogue (all may, by default).
    virtual BOOL OnAssignKey(UINT /*uiCmd*/) { return TRUE; }
    // Asked before the sheet closes; FALSE keeps it open.
    virtual BOOL CheckToolsValidity(const CObList& /*lstTools*/) { return TRUE; }

    // ---- The catalogue.
    // A copy of the button joins the category (created on first use) before
    // the position (-1: at the end), and the all-commands category too. A
    // button of a command the category holds already, a button that is not
    // stored, a forbidden command and a button with no text are not added.
    void AddButton(LPCTSTR lpszCategory, const CKGPToolbarButton& button, int iInsertBefore = -1);
    void AddButton(UINT uiCategoryId, const CKGPToolbarButton& button, int iInsertBefore = -1);
    // Every item of the frame's menus (and the document templates' menus).
    BOOL SetupFromMenus();
    // Category names in order, each with its button list as item data (the
    // all-commands category last); with bAddEmpty empty categories too.
    void FillCategoriesComboBox(CComboBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    void FillCategoriesListBox(CListBox& wndCategory, BOOL bAddEmpty = TRUE) const;
    void FillAllCommandsList(CListBox& wndListOfCommands) const;
    // The text of the command's button under all commands; null when absent.
    LPCTSTR GetCommandName(UINT uiCmd) const;
    // The same under the name the frames use.
    LPCTSTR FindCommandButton(UINT uiCmd) const { return GetCommandName(uiCmd); }
    // How many buttons of the list carry the text.
    static int GetCountInCategory(LPCTSTR lpszItemName, const CObList& lstCommands);
    const CObList* GetCategory(LPCTSTR lpszCategory) const;
    const CStringList& GetCategoryNames() const { return m_strCategoriesList; }
    const CString& GetAllCommandsName() const { return m_strAllCommands; }

    CFrameWnd* GetFrame() const { return m_pParentFrame; }
    UINT GetFlags() const { return m_uiFlags; }
    CKGPCustomizePage* GetCommandsPage() const { return m_pCustomizePage.get(); }
    CKGPToolbarsPage* GetToolbarsPage() const { return m_pToolbarsPage.get(); }
    // Null when the frame has no accelerator table or the keyboard manager is off.
    CKGPKeyboardPage* GetKeyboardPage() const { return m_pKeyboardPage.get(); }
    // Null without a menu bar or context-menu manager.
    CKGPMenuPage* GetMenuPage() const { return m_pMenuPage.get(); }
    // Null without a mouse manager.
    CKGPMousePage* GetMousePage() const { return m_pMousePage.get(); }
    CKGPOptionsPage* GetOptionsPage() const { return m_pOptionsPage.get(); }
    // Null without a user-tools manager or with KGP_CUSTOMIZE_NOTOOLS.
    CKGPToolsPage* GetToolsPage() const { return m_pToolsPage.get(); }
    // The help button at the sheet's left edge: the look's image (null
    // with KGP_CUSTOMIZE_NOHELP or before the sheet is made).
    CKGPButton* GetHelpButton() { return m_wndHelpButton.GetSafeHwnd() != nullptr ? &m_wndHelpButton : nullptr; }
    // Close: the sheet goes unless the user tools are not sound (the tools
    // page is shown then); FALSE when it stays.
    BOOL CloseSheet();

    // The sheet open now; null when none is.
    static CKGPToolbarCustomize* GetOpenSheet() { return s_pOpenSheet; }

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void PostNcDestroy() override;
    // Customisation mode for the frame and every toolbar.
    void SetFrameCustomizeMode(BOOL bCustomize);
    // With context help: a control's help asked for (the caption's help button,
    // F1 or its context menu) shows its popup from the program's help file.
    virtual void ShowControlHelp(DWORD_PTR dwHelpId);

private:
    struct CategoryLess {
        bool operator()(const CString& a, const CString& b) const { return a.Compare(b) < 0; }
    };
    template <class Box>
    void FillCategories(Box& wndCategory, BOOL bAddEmpty) const;
    void WalkMenu(HMENU hMenu, const CString& strCategory, const CString& strPath);
    CString CleanText(const CString& strText) const;
    CKGPToolbarButtonList& CategoryList(const CString& strCategory);
    // Close sits under the pages at the right; the sheet's Help becomes an
    // image button at the left of that row.
    void PlaceCloseButton();
    void MakeHelpButton();

    std::map<CString, std::unique_ptr<CKGPToolbarButtonList>, CategoryLess> m_ButtonsByCategory;
    CStringList m_strCategoriesList;
    std::unique_ptr<CKGPCustomizePage> m_pCustomizePage;
    std::unique_ptr<CKGPToolbarsPage> m_pToolbarsPage;
    std::unique_ptr<CKGPKeyboardPage> m_pKeyboardPage;
    std::unique_ptr<CKGPMenuPage> m_pMenuPage;
    std::unique_ptr<CKGPMousePage> m_pMousePage;
    std::unique_ptr<CKGPOptionsPage> m_pOptionsPage;
    std::unique_ptr<CKGPToolsPage> m_pToolsPage;
    std::vector<std::unique_ptr<CObject>> m_listCustomPages;
    CString m_strAllCommands;
    CFrameWnd* m_pParentFrame;
    BOOL m_bAutoSetFromMenus;
    UINT m_uiFlags;
    CKGPButton m_wndHelpButton;
    BOOL m_bCustomizing = FALSE;
    BOOL m_bDeleting = FALSE;

    static CKGPToolbarCustomize* s_pOpenSheet;
};
