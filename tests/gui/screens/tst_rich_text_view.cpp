// Styled documents in the read-only document view.
#include "screens/rich_text_view.h"

#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextDocument>

using namespace tw;

namespace {

Paragraph Para(std::vector<TextRun> runs, ParagraphFormat format = {})
{
    return Paragraph {format, std::move(runs)};
}

TextRun Run(std::string text, CharFormat format = {})
{
    return TextRun {std::move(text), format};
}

} // namespace

class TestRichTextView : public QObject {
    Q_OBJECT
private slots:
    void paragraphsAndLineBreaks();
    void paragraphFormats_data();
    void paragraphFormats();
    void characterFormats();
    void tabsStandEveryHalfInch();
    void emptyDocumentAndClear();
    void viewIsReadOnlyAndWrapped();
};

void TestRichTextView::paragraphsAndLineBreaks()
{
    StyledDocument doc;
    doc.paragraphs.push_back(Para({Run("First line"), Run(std::string(kLineBreak) + "second line")}));
    doc.paragraphs.push_back(Para({}));
    doc.paragraphs.push_back(Para({Run("Caf\xC3\xA9 {{TOKEN}}")}));
    QTextDocument target;
    FillTextDocument(target, doc);
    // A line break stays inside its paragraph: three paragraphs, three blocks.
    QCOMPARE(target.blockCount(), 3);
    QVERIFY(target.firstBlock().text().contains(QChar::LineSeparator));
    QCOMPARE(target.toPlainText(), QStringLiteral("First line\nsecond line\n\nCaf\u00e9 {{TOKEN}}"));
}

void TestRichTextView::paragraphFormats_data()
{
    QTest::addColumn<int>("alignment");
    QTest::addColumn<int>("before");
    QTest::addColumn<int>("after");
    QTest::addColumn<int>("firstLine");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("expectedAlignment");
    QTest::addColumn<double>("expectedIndent");
    QTest::newRow("left, spaced") << int(Alignment::Left) << 240 << 120 << 0 << 0 << int(Qt::AlignLeft) << 0.0;
    QTest::newRow("centred") << int(Alignment::Center) << 0 << 0 << 0 << 0 << int(Qt::AlignHCenter) << 0.0;
    QTest::newRow("right") << int(Alignment::Right) << 0 << 0 << 0 << 0 << int(Qt::AlignRight) << 0.0;
    QTest::newRow("justified") << int(Alignment::Justify) << 0 << 0 << 0 << 0 << int(Qt::AlignJustify) << 0.0;
    QTest::newRow("hanging within the indent")
        << int(Alignment::Left) << 0 << 0 << -360 << 720 << int(Qt::AlignLeft) << -18.0;
    QTest::newRow("hanging past the margin is held at it")
        << int(Alignment::Left) << 0 << 0 << -720 << 360 << int(Qt::AlignLeft) << -18.0;
}

void TestRichTextView::paragraphFormats()
{
    QFETCH(int, alignment);
    QFETCH(int, before);
    QFETCH(int, after);
    QFETCH(int, firstLine);
    QFETCH(int, left);
    QFETCH(int, expectedAlignment);
    QFETCH(double, expectedIndent);
    ParagraphFormat f;
    f.alignment = static_cast<Alignment>(alignment);
    f.spaceBeforeTwips = before;
    f.spaceAfterTwips = after;
    f.firstLineIndentTwips = firstLine;
    f.leftIndentTwips = left;
    StyledDocument doc;
    doc.paragraphs.push_back(Para({Run("text")}, f));
    QTextDocument target;
    const double pixelsPerPoint = 1.0; // so that points read as pixels
    FillTextDocument(target, doc, pixelsPerPoint);
    const QTextBlockFormat b = target.firstBlock().blockFormat();
    QCOMPARE(int(b.alignment() & Qt::AlignHorizontal_Mask), expectedAlignment);
    QCOMPARE(b.topMargin(), before / 20.0);
    QCOMPARE(b.bottomMargin(), after / 20.0);
    QCOMPARE(b.leftMargin(), left / 20.0);
    QCOMPARE(b.textIndent(), expectedIndent);
}

