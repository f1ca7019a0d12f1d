// What the customisation sheet asks of the frames above it: an MDI frame's
// windows dialog, offered in its Window menu, joins the catalogue. The MDI
// frame registers the link; until then no frame offers one.
#pragma once

#include <afxwin.h>

#include "guilib/core/KGPLink.h"

class IKGPWindowsDialogLink {
public:
    // TRUE when the frame is an MDI frame offering a windows dialog: the
    // command that opens it and the text of its menu entry.
    virtual BOOL GetWindowsDialogCommand(CFrameWnd* pFrame, UINT& uiCmd, CString& strText) const = 0;

protected:
    ~IKGPWindowsDialogLink() = default;
};
