// The slide screen: paging inside its group, results at the group's ends, fresh
// documents and figures on every showing.
#include "screen_test_support.h"

#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/rich_text_view.h"
#include "screens/slide_dlg.h"

#include <QPushButton>
#include <QTest>

using namespace tw;
using tw::test::DocumentFolder;

namespace {

const char *const kFiles[] = {
    "001.qnl", "002.qnl", "003.qnl", "004.qnl", "005.qnl", "006.qnl", "008.qnl", "bottoml.qnl", "011.qnl", "013.qnl"};

// Every slide file says which one it is.
void WriteAllSlides(DocumentFolder &folder)
{
    for (const char *name : kFiles)
        folder.Write(QString::fromLatin1(name), QStringLiteral("file ") + QString::fromLatin1(name));
}

QString Shown(CSlideDlg &dlg)
{
    return dlg.findChild<CRichTextView *>(QStringLiteral("richText"))->PlainText();
}

// C = Continue, B = Back, E = Escape, X = the window's close button.
void Press(CSlideDlg &dlg, QChar which)
{
    if (which == QLatin1Char('E'))
        QTest::keyClick(&dlg, Qt::Key_Escape);
    else if (which == QLatin1Char('X'))
        dlg.close();
    else
        QTest::mouseClick(
            dlg.findChild<QPushButton *>(which == QLatin1Char('C') ? "continueButton" : "backButton"), Qt::LeftButton);
}

} // namespace

class TestSlideDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void paging_data();
    void paging();
    void figuresAreFilledAfreshOnEveryShowing();
    void missingFileShowsNothingButThePagingWorks();
    void screenLooksAsDescribedAndKeepsContinueFocused();

private:
    CClientRecord record_;
};

void TestSlideDlg::init()
{
    record_ = CClientRecord {};
    record_.FirstName1 = "Margaret";
}

void TestSlideDlg::paging_data()
{
    QTest::addColumn<int>("start");
    QTest::addColumn<QString>("presses"); // as Press reads them
    QTest::addColumn<QString>("lastShown");
    QTest::addColumn<int>("result"); // -1: still open

    const struct {
        const char *name;
        int start;
        const char *presses, *lastShown;
        int result;
    } rows[] = {
        {"slide 1 opens 001", 1, "", "file 001.qnl", -1},
        {"through the introduction", 1, "CCCCC", "file 006.qnl", -1},
        {"past slide 6", 1, "CCCCCC", "file 006.qnl", kResultForward},
        {"back from slide 1", 1, "B", "file 001.qnl", kResultBack},
        {"there and back", 3, "CCBB", "file 003.qnl", -1},
        {"opened at 6", 6, "", "file 006.qnl", -1},
        {"back from 6", 6, "B", "file 005.qnl", -1},
        {"continue on 6", 6, "C", "file 006.qnl", kResultForward},
        {"8 then 9", 8, "C", "file bottoml.qnl", -1},
        {"back from 8", 8, "B", "file 008.qnl", kResultBack},
        {"opened at 9", 9, "", "file bottoml.qnl", -1},
        {"9 back to 8", 9, "B", "file 008.qnl", -1},
        {"9 back twice", 9, "BB", "file 008.qnl", kResultBack},
        {"continue on 9", 9, "C", "file bottoml.qnl", kResultForward},
        {"continue on 11", 11, "C", "file 011.qnl", kResultForward},
        {"back on 11", 11, "B", "file 011.qnl", kResultBack},
        {"continue on 13", 13, "C", "file 013.qnl", kResultForward},
        {"back on 13", 13, "B", "file 013.qnl", kResultBack},
        {"7 has no slide", 7, "CB", "", -1},
        {"escape", 4, "E", "file 004.qnl", kResultCancel},
        {"closed", 8, "X", "file 008.qnl", kResultCancel},
    };
    for (const auto &r : rows)
        QTest::newRow(r.name) << r.start << QString(r.presses) << QString(r.lastShown) << r.result;
}

