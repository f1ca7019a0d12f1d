#include "guilib/frames/KGPLibraryLinks.h"

#include "guilib/docking/KGPTabbedBarLinks.h"
#include "guilib/frames/KGPFrameLinks.h"
#include "guilib/menus/KGPMenusLink.h"
#include "guilib/panes/KGPOutlookBarLinks.h"
#include "guilib/sheets/KGPButtonAppearanceDlg.h"
#include "guilib/tabs/KGPTabWindowLinks.h"
#include "guilib/toolbars/KGPToolBarShared.h"

void KGPRegisterLibraryLinks()
{
    KGPRegisterTabsLinks();
    KGPRegisterDockingLinks();
    KGPRegisterToolbarsLinks();
    KGPRegisterMenusLinks();
    KGPRegisterPanesLinks();
    KGPRegisterSheetsLinks();
    KGPRegisterFramesLinks();
}
