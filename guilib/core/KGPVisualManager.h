// The visual manager: the one object the library's controls ask how to draw
// their backgrounds, borders and glyphs. The base class draws a neutral,
// system-coloured look; derived managers give the library other looks.
#pragma once

#include <afxwin.h>

class CKGPHeaderCtrl;

class CKGPVisualManager : public CObject {
    DECLARE_DYNCREATE(CKGPVisualManager)
public:
    CKGPVisualManager() = default;
    ~CKGPVisualManager() override = default;
    CKGPVisualManager(const CKGPVisualManager&) = delete;
    CKGPVisualManager& operator=(const CKGPVisualManager&) = delete;

    // The current manager; a base manager is made when none was chosen.
    static CKGPVisualManager* GetInstance();
    // Makes an object of the class (which must derive from CKGPVisualManager and
    // be dynamically creatable) the current manager and repaints the thread's
    // top-level windows. A null class restores the base manager. FALSE (and the
    // current manager kept) for a class that cannot be used.
    static BOOL SetDefaultManager(CRuntimeClass* pManagerClass);
    // Drops the current manager (at exit).
    static void DestroyInstance();

    // Bars and the client areas the shell paints through the manager.
    virtual void OnFillBarBackground(CDC* pDC, CWnd* pBar, CRect rectClient);
    // List header: background, one item's face and border, the sort arrow.
    virtual void OnFillHeaderCtrlBackground(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect rect);
    virtual void OnDrawHeaderCtrlBorder(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rect, BOOL bIsPressed,
                                        BOOL bIsHighlighted);
    virtual void OnDrawHeaderCtrlSortArrow(CKGPHeaderCtrl* pCtrl, CDC* pDC, CRect& rectArrow, BOOL bIsUp);
    virtual COLORREF GetHeaderCtrlTextColor(CKGPHeaderCtrl* pCtrl, BOOL bIsPressed, BOOL bIsHighlighted);

    // Toolbar button sizes and regions: neutral answers.
    virtual CSize GetButtonExtraBorder() const { return CSize(0, 0); }
    virtual BOOL IsToolbarRoundShape(CWnd* /*pBar*/) { return FALSE; }

protected:
    // A filled triangle pointing up or down, centred in rect.
    static void DrawArrowTriangle(CDC* pDC, const CRect& rect, BOOL bUp, COLORREF colour);
    static void FillSolid(CDC* pDC, const CRect& rect, COLORREF colour);
};
