// The process's GDI and USER objects, to see that loads and paints leave none
// behind.
// GetGuiResources answers them on Windows; Wine's answers 0, so there the GDI
// objects are counted in the handle table the process environment block
// points at, and the USER objects are the thread's windows (the only USER
// objects the library's readers could make).
#pragma once

#include <windows.h>

#include <map>
#include <ostream>

namespace keyloft_test {

struct GuiObjectCounts {
    DWORD gdi = 0;
    DWORD user = 0;
    bool operator==(const GuiObjectCounts& other) const { return gdi == other.gdi && user == other.user; }
};

GuiObjectCounts CountGuiObjects();
// The GDI objects alive (Wine's handle table): each handle's value and its
// table type, to tell which objects one run left beside another's.
std::map<DWORD, DWORD> LiveGdiObjects();

// Wine makes the pen of a system colour the first time something draws an
// edge or a frame control in it, and keeps it for the process: drawn once
// here, every such pen is there before a count, not taken for the program's.
void MakeSystemColourPens();

inline std::ostream& operator<<(std::ostream& out, const GuiObjectCounts& counts)
{
    return out << counts.gdi << " GDI, " << counts.user << " USER";
}

} // namespace keyloft_test
