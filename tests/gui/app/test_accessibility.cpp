// What a screen reader and the keyboard meet: on every window, each control that takes the
// focus has a name of its own (a box, its own title), no two captions share an Alt letter,
// what is read out as a description is plain text, and Tab walks in reading order; after
// a dialog closes, the window under it has the focus.
#include "app/main_frame.h"
#include "entry/analysis_info_dlg.h"
#include "screens/questions_dlg.h"
#include "record/sample_client.h"
#include "tests/gui/app/screenshots.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

using namespace tw;

namespace {

QString Describe(const QWidget *w)
{
    return QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
}

QStringList NameFaults(QWidget *window)
{
    QStringList faults, boxTitles;
    for (const QGroupBox *box : window->findChildren<QGroupBox *>())
        boxTitles << QString(box->title()).remove(QLatin1Char('&'));
    QHash<QChar, QString> letters;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->window() != window || !w->isVisibleTo(window))
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w);
        const QString name = a ? a->text(QAccessible::Name).trimmed() : QString();
        auto *box = qobject_cast<QGroupBox *>(w);
        if ((box && name != QString(box->title()).remove(QLatin1Char('&')))
            || ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() && (name.isEmpty() || boxTitles.contains(name))))
            faults << Describe(w) + QStringLiteral(" is announced as \"%1\"").arg(name);
        for (const QString &text : {w->toolTip(), w->whatsThis()})
            if (Qt::mightBeRichText(text) || text.contains(QLatin1String("&nbsp;")) || text.contains(QChar::Nbsp))
                faults << Describe(w) + QStringLiteral(" is described with markup: ") + text;
        auto *label = qobject_cast<QLabel *>(w);
        auto *button = qobject_cast<QAbstractButton *>(w);
        const QString caption = button ? button->text() : label && label->buddy() ? label->text() : QString();
        const qsizetype amp = QString(caption).replace(QLatin1String("&&"), QLatin1String("__")).indexOf('&');
        if (amp >= 0 && amp + 1 < caption.size()) {
            const QChar letter = caption[amp + 1].toUpper();
            if (letters.contains(letter))
                faults << QStringLiteral("Alt+%1 is both %2 and %3").arg(letter).arg(letters[letter], Describe(w));
            letters.insert(letter, Describe(w));
        }
    }
    return faults;
}

// Reading order runs along a line, then down; a step up only starts a column further
// right. Once round, only the step from the last control back to the first goes back.
QStringList TabOrderFaults(QWidget *window)
{
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != window) {
        // A window shown without the focus (offscreen, not the active one) is walked from
        // its first control.
        window->activateWindow();
        QApplication::setActiveWindow(window);
        for (QWidget *w : window->findChildren<QWidget *>()) {
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)) {
                w->setFocus(Qt::TabFocusReason);
                break;
            }
        }
    }
    QList<QWidget *> cycle {QApplication::focusWidget()};
    if (!cycle.front() || cycle.front()->window() != window)
        return {}; // no control to walk (the main frame, a menu)
    for (int i = 0; i < 100; ++i) {
        QTest::keyClick(cycle.back(), Qt::Key_Tab);
        QWidget *next = QApplication::focusWidget();
        if (!next || cycle.contains(next))
            break;
        cycle << next;
    }
    QStringList backwards;
    for (qsizetype i = 0; i < cycle.size() && cycle.size() > 1; ++i) {
        QWidget *from = cycle[i], *to = cycle[(i + 1) % cycle.size()];
        const QRect a(from->mapTo(window, QPoint()), from->size()), b(to->mapTo(window, QPoint()), to->size());
        if (std::abs(a.center().y() - b.center().y()) < std::min(a.height(), b.height()) / 2
                ? b.left() <= a.left()
                : b.center().y() < a.center().y() && b.left() < a.right())
            backwards << QStringLiteral("Tab goes back from %1 to %2").arg(Describe(from), Describe(to));
    }
    return backwards.size() > 1 ? backwards : QStringList();
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void everyWindow_data()
    {
        QTest::addColumn<QStringList>("faults");
        VisitEveryScreen([](QWidget *window, const QString &name) {
            QTest::newRow(qPrintable(name)) << NameFaults(window) + TabOrderFaults(window);
        });
    }
    void everyWindow()
    {
        QFETCH(QStringList, faults);
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }

    void focusComesBack_data()
    {
        QTest::addColumn<QString>("opener"); // a button of the loan form or of the questions
        QTest::addColumn<QStringList>("closers"); // the button pressed in each dialog that opens
        QTest::newRow("answer") << "answerButton3" << QStringList {"Ok"};
        QTest::newRow("comparison kept") << "answerButton9" << QStringList {"Additional", "Ok (Use Additional Pmt.)"};
        QTest::newRow("comparison dropped")
            << "answerButton9" << QStringList {"Additional", "Exit (Don't use additional Pmt.)"};
        QTest::newRow("message of a refused field") << "continueButton" << QStringList {"OK"};
    }
    void focusComesBack()
    {
        QFETCH(QString, opener);
        QFETCH(QStringList, closers);
        QTemporaryDir dir;
        CMainFrame frame(dir.filePath(QStringLiteral("tallowin.ini")).toStdString());
        CClientRecord record;
        std::unique_ptr<QDialog> under;
        if (opener.startsWith(QLatin1String("answer"))) {
            FillSampleClient(record);
            under = std::make_unique<CQuestionsDlg>(&frame, &record);
        } else {
            under = std::make_unique<CAnalysisInfoDlg>(&frame, &record, nullptr);
        }
        under->show();
        QVERIFY(QTest::qWaitForWindowActive(under.get()));
        QTimer presser;
        connect(&presser, &QTimer::timeout, this, [&] {
            QWidget *modal = QApplication::activeModalWidget();
            if (!modal || modal == under.get() || closers.isEmpty() || modal->property("pressed").toBool())
                return;
            for (QAbstractButton *b : modal->findChildren<QAbstractButton *>()) {
                if (b->text().remove(QLatin1Char('&')) == closers.front()) {
                    modal->setProperty("pressed", true);
                    closers.pop_front();
                    QMetaObject::invokeMethod(b, &QAbstractButton::click, Qt::QueuedConnection);
                    return;
                }
            }
        });
        presser.start(5);
        QTest::mouseClick(under->findChild<QAbstractButton *>(opener), Qt::LeftButton);
        QVERIFY(closers.isEmpty());
        QTRY_VERIFY(QApplication::focusWidget() && QApplication::focusWidget()->window() == under.get());
    }
};

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
