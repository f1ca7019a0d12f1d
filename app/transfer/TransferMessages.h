// Messages a transfer worker posts to its page's window. The worker never
// touches the page's controls or shows a box itself: the page does all of that
// on the GUI thread when these arrive. Texts travel as a heap CString in lParam,
// owned by the receiver (TakePostedText).
#pragma once

#include <afx.h>

#include <memory>

namespace TransferMsg {
// wParam file-exception cause, lParam path: the file-error sentence.
inline constexpr UINT FileError = WM_APP + 0x120;
// lParam path: a file no longer obeys the size rule or its mark check.
inline constexpr UINT FileRejected = WM_APP + 0x121;
// A file was written into the data folder: refill the PC list.
inline constexpr UINT PcFolderWritten = WM_APP + 0x122;
// wParam last port result, lParam 1 when every file was sent. The page
// refreshes its device list and shows the success note when lParam is 1.
inline constexpr UINT DownloadFinished = WM_APP + 0x123;
// wParam generation: results of the PC list's mark check wait (MarkCheckRunner).
inline constexpr UINT MarksChecked = WM_APP + 0x124;
// The upload's end goes as AppMsg::UploadFinished (WM_USER+27), wParam result.
} // namespace TransferMsg

// Posts message with a copy of text; the copy is freed here when the post fails.
bool PostText(HWND window, UINT message, WPARAM wParam, const CString& text);
// Takes ownership of the text posted with PostText.
std::unique_ptr<CString> TakePostedText(LPARAM lParam);
