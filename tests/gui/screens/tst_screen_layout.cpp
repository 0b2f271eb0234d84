// Every screen at its size with a sample client and the real documents, under any font,
// DPI or scale: nothing clipped, nothing overlapping, nothing outside. With TALLOWIN_SCREENSHOT_DIR set, each screen is
// also saved there as a PNG.
#include "record/client_record.h"
#include "screens/additional_dlg.h"
#include "screens/answer_dlg.h"
#include "screens/questions_dlg.h"
#include "screens/rich_text_view.h"
#include "record/sample_client.h"
#include "screens/signup_dlg.h"
#include "screens/slide_dlg.h"
#include "screens/summary_dlg.h"
#include "screens/ui_common.h"
#include "tests/gui/app/layout_check.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <algorithm>
#include <functional>
#include <memory>

using namespace tw;

namespace {

using Factory = std::function<QDialog *(CClientRecord *)>;

// The controls the screens place themselves (the view's own parts are left out).
QList<QWidget *> Controls(QDialog &dlg)
{
    QList<QWidget *> controls;
    for (QWidget *w : dlg.findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() || !w->isVisible())
            continue;
        if (qobject_cast<QLabel *>(w) || qobject_cast<QPushButton *>(w) || qobject_cast<QLineEdit *>(w)
            || qobject_cast<CRichTextView *>(w))
            controls << w;
    }
    return controls;
}

QRect InDialog(QDialog &dlg, QWidget *w)
{
    return QRect(w->mapTo(&dlg, QPoint(0, 0)), w->size());
}

} // namespace

class TestScreenLayout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void screen_data();
    void screen();
    void picturesAreBuiltIn();

private:
    std::unique_ptr<CClientRecord> record_;
};

void TestScreenLayout::initTestCase()
{
    record_ = std::make_unique<CClientRecord>();
    FillSampleClient(*record_);
    if (!QFile::exists(QString::fromStdString(DocumentDirectory()) + QStringLiteral("001.qnl")))
        qWarning("The documents are not beside the test; the views stay empty.");
}

void TestScreenLayout::screen_data()
{
    QTest::addColumn<Factory>("make");
    QTest::addColumn<QSize>("units");
    QTest::newRow("slide01") << Factory([](CClientRecord *r) { return new CSlideDlg(nullptr, r, 1); })
                             << QSize(397, 241);
    QTest::newRow("slide09") << Factory([](CClientRecord *r) { return new CSlideDlg(nullptr, r, 9); })
                             << QSize(397, 241);
    QTest::newRow("slide13") << Factory([](CClientRecord *r) { return new CSlideDlg(nullptr, r, 13); })
                             << QSize(397, 241);
    QTest::newRow("summary") << Factory([](CClientRecord *r) { return new CSummaryDlg(nullptr, r); })
                             << QSize(302, 384);
    QTest::newRow("questions") << Factory([](CClientRecord *r) { return new CQuestionsDlg(nullptr, r); })
                               << QSize(397, 239);
    QTest::newRow("answer09") << Factory([](CClientRecord *r) { return new CAnswerDlg(nullptr, 9, r); })
                              << QSize(397, 242);
    QTest::newRow("answer10") << Factory([](CClientRecord *r) { return new CAnswerDlg(nullptr, 10, r); })
                              << QSize(397, 242);
    QTest::newRow("signup") << Factory([](CClientRecord *r) { return new CSignUpDlg(nullptr, r); }) << QSize(397, 242);
    QTest::newRow("additional") << Factory([](CClientRecord *r) { return new CAdditionalPaymentDlg(nullptr, r); })
                                << QSize(350, 224);
}

void TestScreenLayout::screen()
{
    QFETCH(Factory, make);
    QFETCH(QSize, units);
    std::unique_ptr<QDialog> dlg(make(record_.get()));
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    const QString dir = qEnvironmentVariable("TALLOWIN_SCREENSHOT_DIR");
    if (!dir.isEmpty()) {
        QDir().mkpath(dir);
        QVERIFY(dlg->grab().save(QDir(dir).filePath(QString::fromLatin1(QTest::currentDataTag()) + ".png")));
    }

    // At least its template's size where the screen has the room; a smaller screen it
    // fills, and what does not fit scrolls.
    const QSize size = DialogUnitsToPixels(dlg->font(), units.width(), units.height());
    const QSize room = ScreenRoom(dlg.get());
    QVERIFY(dlg->width() >= std::min(size.width(), room.width()));
    QVERIFY(dlg->height() >= std::min(size.height(), room.height()));
    const QStringList faults = LayoutFaults(dlg.get());
    QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));

    const QList<QWidget *> controls = Controls(*dlg);
    QVERIFY(controls.size() >= 3);
    for (QWidget *w : controls) {
        const QString name = w->objectName();
        const QRect r = InDialog(*dlg, w);
        for (QWidget *other : controls) {
            if (other != w && !w->isAncestorOf(other) && !other->isAncestorOf(w))
                QVERIFY2(!r.intersects(InDialog(*dlg, other)), qPrintable(name + " / " + other->objectName()));
        }
    }
}

void TestScreenLayout::picturesAreBuiltIn()
{
    QCOMPARE(LogoPixmap().size(), QSize(48, 48));
    QCOMPARE(IntroPixmap().size(), QSize(295, 180));
    QCOMPARE(AppIconPixmap().size(), QSize(256, 256));
}

QTEST_MAIN(TestScreenLayout)
#include "tst_screen_layout.moc"
