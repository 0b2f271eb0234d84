#pragma once

#include "print/print_surface.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace tw {

// A run of underscores in a form line: where it starts in the template and how long it is.
struct BlankRun {
    std::size_t start = 0;
    std::size_t length = 0;
};
std::vector<BlankRun> FindBlankRuns(std::string_view line);

// Draws each value over its run of underscores in `line`, which is drawn (or was drawn)
// with its left edge at x: a value starts at x plus the width of the text before its run
// and is shortened to the run's width. Empty values and values past the last run are
// skipped. Returns the x of every run.
std::vector<int> FillBlanks(
    PrintSurface &s, int x, int y, std::string_view line, const std::vector<std::string> &values);

// A form line at the left margin in the current font, with its values.
std::vector<int> DrawFormLine(PrintSurface &s, int y, std::string_view line, const std::vector<std::string> &values);

// Labels under a form line's fields: 180 units below it, each at the x of its field.
inline constexpr int kLabelDrop = 180;
void DrawFieldLabels(
    PrintSurface &s, int lineY, const std::vector<int> &fieldX, std::initializer_list<std::string_view> labels);

// An agreement section: the heading in bold at (500, y), the text beginning on the same
// line 15 units lower after the heading and one blank, each further line 170 units
// below the one before. With `rewrap`, the lines' words are broken again to fit between
// the margins. Leaves the body font selected. Returns the y of every line.
inline constexpr int kHeadingDrop = 15;
inline constexpr int kParagraphLineStep = 170;
inline constexpr int kSectionGap = 340;
std::vector<int> DrawSection(
    PrintSurface &s, int y, std::string_view heading, const std::vector<std::string_view> &lines, bool rewrap = false);

// A paragraph in the current font from (500, y) down, broken between words to the width
// between the margins, `step` units a line. Returns the y of the line after it.
int DrawParagraph(PrintSurface &s, int y, std::string_view text, int step);

// The y of the next section's heading after a section whose lines are at `lineYs`.
inline int NextSectionY(const std::vector<int> &lineYs)
{
    return lineYs.back() - kSectionGap;
}

} // namespace tw
