// The drop source of dragged buttons: without the library's cursors it gives
// the system's feedback for every effect, and it records the keys held.
#include <gtest/gtest.h>

#include "guilib/toolbars/KGPToolbarDropSource.h"

namespace {

class COpenDropSource : public CKGPToolbarDropSource {
public:
    using CKGPToolbarDropSource::GiveFeedback;
};

TEST(DropSourceTest, WithoutTheLibrarysCursorsTheSystemsFeedbackShows)
{
    COpenDropSource source;
    for (const DROPEFFECT effect : {DROPEFFECT_NONE, DROPEFFECT_MOVE, DROPEFFECT_COPY}) {
        EXPECT_EQ(nullptr, source.CursorFor(effect));
        EXPECT_EQ(DRAGDROP_S_USEDEFAULTCURSORS, source.GiveFeedback(effect));
    }
    EXPECT_EQ(DRAGDROP_S_CANCEL, source.QueryContinueDrag(TRUE, MK_LBUTTON | MK_CONTROL));
    EXPECT_TRUE(source.m_bEscapePressed);
    EXPECT_EQ(static_cast<DWORD>(MK_LBUTTON | MK_CONTROL), source.m_dwLastKeyState);
    EXPECT_TRUE(source.m_bDeleteOnDrop) << "a button may leave its bar unless told otherwise";
}

} // namespace
