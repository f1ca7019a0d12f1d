// The song editor page: opens a MIDI file, lists its sixteen channels as tracks,
// plays it on a MIDI output of the PC with solo and mute per track, and
// converts it into the instrument's song form in the song folder.
#pragma once

#include <afxext.h>
#include <afxwin.h>
#include <mmsystem.h>

#include <boost/shared_ptr.hpp>

#include "core/player/SongMIDI.h"
#include "pages/BaseDlg.h"
#include "widgets/SkinScrollBar.h"
#include "widgets/TrackListCtrl.h"

class CEditSongDlg1 : public CBaseDlg {
public:
    explicit CEditSongDlg1(CWnd* pParent = nullptr);
    ~CEditSongDlg1() override;

    // Page hooks.
    bool CanClose() override;
    void ReloadTexts() override;
    void GetExcludeRects(std::vector<CRect>& rects) override;
    LRESULT OnDeviceLost(WPARAM wParam, LPARAM lParam) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    // What Open does once a file is chosen; false when it cannot be read (the
    // tracks stay as they were).
    bool LoadSong(const CString& path);
    // Play/Pause and Stop as the toolbar runs them.
    void PlayPause();
    void StopPlaying();

    UINT GetOutputId() const { return m_midiDevId; }
    CSongMIDI& GetPlayer() { return m_player; }
    CSkinScrollBar& GetPositionBar() { return m_positionBar; }
    CTrackListCtrl& GetTrackList() { return m_trackList; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    afx_msg int OnCreate(LPCREATESTRUCT lpCreateStruct);
    afx_msg void OnDestroy();
    afx_msg void OnOpen();
    afx_msg void OnPlayPause();
    afx_msg void OnStop();
    afx_msg void OnConvert();
    afx_msg void OnConvertAndDownload();
    afx_msg void OnChooseOutput();
    afx_msg void OnToolBarDropDown(NMHDR* pNMHDR, LRESULT* pResult);
    afx_msg LRESULT OnPlayPosition(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnPlayStopped(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnBarReleased(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnSoloRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnMuteRequest(WPARAM wParam, LPARAM lParam);
    afx_msg LRESULT OnLanguageChanged(WPARAM wParam, LPARAM lParam);
    afx_msg HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    DECLARE_MESSAGE_MAP()

private:
    void FillTracks();
    bool OpenOutput();
    // midiOutClose, repeated while the driver is still playing.
    void CloseOutput();
    void ClearTimeText();
    void RefreshPlayButton();
    // Solo and mute: refused while the player has not yet taken the last request.
    LRESULT RequestChannelFlag(int (&flags)[16], WPARAM channel, LPARAM on);
    // Convert's checks, its dialog and the conversion; the converted song's
    // path, empty when nothing was written.
    CString ConvertSong();
    bool ConvertInto(const CString& path, const CString& model, const int (&removed)[16]);

    CToolBar m_toolBar;
    CSkinScrollBar m_positionBar;
    CStatic m_timeText;
    CBrush m_timeBackBrush;  // the page's own colour behind the time text
    CTrackListCtrl m_trackList;
    CSongMIDI m_player;
    CString m_fullName;   // the names last confirmed for a conversion
    CString m_shortName;
    HMIDIOUT m_hMidiOut = nullptr;
    UINT m_midiDevId = static_cast<UINT>(-1);
};

// The page of the song editor slot, created as a hidden child of parent; empty
// when its dialog cannot be created.
boost::shared_ptr<CBaseDlg> CreateSongEditorPage(CWnd* parent);
