// The sign-up decision: its document, the NO text built from the client's savings,
// and its results.
#include "screen_test_support.h"

#include "format/number_text.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/rich_text_view.h"
#include "record/sample_client.h"
#include "screens/signup_dlg.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tw;
using tw::test::DocumentFolder;

class TestSignUpDlg : public QObject {
    Q_OBJECT
private slots:
    void noTextUsesTheClientsSavings();
    void documentIsFilled();
    void results_data();
    void results();
};

void TestSignUpDlg::noTextUsesTheClientsSavings()
{
    DocumentFolder folder;
    CClientRecord record;
    record.Analysis.PaymentsEliminated = 52;
    record.Analysis.TotalPaymentSavings = 41616.00;
    CSignUpDlg dlg(nullptr, &record);
    auto *no = dlg.findChild<QLabel *>(QStringLiteral("noText"));
    QCOMPARE(no->text(), QStringLiteral("My lender needs the 52 payments totaling $41,616.00 more than I do"));
    QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("yesText"))->text(),
        QStringLiteral("I WANT TO TRY YOUR FREE SERVICE WITH NO OBLIGATION"));
    // No placeholder is ever on the screen.
    for (QLabel *label : dlg.findChildren<QLabel *>())
        QVERIFY2(!label->text().contains(QStringLiteral("{{")), qPrintable(label->text()));
}

void TestSignUpDlg::documentIsFilled()
{
    DocumentFolder folder;
    folder.Write(QStringLiteral("signup.qnl"), QStringLiteral("{{FIRSTNAME}} saves ${{TOTALSAVINGS}}."));
    CClientRecord record;
    FillSampleClient(record);
    CSignUpDlg dlg(nullptr, &record);
    QCOMPARE(dlg.findChild<CRichTextView *>(QStringLiteral("richText"))->PlainText(),
        QStringLiteral("Margaret saves $%1.")
            .arg(QString::fromStdString(FormatMoney(record.Analysis.TotalPaymentSavings))));
}

void TestSignUpDlg::results_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("YES") << "yesButton" << int(kResultYes);
    QTest::newRow("NO") << "noButton" << int(kResultForward);
    QTest::newRow("Back") << "backButton" << int(kResultBack);
    QTest::newRow("Escape") << "" << int(kResultCancel);
    QTest::newRow("Enter takes YES") << "\n" << int(kResultYes);
}

void TestSignUpDlg::results()
{
    QFETCH(QString, button);
    QFETCH(int, result);
    DocumentFolder folder;
    CClientRecord record;
    FillSampleClient(record);
    CSignUpDlg dlg(nullptr, &record);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QVERIFY(dlg.findChild<QPushButton *>(QStringLiteral("yesButton"))->isDefault());
    if (button.isEmpty())
        QTest::keyClick(&dlg, Qt::Key_Escape);
    else if (button == QStringLiteral("\n"))
        QTest::keyClick(&dlg, Qt::Key_Return);
    else
        QTest::mouseClick(dlg.findChild<QPushButton *>(button), Qt::LeftButton);
    QCOMPARE(dlg.result(), result);
    QVERIFY(!dlg.isVisible());
}

QTEST_MAIN(TestSignUpDlg)
#include "tst_signup_dlg.moc"
