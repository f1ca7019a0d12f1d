// The device list's content read from the instrument: one row per slot of the
// kind, with its name and size.
#pragma once

#include <afx.h>

#include <vector>

#include "app/transfer/TransferKindInfo.h"

class CUSBPort;

struct SlotRow {
    int slot = 0;
    bool used = false;
    bool sizeKnown = false;  // false when the instrument did not tell the size
    DWORD size = 0;          // 0 when unknown
    CString name;            // empty for a free slot
};

struct SlotTableRead {
    bool listed = false;              // the slot table query answered
    std::vector<SlotRow> rows;        // slotCount rows, free ones blank
    std::vector<int> sizeFailures;    // slots whose size query failed
};

// Asks the port for the kind's slot table and the size of each used slot.
// Songs and styles ask the instrument; voices and memories take the profile's
// size rule. A failed size query leaves the size 0 and unknown. Entries beyond
// slotCount are ignored; a short table leaves the remaining rows free.
SlotTableRead ReadSlotTable(CUSBPort& port, const TransferKindInfo& info, UINT slotCount, UINT profileSize);

// The size cell: KiB with two decimals, empty when the size is unknown or the
// slot is free.
CString FormatSlotSize(const SlotRow& row);

// The expected size for an upload of the row: its size, or the profile's
// largest size for the kind when the instrument did not tell it.
DWORD ExpectedUploadSize(const SlotRow& row, UINT profileSize);

// Used slots of a table (the device title counts them).
int CountUsedSlots(const std::vector<SlotRow>& rows);
