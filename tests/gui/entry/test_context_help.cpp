#include "entry/analysis_info_dlg.h"
#include "entry/context_help.h"
#include "entry/debit_bank_dlg.h"
#include "entry/lender_info_dlg.h"
#include "entry/personal_info_dlg.h"

#include "entry_test_support.h"

#include <QCheckBox>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>
#include <QWhatsThis>
#include <QtTest>

using namespace tw;
using namespace tw::test;

namespace {

// Every help pop-up the screens open.
struct HelpLog {
    HelpLog()
    {
        SetHelpPopupSink([this](QWidget *control, const QString &text) {
            controls << (control ? control->objectName() : QString());
            texts << text;
        });
    }
    ~HelpLog() { SetHelpPopupSink({}); }
    QStringList controls;
    QStringList texts;
};

std::unique_ptr<QDialog> MakeDialog(int dialogId, CClientRecord *record)
{
    switch (dialogId) {
    case 136:
        return std::make_unique<CAnalysisInfoDlg>(nullptr, record, nullptr);
    case 147:
        return std::make_unique<CPersonalInfoDlg>(nullptr, record, nullptr);
    case 150:
        return std::make_unique<CDebitBankDlg>(nullptr, record, nullptr);
    default:
        return std::make_unique<CLenderInfoDlg>(nullptr, record);
    }
}

QWidget *ControlById(QWidget *dialog, int controlId)
{
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (w->property("controlId").toInt() == controlId)
            return w;
    }
    return nullptr;
}

QString Topic(int helpId)
{
    return QStringLiteral("Topic %1: caf\u00e9 \u2013 <b>line one</b>\nline two").arg(helpId);
}

const int kLeftOut = HelpContextId(136, 1027); // a listed control with no topic in the file

} // namespace

class TestContextHelp : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;

