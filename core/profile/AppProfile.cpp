#include "core/profile/AppProfile.h"

#include "core/files/Folders.h"
#include "core/profile/DeviceNames.h"
#include "core/profile/ProfileKeys.h"

#include <string>

using namespace profile_keys;

namespace {

bool IsKind(int kind) { return kind >= 0 && kind <= 3; }

CString SortKey(int kind, bool deviceList, const wchar_t* what)
{
    CString key(kKindPrefixes[kind]);
    key += deviceList ? L"_DEV_" : L"_PC_";
    key += what;
    return key;
}

CString MessageKey(UINT messageId) { return CString(std::to_wstring(messageId).c_str()); }

} // namespace

CString CAppProfile::GetPath() const { return GetProgramFolder() + kFileName; }

UINT CAppProfile::GetLanguage() const { return GetIni().GetUInt(kLanguageSection, kCurrentLanguageKey, 0); }

void CAppProfile::SetLanguage(UINT language) const
{
    GetIni().WriteUInt(kLanguageSection, kCurrentLanguageKey, language);
}

int CAppProfile::IsMsgDlgVisible(UINT messageId) const
{
    return GetIni().GetInt(kMessageVisibleSection, MessageKey(messageId), 1);
}

void CAppProfile::SetMsgDlgVisible(UINT messageId, int visible) const
{
    GetIni().WriteInt(kMessageVisibleSection, MessageKey(messageId), visible);
}

void CAppProfile::Reset() const
{
    const CIni ini = GetIni();
    for (const wchar_t* section : {kListSortSection, kAddFolderSection, kSaveFolderSection, kMessageVisibleSection})
        ini.DeleteSection(section);
}

void CAppProfile::LoadDeviceSeries() const
{
    CDeviceNames& names = GetDeviceNames();
    names.ClearDeviceSeries();
    for (const auto& [model, series] : GetIni().GetEntries(kDeviceSeriesSection))
        names.SetDeviceSeries(model, series);
}

bool CAppProfile::SetDeviceSeries(LPCTSTR modelName, LPCTSTR series) const
{
    const CString key(modelName != nullptr ? modelName : L"");
    CString trimmed = key;
    trimmed.Trim();
    if (trimmed.IsEmpty() || trimmed != key || key.FindOneOf(L"=[];\r\n") >= 0)
        return false;
    return GetIni().WriteString(kDeviceSeriesSection, key, series) != FALSE;
}

CString CAppProfile::GetAddDir(int kind) const
{
    return IsKind(kind) ? GetIni().GetString(kAddFolderSection, kAddFolderKeys[kind]) : CString();
}

void CAppProfile::SetAddDir(int kind, LPCTSTR folder) const
{
    if (IsKind(kind))
        GetIni().WriteString(kAddFolderSection, kAddFolderKeys[kind], folder);
}

CString CAppProfile::GetSongSaveDir() const
{
    const CString folder = GetIni().GetString(kSaveFolderSection, kSongSaveFolderKey);
    return folder.IsEmpty() ? GetDataFolder(0) : folder;
}

void CAppProfile::SetSongSaveDir(LPCTSTR folder) const
{
    GetIni().WriteString(kSaveFolderSection, kSongSaveFolderKey, folder);
}

CString CAppProfile::GetStyleSaveDir() const
{
    const CString folder = GetIni().GetString(kSaveFolderSection, kStyleSaveFolderKey);
    return folder.IsEmpty() ? GetDataFolder(1) : folder;
}

void CAppProfile::SetStyleSaveDir(LPCTSTR folder) const
{
    GetIni().WriteString(kSaveFolderSection, kStyleSaveFolderKey, folder);
}

int CAppProfile::GetListSortColumn(int kind, bool deviceList) const
{
    return IsKind(kind) ? GetIni().GetInt(kListSortSection, SortKey(kind, deviceList, L"COL"), 0) : 0;
}

bool CAppProfile::GetListSortAscending(int kind, bool deviceList) const
{
    return !IsKind(kind) || GetIni().GetInt(kListSortSection, SortKey(kind, deviceList, L"ORD"), 1) != 0;
}

void CAppProfile::SetListSort(int kind, bool deviceList, int column, bool ascending) const
{
    if (!IsKind(kind))
        return;
    const CIni ini = GetIni();
    ini.WriteInt(kListSortSection, SortKey(kind, deviceList, L"COL"), column);
    ini.WriteInt(kListSortSection, SortKey(kind, deviceList, L"ORD"), ascending ? 1 : 0);
}

CAppProfile& GetAppProfile()
{
    static CAppProfile profile;
    return profile;
}
