// The tabs family's links for the families below it: IKGPTabWindowLink
// (guilib/core/KGPTabWindowLink.h), through which bars make and fill a tab
// window. Every library frame registers it with every family's links
// (KGPRegisterLibraryLinks), and every tab window as it is made.
#pragma once

// Registers the tabs family's links (again: changes nothing).
void KGPRegisterTabsLinks();
