// The button appearance dialog and the grid of images it offers: a button
// shown as an image, a text or both, its image chosen from its bar's strip
// and its text (with the shortcut part kept apart) typed.
#pragma once

#include <afxole.h>
#include <afxwin.h>

#include "guilib/toolbars/KGPToolbarButton.h"

#include <vector>

class CKGPToolBar;
class CKGPToolBarImages;

// An owner-drawn grid of buttons showing images to choose from (rows of
// cells, scrolled by whole rows, keys and clicks choose).
class CButtonsList : public CButton {
    DECLARE_DYNAMIC(CButtonsList)
public:
    CButtonsList() = default;
    ~CButtonsList() override;

    // The strip the buttons draw from (not owned); removes every button.
    void SetImages(CKGPToolBarImages* pImages);
    // Takes the button (at the end); lays the grid out again.
    void AddButton(CKGPToolbarButton* pButton);
    void RemoveButtons();
    void SelectButton(CKGPToolbarButton* pButton);
    // The button with that image (user or standard); -1 clears the choice.
    // FALSE for an image no button has.
    BOOL SelectButton(int iImage);
    CKGPToolbarButton* GetSelectedButton() const { return m_pSelButton; }
    int GetCount() const { return static_cast<int>(m_Buttons.GetCount()); }
    int GetScrollOffset() const { return m_iScrollOffset; }
    // A click on a button also drags it out (onto a toolbar or a menu).
    BOOL m_bEnableDragFromList = FALSE;
    // Drags the button from its cell in the toolbar-button format (copy,
    // move or link); the effect of the drop, none when nothing took it.
    virtual DROPEFFECT DragButton(CKGPToolbarButton* pButton);

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void RebuildLocations();
    void EnsureVisible(const CKGPToolbarButton* pButton);
    int IndexOf(const CKGPToolbarButton* pButton) const;
    CKGPToolbarButtonList m_Buttons;
    CKGPToolBarImages* m_pImages = nullptr;
    CSize m_sizeButton{0, 0};
    CKGPToolbarButton* m_pSelButton = nullptr;
    int m_iScrollOffset = 0;
    int m_iScrollTotal = 0;
    int m_iScrollPage = 1;
    CWnd m_wndScrollBar;
};

class CButtonAppearanceDlg : public CDialog {
    DECLARE_DYNAMIC(CButtonAppearanceDlg)
public:
    // The button (edited on OK), its bar's images and the user images (null
    // when the program keeps none: no user images are offered then);
    // bMenuButton: shown in a menu, where the text is always shown.
    CButtonAppearanceDlg(CKGPToolbarButton* pButton, CKGPToolBarImages* pImages, CWnd* pParent,
                         BOOL bMenuButton = FALSE, BOOL bLocked = FALSE, CKGPToolBarImages* pUserImages = nullptr);

    // OK's checks and their effect: FALSE (with the library's message)
    // when an image is asked for and none chosen, or a text and none typed.
    BOOL CheckChoices(BOOL bTellUser = TRUE);
    void ApplyToButton();
    // image only 0, text only 1, image and text 2.
    void ChooseKind(int nKind);
    CButtonsList& GetImageList() { return m_wndButtonList; }
    // The grid offers the user images (TRUE) or the bar's.
    void ShowUserImages(BOOL bUser);
    BOOL IsShowingUserImages() const { return m_bUserImages; }
    // New: a blank image, drawn in the image editor, joins the user images
    // and is chosen. Edit: the chosen image, edited, takes its place among
    // the user images (an image of the bar's stays as it is: its edited copy
    // joins the user images). FALSE when nothing changed.
    BOOL NewUserImage();
    BOOL EditChosenImage();

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    // Runs the image editor on the bitmap (an image on the button face);
    // TRUE when the user kept the change.
    virtual BOOL EditImage(CBitmap& bitmap);

private:
    void EnableControls();
    // Edits an image of the strip (-1: a blank one) and adds it to the user
    // images, or puts it in the place of user image iReplace; the index of
    // the image stored, -1 when none was.
    int EditIntoUserImages(const CKGPToolBarImages* pFrom, int iImage, int iReplace);
    // The grid shows the user images with that one chosen; FALSE for -1.
    BOOL ChooseUserImage(int iImage);
    CKGPToolbarButton* m_pButton;
    CKGPToolBarImages* m_pImages;
    CKGPToolBarImages* m_pUserImages;
    BOOL m_bUserImages = FALSE;
    CButtonsList m_wndButtonList;
    BOOL m_bImage = TRUE;
    BOOL m_bText = FALSE;
    BOOL m_bMenuMode;
    BOOL m_bLocked;
    CString m_strAccel;
};

// Registers the sheets family's links for the families below it
// (IKGPButtonAppearanceLink: the toolbars' appearance command;
// IKGPCustomizeSheetLink: bars shown or hidden while customising; again: changes
// nothing). Every library frame registers it with every family's links
// (KGPRegisterLibraryLinks), and the customisation sheet as it is made.
void KGPRegisterSheetsLinks();
// The toolbars' appearance command opens the dialog from now on (the
// customisation sheet says so when it is made; until then the command
// answers as if cancelled).
void KGPOfferButtonAppearanceDialog();
