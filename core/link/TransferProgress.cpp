#include "core/link/TransferProgress.h"

#include <algorithm>

namespace {
constexpr unsigned kMaxSteps = 0x7FFF;  // the bar reads the bounds as signed 16-bit numbers
}

ProgressScale ProgressScale::ForPackets(unsigned packets)
{
    ProgressScale scale;
    scale.packetsPerStep = packets <= kMaxSteps ? 1 : (packets + kMaxSteps - 1) / kMaxSteps;
    scale.steps = (packets + scale.packetsPerStep - 1) / scale.packetsPerStep;
    return scale;
}

CTransferProgress::CTransferProgress(HWND target, unsigned packets)
    : m_target(target), m_packets(packets), m_scale(ProgressScale::ForPackets(packets))
{
    Post(WM_LINK_PROGRESS_BEGIN, 0, static_cast<LPARAM>(m_scale.steps));
}

CTransferProgress::~CTransferProgress()
{
    End();
}

void CTransferProgress::PacketDone()
{
    ++m_packetsDone;
    // Step j is due when j full groups of packets are done, the last (short)
    // group when every packet is done.
    while (m_stepsPosted < m_scale.steps &&
           m_packetsDone >= std::min((m_stepsPosted + 1) * m_scale.packetsPerStep, m_packets)) {
        ++m_stepsPosted;
        Post(WM_LINK_PROGRESS_STEP, 0, 0);
    }
}

void CTransferProgress::End()
{
    if (m_ended)
        return;
    m_ended = true;
    Post(WM_LINK_PROGRESS_END, 0, 0);
}

void CTransferProgress::Post(UINT message, WPARAM wParam, LPARAM lParam) const
{
    if (m_target && IsWindow(m_target))
        PostMessageW(m_target, message, wParam, lParam);
}
