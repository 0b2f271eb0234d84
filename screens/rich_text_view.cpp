#include "screens/rich_text_view.h"

#include "record/program_paths.h"

#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextOption>

#include <algorithm>

namespace tw {

namespace {

std::string &DirectoryOverride()
{
    static std::string directory;
    return directory;
}

// Twips are twentieths of a point.
double TwipsToPixels(int twips, double pixelsPerPoint)
{
    return twips / 20.0 * pixelsPerPoint;
}

Qt::Alignment ToQtAlignment(Alignment alignment)
{
    switch (alignment) {
    case Alignment::Center:
        return Qt::AlignHCenter;
    case Alignment::Right:
        return Qt::AlignRight;
    case Alignment::Justify:
        return Qt::AlignJustify;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft;
}

QTextBlockFormat ToBlockFormat(const ParagraphFormat &f, double pixelsPerPoint)
{
    QTextBlockFormat block;
    block.setAlignment(ToQtAlignment(f.alignment));
    block.setTopMargin(TwipsToPixels(std::max(f.spaceBeforeTwips, 0), pixelsPerPoint));
    block.setBottomMargin(TwipsToPixels(std::max(f.spaceAfterTwips, 0), pixelsPerPoint));
    // Text never starts left of the view's own margin: a hanging first line may use the
    // left indent, no more.
    const int left = std::max(f.leftIndentTwips, 0);
    block.setLeftMargin(TwipsToPixels(left, pixelsPerPoint));
    block.setRightMargin(TwipsToPixels(std::max(f.rightIndentTwips, 0), pixelsPerPoint));
    block.setTextIndent(TwipsToPixels(std::max(f.firstLineIndentTwips, -left), pixelsPerPoint));
    return block;
}

QTextCharFormat ToCharFormat(const CharFormat &f)
{
    QTextCharFormat format;
    if (!f.fontFamily.empty())
        format.setFontFamilies({QString::fromStdString(f.fontFamily)});
    // A size of nothing would not show; an absurd one would swamp the view.
    constexpr int kMaxHalfPoints = 2 * 400;
    const int halfPoints = f.sizeHalfPoints > 0 ? std::min(f.sizeHalfPoints, kMaxHalfPoints) : 24;
    format.setFontPointSize(halfPoints / 2.0);
    format.setFontWeight(f.bold ? QFont::Bold : QFont::Normal);
    format.setFontItalic(f.italic);
    format.setFontUnderline(f.underline);
    if (f.color)
        format.setForeground(QColor(f.color->red, f.color->green, f.color->blue));
    return format;
}

} // namespace

std::string DocumentDirectory()
{
    if (!DirectoryOverride().empty())
        return DirectoryOverride();
    return DataDirectory();
}

void SetDocumentDirectory(std::string directory)
{
    if (!directory.empty() && directory.back() != '/')
        directory += '/';
    DirectoryOverride() = std::move(directory);
}

void FillTextDocument(QTextDocument &target, const StyledDocument &doc, double pixelsPerPoint)
{
    target.clear();
    QTextOption option = target.defaultTextOption();
    // Rich text's default tab stops stand every half inch.
    option.setTabStopDistance(36 * pixelsPerPoint);
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    target.setDefaultTextOption(option);

    QTextCursor cursor(&target);
    cursor.beginEditBlock();
    bool first = true;
    for (const Paragraph &paragraph : doc.paragraphs) {
        const QTextBlockFormat block = ToBlockFormat(paragraph.format, pixelsPerPoint);
        // An empty paragraph keeps the height of its neighbours' text.
        const QTextCharFormat blockChars
            = paragraph.runs.empty() ? QTextCharFormat() : ToCharFormat(paragraph.runs.front().format);
        if (first) {
            cursor.setBlockFormat(block);
            cursor.setBlockCharFormat(blockChars);
            first = false;
        } else {
            cursor.insertBlock(block, blockChars);
        }
        for (const TextRun &run : paragraph.runs) {
            // U+2028 is QTextDocument's own line break inside a paragraph; insertText keeps it.
            cursor.insertText(QString::fromStdString(run.text), ToCharFormat(run.format));
        }
    }
    cursor.endEditBlock();
}

CRichTextView::CRichTextView(QWidget *parent)
    : QTextEdit(parent)
{
    setReadOnly(true);
    setAcceptRichText(false);
    setUndoRedoEnabled(false);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    setLineWrapMode(QTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    document()->setDocumentMargin(8);
    QPalette p = palette();
    p.setColor(QPalette::Base, Qt::white);
    p.setColor(QPalette::Text, Qt::black);
    setPalette(p);
}

void CRichTextView::SetDocument(const StyledDocument &doc)
{
    const double pixelsPerPoint = logicalDpiY() / 72.0;
    FillTextDocument(*document(), doc, pixelsPerPoint > 0 ? pixelsPerPoint : kDefaultPixelsPerPoint);
    moveCursor(QTextCursor::Start);
    verticalScrollBar()->setValue(0);
}

void CRichTextView::Clear()
{
    document()->clear();
}

QString CRichTextView::PlainText() const
{
    return document()->toPlainText();
}

} // namespace tw
