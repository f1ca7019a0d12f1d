// Every family's links registered at once: each family's registration
// function, bottom up (tabs, docking, toolbars, menus, panes, sheets,
// frames). Each library frame runs it as it is made, so a program that makes
// a library frame has every family's links before the frame's bars, panes and
// menus ask for them. Running it again changes nothing (a link keeps the
// implementation first registered), and puts back a link a test cleared.
#pragma once

void KGPRegisterLibraryLinks();
