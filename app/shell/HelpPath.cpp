#include "app/shell/HelpPath.h"

CString BuildHelpPath(const CString& programFolder, const CString& modelName, UINT language,
                      const std::function<bool(const CString&)>& folderExists)
{
    CString path = programFolder + L"help\\";
    if (!modelName.IsEmpty()) {
        const CString modelFolder = path + modelName + L"\\";
        if (folderExists(modelFolder))
            path = modelFolder;
    }
    static constexpr const wchar_t* kFiles[] = {L"ch_smp.chm", L"ch_trd.chm", L"english.chm"};
    if (language < 3)
        path += kFiles[language];
    return path;
}
