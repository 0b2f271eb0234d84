#include "print/recording_surface.h"

namespace tw {

int CharacterCount(std::string_view text)
{
    int n = 0;
    for (const char c : text)
        if ((static_cast<unsigned char>(c) & 0xC0) != 0x80)
            ++n;
    return n;
}

RecordingSurface::RecordingSurface(int percentOfHeight)
    : percent_(percentOfHeight)
{
}

void RecordingSurface::SelectPrintFont(int code)
{
    fontCode_ = code;
    font_ = PrintFontFor(code);
    PrintCall c;
    c.kind = PrintCall::Kind::Font;
    c.fontCode = code;
    c.fontHeight = font_.height;
    c.bold = font_.bold;
    calls_.push_back(std::move(c));
}

void RecordingSurface::SelectPrintPen(int pen)
{
    PrintCall c;
    c.kind = PrintCall::Kind::Pen;
    c.pen = pen;
    calls_.push_back(std::move(c));
    if (pen >= 0 && pen <= 2)
        pen_ = pen;
}

void RecordingSurface::DrawPrintLine(int x1, int y1, int x2, int y2)
{
    PrintCall c;
    c.kind = PrintCall::Kind::Line;
    c.pen = pen_;
    c.x = x1;
    c.y = y1;
    c.x2 = x2;
    c.y2 = y2;
    calls_.push_back(std::move(c));
}

int RecordingSurface::TextWidth(std::string_view text)
{
    return CharacterCount(text) * CharWidth(font_.height);
}

int RecordingSurface::TextHeight(std::string_view)
{
    return cellHeight_ > 0 ? cellHeight_ : font_.height;
}

void RecordingSurface::PutText(int left, int top, std::string_view text, TextAnchor anchor, int anchorX)
{
    PrintCall c;
    c.kind = PrintCall::Kind::Text;
    c.fontCode = fontCode_;
    c.fontHeight = font_.height;
    c.bold = font_.bold;
    c.pen = pen_;
    c.x = left;
    c.y = top;
    c.anchor = anchor;
    c.anchorX = anchorX;
    c.width = TextWidth(text);
    c.text = std::string(text);
    calls_.push_back(std::move(c));
}

std::vector<PrintCall> RecordingSurface::Texts() const
{
    std::vector<PrintCall> out;
    for (const PrintCall &c : calls_)
        if (c.kind == PrintCall::Kind::Text)
            out.push_back(c);
    return out;
}

std::vector<PrintCall> RecordingSurface::Lines() const
{
    std::vector<PrintCall> out;
    for (const PrintCall &c : calls_)
        if (c.kind == PrintCall::Kind::Line)
            out.push_back(c);
    return out;
}

const PrintCall *RecordingSurface::FindText(std::string_view text) const
{
    for (const PrintCall &c : calls_)
        if (c.kind == PrintCall::Kind::Text && c.text == text)
            return &c;
    return nullptr;
}

const PrintCall *RecordingSurface::FindTextStarting(std::string_view prefix) const
{
    for (const PrintCall &c : calls_)
        if (c.kind == PrintCall::Kind::Text && std::string_view(c.text).substr(0, prefix.size()) == prefix)
            return &c;
    return nullptr;
}

std::vector<PrintCall> RecordingSurface::TextsAt(int y) const
{
    std::vector<PrintCall> out;
    for (const PrintCall &c : calls_)
        if (c.kind == PrintCall::Kind::Text && c.y == y)
            out.push_back(c);
    return out;
}

} // namespace tw
