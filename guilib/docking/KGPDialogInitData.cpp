#include "guilib/docking/KGPDialogInitData.h"

#include <cstring>
#include <string>

namespace {

const LPCWSTR kDialogInitType = MAKEINTRESOURCEW(240);
// The record codes of the stored form (those of the old 16-bit messages).
constexpr WORD kListAddString = 0x0401;
constexpr WORD kComboAddString = 0x0403;

std::wstring Widen(const BYTE* data, DWORD length)
{
    const auto* text = reinterpret_cast<const char*>(data);
    const int chars = static_cast<int>(strnlen(text, length));
    std::wstring wide(static_cast<size_t>(chars), L'\0');
    if (chars > 0)
        ::MultiByteToWideChar(CP_ACP, 0, text, chars, wide.data(), chars);
    wide.resize(wcsnlen(wide.c_str(), wide.size()));
    return wide;
}

} // namespace

BOOL ApplyDialogInitData(CWnd& wnd, LPCTSTR lpszTemplateName)
{
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, kDialogInitType);
    HRSRC hResource = ::FindResourceW(hInst, lpszTemplateName, kDialogInitType);
    if (hResource == nullptr)
        return TRUE;
    HGLOBAL hData = ::LoadResource(hInst, hResource);
    const auto* data = static_cast<const BYTE*>(hData != nullptr ? ::LockResource(hData) : nullptr);
    const DWORD size = ::SizeofResource(hInst, hResource);
    if (data == nullptr)
        return FALSE;
    // Records: control id (WORD), code (WORD), length (DWORD), data; a zero id ends.
    for (DWORD at = 0; size - at >= sizeof(WORD);) {
        WORD id = 0;
        WORD code = 0;
        DWORD length = 0;
        std::memcpy(&id, data + at, sizeof(id));
        if (id == 0)
            return TRUE;
        if (size - at < 8)
            return FALSE;
        std::memcpy(&code, data + at + 2, sizeof(code));
        std::memcpy(&length, data + at + 4, sizeof(length));
        at += 8;
        if (length > size - at)
            return FALSE;
        const UINT message = code == kListAddString ? LB_ADDSTRING : code == kComboAddString ? CB_ADDSTRING : 0;
        if (message == 0 || wnd.GetDlgItem(id) == nullptr)
            return FALSE;
        const std::wstring text = Widen(data + at, length);
        const LRESULT result = wnd.SendDlgItemMessage(id, message, 0, reinterpret_cast<LPARAM>(text.c_str()));
        if (result == LB_ERR || result == LB_ERRSPACE)
            return FALSE;
        at += length;
    }
    return TRUE;
}
