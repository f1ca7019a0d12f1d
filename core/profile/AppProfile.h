// The application profile, "AppProfile.ini" in the program folder: language,
// silenced messages, the model-to-series map, the last folders and list sorting.
#pragma once

#include <afx.h>

#include "core/profile/Ini.h"

class CAppProfile {
public:
    static constexpr const wchar_t* kFileName = L"AppProfile.ini";
    static constexpr const wchar_t* kSeriesOfConnectedModels = L"RX470";

    CString GetPath() const;
    // A CIni on the file (the path follows the program folder).
    CIni GetIni() const { return CIni(GetPath()); }

    UINT GetLanguage() const;
    void SetLanguage(UINT language) const;

    // 1 unless the message's entry in "MSG_DLG_VISIBLE" says otherwise.
    int IsMsgDlgVisible(UINT messageId) const;
    void SetMsgDlgVisible(UINT messageId, int visible) const;

    // Deletes "LIST_SORT", "ADD_FILE_DIR", "SAVE_FILE_DIR" and "MSG_DLG_VISIBLE".
    void Reset() const;

    // Reads every key of "SEC_DEV_2_SERIAL" into the interface resources' series map
    // (which is emptied first).
    void LoadDeviceSeries() const;
    // Writes one model's series entry (the map is reloaded by LoadDeviceSeries).
    // False, and nothing written, for a model name that cannot be an ini key
    // (empty, or holding '=', '[', ']', ';' or a line break): the name comes
    // from the instrument.
    bool SetDeviceSeries(LPCTSTR modelName, LPCTSTR series) const;

    // Kinds 0 song, 1 style, 2 voice, 3 memory; "" when absent.
    CString GetAddDir(int kind) const;
    void SetAddDir(int kind, LPCTSTR folder) const;
    CString GetSongAddDir() const { return GetAddDir(0); }
    CString GetStyleAddDir() const { return GetAddDir(1); }
    CString GetVoiceAddDir() const { return GetAddDir(2); }
    CString GetMemoryAddDir() const { return GetAddDir(3); }
    void SetSongAddDir(LPCTSTR folder) const { SetAddDir(0, folder); }
    void SetStyleAddDir(LPCTSTR folder) const { SetAddDir(1, folder); }
    void SetVoiceAddDir(LPCTSTR folder) const { SetAddDir(2, folder); }
    void SetMemoryAddDir(LPCTSTR folder) const { SetAddDir(3, folder); }

    // The song / style data folder when nothing is stored.
    CString GetSongSaveDir() const;
    void SetSongSaveDir(LPCTSTR folder) const;
    CString GetStyleSaveDir() const;
    void SetStyleSaveDir(LPCTSTR folder) const;

    // "LIST_SORT" keys {SNG,STY,VOC,MEM}_{PC,DEV}_{COL,ORD}: column default 0
    // (-1 = not sorted), ascending default 1.
    int GetListSortColumn(int kind, bool deviceList) const;
    bool GetListSortAscending(int kind, bool deviceList) const;
    void SetListSort(int kind, bool deviceList, int column, bool ascending) const;
};

CAppProfile& GetAppProfile();
