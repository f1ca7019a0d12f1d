// The menus family's links for the families below it: the popup menu open
// and the modal state, the context-menu manager and tracked popup menus
// (IKGPMenuLink), the popup menus the menu buttons open (IKGPMenuBarsLink),
// the tear-off manager's marks (IKGPTearOffLink), and for the toolbars the
// user tools, the shortcut texts and the menu bar's recently-used option
// (IKGPUserToolsLink, IKGPKeyboardLink, IKGPMenuOptionsLink). Every library
// frame registers them with every family's links (KGPRegisterLibraryLinks),
// and every popup menu and the context-menu manager as they are made.
#pragma once

// Registers the menus family's links (again: changes nothing).
void KGPRegisterMenusLinks();
