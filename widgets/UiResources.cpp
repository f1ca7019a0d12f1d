#include "widgets/UiResources.h"

#include "core/files/Folders.h"
#include "core/files/TextHelpers.h"

CUiResources::CUiResources()
    : m_pageBackBrush(::CreateSolidBrush(kDefaultPageBackColour)),
      m_editBackBrush(::CreateSolidBrush(kDefaultEditBackColour))
{
}

CUiResources::~CUiResources() = default;

namespace {

CString FolderWithSeparator(LPCTSTR folder)
{
    CString root(folder);
    if (!root.IsEmpty() && root.Right(1) != L"\\")
        root += L'\\';
    return root;
}

} // namespace

CUiResources::ImageMap CUiResources::DecodeImages(const CString& root)
{
    ImageMap images;
    for (const CString& name : ListFilesByExtension(root, L"png")) {
        CSkinImage image;
        if (image.LoadFromFile(root + name))
            images[UpperKey(name)] = std::move(image);
    }
    return images;
}

void CUiResources::SetCursorFolder(const CString& root)
{
    if (root.CompareNoCase(m_cursorRoot) == 0)
        return;
    m_cursorRoot = root;
    m_dragCursor = nullptr;
    m_ownDragCursor.Reset();
}

HCURSOR CUiResources::GetHandCursor() const
{
    std::lock_guard lock(m_lock);
    if (m_handCursor == nullptr)
        m_handCursor = ::LoadCursorW(nullptr, IDC_HAND);
    return m_handCursor;
}

HCURSOR CUiResources::GetDragCursor() const
{
    std::lock_guard lock(m_lock);
    if (m_dragCursor != nullptr)
        return m_dragCursor;
    const CString cursorPath = m_cursorRoot + kDragCursorFileName;
    if (!m_cursorRoot.IsEmpty() && RegularFileExists(cursorPath))
        m_ownDragCursor.Reset(::LoadCursorFromFileW(cursorPath));
    m_dragCursor = m_ownDragCursor ? m_ownDragCursor.Get() : ::LoadCursorW(nullptr, IDC_SIZEALL);
    return m_dragCursor;
}

void CUiResources::TakeDecodedImages() const
{
    if (m_decoding.valid())
        m_images = m_decoding.get();
    if (!m_undecodedRoot.IsEmpty()) {
        m_images = DecodeImages(m_undecodedRoot);
        m_undecodedRoot.Empty();
    }
}

int CUiResources::LoadImages(LPCTSTR folder)
{
    const CString root = FolderWithSeparator(folder);
    ImageMap images = DecodeImages(root);
    std::lock_guard lock(m_lock);
    SetCursorFolder(root);
    m_undecodedRoot.Empty();
    TakeDecodedImages();
    m_images = std::move(images);
    return static_cast<int>(m_images.size());
}

void CUiResources::StartLoadingImages(LPCTSTR folder)
{
    PrepareImages(folder);
    StartDecodingImages();
}

void CUiResources::PrepareImages(LPCTSTR folder)
{
    const CString root = FolderWithSeparator(folder);
    std::lock_guard lock(m_lock);
    SetCursorFolder(root);
    m_undecodedRoot.Empty();
    TakeDecodedImages();
    m_undecodedRoot = root;
}

void CUiResources::StartDecodingImages()
{
    std::lock_guard lock(m_lock);
    if (m_undecodedRoot.IsEmpty())
        return;
    m_decoding = std::async(std::launch::async, [root = m_undecodedRoot] { return DecodeImages(root); });
    m_undecodedRoot.Empty();
}

const CSkinImage* CUiResources::GetImage(LPCTSTR fileName) const
{
    std::lock_guard lock(m_lock);
    TakeDecodedImages();
    const auto found = m_images.find(UpperKey(fileName));
    return found != m_images.end() ? &found->second : nullptr;
}

void CUiResources::ReleaseImages()
{
    std::lock_guard lock(m_lock);
    m_undecodedRoot.Empty();
    TakeDecodedImages();
    m_images.clear();
}

CUiResources& GetUiResources()
{
    static CUiResources resources;
    return resources;
}

bool LoadUiResources() { return GetUiResources().LoadImages(GetProgramFolder() + L"pictures\\") > 0; }

void StartLoadingUiResources() { GetUiResources().StartLoadingImages(GetProgramFolder() + L"pictures\\"); }

void PrepareUiResources() { GetUiResources().PrepareImages(GetProgramFolder() + L"pictures\\"); }

void StartDecodingUiImages() { GetUiResources().StartDecodingImages(); }
