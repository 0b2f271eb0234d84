#pragma once

#include <string_view>

namespace tw {

// The printer fonts, chosen by font code. Heights are cell heights (ascent plus
// descent) in page units; every code outside the table gets the 138-unit normal font.
struct PrintFont {
    int code = 12; // the code in the table that the font belongs to
    int height = 138;
    bool bold = false;
};
inline constexpr int kPrintFontCount = 19;
PrintFont PrintFontFor(int code);
// The 19 fonts of a job, in table order.
const PrintFont *PrintFontTable();

// Pens: 0 solid 9 units, 1 null pen, 2 solid 29 units.
inline constexpr int kPenThin = 0;
inline constexpr int kPenNone = 1;
inline constexpr int kPenThick = 2;

// Page coordinates: 8000 by 10500 units (a thousandth of an inch on a printer whose
// printable area is 8 by 10.5 inches), x = 4250 on the centre line, y pointing up
// from -500 half an inch below the paper's top.
inline constexpr int kPageWidthUnits = 8000;
inline constexpr int kPageHeightUnits = 10500;
inline constexpr int kPageCentreX = 4250;
inline constexpr int kPageTopY = -500;
inline constexpr int kLeftMargin = 500;
inline constexpr int kRightMargin = 8000;

// What the printouts draw on. A page routine only talks to this, so the same page
// lands on paper, in the preview, in a PDF, or in a test's record of calls.
class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    virtual void SelectPrintFont(int code) = 0;
    // Any pen number other than 0, 1 and 2 leaves the pen as it is.
    virtual void SelectPrintPen(int pen) = 0;
    virtual void DrawPrintLine(int x1, int y1, int x2, int y2) = 0;

    // Width of a UTF-8 text in the current font, in page units.
    virtual int TextWidth(std::string_view text) = 0;
    // Height of a text's cell (ascent plus descent) in the current font.
    virtual int TextHeight(std::string_view text) = 0;

    // (x, y) is the text's top-left corner.
    void TextLeft(int x, int y, std::string_view text) { PutText(x, y, text, TextAnchor::Left, x); }
    // The text ends at x.
    void TextRight(int x, int y, std::string_view text) { PutText(x - TextWidth(text), y, text, TextAnchor::Right, x); }
    // Centred on x; an odd width leaves the extra half unit on the right (integer halving).
    void TextCentred(int x, int y, std::string_view text)
    {
        PutText(x - TextWidth(text) / 2, y, text, TextAnchor::Centre, x);
    }

    enum class TextAnchor { Left, Right, Centre };

protected:
    // Draws the text with its top-left corner at (left, top); `anchor` and `anchorX`
    // say how the caller placed it.
    virtual void PutText(int left, int top, std::string_view text, TextAnchor anchor, int anchorX) = 0;
};

} // namespace tw
