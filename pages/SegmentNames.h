// The style segments' names as the current language's string table spells
// them, upper-cased, and the look-ups the style reader and the wizard use.
#pragma once

#include <afx.h>

#include <functional>
#include <map>
#include <string_view>

class CSegmentNames {
public:
    // Loads every segment's name through loadString (a string id in, its text
    // out) and replaces the map.
    void Build(const std::function<CString(UINT)>& loadString);
    // The segment of a name in any case; 29 (no such segment) when absent.
    int Lookup(const CString& name) const;
    int LookupA(std::string_view name) const;
    // The upper-case name stored for a segment; empty when none has it.
    CString NameOf(int segment) const;
    bool IsEmpty() const { return m_byName.empty(); }

private:
    std::map<CString, int> m_byName;
};

// The program's map, built at start-up from the resources then in force.
CSegmentNames& GetAppSegmentNames();

int GetSegmentByName(const CString& name);
int GetSegmentByNameA(std::string_view name);

// Replaces each character a file name may not hold (" * / : < > ? \ |) by '~'.
void SanitizeFileName(CString& name);
