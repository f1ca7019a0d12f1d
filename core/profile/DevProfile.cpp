#include "core/profile/DevProfile.h"

#include "core/files/Folders.h"
#include "core/portable/profile/IniValue.h"
#include "core/profile/ProfileKeys.h"

#include <mutex>

using namespace profile_keys;

namespace {

std::mutex g_lock;
CIni g_devProfile;

bool IsUsableFileName(const CString& name)
{
    if (name.IsEmpty() || name == L"." || name == L".." || name.GetLength() > 200)
        return false;
    for (int i = 0; i < name.GetLength(); ++i) {
        const wchar_t c = name[i];
        if (c < 0x20 || wcschr(L"\\/:*?\"<>|", c) != nullptr)
            return false;
    }
    return true;
}

} // namespace

CString GetDevProfilePathFor(LPCTSTR modelName)
{
    const CString name(modelName != nullptr ? modelName : L"");
    if (!IsUsableFileName(name))
        return CString();
    return GetProgramFolder() + L"DevProfile\\" + name + L".ini";
}

bool SelectDevProfile(LPCTSTR modelName)
{
    const CString path = GetDevProfilePathFor(modelName);
    if (path.IsEmpty() || !RegularFileExists(path))
        return false;
    std::lock_guard lock(g_lock);
    g_devProfile.SetPath(path);
    return true;
}

void ClearDevProfile()
{
    std::lock_guard lock(g_lock);
    g_devProfile.SetPath(L"");
}

CIni GetDevProfile()
{
    std::lock_guard lock(g_lock);
    return g_devProfile;
}

bool IsPageVisible(int pageSlot)
{
    if (pageSlot < 0 || pageSlot > 5)
        return false;
    return GetDevProfile().GetBool(kPageVisibleSection, kPageVisibleKeys[pageSlot],
                                   kPageVisibleDefaults[pageSlot]) != FALSE;
}

std::array<bool, 6> GetPageVisibility()
{
    std::array<bool, 6> visible{};
    std::array<bool, 6> found{};
    for (std::size_t slot = 0; slot < visible.size(); ++slot)
        visible[slot] = kPageVisibleDefaults[slot];
    // The first line of a key counts, its name in any case, as for a value
    // read on its own.
    for (const auto& [key, value] : GetDevProfile().GetEntries(kPageVisibleSection)) {
        for (std::size_t slot = 0; slot < visible.size(); ++slot) {
            if (found[slot] || key.CompareNoCase(kPageVisibleKeys[slot]) != 0)
                continue;
            found[slot] = true;
            visible[slot] = keyloft::profile::ReadIniBool(
                std::wstring_view(value.GetString(), static_cast<std::size_t>(value.GetLength())),
                kPageVisibleDefaults[slot]);
        }
    }
    return visible;
}

UINT GetSlotCount(int kind)
{
    return kind >= 0 && kind <= 3 ? GetDevProfile().GetUInt(kFileCountSection, kSlotCountKeys[kind], 0) : 0;
}

UINT GetFileSizeRule(int kind)
{
    return kind >= 0 && kind <= 3 ? GetDevProfile().GetUInt(kFileSizeSection, kFileSizeKeys[kind], 0) : 0;
}

bool IsUploadEnabled(int kind)
{
    return kind >= 0 && kind <= 3 && GetDevProfile().GetBool(kUploadSection, kUploadKeys[kind], TRUE) != FALSE;
}

UINT GetMelodyMaxCount(LPCTSTR modelName)
{
    const CString path = GetDevProfilePathFor(modelName);
    if (path.IsEmpty())
        return kMelodyCountDefault;
    return CIni(path).GetUInt(kFileCountSection, kMelodyCountKey, kMelodyCountDefault);
}

std::vector<CString> ReadEssentialSections()
{
    std::vector<CString> names;
    for (auto& [key, value] : GetDevProfile().GetEntries(kEssentialSectionsSection)) {
        if (value.IsEmpty())
            continue;
        value.MakeUpper();
        names.push_back(value);
    }
    return names;
}

void ReadEssentialSections(CStringArray& names)
{
    names.RemoveAll();
    for (const CString& name : ReadEssentialSections())
        names.Add(name);
}
