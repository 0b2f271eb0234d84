#include "print/form_layout.h"

#include "format/fit_text.h"

namespace tw {

namespace {
constexpr int kBodyFont = 14;
constexpr int kHeadingFont = 114;
} // namespace

std::vector<BlankRun> FindBlankRuns(std::string_view line)
{
    std::vector<BlankRun> runs;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '_') {
            ++i;
            continue;
        }
        const std::size_t start = i;
        while (i < line.size() && line[i] == '_')
            ++i;
        runs.push_back({start, i - start});
    }
    return runs;
}

std::vector<int> FillBlanks(
    PrintSurface &s, int x, int y, std::string_view line, const std::vector<std::string> &values)
{
    const std::vector<BlankRun> runs = FindBlankRuns(line);
    std::vector<int> xs;
    xs.reserve(runs.size());
    const TextWidthFunction measure = [&s](std::string_view t) { return s.TextWidth(t); };
    for (std::size_t i = 0; i < runs.size(); ++i) {
        const int runX = x + s.TextWidth(line.substr(0, runs[i].start));
        xs.push_back(runX);
        if (i >= values.size() || values[i].empty())
            continue;
        const int runWidth = s.TextWidth(line.substr(runs[i].start, runs[i].length));
        const std::string fitted = FitTextToWidth(measure, values[i], runWidth, false);
        if (!fitted.empty())
            s.TextLeft(runX, y, fitted);
    }
    return xs;
}

std::vector<int> DrawFormLine(PrintSurface &s, int y, std::string_view line, const std::vector<std::string> &values)
{
    s.TextLeft(kLeftMargin, y, line);
    return FillBlanks(s, kLeftMargin, y, line, values);
}

void DrawFieldLabels(
    PrintSurface &s, int lineY, const std::vector<int> &fieldX, std::initializer_list<std::string_view> labels)
{
    std::size_t i = 0;
    for (const std::string_view label : labels) {
        if (i >= fieldX.size())
            break;
        s.TextLeft(fieldX[i++], lineY - kLabelDrop, label);
    }
}

namespace {

// The section's words broken again between the margins, the first line after the heading.
std::vector<std::string> Rewrapped(PrintSurface &s, int firstX, const std::vector<std::string_view> &lines)
{
    std::vector<std::string> out;
    std::string line;
    for (const std::string_view text : lines) {
        for (std::size_t at = 0; at < text.size();) {
            const std::size_t end = std::min(text.find(' ', at), text.size());
            if (end > at) {
                const std::string_view word = text.substr(at, end - at);
                std::string wider = line.empty() ? std::string(word) : line + ' ' + std::string(word);
                const int x = out.empty() ? firstX : kLeftMargin;
                if (!line.empty() && x + s.TextWidth(wider) > kRightMargin) {
                    out.push_back(std::move(line));
                    line = std::string(word);
                } else {
                    line = std::move(wider);
                }
            }
            at = end + 1;
        }
    }
    if (!line.empty())
        out.push_back(std::move(line));
    return out;
}

} // namespace

std::vector<int> DrawSection(
    PrintSurface &s, int y, std::string_view heading, const std::vector<std::string_view> &givenLines, bool rewrap)
{
    s.SelectPrintFont(kHeadingFont);
    s.TextLeft(kLeftMargin, y, heading);
    const int firstX = kLeftMargin + s.TextWidth(std::string(heading) + " ");
    s.SelectPrintFont(kBodyFont);
    const std::vector<std::string> rewrapped = rewrap ? Rewrapped(s, firstX, givenLines) : std::vector<std::string> {};
    const std::vector<std::string_view> lines
        = rewrapped.empty() ? givenLines : std::vector<std::string_view>(rewrapped.begin(), rewrapped.end());
    std::vector<int> ys;
    ys.reserve(lines.size());
    int lineY = y - kHeadingDrop;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (i > 0)
            lineY -= kParagraphLineStep;
        s.TextLeft(i == 0 ? firstX : kLeftMargin, lineY, lines[i]);
        ys.push_back(lineY);
    }
    if (ys.empty())
        ys.push_back(lineY);
    return ys;
}

int DrawParagraph(PrintSurface &s, int y, std::string_view text, int step)
{
    const int width = kRightMargin - kLeftMargin;
    std::string line;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t space = text.find(' ', at);
        const std::string_view word = text.substr(at, space == std::string_view::npos ? text.npos : space - at);
        at = space == std::string_view::npos ? text.size() : space + 1;
        std::string wider = line.empty() ? std::string(word) : line + ' ' + std::string(word);
        if (!line.empty() && s.TextWidth(wider) > width) {
            s.TextLeft(kLeftMargin, y, line);
            y -= step;
            line = std::string(word);
        } else {
            line = std::move(wider);
        }
    }
    if (!line.empty()) {
        s.TextLeft(kLeftMargin, y, line);
        y -= step;
    }
    return y;
}

} // namespace tw
