// The program's global interface resources: colours, cursors, brushes and the
// skin images from "pictures\". (The connected instrument's names and the model
// maps are core/profile/DeviceNames.h.)
#pragma once

#include <afx.h>

#include <future>
#include <map>
#include <mutex>
#include <vector>

#include "widgets/SkinImage.h"

class CUiResources {
public:
    // A colour with all bits set means "not set": controls keep their own.
    static constexpr COLORREF kUnsetColour = 0xFFFFFFFF;
    static constexpr COLORREF kDefaultBaseColour = RGB(214, 227, 242);
    static constexpr COLORREF kDefaultSecondListColour = RGB(255, 255, 255);
    static constexpr COLORREF kDefaultPageBackColour = RGB(236, 242, 250);
    static constexpr COLORREF kDefaultEditBackColour = RGB(255, 255, 255);
    // The picture drawn at the bottom right of every page background.
    static constexpr const wchar_t* kCornerImageName = L"corner.png";
    static constexpr const wchar_t* kDragCursorFileName = L"drag.cur";

    CUiResources();
    ~CUiResources();
    CUiResources(const CUiResources&) = delete;
    CUiResources& operator=(const CUiResources&) = delete;

    COLORREF m_baseColour = kDefaultBaseColour;
    COLORREF m_secondListColour = kDefaultSecondListColour;
    COLORREF m_pageBackColour = kDefaultPageBackColour;
    COLORREF m_editBackColour = kDefaultEditBackColour;

    // Loaded when first asked for: the first cursor a process loads costs a few
    // milliseconds, and nothing shows one before the pages.
    HCURSOR GetHandCursor() const;
    // The pictures folder's "drag.cur" when there is one, else the system's
    // four-headed arrow.
    HCURSOR GetDragCursor() const;
    HBRUSH GetPageBackBrush() const { return m_pageBackBrush.Get(); }
    HBRUSH GetEditBackBrush() const { return m_editBackBrush.Get(); }

    // Loads every ".png" of the folder, keyed by file name (case ignored), and
    // names it as the drag cursor's folder. Returns the number of images loaded.
    int LoadImages(LPCTSTR folder);
    // The same, with the images decoded on a worker thread: returns at once
    // (the drag cursor's folder is named before it returns), and whatever asks for an
    // image first waits until they are there.
    void StartLoadingImages(LPCTSTR folder);
    // The same in two steps: the first names the folder,
    // the second starts the worker. An image asked for in between is decoded
    // there and then, with all the others.
    void PrepareImages(LPCTSTR folder);
    void StartDecodingImages();
    // nullptr when no image of that name was loaded.
    const CSkinImage* GetImage(LPCTSTR fileName) const;
    const CSkinImage* GetCornerImage() const { return GetImage(kCornerImageName); }
    void ReleaseImages();

private:
    using ImageMap = std::map<CString, CSkinImage>;
    static ImageMap DecodeImages(const CString& root);
    // Names the folder of the drag cursor; an own one loaded from another
    // folder goes. With m_lock held.
    void SetCursorFolder(const CString& root);
    // Takes over the images a worker has decoded, waiting for them, or
    // decodes a prepared folder's images itself; with m_lock held.
    void TakeDecodedImages() const;

    mutable std::mutex m_lock;
    mutable ImageMap m_images;
    mutable std::future<ImageMap> m_decoding;
    // The folder whose images are still to be decoded; empty when none is.
    mutable CString m_undecodedRoot;
    CGdiHandle<HBRUSH> m_pageBackBrush;
    CGdiHandle<HBRUSH> m_editBackBrush;
    CString m_cursorRoot;
    mutable CCursorHandle m_ownDragCursor;
    mutable HCURSOR m_handCursor = nullptr;
    mutable HCURSOR m_dragCursor = nullptr;
};

CUiResources& GetUiResources();

// Loads the skin images from the program folder's "pictures\"; once at start-up,
// after GDI+ has started.
bool LoadUiResources();
// The same, decoding the images on a worker thread while start-up goes on.
void StartLoadingUiResources();
// The same in two steps (see CUiResources::PrepareImages): nothing shows a skin
// image before the main window's pages are made, so the decoding can wait
// until the program has time to spare.
void PrepareUiResources();
void StartDecodingUiImages();
