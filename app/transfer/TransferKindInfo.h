// What differs between the four transfer pages: extension, port query numbers,
// string ids, profile keys, resources. One row per file kind 0..3.
#pragma once

#include <afx.h>

struct TransferKindInfo {
    int kind = 0;
    LPCTSTR extension = nullptr;       // with the dot: ".mid"
    LPCTSTR extensionBare = nullptr;   // "mid", for folder listings
    LPCTSTR addFilter = nullptr;       // file dialog filter
    int listQuery = 0;                 // slot table query number of the port
    int sizeQuery = 0;                 // size query number; 0 = sizes come from the profile
    UINT loadFailedText = 0;
    UINT slotNameFormat = 0;
    UINT pcTitleFormat = 0;
    UINT deviceTitleFormat = 0;
    bool exactSize = false;            // voices and memories must have the exact size
    UINT dialogId = 0;
    UINT deviceToolBarId = 0;
    UINT deviceToolBarBitmap = 0;
    bool deviceDeleteButton = true;    // the memory page's device toolbar only uploads
    bool deleteKeyClearsSlots = true;  // Delete in the memory page's device list does nothing
    bool doubleClickOpensFile = false; // the song page opens the file, the others the folder
    bool deleteAllNamesByNumber = true;// failure text of "delete all": number cell (name on memory)
};

// The row of a kind; null for a kind outside 0..3.
const TransferKindInfo* FindTransferKind(int kind);

// The slot's name as the device list shows it: the kind's format with the
// 1-based slot number ("UserSong 001").
CString FormatSlotName(const TransferKindInfo& info, int slot);

// True when a file of this size obeys the kind's size rule of the device profile
// (largest size for songs and styles, exact size for voices and memories).
bool FitsSizeRule(const TransferKindInfo& info, UINT sizeRule, ULONGLONG size);

// Deletes a slot of the kind through the port.
class CUSBPort;
BOOL DeleteSlotOfKind(CUSBPort& port, int kind, int slot);
