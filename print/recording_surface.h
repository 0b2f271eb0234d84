#pragma once

#include "print/print_surface.h"

#include <string>
#include <string_view>
#include <vector>

namespace tw {

// One primitive that a page routine asked for.
struct PrintCall {
    enum class Kind { Font, Pen, Line, Text };
    Kind kind = Kind::Text;
    int fontCode = 0; // Font: the code asked for; Text: the code in force
    int fontHeight = 0; // the height of that font
    bool bold = false;
    int pen = 0; // Pen: the number asked for; Line: the pen in force
    int x = 0; // Text: left edge; Line: start
    int y = 0; // Text: top; Line: start
    int x2 = 0;
    int y2 = 0;
    PrintSurface::TextAnchor anchor = PrintSurface::TextAnchor::Left;
    int anchorX = 0; // the x the caller gave (left edge, right end or centre)
    int width = 0; // Text: its measured width
    std::string text;
};

// A surface that draws nothing and keeps every call, with a fixed pitch: each
// character is `percentOfHeight` per cent of the font height wide (cut to whole
// units), so positions computed from widths can be checked exactly.
class RecordingSurface final : public PrintSurface {
public:
    explicit RecordingSurface(int percentOfHeight = 55);

    void SelectPrintFont(int code) override;
    void SelectPrintPen(int pen) override;
    void DrawPrintLine(int x1, int y1, int x2, int y2) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;

    // Width of one character in a font of this height.
    int CharWidth(int fontHeight) const { return fontHeight * percent_ / 100; }
    // Overrides the cell height that TextHeight reports (0: the font's own height).
    void SetCellHeight(int height) { cellHeight_ = height; }

    const std::vector<PrintCall> &Calls() const { return calls_; }
    std::vector<PrintCall> Texts() const;
    std::vector<PrintCall> Lines() const;
    // The first text call whose text is exactly `text` / starts with `prefix`; nullptr if none.
    const PrintCall *FindText(std::string_view text) const;
    const PrintCall *FindTextStarting(std::string_view prefix) const;
    // Every text call drawn at this y.
    std::vector<PrintCall> TextsAt(int y) const;

protected:
    void PutText(int left, int top, std::string_view text, TextAnchor anchor, int anchorX) override;

private:
    int percent_;
    int cellHeight_ = 0;
    PrintFont font_ = PrintFontFor(12);
    int fontCode_ = 12;
    int pen_ = 0;
    std::vector<PrintCall> calls_;
};

// Number of characters (UTF-8 code points) in a text.
int CharacterCount(std::string_view text);

} // namespace tw
