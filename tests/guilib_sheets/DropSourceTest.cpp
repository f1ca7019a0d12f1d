// The drop source of dragged buttons: the library's cursors are loaded on the
// first drag (its own images: pointer at the tip, one for each effect), shown
// for the effect, and the keys held are recorded.
#include <gtest/gtest.h>

#include "guilib/core/KGPLibraryResources.h"
#include "guilib/core/KGPLocalResource.h"
#include "guilib/toolbars/KGPToolbarDropSource.h"

#include <afxhandle.h>

#include <set>

namespace {

class COpenDropSource : public CKGPToolbarDropSource {
public:
    using CKGPToolbarDropSource::GiveFeedback;
};

TEST(DropSourceTest, TheLibrarysCursorsShowForEachEffectFromTheFirstDrag)
{
    COpenDropSource source;
    for (const DROPEFFECT effect : {DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_COPY})
        EXPECT_EQ(nullptr, source.CursorFor(effect)) << "nothing loaded before a drag";
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(DROPEFFECT_COPY));

    // No button is held, so no drag follows; the cursors are loaded all the same.
    EXPECT_FALSE(source.OnBeginDrag(nullptr));
    EXPECT_TRUE(source.m_bDragStarted);
    std::set<HCURSOR> cursors;
    for (const DROPEFFECT effect : {DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_COPY}) {
        const HCURSOR cursor = source.CursorFor(effect);
        ASSERT_NE(nullptr, cursor) << effect;
        cursors.insert(cursor);
        EXPECT_EQ(S_OK, source.GiveFeedback(effect));
        EXPECT_EQ(cursor, ::GetCursor()) << "shown for effect " << effect;
    }
    EXPECT_EQ(3u, cursors.size()) << "delete, move and copy differ";
    EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(DROPEFFECT_LINK)) << "no cursor of its own";

    source.m_bDeleteOnDrop = FALSE;
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON | MK_CONTROL));
    EXPECT_EQ(source.CursorFor(DROPEFFECT_NONE), ::GetCursor()) << "a button that may not leave its bar";
    EXPECT_TRUE(source.m_bEscapePressed);
    EXPECT_EQ(static_cast<DWORD>(MK_LBUTTON | MK_CONTROL), source.m_dwLastKeyState);
}

TEST(DropSourceTest, EveryDragCursorPointsWithItsTip)
{
    for (const UINT id : {IDCUR_KGP_DRAG_COPY, IDCUR_KGP_DRAG_MOVE, IDCUR_KGP_DRAG_DELETE}) {
        CCursorHandle cursor(KGPLoadLibraryCursor(id));
        ASSERT_TRUE(cursor) << id;
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(cursor.Get(), &info));
        CGdiHandle<HBITMAP> colour(info.hbmColor);
        CGdiHandle<HBITMAP> mask(info.hbmMask);
        EXPECT_FALSE(info.fIcon);
        EXPECT_EQ(0u, info.xHotspot) << id;
        EXPECT_EQ(0u, info.yHotspot) << id;
    }
    EXPECT_EQ(nullptr, KGPLoadLibraryCursor(IDCUR_KGP_DRAG_COPY + 1)) << "an id the library lacks";
}

} // namespace
