// Per-segment crash-note and velocity defaults of the style converter, copied at
// construction from the program's tables (read from "DefValue.ini" at start-up).
#pragma once

#include <windows.h>

#include "core/portable/style/SegmentDefaults.h"

// Reads a "DefValue.ini"; a missing or unreadable file gives zero tables.
keyloft::style::SegmentDefaults LoadSegmentDefaultsFile(LPCWSTR path);

// The program's tables, set once at start-up and read by every CConfig.
void SetAppSegmentDefaults(const keyloft::style::SegmentDefaults& defaults);
const keyloft::style::SegmentDefaults& GetAppSegmentDefaults();

class CConfig {
public:
    CConfig() : m_defaults(GetAppSegmentDefaults()) {}
    explicit CConfig(const keyloft::style::SegmentDefaults& defaults) : m_defaults(defaults) {}

    BYTE GetCrashNote(int segment) const { return m_defaults.CrashNoteOf(segment); }
    BYTE GetVelocity(int segment) const { return m_defaults.VelocityOf(segment); }
    const keyloft::style::SegmentDefaults& Defaults() const { return m_defaults; }

private:
    keyloft::style::SegmentDefaults m_defaults;
};
