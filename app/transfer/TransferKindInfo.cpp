#include "app/transfer/TransferKindInfo.h"

#include "core/link/USBPort.h"
#include "res/resource.h"

namespace {

const TransferKindInfo kKinds[4] = {
    {0, L".mid", L"mid", L"*.mid(song file)|*.mid||", 3, 4, 116, 140, 150, 154, false, 135, 152, 201, true, true, true, true},
    {1, L".sty", L"sty", L"*.sty(style file)|*.sty||", 5, 6, 118, 141, 151, 155, false, 136, 152, 201, true, true, false, true},
    {2, L".voc", L"voc", L"*.voc(voice file)|*.voc||", 7, 0, 117, 142, 152, 156, true, 137, 152, 201, true, true, false, true},
    {3, L".mem", L"mem", L"*.mem(memory file)|*.mem||", 9, 0, 115, 139, 153, 157, true, 138, 159, 202, false, false, false, false},
};

} // namespace

const TransferKindInfo* FindTransferKind(int kind)
{
    if (kind < 0 || kind > 3)
        return nullptr;
    return &kKinds[kind];
}

CString FormatSlotName(const TransferKindInfo& info, int slot)
{
    CString format;
    if (!format.LoadString(info.slotNameFormat))
        format = L"%.3d";
    CString name;
    name.Format(format, slot + 1);
    return name;
}

bool FitsSizeRule(const TransferKindInfo& info, UINT sizeRule, ULONGLONG size)
{
    return info.exactSize ? size == sizeRule : size <= sizeRule;
}

BOOL DeleteSlotOfKind(CUSBPort& port, int kind, int slot)
{
    switch (kind) {
    case 0: return port.DeleteSong(slot);
    case 1: return port.DeleteStyle(slot);
    case 2: return port.DeleteVoice(slot);
    case 3: return port.DeleteMemory(slot);
    default: return FALSE;
    }
}
