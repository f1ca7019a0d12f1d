// The program's global interface resources: colours, the connected device's
// names, cursors, brushes, the skin images from "pictures\", the map from device
// name to internal model name and the map from model to series.
#pragma once

#include <afx.h>

#include <map>
#include <memory>
#include <mutex>
#include <type_traits>
#include <vector>

#include "core/ui/SkinImage.h"

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

    // Empty when no instrument is connected.
    CString m_deviceName;
    CString m_midiPortName;

    HCURSOR GetHandCursor() const { return m_handCursor; }
    HCURSOR GetDragCursor() const { return m_dragCursor; }
    HBRUSH GetPageBackBrush() const { return m_pageBackBrush.get(); }
    HBRUSH GetEditBackBrush() const { return m_editBackBrush.get(); }

    // Loads every ".png" of the folder, keyed by file name (case ignored), the drag
    // cursor from "drag.cur" when present, and the system hand cursor. Returns the
    // number of images loaded.
    int LoadImages(LPCTSTR folder);
    // nullptr when no image of that name was loaded.
    const CSkinImage* GetImage(LPCTSTR fileName) const;
    const CSkinImage* GetCornerImage() const { return GetImage(kCornerImageName); }
    void ReleaseImages();

    // Device-name map: key the upper-cased device name (the chooser's label).
    void SetInterName(LPCTSTR deviceName, LPCTSTR modelName);
    CString GetInterName(LPCTSTR deviceName) const;
    std::vector<CString> ListInterNames() const;
    void ClearInterNames();

    // Series map: key the upper-cased internal model name.
    void SetDeviceSeries(LPCTSTR modelName, LPCTSTR series);
    void ClearDeviceSeries();
    // The series of a model; a name that is not a model is also tried as a device
    // name through the device-name map. Empty when unknown.
    CString GetDeviceSeries(LPCTSTR name) const;

private:
    struct BrushDeleter {
        void operator()(HBRUSH brush) const;
    };
    using BrushPtr = std::unique_ptr<std::remove_pointer_t<HBRUSH>, BrushDeleter>;
    struct CursorDeleter {
        void operator()(HCURSOR cursor) const;
    };
    using CursorPtr = std::unique_ptr<std::remove_pointer_t<HCURSOR>, CursorDeleter>;

    mutable std::mutex m_lock;
    std::map<CString, CString> m_interNames;
    std::map<CString, CString> m_series;
    std::map<CString, CSkinImage> m_images;
    BrushPtr m_pageBackBrush;
    BrushPtr m_editBackBrush;
    CursorPtr m_ownDragCursor;
    HCURSOR m_handCursor = nullptr;
    HCURSOR m_dragCursor = nullptr;
};

CUiResources& GetUiResources();

// Loads the skin images from the program folder's "pictures\"; once at start-up,
// after GDI+ has started.
bool LoadUiResources();

CString GetInterName(LPCTSTR deviceName);
void SetInterName(LPCTSTR deviceName, LPCTSTR modelName);
std::vector<CString> ListInterNames();
CString GetDeviceSeries(LPCTSTR modelName);

void ListInterNames(CStringArray& names);
