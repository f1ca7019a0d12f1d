// CTrackListCtrl: the song editor's track list. One row per MIDI channel
// (row n = channel n), numbered from 1, with the instrument name and four
// choice columns: solo, mute, remove and main melody. Solo and mute ask the
// parent first (WM_USER+19 / WM_USER+20, wParam channel, lParam new state);
// the cell changes only when the parent answers non-zero.
#pragma once

#include <afxcmn.h>

#include <map>

class CTrackListCtrl : public CListCtrl {
public:
    enum Column { kColumnTrack = 0, kColumnInstrument, kColumnSolo, kColumnMute, kColumnRemove, kColumnMelody };
    static constexpr UINT kMsgSoloRequest = WM_USER + 19;
    static constexpr UINT kMsgMuteRequest = WM_USER + 20;

    CTrackListCtrl() = default;
    ~CTrackListCtrl() override = default;

    // Appends a row numbered count + 1; a null or empty name leaves the
    // instrument cell empty (a channel the song does not use). Returns the row.
    int AddTrack(LPCTSTR instrumentName = nullptr);

    bool IsSolo(int channel) const { return Lookup(m_solo, channel); }
    bool IsMuted(int channel) const { return Lookup(m_mute, channel); }
    bool IsRemoved(int channel) const { return Lookup(m_remove, channel); }
    bool IsMelody(int channel) const { return Lookup(m_melody, channel); }
    const std::map<int, bool>& GetRemoveMap() const { return m_remove; }
    // Empties the four column maps and their cells.
    void ClearColumnMaps();

    // The remembered melody rows, -1 when none; the first is the main melody.
    int GetMainMelodyRow() const { return m_melodyRows[0]; }
    int GetSecondMelodyRow() const { return m_melodyRows[1]; }
    void ResetMelodyRows();

    // Set on every change the user makes.
    bool IsModified() const { return m_modified; }
    void SetModified(bool modified) { m_modified = modified; }

    // A click on a cell (also what WM_LBUTTONDOWN does after hit-testing).
    void OnCellClicked(int row, int column);

    // The text shown in a chosen cell.
    static constexpr const wchar_t* kMark = L"\x221A";

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    static bool Lookup(const std::map<int, bool>& map, int channel);
    void SetChoice(std::map<int, bool>& map, int row, int column, bool on);
    void ToggleMelody(int row);
    void ShowMelodyCells();

    std::map<int, bool> m_solo;
    std::map<int, bool> m_mute;
    std::map<int, bool> m_remove;
    std::map<int, bool> m_melody;
    int m_melodyRows[2] = {-1, -1};
    bool m_modified = false;
};