void TestSlideDlg::paging()
{
    QFETCH(int, start);
    QFETCH(QString, presses);
    QFETCH(QString, lastShown);
    QFETCH(int, result);

    DocumentFolder folder;
    WriteAllSlides(folder);
    CSlideDlg dlg(nullptr, &record_, start);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    int ended = -1;
    connect(&dlg, &QDialog::finished, this, [&](int r) { ended = r; });
    for (QChar p : presses) {
        QCOMPARE(ended, -1); // nothing is pressed after the screen ended
        Press(dlg, p);
    }
    QCOMPARE(Shown(dlg), lastShown);
    QCOMPARE(ended, result);
    if (result >= 0) {
        QCOMPARE(dlg.result(), result);
        QVERIFY(!dlg.isVisible());
    } else {
        QVERIFY(dlg.isVisible());
    }
}

void TestSlideDlg::figuresAreFilledAfreshOnEveryShowing()
{
    DocumentFolder folder;
    WriteAllSlides(folder);
    folder.Write(QStringLiteral("bottoml.qnl"), QStringLiteral("Hello {{FIRSTNAME}}, {{firstname}} stays"));
    CSlideDlg dlg(nullptr, &record_, 9);
    QCOMPARE(Shown(dlg), QStringLiteral("Hello Margaret, {{firstname}} stays"));

    record_.FirstName1 = "Ann";
    Press(dlg, QLatin1Char('B'));
    QCOMPARE(Shown(dlg), QStringLiteral("file 008.qnl"));
    // The document is read again, too.
    folder.Write(QStringLiteral("bottoml.qnl"), QStringLiteral("Welcome back {{FIRSTNAME}}"));
    Press(dlg, QLatin1Char('C'));
    QCOMPARE(Shown(dlg), QStringLiteral("Welcome back Ann"));
}

void TestSlideDlg::missingFileShowsNothingButThePagingWorks()
{
    DocumentFolder folder;
    WriteAllSlides(folder);
    folder.Remove(QStringLiteral("002.qnl"));
    CSlideDlg dlg(nullptr, &record_, 1);
    int ended = -1;
    connect(&dlg, &QDialog::finished, this, [&](int r) { ended = r; });
    QCOMPARE(Shown(dlg), QStringLiteral("file 001.qnl"));
    Press(dlg, QLatin1Char('C'));
    QCOMPARE(dlg.SlideNumber(), 2);
    QCOMPARE(Shown(dlg), QString()); // the previous slide does not linger
    Press(dlg, QLatin1Char('C'));
    QCOMPARE(Shown(dlg), QStringLiteral("file 003.qnl"));
    Press(dlg, QLatin1Char('B'));
    Press(dlg, QLatin1Char('B'));
    Press(dlg, QLatin1Char('B'));
    QCOMPARE(ended, int(kResultBack));

    // No documents at all.
    DocumentFolder empty;
    CSlideDlg bare(nullptr, &record_, 13);
    QCOMPARE(Shown(bare), QString());
    Press(bare, QLatin1Char('C'));
    QCOMPARE(bare.result(), int(kResultForward));
}

void TestSlideDlg::screenLooksAsDescribedAndKeepsContinueFocused()
{
    DocumentFolder folder;
    WriteAllSlides(folder);
    CSlideDlg dlg(nullptr, &record_, 2);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCOMPARE(dlg.windowTitle(), QStringLiteral("Tallowin"));
    auto *back = dlg.findChild<QPushButton *>(QStringLiteral("backButton"));
    auto *cont = dlg.findChild<QPushButton *>(QStringLiteral("continueButton"));
    QCOMPARE(back->text(), QStringLiteral("<- &Back"));
    QCOMPARE(cont->text(), QStringLiteral("&Continue ->"));
    QVERIFY(cont->isDefault());
    QVERIFY(!back->isDefault());
    QCOMPARE(cont->shortcut(), QKeySequence(Qt::ALT | Qt::Key_C));
    QCOMPARE(back->shortcut(), QKeySequence(Qt::ALT | Qt::Key_B));

    dlg.findChild<CRichTextView *>(QStringLiteral("richText"))->setFocus();
    QTest::mouseClick(back, Qt::LeftButton);
    QCOMPARE(QApplication::focusWidget(), cont);
    // Enter on the default button pages on.
    QTest::keyClick(&dlg, Qt::Key_Return);
    QCOMPARE(dlg.SlideNumber(), 2);
}

QTEST_MAIN(TestSlideDlg)
#include "tst_slide_dlg.moc"
