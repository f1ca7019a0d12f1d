// Section and key names of the application profile and the device profiles.
#pragma once

namespace profile_keys {

// Application profile ("AppProfile.ini").
inline constexpr const wchar_t* kLanguageSection = L"LANGUAGE";
inline constexpr const wchar_t* kCurrentLanguageKey = L"CUR_LANGUAGE";
inline constexpr const wchar_t* kMessageVisibleSection = L"MSG_DLG_VISIBLE";
inline constexpr const wchar_t* kDeviceSeriesSection = L"SEC_DEV_2_SERIAL";
inline constexpr const wchar_t* kListSortSection = L"LIST_SORT";
inline constexpr const wchar_t* kAddFolderSection = L"ADD_FILE_DIR";
inline constexpr const wchar_t* kSaveFolderSection = L"SAVE_FILE_DIR";
inline constexpr const wchar_t* kSongSaveFolderKey = L"SNG_SAVE_DIR";
inline constexpr const wchar_t* kStyleSaveFolderKey = L"STY_SAVE_DIR";
// Per file kind 0 song, 1 style, 2 voice, 3 memory.
inline constexpr const wchar_t* kAddFolderKeys[4] = {L"SNG_ADD_DIR", L"STY_ADD_DIR", L"VOC_ADD_DIR", L"MEM_ADD_DIR"};
inline constexpr const wchar_t* kKindPrefixes[4] = {L"SNG", L"STY", L"VOC", L"MEM"};

// Device profiles ("DevProfile\<model>.ini").
inline constexpr const wchar_t* kPageVisibleSection = L"DLG_VISIBLE";
// Page slots 0..5: four transfer pages, song editor, style editor.
inline constexpr const wchar_t* kPageVisibleKeys[6] = {L"DLG_DOWN_SONG", L"DLG_DOWN_STYLE", L"DLG_DOWN_VOICE",
                                                       L"DLG_DOWN_MEMORY", L"DLG_EDIT_SONG", L"DLG_EDIT_STYLE"};
inline constexpr bool kPageVisibleDefaults[6] = {true, true, true, true, false, false};
inline constexpr const wchar_t* kFileCountSection = L"FILE_MAX_CNT";
inline constexpr const wchar_t* kSlotCountKeys[4] = {L"SNG_MAX_CNT", L"STY_MAX_CNT", L"VOC_MAX_CNT", L"MEM_MAX_CNT"};
inline constexpr const wchar_t* kMelodyCountKey = L"MELODY_MAX_CNT";
inline constexpr unsigned kMelodyCountDefault = 2;
inline constexpr const wchar_t* kFileSizeSection = L"FILE_SIZE";
inline constexpr const wchar_t* kFileSizeKeys[4] = {L"SNG_MAX_SIZE", L"STY_MAX_SIZE", L"VOC_SIZE", L"MEM_SIZE"};
inline constexpr const wchar_t* kUploadSection = L"UPLOAD_ENABLE";
inline constexpr const wchar_t* kUploadKeys[4] = {L"UPLOAD_SNG", L"UPLOAD_STY", L"UPLOAD_VOC", L"UPLOAD_MEM"};
inline constexpr const wchar_t* kEssentialSectionsSection = L"STY_ESSENTIAL_SEC";

} // namespace profile_keys
