#include "print/print_surface.h"

namespace tw {

namespace {

// Point sizes 7 to 17 in thousandths of an inch, cut to whole units.
constexpr PrintFont kFonts[kPrintFontCount] = {
    {6, 97, false},
    {8, 111, false},
    {10, 125, false},
    {12, 138, false},
    {14, 152, false},
    {15, 166, false},
    {16, 180, false},
    {18, 194, false},
    {20, 208, false},
    {106, 97, true},
    {108, 111, true},
    {110, 125, true},
    {112, 138, true},
    {114, 152, true},
    {115, 166, true},
    {116, 180, true},
    {118, 194, true},
    {120, 208, true},
    {124, 236, true},
};

} // namespace

PrintFont PrintFontFor(int code)
{
    for (const PrintFont &f : kFonts)
        if (f.code == code)
            return f;
    return kFonts[3];
}

const PrintFont *PrintFontTable()
{
    return kFonts;
}

} // namespace tw
