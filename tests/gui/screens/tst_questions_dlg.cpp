// The questions screen and the answers it opens.
#include "screen_test_support.h"

#include "format/number_text.h"
#include "record/client_record.h"
#include "record/company.h"
#include "record/sample_client.h"
#include "rules/result_codes.h"
#include "screens/additional_dlg.h"
#include "screens/answer_dlg.h"
#include "screens/questions_dlg.h"
#include "screens/rich_text_view.h"
#include "screens/screen_texts.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

using namespace tw;
using tw::test::DocumentFolder;
using tw::test::WhenModal;

namespace {

void WriteAnswers(DocumentFolder &folder)
{
    for (int n = 1; n <= 10; ++n)
        folder.Write(
            QStringLiteral("answer%1.qnl").arg(n, 2, 10, QLatin1Char('0')), QStringLiteral("answer %1").arg(n));
}

struct SeenAnswer {
    int number = 0;
    bool additionalVisible = false;
    QString text;
};

} // namespace

class TestQuestionsDlg : public QObject {
    Q_OBJECT
private slots:
    void init();
    void buttonsOpenTheirAnswers_data();
    void buttonsOpenTheirAnswers();
    void showsTheQuestionsAsWritten();
    void results_data();
    void results();
    void answerFillsItsFigures();
    void additionalOpensTheComparisonThenCloses();

private:
    CClientRecord record_;
};

void TestQuestionsDlg::init()
{
    record_ = CClientRecord {};
    FillSampleClient(record_);
}

void TestQuestionsDlg::buttonsOpenTheirAnswers_data()
{
    QTest::addColumn<int>("question");
    QTest::addColumn<int>("answer");
    QTest::addColumn<bool>("additional");
    QTest::addColumn<bool>("byEnter"); // Enter on the focused button, not a click
    for (int q = 1; q <= 7; ++q)
        QTest::addRow("question %d", q) << q << q << false << false;
    QTest::newRow("question 8 opens answer 10") << 8 << 10 << false << false;
    QTest::newRow("question 9 opens answer 9") << 9 << 9 << true << false;
    QTest::newRow("Enter on question 3's button") << 3 << 3 << false << true;
}

void TestQuestionsDlg::buttonsOpenTheirAnswers()
{
    QFETCH(int, question);
    QFETCH(int, answer);
    QFETCH(bool, additional);
    QFETCH(bool, byEnter);
    DocumentFolder folder;
    WriteAnswers(folder);
    CQuestionsDlg dlg(nullptr, &record_);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    int ended = -1;
    connect(&dlg, &QDialog::finished, this, [&](int r) { ended = r; });

    SeenAnswer seen;
    WhenModal<CAnswerDlg>([&seen](CAnswerDlg *a) {
        seen.number = a->AnswerNumber();
        seen.additionalVisible = a->findChild<QPushButton *>(QStringLiteral("additionalButton"))->isVisible();
        seen.text = a->findChild<CRichTextView *>(QStringLiteral("richText"))->PlainText();
        QTest::mouseClick(a->findChild<QPushButton *>(QStringLiteral("okButton")), Qt::LeftButton);
    });
    auto *button = dlg.findChild<QPushButton *>(QStringLiteral("answerButton%1").arg(question));
    if (byEnter) {
        button->setFocus();
        QTest::keyClick(button, Qt::Key_Return);
    } else {
        QTest::mouseClick(button, Qt::LeftButton);
    }

    QCOMPARE(seen.number, answer);
    QCOMPARE(seen.additionalVisible, additional);
    QCOMPARE(seen.text, QStringLiteral("answer %1").arg(answer));
    // The questions stay open whatever the answer returned.
    QVERIFY(dlg.isVisible());
    QCOMPARE(ended, -1);
}

void TestQuestionsDlg::showsTheQuestionsAsWritten()
{
    CQuestionsDlg dlg(nullptr, &record_);
    for (int q = 1; q <= 9; ++q) {
        auto *label = dlg.findChild<QLabel *>(QStringLiteral("question%1").arg(q));
        QVERIFY(label);
        QCOMPARE(label->text(), Questions()[q - 1].text);
        QVERIFY(label->wordWrap());
        QCOMPARE(
            dlg.findChild<QPushButton *>(QStringLiteral("answerButton%1").arg(q))->text(), QStringLiteral("Answer"));
    }
    // The blanks that move a word are kept.
    QVERIFY(dlg.findChild<QLabel *>(QStringLiteral("question4"))->text().endsWith(QStringLiteral("no        cost?")));
    QCOMPARE(dlg.findChild<QLabel *>(QStringLiteral("introFirstLine"))->text(), QuestionsIntroductionFirstLine());
    QVERIFY(dlg.findChild<QPushButton *>(QStringLiteral("continueButton"))->isDefault());
    // The contact line gives the company's phone and fax as the build sets them.
    const ScopedCompanyIdentity other({"Northwind", "", "", "", "1-800-555-0100", "1-800-555-0101"});
    CQuestionsDlg named(nullptr, &record_);
    QCOMPARE(named.findChild<QLabel *>(QStringLiteral("introSecondLine"))->text(),
        QStringLiteral("service department at 1-800-555-0100, or fax your question at any hour, day or night, to "
                       "1-800-555-0101."));
}

