#include "app/lists/ListSortSettings.h"

#include "core/profile/AppProfile.h"

void LoadListSort(CKGPListCtrl& list, int kind, bool deviceList)
{
    const CAppProfile& profile = GetAppProfile();
    const int column = profile.GetListSortColumn(kind, deviceList);
    list.Sort(column, profile.GetListSortAscending(kind, deviceList) ? TRUE : FALSE);
}

void SaveListSort(CKGPListCtrl& list, int kind, bool deviceList)
{
    CKGPHeaderCtrl& header = list.GetHeaderCtrl();
    GetAppProfile().SetListSort(kind, deviceList, header.GetSortColumn(), header.IsAscending() != FALSE);
}
