#include "widgets/TrackListCtrl.h"

bool CTrackListCtrl::Lookup(const std::map<int, bool>& map, int channel)
{
    const auto found = map.find(channel);
    return found != map.end() && found->second;
}

int CTrackListCtrl::AddTrack(LPCTSTR instrumentName)
{
    const int row = GetItemCount();
    CString number;
    number.Format(L"%d", row + 1);
    const int inserted = InsertItem(row, number);
    if (inserted < 0) {
        return -1;
    }
    SetItemText(inserted, kColumnInstrument, instrumentName != nullptr ? instrumentName : L"");
    return inserted;
}

void CTrackListCtrl::ClearColumnMaps()
{
    m_solo.clear();
    m_mute.clear();
    m_remove.clear();
    m_melody.clear();
    if (m_hWnd == nullptr) {
        return;
    }
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row) {
        for (int column = kColumnSolo; column <= kColumnMelody; ++column) {
            SetItemText(row, column, L"");
        }
    }
}

void CTrackListCtrl::ResetMelodyRows()
{
    m_melodyRows[0] = -1;
    m_melodyRows[1] = -1;
    m_melody.clear();
    if (m_hWnd != nullptr) {
        ShowMelodyCells();
    }
}

void CTrackListCtrl::SetChoice(std::map<int, bool>& map, int row, int column, bool on)
{
    map[row] = on;
    SetItemText(row, column, on ? kMark : L"");
}

void CTrackListCtrl::ShowMelodyCells()
{
    const int rows = GetItemCount();
    for (int row = 0; row < rows; ++row) {
        SetItemText(row, kColumnMelody, IsMelody(row) ? kMark : L"");
    }
}

void CTrackListCtrl::ToggleMelody(int row)
{
    // Two melody rows at most: clicking a marked row unmarks it (the second
    // becomes the main one when the main one goes); a third mark replaces the
    // second.
    if (m_melodyRows[0] == row) {
        m_melodyRows[0] = m_melodyRows[1];
        m_melodyRows[1] = -1;
    } else if (m_melodyRows[1] == row) {
        m_melodyRows[1] = -1;
    } else if (m_melodyRows[0] == -1) {
        m_melodyRows[0] = row;
    } else {
        m_melodyRows[1] = row;
    }
    m_melody.clear();
    for (int marked : m_melodyRows) {
        if (marked >= 0) {
            m_melody[marked] = true;
        }
    }
    ShowMelodyCells();
}

void CTrackListCtrl::OnCellClicked(int row, int column)
{
    if (row < 0 || row >= GetItemCount()) {
        return;
    }
    switch (column) {
    case kColumnSolo:
    case kColumnMute: {
        auto& map = column == kColumnSolo ? m_solo : m_mute;
        const bool wanted = !Lookup(map, row);
        const UINT message = column == kColumnSolo ? kMsgSoloRequest : kMsgMuteRequest;
        HWND parent = ::GetParent(m_hWnd);
        const LRESULT answer =
            parent != nullptr ? ::SendMessageW(parent, message, static_cast<WPARAM>(row), wanted ? 1 : 0) : 0;
        if (answer != 0) {
            SetChoice(map, row, column, wanted);
            m_modified = true;
        }
        break;
    }
    case kColumnRemove:
        SetChoice(m_remove, row, column, !Lookup(m_remove, row));
        m_modified = true;
        break;
    case kColumnMelody:
        ToggleMelody(row);
        m_modified = true;
        break;
    default:
        break;
    }
}

LRESULT CTrackListCtrl::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_LBUTTONDOWN) {
        LVHITTESTINFO hit{};
        hit.pt = POINT{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ::SendMessageW(m_hWnd, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit));
        // Acted on before the list's own handling, which may wait in a
        // drag-detection loop until the button is released.
        if (hit.iItem >= 0 && (hit.flags & LVHT_ONITEM) != 0) {
            OnCellClicked(hit.iItem, hit.iSubItem);
        }
        return CListCtrl::WindowProc(message, wParam, lParam);
    }
    return CListCtrl::WindowProc(message, wParam, lParam);
}
