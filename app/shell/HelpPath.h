// Which help file the Help command opens: the program's "help\" folder, or the
// connected model's own subfolder of it when there is one, and the file of the
// language in force.
#pragma once

#include <afx.h>

#include <functional>

// programFolder ends in a backslash; modelName is empty when nothing is
// connected. Language 0, 1, 2 name "ch_smp.chm", "ch_trd.chm", "english.chm";
// any other leaves the folder alone.
CString BuildHelpPath(const CString& programFolder, const CString& modelName, UINT language,
                      const std::function<bool(const CString&)>& folderExists);
