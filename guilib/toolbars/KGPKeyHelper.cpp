#include "guilib/toolbars/KGPKeyHelper.h"

#include <map>
#include <utility>

namespace {

constexpr int kMaxKeyName = 50;

// Names of virtual keys by layout: the system is asked once per key.
std::map<std::pair<HKL, UINT>, CString>& KeyNames()
{
    static std::map<std::pair<HKL, UINT>, CString> names;
    return names;
}

// Lower case, then the first lower-case letter made capital.
CString Capitalised(CString name)
{
    name.MakeLower();
    for (int i = 0; i < name.GetLength(); ++i) {
        if (::IsCharLowerW(name[i])) {
            WCHAR letter[2] = {name[i], 0};
            ::CharUpperW(letter);
            name.SetAt(i, letter[0]);
            break;
        }
    }
    return name;
}

CString LookUpKeyName(UINT uiVirtKey, HKL layout)
{
    if (uiVirtKey == VK_PAUSE)
        return L"Pause";
    LONG lParam = static_cast<LONG>(::MapVirtualKeyEx(uiVirtKey, MAPVK_VK_TO_VSC, layout) << 16) | 1;
    // The navigation keys (Page Up to Help) are the extended ones.
    if (uiVirtKey >= VK_PRIOR && uiVirtKey <= VK_HELP)
        lParam |= 0x1000000;
    WCHAR name[kMaxKeyName + 1] = {};
    ::GetKeyNameText(lParam, name, kMaxKeyName);
    return Capitalised(name);
}

} // namespace

CString CKGPKeyHelper::GetKeyName(UINT uiVirtKey)
{
    const HKL layout = ::GetKeyboardLayout(0);
    auto& names = KeyNames();
    const auto key = std::make_pair(layout, uiVirtKey);
    auto found = names.find(key);
    if (found == names.end())
        found = names.emplace(key, LookUpKeyName(uiVirtKey, layout)).first;
    return found->second;
}

void CKGPKeyHelper::ResetKeyNames()
{
    KeyNames().clear();
}

void CKGPKeyHelper::Format(CString& str) const
{
    str.Empty();
    if (m_lpAccel == nullptr)
        return;
    const struct {
        BYTE flag;
        UINT key;
    } modifiers[] = {{FCONTROL, VK_CONTROL}, {FSHIFT, VK_SHIFT}, {FALT, VK_MENU}};
    for (const auto& modifier : modifiers) {
        if ((m_lpAccel->fVirt & modifier.flag) != 0)
            str += GetKeyName(modifier.key) + L"+";
    }
    if ((m_lpAccel->fVirt & FVIRTKEY) != 0)
        str += GetKeyName(m_lpAccel->key);
    else if (m_lpAccel->key != 27)
        str += static_cast<WCHAR>(m_lpAccel->key);
}
