// Resource ids of the view, instrument chooser, workspace bar and page tree.
#pragma once
