// What a toolbox page asks of the toolbox holding it (either form): the page's
// index, a tool clicked, a context menu over a tool, and that the page was
// laid out again (the outlook form's scroll buttons follow).
#pragma once

#include <afxwin.h>

class CKGPToolBoxPage;

class IKGPToolBoxOwner {
public:
    virtual ~IKGPToolBoxOwner() = default;
    virtual int FindPageIndex(CKGPToolBoxPage* pPage) const = 0;
    virtual void OnClickTool(int nPage, int nTool) = 0;
    // TRUE when the toolbox showed a menu of its own.
    virtual BOOL OnShowToolContextMenu(CPoint /*point*/, int /*nPage*/, int /*nTool*/) { return FALSE; }
    virtual void OnPageLaidOut(CKGPToolBoxPage* /*pPage*/) {}
};