void TestRichTextView::characterFormats()
{
    CharFormat plain;
    CharFormat heading;
    heading.fontFamily = "Liberation Serif";
    heading.sizeHalfPoints = 34;
    heading.bold = true;
    heading.italic = true;
    heading.underline = true;
    heading.color = Rgb {0, 51, 102};
    CharFormat absurd;
    absurd.sizeHalfPoints = 100000;
    StyledDocument doc;
    doc.paragraphs.push_back(Para({Run("plain ", plain), Run("heading", heading), Run(" huge", absurd)}));
    QTextDocument target;
    FillTextDocument(target, doc);

    QTextBlock::iterator it = target.firstBlock().begin();
    const QTextCharFormat first = it.fragment().charFormat();
    QCOMPARE(it.fragment().text(), QStringLiteral("plain "));
    QCOMPARE(first.fontPointSize(), 12.0);
    QCOMPARE(first.fontWeight(), int(QFont::Normal));
    QVERIFY(!first.hasProperty(QTextFormat::ForegroundBrush));
    ++it;
    const QTextCharFormat second = it.fragment().charFormat();
    QCOMPARE(it.fragment().text(), QStringLiteral("heading"));
    QCOMPARE(second.fontFamilies().toStringList(), QStringList {QStringLiteral("Liberation Serif")});
    QCOMPARE(second.fontPointSize(), 17.0);
    QCOMPARE(second.fontWeight(), int(QFont::Bold));
    QVERIFY(second.fontItalic());
    QVERIFY(second.fontUnderline());
    QCOMPARE(second.foreground().color(), QColor(0, 51, 102));
    ++it;
    QVERIFY(it.fragment().charFormat().fontPointSize() <= 400.0);
}

void TestRichTextView::tabsStandEveryHalfInch()
{
    StyledDocument doc;
    doc.paragraphs.push_back(Para({Run("Rate:\t6.50%")}));
    QTextDocument target;
    FillTextDocument(target, doc);
    QCOMPARE(target.defaultTextOption().tabStopDistance(), 48.0);
    QCOMPARE(target.toPlainText(), QStringLiteral("Rate:\t6.50%"));
}

void TestRichTextView::emptyDocumentAndClear()
{
    CRichTextView view;
    view.SetDocument(StyledDocument {});
    QCOMPARE(view.PlainText(), QString());
    StyledDocument doc;
    doc.paragraphs.push_back(Para({Run("shown")}));
    view.SetDocument(doc);
    QCOMPARE(view.PlainText(), QStringLiteral("shown"));
    view.Clear();
    QCOMPARE(view.PlainText(), QString());
}

void TestRichTextView::viewIsReadOnlyAndWrapped()
{
    CRichTextView view;
    view.resize(300, 120);
    StyledDocument doc;
    for (int i = 0; i < 30; ++i)
        doc.paragraphs.push_back(Para({Run("A long line of slide text that has to wrap at the view's width.")}));
    view.SetDocument(doc);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QVERIFY(view.isReadOnly());
    QCOMPARE(view.horizontalScrollBar()->maximum(), 0);
    QVERIFY(view.verticalScrollBar()->maximum() > 0);
    QVERIFY(view.verticalScrollBar()->isVisible());
    QCOMPARE(view.verticalScrollBar()->value(), 0);
    // Typing changes nothing.
    QTest::keyClicks(&view, "typed");
    QVERIFY(!view.PlainText().contains(QStringLiteral("typed")));
    // A text that fits shows no empty scroll bar.
    view.SetDocument(StyledDocument {{Para({Run("Short.")})}});
    QTRY_VERIFY(!view.verticalScrollBar()->isVisible());
}

QTEST_MAIN(TestRichTextView)
#include "tst_rich_text_view.moc"
