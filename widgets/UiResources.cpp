#include "widgets/UiResources.h"

#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"

CUiResources::CUiResources()
    : m_pageBackBrush(::CreateSolidBrush(kDefaultPageBackColour)),
      m_editBackBrush(::CreateSolidBrush(kDefaultEditBackColour)),
      m_handCursor(::LoadCursorW(nullptr, IDC_HAND)),
      m_dragCursor(::LoadCursorW(nullptr, IDC_SIZEALL))
{
}

CUiResources::~CUiResources() = default;

int CUiResources::LoadImages(LPCTSTR folder)
{
    CString root(folder);
    if (!root.IsEmpty() && root.Right(1) != L"\\")
        root += L'\\';
    std::map<CString, CSkinImage> images;
    for (const CString& name : ListFilesByExtension(root, L"png")) {
        CSkinImage image;
        if (image.LoadFromFile(root + name))
            images[UpperKey(name)] = std::move(image);
    }
    const CString cursorPath = root + kDragCursorFileName;
    CCursorHandle ownCursor(RegularFileExists(cursorPath) ? ::LoadCursorFromFileW(cursorPath) : nullptr);

    std::lock_guard lock(m_lock);
    m_images = std::move(images);
    m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);
    if (ownCursor) {
        m_dragCursor = ownCursor.Get();
        m_ownDragCursor = std::move(ownCursor);
    }
    return static_cast<int>(m_images.size());
}

const CSkinImage* CUiResources::GetImage(LPCTSTR fileName) const
{
    std::lock_guard lock(m_lock);
    const auto found = m_images.find(UpperKey(fileName));
    return found != m_images.end() ? &found->second : nullptr;
}

void CUiResources::ReleaseImages()
{
    std::lock_guard lock(m_lock);
    m_images.clear();
}

CUiResources& GetUiResources()
{
    static CUiResources resources;
    return resources;
}

bool LoadUiResources() { return GetUiResources().LoadImages(GetProgramFolder() + L"pictures\\") > 0; }
