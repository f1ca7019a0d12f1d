// The instrument search: the identify frame goes out on every MIDI output
// while every MIDI input listens, and each well-formed answer names an
// instrument with its port pair. Whatever the search opens it closes again
// when the scan or the check ends (and at the latest when it is destroyed),
// so the chosen pair is free for the device port right afterwards.
#pragma once

#include <afx.h>

#include <vector>

#include "core/portable/protocol/Constants.h"

struct FoundInstrument {
    UINT outId = 0;
    UINT inId = 0;
    CString name;  // the model name the instrument reported
};

class CMidiDevSearch {
public:
    CMidiDevSearch() = default;
    ~CMidiDevSearch() = default;
    CMidiDevSearch(const CMidiDevSearch&) = delete;
    CMidiDevSearch& operator=(const CMidiDevSearch&) = delete;

    void SetTimeouts(const keyloft::protocol::Timeouts& timeouts) { m_timeouts = timeouts; }

    // Sends the identify frame on every output (listening at most the scan
    // time per output) and returns the instruments that answered, in the
    // order of their outputs.
    const std::vector<FoundInstrument>& Scan();
    const std::vector<FoundInstrument>& GetFound() const { return m_found; }
    INT_PTR GetCount() const { return static_cast<INT_PTR>(m_found.size()); }

    // Opens the pair of a found instrument, sends the identify frame and waits
    // (polling) for its answer; true when it answered.
    BOOL Check(INT_PTR index);
    // False for an index outside the list.
    BOOL GetPortIds(INT_PTR index, UINT& outId, UINT& inId) const;

private:
    keyloft::protocol::Timeouts m_timeouts;
    std::vector<FoundInstrument> m_found;
};

// The name of a MIDI output (midiOutGetDevCaps); empty for an unknown id.
CString GetMidiOutName(UINT outId);
