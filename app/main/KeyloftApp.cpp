// The one application object. It is constructed with the program's other
// global objects, before the framework's entry code runs.
#include "app/shell/KeyloftApp.h"

CKeyloftApp theApp;
