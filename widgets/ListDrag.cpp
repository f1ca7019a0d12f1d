#include "widgets/ListDrag.h"

#include <memory>

namespace {

// One drag at a time in the whole program, always on the GUI thread.
struct ListDragState {
    bool dragging = false;
    std::unique_ptr<CImageList> image;
};

ListDragState& DragState()
{
    static ListDragState state;
    return state;
}

}  // namespace

bool IsListDragging()
{
    return DragState().dragging;
}

void MoveListDragImage(CPoint screenPoint)
{
    if (DragState().dragging) {
        CImageList::DragMove(screenPoint);
    }
}

void EndListDrag()
{
    ListDragState& state = DragState();
    if (state.image) {
        CImageList::DragLeave(nullptr);
        CImageList::EndDrag();
        state.image->DeleteImageList();
        state.image.reset();
    }
    state.dragging = false;
}

void FollowListDrag(CWnd& over, CPoint clientPoint)
{
    if (!DragState().dragging)
        return;
    over.ClientToScreen(&clientPoint);
    CImageList::DragMove(clientPoint);
}

bool EndListDragOnRelease()
{
    if (!DragState().dragging)
        return false;
    EndListDrag();
    ::ReleaseCapture();
    return true;
}

namespace list_drag_detail {

bool StartListDrag(CImageList* imageList, CPoint entryPoint)
{
    EndListDrag();
    ListDragState& state = DragState();
    state.image.reset(imageList);
    if (!state.image || !state.image->BeginDrag(0, CPoint(0, 16))) {
        EndListDrag();
        return false;
    }
    state.dragging = true;
    CImageList::DragEnter(nullptr, entryPoint);
    return true;
}

}  // namespace list_drag_detail
