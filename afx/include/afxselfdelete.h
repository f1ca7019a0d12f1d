// Making the window of an object that deletes itself when its window goes
// (PostNcDestroy, as frames, views and many library windows do).
//
// Such an object may already be gone when its Create answers FALSE: a window
// was made and its WM_CREATE refused, so the window was destroyed and took the
// object with it; CWnd::CreateEx also ends an object it made no window for.
// Other creation paths (a Create that stops before it asks for a window, the
// MDI client refusing a child) leave the object with its maker. A maker cannot
// tell the two apart from the object, which it may not touch once it is gone.
//
// AfxCreateSelfDeleting does it for every such window: it watches the object
// while `create` runs (the layer notes when the creation hook attaches it to a
// window and when its end runs), and a failed creation is finished exactly
// once: an object that ended is left alone, a window still standing is
// destroyed (the object goes with it), an object no window was ever made for
// is deleted here. Nothing is touched twice and nothing is left behind.
#pragma once

#include "afxwnd.h"

#include <optional>
#include <utility>

class CSelfDeletingCreation {
public:
    explicit CSelfDeletingCreation(CWnd* pWnd);
    ~CSelfDeletingCreation();
    CSelfDeletingCreation(const CSelfDeletingCreation&) = delete;
    CSelfDeletingCreation& operator=(const CSelfDeletingCreation&) = delete;

    // A window was made for the object during the watch.
    bool WasWindowMade() const { return m_bWindowMade; }
    // The object's end (PostNcDestroy) ran during the watch: it is gone.
    bool HasEnded() const { return m_bEnded; }
    // The creation answered: TRUE keeps the object (it has its window);
    // otherwise the object is finished as described above and FALSE returned.
    bool Finish(BOOL bCreated);

    // What the layer tells the watches of the calling thread.
    static void NoteWindowMade(const CWnd* pWnd);
    static void NoteEnded(const CWnd* pWnd);

private:
    CWnd* m_pWnd;
    bool m_bWindowMade = false;
    bool m_bEnded = false;
    CSelfDeletingCreation* m_pOuter;
};

// The same watch over a span that is no one block (a stored load's commits,
// one of which makes the object's window while a later one looks at it):
// Start begins it, End ends it and answers whether the object ended meanwhile
// (it may not be touched then).
class CSelfDeletingWatch {
public:
    void Start(CWnd* pWnd) { m_watch.emplace(pWnd); }
    bool End()
    {
        const bool bEnded = m_watch.has_value() && m_watch->HasEnded();
        m_watch.reset();
        return bEnded;
    }

private:
    std::optional<CSelfDeletingCreation> m_watch;
};

// Makes the window of pWnd (made with new; the call takes it over) through
// create(*pWnd), which answers whether the window stands. Answers the object,
// or null when the creation failed (the object is then gone).
template <class TWnd, class TCreate>
TWnd* AfxCreateSelfDeleting(TWnd* pWnd, TCreate&& create)
{
    if (pWnd == nullptr)
        return nullptr;
    CSelfDeletingCreation watch(pWnd);
    const BOOL bCreated = std::forward<TCreate>(create)(*pWnd);
    return watch.Finish(bCreated) ? pWnd : nullptr;
}
