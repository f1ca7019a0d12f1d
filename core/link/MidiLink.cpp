#include "core/link/MidiLink.h"

#include "core/link/LinkMessages.h"

CMidiLink::~CMidiLink()
{
    Close();
}

bool CMidiLink::Open(UINT outId, UINT inId)
{
    Close();
    if (!m_out.Open(outId)) {
        Close();
        ShowLinkMessage(IDS_LINK_OPEN_MIDI_OUT_FAILED);
        return false;
    }
    if (!m_in.Open(inId)) {
        Close();
        ShowLinkMessage(IDS_LINK_OPEN_MIDI_IN_FAILED);
        return false;
    }
    TraceLink(L"Link: opened MIDI out %u, in %u\n", outId, inId);
    return true;
}

void CMidiLink::Close()
{
    m_out.Close();
    m_in.Close();
}

std::wstring MidiOutName(UINT outId)
{
    MIDIOUTCAPSW caps = {};
    if (midiOutGetDevCapsW(outId, &caps, sizeof caps) != MMSYSERR_NOERROR)
        return {};
    return caps.szPname;
}
