// What the view offers its pages (pages/PageHost.h): the folder watches, the
// folder-changed note, the voice-name list and the song download.
#include "app/view/KeyloftView.h"

#include "app/transfer/TransferPage.h"
#include "pages/ProgramMessages.h"
#include "res/resource.h"

void CKeyloftView::SetFolderWatch(int fileKind, bool on)
{
    ::SetFolderWatch(fileKind, on);
}

void CKeyloftView::NotifyFolderChanged(int fileKind)
{
    if (GetSafeHwnd() != nullptr)
        PostMessage(AppMsg::FolderChanged, static_cast<WPARAM>(fileKind), 0);
}

bool CKeyloftView::DownloadSongFile(const CString& path)
{
    auto* songPage = dynamic_cast<CTransferPage*>(GetPage(PageSlot::SongTransfer).get());
    if (songPage == nullptr) {
        // The instrument's profile shows no song transfer page.
        ShowMessageBox(MSG_ICON_WARNING, IDS_NO_SONG_TRANSFER_PAGE);
        return false;
    }
    return songPage->DownloadFileToInstrument(path);
}
