#include "app/transfer/SlotTable.h"

#include <afxcoll.h>

#include "core/link/USBPort.h"

SlotTableRead ReadSlotTable(CUSBPort& port, const TransferKindInfo& info, UINT slotCount, UINT profileSize)
{
    SlotTableRead read;
    read.rows.resize(slotCount);
    for (UINT i = 0; i < slotCount; ++i)
        read.rows[i].slot = static_cast<int>(i);

    CByteArray table;
    if (!port.QueryList(info.listQuery, table))
        return read;
    read.listed = true;

    const UINT entries = std::min<UINT>(static_cast<UINT>(table.GetSize()), slotCount);
    for (UINT i = 0; i < entries; ++i) {
        if (table[static_cast<INT_PTR>(i)] == 0)
            continue;
        SlotRow& row = read.rows[i];
        row.used = true;
        row.name = FormatSlotName(info, static_cast<int>(i));
        if (info.sizeQuery == 0) {
            row.size = profileSize;
            row.sizeKnown = true;
            continue;
        }
        DWORD size = 0;
        if (port.QueryItemSize(info.sizeQuery, static_cast<int>(i), size)) {
            row.size = size;
            row.sizeKnown = true;
        } else {
            row.size = 0;
            read.sizeFailures.push_back(static_cast<int>(i));
        }
    }
    return read;
}

CString FormatSlotSize(const SlotRow& row)
{
    CString text;
    if (row.used && row.sizeKnown)
        text.Format(L"%.2f", static_cast<double>(row.size) / 1024.0);
    return text;
}

DWORD ExpectedUploadSize(const SlotRow& row, UINT profileSize)
{
    return row.sizeKnown ? row.size : profileSize;
}

int CountUsedSlots(const std::vector<SlotRow>& rows)
{
    int used = 0;
    for (const SlotRow& row : rows)
        used += row.used ? 1 : 0;
    return used;
}
