// The menus family's answers to the families below it: the popup menu open
// and the modal state, the context-menu manager and tracked popup menus
// (IKGPMenuLink), and the popup menus the menu buttons open
// (IKGPMenuBarsLink). Registered with the context-menu manager, with every
// popup menu and with every library frame.
#pragma once

// Registers the links (again: changes nothing).
void KGPRegisterMenuLink();
