// A toolbar's tooltips: its tooltip control (made with the window, or when
// the mouse first moves over a bar that waits), and which buttons the
// registered tools were made for, so that a layout moves them or, when the
// buttons are others, registers them again.
#pragma once

#include <afxcmn.h>

#include <vector>

struct CKGPToolBarTipState {
    // The tool a button has: none (a separator), the bar's text callback, or
    // tools the button registers on its own.
    enum class ButtonTool : char { None, Callback, Own };

    CToolTipCtrl* ctrl = nullptr;
    // The control is made when the mouse first moves over the bar.
    BOOL pending = FALSE;
    // What each button's tool was made as, in button order.
    std::vector<ButtonTool> toolOfButton;

    BOOL HasWindow() const { return ctrl != nullptr && ctrl->GetSafeHwnd() != nullptr; }
    // Whether the tools still serve buttons of these kinds once the buttons
    // at `moved` moved: the separators stand where they stood, and no button
    // that registers its own tools moved.
    BOOL StillServe(const std::vector<ButtonTool>& kinds, const std::vector<int>& moved) const;
};
