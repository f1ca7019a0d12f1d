#pragma once

// The entries of every library frame that hosts user toolbars: their
// creation, deletion and context menu from the customisation sheet and the
// docking bars, and the standard bars' show/hide commands.
#define KGP_ON_FRAME_TOOLBAR_ENTRIES() \
    ON_REGISTERED_MESSAGE(KGTOOLBAR_CREATE, &ThisClass::OnToolbarCreateNew) \
    ON_REGISTERED_MESSAGE(KGTOOLBAR_DELETE, &ThisClass::OnToolbarDelete) \
    ON_REGISTERED_MESSAGE(KGTOOLBAR_POPUPMENU, &ThisClass::OnToolbarContextMenu) \
    ON_UPDATE_COMMAND_UI(ID_VIEW_STATUS_BAR, &ThisClass::OnUpdateControlBarMenu) \
    ON_COMMAND_EX(ID_VIEW_STATUS_BAR, &ThisClass::OnBarCheck) \
    ON_UPDATE_COMMAND_UI(ID_VIEW_TOOLBAR, &ThisClass::OnUpdateControlBarMenu) \
    ON_COMMAND_EX(ID_VIEW_TOOLBAR, &ThisClass::OnBarCheck) \
    ON_UPDATE_COMMAND_UI(ID_VIEW_REBAR, &ThisClass::OnUpdateControlBarMenu) \
    ON_COMMAND_EX(ID_VIEW_REBAR, &ThisClass::OnBarCheck)