void TestQuestionsDlg::results_data()
{
    QTest::addColumn<bool>("answer"); // an answer's screen rather than the questions'
    QTest::addColumn<QString>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("Back") << false << "backButton" << int(kResultBack);
    QTest::newRow("Continue") << false << "continueButton" << int(kResultForward);
    QTest::newRow("Escape") << false << "" << int(kResultCancel);
    QTest::newRow("Enter on a focused Back") << false << "\nbackButton" << int(kResultBack);
    QTest::newRow("answer, Ok") << true << "okButton" << int(kResultForward);
    QTest::newRow("answer, Escape") << true << "" << int(kResultCancel);
}

void TestQuestionsDlg::results()
{
    QFETCH(bool, answer);
    QFETCH(QString, button);
    QFETCH(int, result);
    DocumentFolder folder;
    std::unique_ptr<QDialog> dlg;
    if (answer)
        dlg = std::make_unique<CAnswerDlg>(nullptr, 3, &record_);
    else
        dlg = std::make_unique<CQuestionsDlg>(nullptr, &record_);
    dlg->show();
    QVERIFY(QTest::qWaitForWindowExposed(dlg.get()));
    if (button.isEmpty()) {
        QTest::keyClick(dlg.get(), Qt::Key_Escape);
    } else if (button.startsWith(QLatin1Char('\n'))) {
        auto *focused = dlg->findChild<QPushButton *>(button.mid(1));
        focused->setFocus();
        QTest::keyClick(focused, Qt::Key_Return);
    } else {
        QTest::mouseClick(dlg->findChild<QPushButton *>(button), Qt::LeftButton);
    }
    QCOMPARE(dlg->result(), result);
}

void TestQuestionsDlg::answerFillsItsFigures()
{
    DocumentFolder folder;
    folder.Write(QStringLiteral("answer10.qnl"), QStringLiteral("Paid off in {{YEARSPAIDOFF}} years."));
    folder.Write(QStringLiteral("answer02.qnl"), QStringLiteral("No figures in {{YEARSPAIDOFF}}."));
    const QString years = QString::fromStdString(FormatOneDecimal(record_.Analysis.PlanYears));
    for (int time = 0; time < 2; ++time) {
        CAnswerDlg dlg(nullptr, 10, &record_);
        QCOMPARE(dlg.findChild<CRichTextView *>(QStringLiteral("richText"))->PlainText(),
            QStringLiteral("Paid off in %1 years.").arg(years));
    }
    CAnswerDlg plain(nullptr, 2, &record_);
    QCOMPARE(plain.findChild<CRichTextView *>(QStringLiteral("richText"))->PlainText(),
        QStringLiteral("No figures in {{YEARSPAIDOFF}}."));
    CAnswerDlg missing(nullptr, 5, &record_);
    QCOMPARE(missing.findChild<CRichTextView *>(QStringLiteral("richText"))->PlainText(), QString());
}

void TestQuestionsDlg::additionalOpensTheComparisonThenCloses()
{
    DocumentFolder folder;
    CAnswerDlg dlg(nullptr, 9, &record_);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    auto *additional = dlg.findChild<QPushButton *>(QStringLiteral("additionalButton"));
    QVERIFY(additional->isVisible());
    QCOMPARE(additional->text(), QStringLiteral("&Additional"));
    auto *ok = dlg.findChild<QPushButton *>(QStringLiteral("okButton"));
    QVERIFY(ok->isDefault());
    QCOMPARE(ok->text(), QStringLiteral("&Ok"));

    bool opened = false;
    WhenModal<CAdditionalPaymentDlg>([&opened](CAdditionalPaymentDlg *d) {
        opened = true;
        QTest::mouseClick(d->findChild<QPushButton *>(QStringLiteral("exitButton")), Qt::LeftButton);
    });
    QTest::mouseClick(additional, Qt::LeftButton);
    QVERIFY(opened);
    QCOMPARE(dlg.result(), int(kResultForward));
    QVERIFY(!dlg.isVisible());
    QCOMPARE(record_.Analysis.AdditionalPayment, 0.0);
    QCOMPARE(record_.Analysis.AdditionalPaymentText, std::string("0"));
}

QTEST_MAIN(TestQuestionsDlg)
#include "tst_questions_dlg.moc"