private slots:
    void initTestCase()
    {
        // A help file of our own with a topic for every listed control but one.
        QFile file(dir_.filePath(QStringLiteral("help.ini")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        QByteArray text = "; test topics\n[Help]\n";
        for (int dialog : {136, 147, 150, 152}) {
            for (int control : HelpControlIds(dialog)) {
                const int id = HelpContextId(dialog, control);
                if (id != kLeftOut)
                    text += QByteArray::number(id) + '='
                        + Topic(id).replace(QLatin1Char('\n'), QLatin1String("\\n")).toUtf8() + '\n';
            }
        }
        file.write(text);
        file.close();
        SetHelpFilePath(file.fileName());
    }
    void cleanupTestCase() { SetHelpFilePath(QString()); }

    void f1AndRightClickShowTheControlsTopic_data()
    {
        QTest::addColumn<int>("dialog");
        QTest::addColumn<int>("control");
        for (int dialog : {136, 147, 150, 152}) {
            for (int control : HelpControlIds(dialog))
                QTest::addRow("%d/%d", dialog, control) << dialog << control;
        }
    }
    void f1AndRightClickShowTheControlsTopic()
    {
        QFETCH(int, dialog);
        QFETCH(int, control);
        auto record = std::make_unique<CClientRecord>();
        record->AccountType = kAccountOther; // the description edit takes focus only then
        record->Analysis.VariableFlag = 1;
        auto dlg = MakeDialog(dialog, record.get());
        QVERIFY(Open(*dlg));
        QWidget *widget = ControlById(dlg.get(), control);
        QVERIFY(widget);
        const int id = HelpContextId(dialog, control);
        const QString expected
            = id == kLeftOut ? QString::fromUtf8(kNoHelpText.data(), int(kNoHelpText.size())) : Topic(id);

        HelpLog help;
        widget->setFocus();
        QTest::keyClick(widget, Qt::Key_F1);
        // Through the window, as a real click comes, so that Qt turns it into a context
        // menu request.
        QTest::mouseClick(dlg->windowHandle(), Qt::RightButton, {}, widget->mapTo(dlg.get(), QPoint(4, 4)));
        QCOMPARE(help.texts, (QStringList {expected, expected}));
        QCOMPARE(help.controls, (QStringList {widget->objectName(), widget->objectName()}));
        // The caption's help button shows the same topic.
        QCOMPARE(widget->whatsThis(), expected);
        QVERIFY(dlg->isVisible());
    }

    void f1OnAFieldWithoutHelpSaysSo()
    {
        auto record = std::make_unique<CClientRecord>();
        CAnalysisInfoDlg dlg(nullptr, record.get(), nullptr);
        QVERIFY(Open(dlg));
        HelpLog help;
        QLineEdit *name = Edit(&dlg, "firstNameEdit");
        name->setFocus();
        QTest::keyClick(name, Qt::Key_F1);
        QCOMPARE(help.texts, QStringList {QStringLiteral("No help is available for this field.")});
    }

    void missingHelpFileGivesTheFallback()
    {
        SetHelpFilePath(dir_.filePath(QStringLiteral("missing.ini")));
        auto record = std::make_unique<CClientRecord>();
        CLenderInfoDlg dlg(nullptr, record.get());
        QVERIFY(Open(dlg));
        HelpLog help;
        QLineEdit *name = Edit(&dlg, "lenderNameEdit");
        QTest::keyClick(name, Qt::Key_F1);
        QCOMPARE(help.texts, QStringList {QStringLiteral("No help is available for this field.")});
        SetHelpFilePath(dir_.filePath(QStringLiteral("help.ini")));
    }

    void theFileIsReadOncePerPath()
    {
        // Replacing the file after it was read changes nothing until the path is set again.
        const QString path = dir_.filePath(QStringLiteral("once.ini"));
        auto write = [&](const char *text) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(text);
        };
        write("[Help]\n132231=first\n");
        SetHelpFilePath(path);
        QCOMPARE(QString::fromStdString(SharedHelpTexts().TextFor(132231)), QStringLiteral("first"));
        write("[Help]\n132231=second\n");
        QCOMPARE(QString::fromStdString(SharedHelpTexts().TextFor(132231)), QStringLiteral("first"));
        SetHelpFilePath(path);
        QCOMPARE(QString::fromStdString(SharedHelpTexts().TextFor(132231)), QStringLiteral("second"));
        SetHelpFilePath(dir_.filePath(QStringLiteral("help.ini")));
    }

    void popupOpensBelowTheControl()
    {
        auto record = std::make_unique<CClientRecord>();
        CAnalysisInfoDlg dlg(nullptr, record.get(), nullptr);
        QVERIFY(Open(dlg));
        QLineEdit *term = Edit(&dlg, "termEdit");
        QTest::keyClick(term, Qt::Key_F1);
        QWidget *popup = nullptr;
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && QLatin1String(w->metaObject()->className()) == QLatin1String("QWhatsThat"))
                popup = w;
        }
        QVERIFY(popup);
        QVERIFY(popup->geometry().top() >= term->mapToGlobal(QPoint(0, term->height())).y() - 1);
        QWhatsThis::hideText();
    }

    // Laid out as the pop-up lays out its text (a document of the application font,
    // sized by adjustSize), the longest shipped topic breaks only after a blank, its
    // lines hold every word in order, and no line is empty.
    void popupWrapsTheLongestTopicAtWordBoundaries()
    {
        const CHelpTexts shipped = CHelpTexts::FromFile(TALLOWIN_HELP_FILE);
        QString longest;
        for (int dialog : {136, 147, 150, 152})
            for (int control : HelpControlIds(dialog))
                if (auto t = shipped.Find(HelpContextId(dialog, control)); t && int(t->size()) > longest.size())
                    longest = QString::fromStdString(*t);
        QVERIFY(longest.size() > 250);
        longest += QStringLiteral(" A <b> stays text.");

        QTextDocument doc;
        doc.setDefaultFont(QApplication::font());
        QVERIFY(Qt::mightBeRichText(HelpPopupText(longest))); // the pop-up takes it as rich text
        doc.setHtml(HelpPopupText(longest));
        doc.adjustSize();
        QCOMPARE(doc.blockCount(), 1);
        const QTextBlock block = doc.begin();
        const QString shown = block.text();
        QCOMPARE(shown.simplified(), longest.simplified());
        QTextLayout *layout = block.layout();
        QVERIFY(layout->lineCount() > 2); // it does wrap
        for (int i = 0; i < layout->lineCount(); ++i) {
            const QTextLine line = layout->lineAt(i);
            const QString text = shown.mid(line.textStart(), line.textLength());
            QVERIFY2(!text.trimmed().isEmpty(), qPrintable(QStringLiteral("line %1 is empty").arg(i)));
            if (i + 1 < layout->lineCount())
                QVERIFY2(text.endsWith(QLatin1Char(' ')),
                    qPrintable(QStringLiteral("line %1 breaks a word: ").arg(i) + text));
        }
    }

    void topicLineBreaksAreKeptAndNoneAdded()
    {
        QTextDocument doc;
        doc.setHtml(HelpPopupText(QStringLiteral("First line\nsecond line\n")));
        QCOMPARE(doc.blockCount(), 1);
        QCOMPARE(doc.toPlainText(), QStringLiteral("First line\nsecond line"));
    }

    void defaultFileLivesBesideTheProgram()
    {
        SetHelpFilePath(QString());
        QVERIFY(HelpFilePath().endsWith(QStringLiteral("/tallowin-help.ini")));
        QCOMPARE(QFileInfo(HelpFilePath()).absolutePath(), QCoreApplication::applicationDirPath());
        SetHelpFilePath(dir_.filePath(QStringLiteral("help.ini")));
    }
};

QTEST_MAIN(TestContextHelp)
#include "test_context_help.moc"
