// The program-wide drag of rows out of a file list: one at a time, with an
// image that follows the mouse over every window of the program.
#pragma once

#include <afxcmn.h>

#include <cstdint>

// Sent (SendMessage) by a file list to its parent; wParam points to a
// DragNotifyRecord that lives only during the call.
constexpr UINT WM_LIST_DRAG_NOTIFY = WM_USER + 11;

enum : uint32_t {
    LIST_DRAG_BEGIN = 1036,
    LIST_DRAG_MOVE = 1037,
    LIST_DRAG_DROP = 1038,
    LIST_DRAG_CANCEL = 1039,
};

struct DragNotifyRecord {
    uint32_t code = 0;
    uint32_t controlId = 0;
    POINT* cursor = nullptr;  // screen coordinates
    uint32_t rowCount = 0;
};

// True while a list drag runs; other windows read it to move the image.
bool IsListDragging();
// Moves the drag image to a screen point (nothing when no drag runs).
void MoveListDragImage(CPoint screenPoint);
// Ends a running drag: the image leaves the screen and the state is cleared.
void EndListDrag();

// What a window that a drag travels over does with its mouse messages: a move
// (in the window's client coordinates) takes the image along; a release of
// the left button ends the drag and frees the mouse from the dragging list.
// The release answers true when it ended a drag.
void FollowListDrag(CWnd& over, CPoint clientPoint);
bool EndListDragOnRelease();

namespace list_drag_detail {
// Takes over the drag image and starts the image drag; false leaves no drag.
bool StartListDrag(CImageList* imageList, CPoint entryPoint);
}  // namespace list_drag_detail
