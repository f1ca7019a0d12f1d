// The four transfer pages (song, style, voice, memory) as the view sees them:
// a factory and the call that stops a page's running transfer.
#pragma once

#include <boost/shared_ptr.hpp>

class CBaseDlg;
class CWnd;

// File kinds of the transfer pages (also their page slots 0..3).
namespace TransferKind {
inline constexpr int Song = 0;
inline constexpr int Style = 1;
inline constexpr int Voice = 2;
inline constexpr int Memory = 3;
inline constexpr int Count = 4;
} // namespace TransferKind

// Creates the page of a kind (0..3) with its dialog (135..138) as a child of
// parent, hidden. Empty for another kind or when the dialog cannot be created.
// The page is attached to the view and port afterwards through CBaseDlg::Attach.
boost::shared_ptr<CBaseDlg> CreateTransferPage(int kind, CWnd* parent);

// True when page is one of the transfer pages.
bool IsTransferPage(const CBaseDlg* page);

// Cancels the page's running download or upload (if any) and waits until its
// worker thread has ended. A page does this itself when its window is destroyed;
// the view calls it for every page before it resets or disconnects the port, so
// no worker talks to a port or a page that is going away. Null or a page that
// is not a transfer page: nothing happens.
void StopTransferJob(CBaseDlg* page);
