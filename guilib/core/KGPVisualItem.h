// What the visual manager reads from a library item it draws without being
// given its place: caption buttons, tasks and task groups implement it.
#pragma once

#include <afxwin.h>

class CKGPVisualItem {
public:
    virtual ~CKGPVisualItem() = default;

    virtual CRect GetVisualRect() const = 0;
    virtual CString GetVisualText() const { return CString(); }
    // A menu glyph number (CKGPMenuGlyphs), -1 for none.
    virtual int GetVisualGlyph() const { return -1; }
    virtual BOOL IsVisualPushed() const { return FALSE; }
    virtual BOOL IsVisualFocused() const { return FALSE; }
};
