// Draws the program's pictures: logo.png (48 x 48), intro.png (295 x 180) and
// tallowin.png (256 x 256, the application icon).
//   g++ -std=c++20 -fPIC make-pictures.cpp $(pkg-config --cflags --libs Qt6Gui) -o make-pictures
//   QT_QPA_PLATFORM=offscreen ./make-pictures resources/pictures
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <algorithm>

namespace {

const QColor kDeepBlue(0x17, 0x33, 0x5c);
const QColor kTeal(0x1c, 0x7c, 0x83);
const QColor kLightTeal(0x5f, 0xc1, 0xb9);
const QColor kWarm(0xf2, 0xa5, 0x41);
const QColor kCream(0xfb, 0xf7, 0xef);

// The mark: a house whose front is a calendar page with every second week marked.
// |r| is the square the house stands in.
void DrawMark(QPainter &p, const QRectF &r, bool detailed)
{
    const double w = r.width();
    const double x0 = r.left();
    const double y0 = r.top();
    auto X = [&](double f) { return x0 + f * w; };
    auto Y = [&](double f) { return y0 + f * w; };

    // Roof.
    QPainterPath roof;
    roof.moveTo(X(0.06), Y(0.47));
    roof.lineTo(X(0.50), Y(0.08));
    roof.lineTo(X(0.94), Y(0.47));
    roof.lineTo(X(0.84), Y(0.47));
    roof.lineTo(X(0.50), Y(0.18));
    roof.lineTo(X(0.16), Y(0.47));
    roof.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(kWarm);
    p.drawPath(roof);

    // Chimney.
    p.drawRect(QRectF(X(0.70), Y(0.17), w * 0.08, w * 0.16));

    // House front: a calendar page.
    const QRectF body(X(0.22), Y(0.42), w * 0.56, w * 0.48);
    p.setBrush(kCream);
    p.drawRoundedRect(body, w * 0.04, w * 0.04);

    // Calendar header band.
    QPainterPath header;
    const QRectF band(body.left(), body.top(), body.width(), body.height() * 0.24);
    header.addRoundedRect(band, w * 0.04, w * 0.04);
    QPainterPath square;
    square.addRect(QRectF(band.left(), band.center().y(), band.width(), band.height() / 2));
    p.setBrush(kTeal);
    p.drawPath(header.united(square));

    // Binder rings.
    p.setBrush(kDeepBlue);
    const double ringW = w * 0.035;
    for (double f : {0.33, 0.67})
        p.drawRoundedRect(QRectF(body.left() + body.width() * f - ringW / 2, body.top() - w * 0.035, ringW, w * 0.08),
            ringW / 2, ringW / 2);

    // Day grid: the debit days stand out in warm dots; the small logo gets fewer days
    // so that they stay apart at 48 pixels.
    const int cols = detailed ? 4 : 3;
    const int rows = detailed ? 3 : 2;
    const QRectF grid(body.left() + body.width() * 0.12, band.bottom() + body.height() * 0.10, body.width() * 0.76,
        body.height() * 0.56);
    const double cw = grid.width() / cols;
    const double rh = grid.height() / rows;
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            const QPointF c(grid.left() + cw * (col + 0.5), grid.top() + rh * (row + 0.5));
            const bool debit = (row * cols + col) % (detailed ? 5 : 4) == 0;
            const double d = std::min(cw, rh) * (debit ? 0.74 : 0.40);
            p.setBrush(debit ? kWarm : QColor(0x9f, 0xb3, 0xc8));
            p.drawEllipse(c, d / 2, d / 2);
        }
    }
}

QImage Logo(int size)
{
    QImage img(size, size, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF tile(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient g(tile.topLeft(), tile.bottomRight());
    g.setColorAt(0, kDeepBlue);
    g.setColorAt(1, kTeal);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawRoundedRect(tile, size * 0.18, size * 0.18);
    const double inset = size * 0.08;
    DrawMark(p, tile.adjusted(inset, inset * 0.6, -inset, -inset * 1.4), size > 64);
    return img;
}

QImage Intro()
{
    const int W = 295, H = 180;
    QImage img(W, H, QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);

    QLinearGradient g(0, 0, W, H);
    g.setColorAt(0, kDeepBlue);
    g.setColorAt(1, kTeal);
    p.fillRect(img.rect(), g);

    // A soft light behind the house.
    QRadialGradient glow(QPointF(70, 88), 80);
    glow.setColorAt(0, QColor(255, 255, 255, 46));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.fillRect(img.rect(), glow);

    // A rising savings line across the foot of the picture.
    QPainterPath hill;
    hill.moveTo(0, H);
    hill.lineTo(0, 150);
    hill.cubicTo(90, 160, 170, 128, W, 112);
    hill.lineTo(W, H);
    hill.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x0f, 0x25, 0x44, 120));
    p.drawPath(hill);
    QPainterPath line;
    line.moveTo(0, 150);
    line.cubicTo(90, 160, 170, 128, W, 112);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(kLightTeal, 1.6));
    p.drawPath(line);

    DrawMark(p, QRectF(14, 20, 112, 112), true);

    // Name, tagline, maker.
    QFont name(QStringLiteral("Liberation Sans"));
    name.setPixelSize(34);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 0.5);
    p.setFont(name);
    p.setPen(Qt::white);
    p.drawText(QRectF(132, 40, 160, 40), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Tallowin"));

    p.setPen(QPen(kWarm, 2));
    p.drawLine(QPointF(134, 84), QPointF(178, 84));

    QFont tag(QStringLiteral("Liberation Sans"));
    tag.setPixelSize(12);
    p.setFont(tag);
    p.setPen(kCream);
    p.drawText(QRectF(134, 92, 160, 36), Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap,
        QStringLiteral("Bi-weekly mortgage savings"));

    QFont maker(QStringLiteral("Liberation Sans"));
    maker.setPixelSize(10);
    maker.setItalic(true);
    p.setFont(maker);
    p.setPen(QColor(0xd8, 0xe6, 0xee));
    p.drawText(QRectF(0, 158, W - 10, 16), Qt::AlignRight | Qt::AlignVCenter, QStringLiteral("by Quarnell"));
    return img;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    const QDir out(argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("."));
    bool ok = Logo(48).save(out.filePath(QStringLiteral("logo.png")));
    ok = Intro().save(out.filePath(QStringLiteral("intro.png"))) && ok;
    ok = Logo(256).save(out.filePath(QStringLiteral("tallowin.png"))) && ok;
    return ok ? 0 : 1;
}
