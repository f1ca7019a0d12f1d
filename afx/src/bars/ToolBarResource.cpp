// Parsing of the toolbar resource (type 241), in either of its two layouts.
#include <afxwin.h>
#include <afxtoolbarres.h>

namespace {

constexpr WORD kToolBarResourceVersion = 1;
constexpr std::size_t kVersionedHeaderWords = 4;
constexpr std::size_t kWideHeaderFields = 3;
constexpr DWORD kMaxWideField = 0xFFFF;

WORD ReadWord(const BYTE* bytes, std::size_t index)
{
    return static_cast<WORD>(bytes[index * 2] | (bytes[index * 2 + 1] << 8));
}

DWORD ReadField(const BYTE* bytes, std::size_t index)
{
    return static_cast<DWORD>(ReadWord(bytes, index * 2)) | (static_cast<DWORD>(ReadWord(bytes, index * 2 + 1)) << 16);
}

// The 32-bit layout is exactly its header and the ids its count announces.
bool IsWideLayout(const BYTE* bytes, std::size_t size)
{
    const std::size_t header = kWideHeaderFields * 4;
    return size >= header && (size - header) % 4 == 0 && ReadField(bytes, 2) == (size - header) / 4;
}

bool ParseWide(const BYTE* bytes, std::size_t size, CToolBarResourceData& parsed)
{
    const DWORD width = ReadField(bytes, 0);
    const DWORD height = ReadField(bytes, 1);
    if (width == 0 || height == 0 || width > kMaxWideField || height > kMaxWideField)
        return false;
    parsed.wWidth = static_cast<WORD>(width);
    parsed.wHeight = static_cast<WORD>(height);
    const std::size_t count = (size - kWideHeaderFields * 4) / 4;
    parsed.ids.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD id = ReadField(bytes, kWideHeaderFields + i);
        if (id > kMaxWideField)
            return false;
        parsed.ids.push_back(id);
    }
    return true;
}

bool ParseVersioned(const BYTE* bytes, std::size_t size, CToolBarResourceData& parsed)
{
    if (size < kVersionedHeaderWords * 2)
        return false;
    parsed.wVersion = ReadWord(bytes, 0);
    parsed.wWidth = ReadWord(bytes, 1);
    parsed.wHeight = ReadWord(bytes, 2);
    const std::size_t count = ReadWord(bytes, 3);
    if (parsed.wVersion != kToolBarResourceVersion || parsed.wWidth == 0 || parsed.wHeight == 0)
        return false;
    // The count comes from the file: it must fit the bytes that are there.
    if (count > (size / 2) - kVersionedHeaderWords)
        return false;
    parsed.ids.reserve(count);
    for (std::size_t i = 0; i < count; ++i)
        parsed.ids.push_back(ReadWord(bytes, kVersionedHeaderWords + i));
    return true;
}

} // namespace

bool AfxParseToolBarResource(const void* data, std::size_t size, CToolBarResourceData& out)
{
    if (data == nullptr)
        return false;
    const auto* bytes = static_cast<const BYTE*>(data);
    CToolBarResourceData parsed;
    if (!(IsWideLayout(bytes, size) ? ParseWide(bytes, size, parsed) : ParseVersioned(bytes, size, parsed)))
        return false;
    out = std::move(parsed);
    return true;
}

bool AfxLoadToolBarResource(HINSTANCE hInstance, LPCTSTR lpszResourceName, CToolBarResourceData& out)
{
    HINSTANCE module = hInstance ? hInstance : AfxFindResourceHandle(lpszResourceName, RT_TOOLBAR);
    HRSRC resource = ::FindResourceW(module, lpszResourceName, RT_TOOLBAR);
    if (resource == nullptr)
        return false;
    HGLOBAL loaded = ::LoadResource(module, resource);
    const void* bytes = loaded ? ::LockResource(loaded) : nullptr;
    return bytes && AfxParseToolBarResource(bytes, ::SizeofResource(module, resource), out);
}
