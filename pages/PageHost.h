// What a page may ask of the view that shows it. The view hands itself to every
// page it attaches (CBaseDlg::Attach); the pages reach it through this and
// nothing else, so that they never need to know the view's class.
#pragma once

#include <afx.h>

class IPageHost {
public:
    virtual ~IPageHost() = default;

    // Switches the watch of a data folder (file kind 0 song .. 3 memory) off
    // while a page writes into it, and on again.
    virtual void SetFolderWatch(int fileKind, bool on) = 0;
    // A page wrote into a data folder: the page that lists it refills.
    virtual void NotifyFolderChanged(int fileKind) = 0;
    // Fetches the connected model's voice-name list into "INS\<model>.ins";
    // FALSE when the instrument did not give it.
    virtual BOOL FetchInsFile() = 0;
    // Downloads a song file to the instrument through the song transfer page:
    // its checks, questions, progress and failure handling; into the first
    // empty song slot, or the slot the user chooses to replace when none is
    // empty. False when no download was started.
    virtual bool DownloadSongFile(const CString& path) = 0;
};

// Switches a data folder's watch off through a host for its lifetime (nothing
// without a host).
class CHostFolderWatchPause {
public:
    CHostFolderWatchPause(IPageHost* host, int fileKind) : m_host(host), m_kind(fileKind)
    {
        if (m_host != nullptr)
            m_host->SetFolderWatch(m_kind, false);
    }
    ~CHostFolderWatchPause()
    {
        if (m_host != nullptr)
            m_host->SetFolderWatch(m_kind, true);
    }
    CHostFolderWatchPause(const CHostFolderWatchPause&) = delete;
    CHostFolderWatchPause& operator=(const CHostFolderWatchPause&) = delete;

private:
    IPageHost* m_host;
    int m_kind;
};
