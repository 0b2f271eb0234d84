#include "print/print_kit.h"

#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>

#include <QCoreApplication>
#include <QGlyphRun>
#include <QRawFont>

#include <algorithm>
#include <cmath>
#include <map>
#include <mutex>
#include <string>
#include <tuple>

namespace tw {

namespace {

constexpr double kReferencePixelSize = 1000.0;

QFont BaseFont(const PrintFont &entry)
{
    QFont f(QStringLiteral("Arial"));
    f.setStyleHint(QFont::SansSerif);
    f.setWeight(entry.bold ? QFont::Bold : QFont::Normal);
    // Unhinted outlines scale linearly, so a width measured here is the width drawn
    // at any device resolution; no kerning, as the printer's text output has none.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(false);
    return f;
}

// The font whose cell (ascent plus descent) is the height in page units, made
// kFontOversampling times larger: font engines work in whole pixels, and a tenth of
// a unit keeps the cell and every width true to the unit.
QFont SizedFont(const PrintFont &entry, QPaintDevice *device)
{
    QFont f = BaseFont(entry);
    f.setPixelSize(static_cast<int>(kReferencePixelSize));
    const double cellPerPixel = QFontMetricsF(f, device).height() / kReferencePixelSize;
    const double target = double(entry.height) * CPrintKit::kFontOversampling;
    const long pixels = cellPerPixel > 0 ? std::lround(target / cellPerPixel) : std::lround(target);
    f.setPixelSize(static_cast<int>(std::max(1L, pixels)));
    return f;
}

// Shaping a text (glyphs and advances) is most of the cost of a printout, and the same
// fixed wording comes back on every copy and every job. A text whose characters all map
// to glyphs of the font itself is shaped once per thread and drawn from its glyph run;
// anything else (a missing glyph that another font would supply, a script that needs
// real shaping) takes the painter's own text path.
struct ShapedText {
    bool usable = false;
    QGlyphRun run;
    double advance = 0; // in font pixels
};

bool SimpleScript(const QString &text)
{
    for (const QChar c : text)
        if (c.unicode() >= 0x0370 || c.unicode() < 0x20)
            return false;
    return true;
}

struct ShapeCache {
    std::map<std::pair<int, int>, QRawFont> rawFonts;
    std::map<std::tuple<int, int, std::string>, ShapedText> shaped;
};

ShapeCache &ThreadShapeCache()
{
    thread_local ShapeCache cache;
    return cache;
}

// Fonts must go before the application that owns the font database: the thread that ends
// the application empties its cache then; other threads empty theirs when they end.
std::mutex gCleanupMutex;
bool gCleanupRegistered = false;

void ReleaseShapeCache()
{
    ThreadShapeCache() = ShapeCache {};
    const std::lock_guard lock(gCleanupMutex);
    gCleanupRegistered = false;
}

const ShapedText &Shaped(const QFont &font, std::string_view utf8)
{
    using Key = std::tuple<int, int, std::string>;
    {
        const std::lock_guard lock(gCleanupMutex);
        if (!gCleanupRegistered && QCoreApplication::instance()) {
            qAddPostRoutine(ReleaseShapeCache);
            gCleanupRegistered = true;
        }
    }
    auto &rawFonts = ThreadShapeCache().rawFonts;
    auto &shaped = ThreadShapeCache().shaped;
    static constexpr std::size_t kMaxShaped = 20000;

    Key key {font.pixelSize(), font.weight(), std::string(utf8)};
    const auto found = shaped.find(key);
    if (found != shaped.end())
        return found->second;
    if (shaped.size() >= kMaxShaped)
        shaped.clear();

    ShapedText t;
    const QString text = QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
    if (SimpleScript(text)) {
        const std::pair<int, int> fontKey {font.pixelSize(), font.weight()};
        auto raw = rawFonts.find(fontKey);
        if (raw == rawFonts.end())
            raw = rawFonts.emplace(fontKey, QRawFont::fromFont(font)).first;
        const QList<quint32> glyphs
            = raw->second.isValid() ? raw->second.glyphIndexesForString(text) : QList<quint32>();
        const bool complete = !glyphs.isEmpty() && glyphs.size() == text.size()
            && std::none_of(glyphs.begin(), glyphs.end(), [](quint32 g) { return g == 0; });
        if (complete) {
            const QList<QPointF> advances = raw->second.advancesForGlyphIndexes(glyphs);
            QList<QPointF> positions;
            positions.reserve(glyphs.size());
            double x = 0;
            for (const QPointF &a : advances) {
                positions.append(QPointF(x, 0));
                x += a.x();
            }
            t.usable = true;
            t.advance = x;
            t.run.setRawFont(raw->second);
            t.run.setGlyphIndexes(glyphs);
            t.run.setPositions(positions);
        }
    }
    return shaped.emplace(std::move(key), std::move(t)).first->second;
}

} // namespace

PageGeometry GeometryOf(const QPagedPaintDevice &device)
{
    const int dpi = device.logicalDpiY();
    const QPageLayout layout = device.pageLayout();
    const QRect paint = layout.paintRectPixels(dpi);
    PageGeometry g;
    g.width = paint.width();
    g.height = paint.height();
    g.dpiY = dpi;
    g.offsetY = paint.top();
    return g;
}

QTransform PageTransform(const PageGeometry &g)
{
    // Isotropic: the smaller of the two scales, so the whole logical page fits.
    const double scale
        = std::max(0.0, std::min(double(g.width) / kPageWidthUnits, double(g.height) / kPageHeightUnits));
    const double originX = g.width / 2;
    const double originY = std::max(0, g.dpiY / 2 - g.offsetY);
    return QTransform(scale, 0, 0, -scale, originX - kPageCentreX * scale, originY + kPageTopY * scale);
}

CPrintKit::CPrintKit(QPainter &painter)
    : painter_(painter)
{
    QPaintDevice *device = painter.device();
    const PrintFont *table = PrintFontTable();
    fonts_.reserve(kPrintFontCount);
    for (int i = 0; i < kPrintFontCount; ++i) {
        QFont f = SizedFont(table[i], device);
        fonts_.push_back({table[i], f, QFontMetricsF(f, device)});
    }
    current_ = &Lookup(12);
    pens_[kPenThin] = QPen(Qt::black, 9, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    pens_[kPenNone] = QPen(Qt::NoPen);
    pens_[kPenNone].setWidth(9);
    pens_[kPenThick] = QPen(Qt::black, 29, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

const CPrintKit::KitFont &CPrintKit::Lookup(int code) const
{
    const int wanted = PrintFontFor(code).code;
    for (const KitFont &f : fonts_)
        if (f.entry.code == wanted)
            return f;
    return fonts_.front();
}

const QFont &CPrintKit::FontFor(int code) const
{
    return Lookup(code).font;
}

void CPrintKit::PreparePrintDC(const PageGeometry &g)
{
    page_ = PageTransform(g);
    painter_.setTransform(page_);
    painter_.setBackgroundMode(Qt::TransparentMode);
    painter_.setBrush(Qt::NoBrush);
    painter_.setRenderHint(QPainter::Antialiasing);
    painter_.setRenderHint(QPainter::TextAntialiasing);
    painter_.setFont(current_->font);
}

void CPrintKit::SelectPrintFont(int code)
{
    current_ = &Lookup(code);
    painter_.setFont(current_->font);
}

void CPrintKit::SelectPrintPen(int pen)
{
    if (pen < 0 || pen > 2)
        return;
    painter_.setPen(pens_[pen]);
}

void CPrintKit::DrawPrintLine(int x1, int y1, int x2, int y2)
{
    painter_.setTransform(page_);
    painter_.drawLine(QPointF(x1, y1), QPointF(x2, y2));
}

int CPrintKit::TextWidth(std::string_view text)
{
    if (text.empty())
        return 0;
    const ShapedText &shaped = Shaped(current_->font, text);
    if (shaped.usable)
        return static_cast<int>(std::lround(shaped.advance / kFontOversampling));
    const QString s = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    return static_cast<int>(std::lround(current_->metrics.horizontalAdvance(s) / kFontOversampling));
}

int CPrintKit::TextHeight(std::string_view)
{
    return static_cast<int>(std::lround(current_->metrics.height() / kFontOversampling));
}

void CPrintKit::PutText(int left, int top, std::string_view text, TextAnchor, int)
{
    if (text.empty())
        return;
    // y points up on the page; the text is drawn in a frame flipped back so that it
    // stands upright, with its top-left corner at (left, top).
    constexpr double kShrink = 1.0 / kFontOversampling;
    painter_.setTransform(QTransform::fromScale(kShrink, kShrink) * QTransform(1, 0, 0, -1, left, top) * page_);
    const QPen pen = painter_.pen();
    if (pen.style() == Qt::NoPen)
        painter_.setPen(Qt::black);
    const ShapedText &shaped = Shaped(current_->font, text);
    if (shaped.usable)
        painter_.drawGlyphRun(QPointF(0, current_->metrics.ascent()), shaped.run);
    else
        painter_.drawText(QPointF(0, current_->metrics.ascent()),
            QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    if (pen.style() == Qt::NoPen)
        painter_.setPen(pen);
}

} // namespace tw
