// The program's own window messages. Worker threads and the device port post
// them to the main window; the frame relays each one to the view or to the
// workspace bar. Every area uses these names, never the raw numbers.
#pragma once

#include <windows.h>

namespace AppMsg {

// wParam page slot 0..6. Workspace bar -> frame -> view -> pages.
inline constexpr UINT SelectPage = WM_USER + 1;
// wParam page slot. Editors ask the frame to bring a page forward.
inline constexpr UINT BringPageForward = WM_USER + 2;
// Sent by the view after a connection: the workspace bar rebuilds its tree.
inline constexpr UINT DevProfileLoaded = WM_USER + 3;
// Progress of a transfer: begin (wParam lower, lParam upper, signed 16-bit
// each), end, step. Posted by the device port.
inline constexpr UINT ProgressBegin = WM_USER + 6;
inline constexpr UINT ProgressEnd = WM_USER + 7;
inline constexpr UINT ProgressStep = WM_USER + 8;
// Picture control clicked; wParam control id.
inline constexpr UINT PictureClicked = WM_USER + 9;
// A data folder changed; wParam file kind 0..3.
inline constexpr UINT FolderChanged = WM_USER + 10;
// List drag and drop; wParam points at the list's drag record.
inline constexpr UINT ListDrag = WM_USER + 11;
// MIDI player: play position, play stopped.
inline constexpr UINT PlayPosition = WM_USER + 16;
inline constexpr UINT PlayStopped = WM_USER + 17;
// Sliders and the value button.
inline constexpr UINT SliderMoved = WM_USER + 21;
inline constexpr UINT SliderReleased = WM_USER + 22;
inline constexpr UINT ValueChanged = WM_USER + 23;
// Reserved: nothing sends these; the frame still relays them to the view.
inline constexpr UINT DeviceRemoved = WM_USER + 24;
inline constexpr UINT FirmwarePage = WM_USER + 25;
// The language changed: menu, caption and every page's texts reload.
inline constexpr UINT LanguageChanged = WM_USER + 26;
// An upload thread finished; wParam result.
inline constexpr UINT UploadFinished = WM_USER + 27;
// The instrument was lost or disconnected.
inline constexpr UINT DeviceLost = WM_USER + 28;
// Sent by the view to its frame while it waits before connecting at start-up:
// the hidden frame builds its bars and menu meanwhile. The answer is nonzero
// when they could not be made.
inline constexpr UINT CompleteFrame = WM_APP + 0x140;

} // namespace AppMsg

// Page slots of the view.
namespace PageSlot {
inline constexpr int SongTransfer = 0;
inline constexpr int StyleTransfer = 1;
inline constexpr int VoiceTransfer = 2;
inline constexpr int MemoryTransfer = 3;
inline constexpr int SongEditor = 4;
inline constexpr int StyleEditor = 5;
inline constexpr int Firmware = 6; // never created
inline constexpr int Count = 7;
} // namespace PageSlot
