// The style converter as the wizard uses it: loads a MIDI source split by its
// markers, and writes the name block and the segments of the style file.
#pragma once

#include <afx.h>

#include <cstdint>
#include <map>
#include <string>

#include "core/convert/Config.h"
#include "core/portable/style/StyleConverter.h"

namespace STYMIDI {

class CStyMIDI {
public:
    CStyMIDI();

    // FALSE after telling the user why (a message box with the reason).
    BOOL LoadFile(LPCWSTR path);
    // The same without a message box; the reason is returned.
    bool LoadFile(LPCWSTR path, std::wstring& reason);
    void Prepare() { m_converter.Prepare(); }
    UINT GetHeadSize() const { return static_cast<UINT>(m_converter.GetHeadSize()); }
    void WriteHead(CFile& stream) const;
    // Records (stream position / 2) per written segment. Throws a CFileException when
    // a segment would lie beyond a 16-bit word offset.
    void WriteSegments(CFile& stream, std::map<int, WORD>& wordOffsets, const CConfig& config) const;

    void SetName(int index, const std::string& ansiName);  // index 0..3
    void SetName(int index, LPCWSTR name);                 // converted to the ANSI code page
    void SetPlayChannel(int segment, int channel, BYTE playChannel) {
        m_converter.SetPlayChannel(segment, channel, playChannel);
    }

    // Fields the wizard sets before loading and reads after.
    UINT& m_timeBase;
    bool& m_crossFill;
    bool& m_flag2;
    bool& m_flag3;
    UINT& m_tempo;
    std::uint8_t& m_timeSigNumerator;
    std::uint8_t& m_timeSigDenominator;

    const keyloft::style::StyleConverter& Converter() const { return m_converter; }
    keyloft::style::StyleConverter& Converter() { return m_converter; }

private:
    keyloft::style::StyleConverter m_converter;
};

}  // namespace STYMIDI
