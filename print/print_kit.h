#pragma once

#include "print/print_surface.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPen>
#include <QTransform>

#include <vector>

class QPainter;
class QPagedPaintDevice;

namespace tw {

// The printable area of a page in device pixels, and where it sits on the paper.
struct PageGeometry {
    int width = 0; // printable width W
    int height = 0; // printable height H
    int dpiY = 0; // vertical resolution R, pixels per inch
    int offsetY = 0; // distance of the printable area from the paper's top edge
};
// The geometry of a printer or PDF writer with its current page layout; the painter's
// origin is the printable area's top-left corner.
PageGeometry GeometryOf(const QPagedPaintDevice &device);

// The logical page mapped onto a device: 8000 x 10500 units scaled isotropically into
// the printable area, x = 4250 on its middle, y = -500 half an inch below the paper's
// top (or the printable area's top when the printer cannot print that high), y up.
QTransform PageTransform(const PageGeometry &g);

// The printer fonts and pens of one print job, drawing through a QPainter. Fonts are
// "Arial" (any metric-compatible face the system puts in its place) sized so that the
// measured ascent plus descent is the table's cell height in page units. Widths are
// measured on the painter's device, in page units, exactly as the text is drawn.
class CPrintKit final : public PrintSurface {
public:
    // Builds the 19 fonts and three pens for the painter's device; the painter must
    // be active.
    explicit CPrintKit(QPainter &painter);

    // Sets up the page coordinates for the next page; run before drawing each page.
    void PreparePrintDC(const PageGeometry &g);

    void SelectPrintFont(int code) override;
    void SelectPrintPen(int pen) override;
    void DrawPrintLine(int x1, int y1, int x2, int y2) override;
    int TextWidth(std::string_view text) override;
    int TextHeight(std::string_view text) override;

    // Fonts are made this many times the page's size and drawn shrunk by as much, so that
    // whole font pixels are tenths of a page unit.
    static constexpr int kFontOversampling = 10;

    // The Qt font that a font code selects, kFontOversampling times the page's size.
    const QFont &FontFor(int code) const;

protected:
    void PutText(int left, int top, std::string_view text, TextAnchor anchor, int anchorX) override;

private:
    struct KitFont {
        PrintFont entry;
        QFont font;
        QFontMetricsF metrics;
    };
    const KitFont &Lookup(int code) const;

    QPainter &painter_;
    std::vector<KitFont> fonts_;
    const KitFont *current_ = nullptr;
    QPen pens_[3];
    QTransform page_;
};

} // namespace tw
