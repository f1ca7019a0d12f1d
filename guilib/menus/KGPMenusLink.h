// The menus family's answer to the families below it (IKGPMenuLink): the
// context-menu manager, and the popup menu open and the modal state, which
// are none while the library shows no popup menu of its own.
#pragma once

// Registers the link (again: changes nothing).
void KGPRegisterMenuLink();
