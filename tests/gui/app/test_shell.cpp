// The main window, its commands and the start-up, with scripted wizard screens.
#include "app/access_codes.h"
#include "app/code_dlg.h"
#include "app/main_frame.h"
#include "app/startup.h"
#include "app/tallowin_app.h"
#include "app/tallowin_view.h"
#include "app/wizard.h"
#include "app_test_support.h"
#include "record/grid_inputs.h"
#include "record/profile_store.h"
#include "rules/result_codes.h"

#include <QAction>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolBar>
#include <QtTest>

#include <deque>
#include <tuple>

using namespace tw;

namespace {

// Wizard screens that answer from a script. The loan screen types a loan into the
// record, as the real one does before it returns.
class ScriptedScreens : public IScreenFactory {
public:
    ScriptedScreens(CClientRecord &record, std::deque<int> results)
        : record_(record)
        , results_(std::move(results))
    {
    }
    QStringList shown;
    double savingsShownAtSignUp = -1;

    int ShowIntro() override { return Next("intro"); }
    int ShowSlide(int position) override { return Next(QStringLiteral("slide%1").arg(position)); }
    int ShowAnalysisInfo() override
    {
        LoanAnalysis &a = record_.Analysis;
        a.CurrentDate = "12/07/2026";
        a.FirstPaymentDate = "06/01/2019";
        a.TermText = "30";
        a.AmountText = "180000.00";
        a.LowestRateText = "6.50";
        a.CurrentPaymentText = "1450.00";
        return Next("analysis");
    }
    int ShowSummary() override
    {
        // The summary screen stores the figure the thank-you message quotes.
        record_.Analysis.AverageMonthlySavings = 192.083;
        return Next("summary");
    }
    int ShowQuestions() override { return Next("questions"); }
    int ShowSignUp() override { return Next("signup"); }
    int ShowPersonalInfo() override { return Next("personal"); }
    int ShowLenderInfo() override { return Next("lender"); }
    int ShowDebitBank() override { return Next("bank"); }

private:
    int Next(const QString &name)
    {
        shown << name;
        if (results_.empty())
            return kResultCancel;
        const int r = results_.front();
        results_.pop_front();
        return r;
    }
    CClientRecord &record_;
    std::deque<int> results_;
};

const std::deque<int> kToSignUp = {1, 0, 1, 0, 0, 0, 0, 0};
const QString kNoDemoMessage
    = QStringLiteral("You must run through the demo before generating the withdrawal schedule.");
const QString kClosingMessage
    = QStringLiteral("After printing your enrollment form, choose Run|Bi-Weekly Debit Schedule "
                     "to generate a schedule of your electronic bi-weekly mortgage payments.");

std::deque<int> Then(std::deque<int> a, std::initializer_list<int> b)
{
    a.insert(a.end(), b);
    return a;
}

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void menusAndToolbar();
    void enablingPerStartMode_data();
    void enablingPerStartMode();
    void recordLoadsOnFirstShow();
    void debitScheduleBeforeAnyCalculation();
    void saveAsPdfBeforeAnyPrintout();
    void enrollmentPrintTakesTheStoredVendorCode_data();
    void enrollmentPrintTakesTheStoredVendorCode();
    void declineShowsTheThankYouWithTheFigure();
    void bankScreenLeadsToMessageThenPreview();
    void debitScheduleAfterTheDemonstration();
    void gridCommandsOpenTheGrid_data();
    void gridCommandsOpenTheGrid();

    void startUp_data();
    void startUp();
    void storedGridSwitchStartsGridModeWithoutAsking();
    void cancelledCodeEndsTheProgram();
    void vendorCodeThatCannotBeStoredIsReported();
    void aboutFromTheHelpMenu();
    void programWithoutDisplay();

private:
    QString ProfilePath() const { return dir_->filePath("profile.ini"); }
    StartOptions Options() const { return {ProfilePath().toStdString(), dir_->filePath("program").toStdString()}; }

    std::unique_ptr<QTemporaryDir> dir_;
    std::unique_ptr<test::MessageLog> messages_;
};

void ShellTest::initTestCase()
{
    // Nothing here may touch the real user's profile.
    static QTemporaryDir guard;
    qputenv("TALLOWIN_PROFILE", guard.filePath("never-used.ini").toUtf8());
}

void ShellTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QVERIFY(QDir().mkpath(dir_->filePath("program")));
    messages_ = std::make_unique<test::MessageLog>();
}

void ShellTest::cleanup()
{
    messages_.reset();
    QVERIFY(!QApplication::overrideCursor());
}

void ShellTest::menusAndToolbar()
{
    CMainFrame frame(ProfilePath().toStdString());
    QCOMPARE(frame.windowTitle(), QStringLiteral("Tallowin"));
    QVERIFY(!frame.windowIcon().isNull());
    const QList<QAction *> tools = frame.ToolBar()->actions();
    QCOMPARE(tools,
        (QList<QAction *> {frame.AboutAction(), frame.CommandAction(kCmdSavingsDemonstration),
            frame.CommandAction(kCmdAmortizationGrid)}));
    QVERIFY(!tools[2]->isVisible()); // only the grid start mode opens the grid

    // The View menu's items hide and show the bars.
    frame.show();
    frame.findChild<QAction *>("toolBarAction")->trigger();
    QVERIFY(!frame.ToolBar()->isVisible());
    frame.findChild<QAction *>("statusBarAction")->trigger();
    QVERIFY(!frame.statusBar()->isVisible());
    frame.findChild<QAction *>("statusBarAction")->trigger();
    QVERIFY(frame.statusBar()->isVisible());
}

void ShellTest::enablingPerStartMode_data()
{
    QTest::addColumn<int>("mode");
    QTest::addColumn<bool>("spreadsheet");
    QTest::addColumn<bool>("vendorForm");
    QTest::newRow("demonstration") << int(kStartDemonstration) << false << false;
    QTest::newRow("vendor") << int(kStartVendor) << false << true;
    QTest::newRow("grid") << int(kStartGrid) << true << false;
}

void ShellTest::enablingPerStartMode()
{
    QFETCH(int, mode);
    QFETCH(bool, spreadsheet);
    QFETCH(bool, vendorForm);
    CMainFrame frame(ProfilePath().toStdString());
    frame.SetStartMode(mode);
    QCOMPARE(frame.StartMode(), mode);
    QCOMPARE(frame.CommandAction(kCmdAmortizationSpreadsheet)->isEnabled(), spreadsheet);
    QCOMPARE(frame.CommandAction(kCmdVendorEntryForm)->isEnabled(), vendorForm);
    QVERIFY(frame.CommandAction(kCmdSavingsDemonstration)->isEnabled());
    QVERIFY(frame.CommandAction(kCmdDebitSchedule)->isEnabled());
    QVERIFY(frame.AboutAction()->isEnabled());
}

void ShellTest::recordLoadsOnFirstShow()
{
    CProfileStore profile(ProfilePath().toStdString());
    QVERIFY(profile.Write("Client", "FirstName1", "Rosalind"));
    CMainFrame frame(ProfilePath().toStdString());
    QVERIFY(frame.View()->Record().FirstName1.empty());
    frame.show();
    QCOMPARE(QString::fromStdString(frame.View()->Record().FirstName1), QStringLiteral("Rosalind"));
    QCOMPARE(frame.View()->PrintType(), -1);
}

void ShellTest::debitScheduleBeforeAnyCalculation()
{
    CMainFrame frame(ProfilePath().toStdString());
    frame.ExecuteCommand(kCmdDebitSchedule);
    QCOMPARE(messages_->texts, QStringList {kNoDemoMessage});
    QCOMPARE(frame.View()->PrintType(), -1);
}

void ShellTest::saveAsPdfBeforeAnyPrintout()
{
    CMainFrame frame(ProfilePath().toStdString());
    const QString pdf = dir_->filePath("out.pdf");
    QVERIFY(!frame.View()->SaveAsPdfTo(pdf));
    QCOMPARE(messages_->texts.size(), 1);
    QVERIFY(messages_->texts[0].contains("nothing to save"));
    QVERIFY(!QFile::exists(pdf));
    frame.findChild<QAction *>("saveAsPdfAction")->trigger(); // asks for no file first
    QCOMPARE(messages_->texts.size(), 2);
}

void ShellTest::enrollmentPrintTakesTheStoredVendorCode_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("printed");
    QTest::newRow("code stored at start-up") << "TW-NEW"
                                             << "TW-NEW";
    QTest::newRow("nothing stored keeps the record's") << ""
                                                       << "TW-OLD";
}

void ShellTest::enrollmentPrintTakesTheStoredVendorCode()
{
    QFETCH(QString, stored);
    QFETCH(QString, printed);
    CMainFrame frame(ProfilePath().toStdString());
    CTallowinView *view = frame.View();
    view->EnsureRecordLoaded();
    view->Record().VendorCode = "TW-OLD";
    if (!stored.isEmpty())
        QVERIFY(view->Profile().Write("General", "VendorCode", stored.toStdString()));

    test::ModalScript script;
    script.Add("QPrintPreviewDialog", [](QWidget *w) { QMetaObject::invokeMethod(w, "reject"); });
    frame.ExecuteCommand(kCmdEnrollmentPrint);
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QVERIFY(script.Done());
    QCOMPARE(QString::fromStdString(view->Record().VendorCode), printed);
    QCOMPARE(view->PrintType(), 1);
    QVERIFY(messages_->texts.isEmpty());

    // The last printout can then be saved as a PDF file.
    const QString pdf = dir_->filePath("enrollment.pdf");
    QVERIFY(view->SaveAsPdfTo(pdf));
    QFile f(pdf);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.read(5), QByteArray("%PDF-"));
}

void ShellTest::declineShowsTheThankYouWithTheFigure()
{
    CMainFrame frame(ProfilePath().toStdString());
    CTallowinView *view = frame.View();
    view->SetScreenFactory(std::make_unique<ScriptedScreens>(view->Record(), Then(kToSignUp, {kResultForward})));
    frame.ExecuteCommand(kCmdSavingsDemonstration);
    QCOMPARE(view->WizardStep(), kWizardDeclined);
    QCOMPARE(messages_->texts.size(), 1);
    QCOMPARE(messages_->texts[0], QString::fromStdString(ThankYouMessage(192.083)));
    QVERIFY(messages_->texts[0].contains("will cost you $192.08 in lost savings"));
    QCOMPARE(view->PrintType(), -1);
}

void ShellTest::bankScreenLeadsToMessageThenPreview()
{
    CMainFrame frame(ProfilePath().toStdString());
    CTallowinView *view = frame.View();
    view->SetScreenFactory(
        std::make_unique<ScriptedScreens>(view->Record(), Then(kToSignUp, {kResultYes, 0, 0, kResultPrint})));
    QStringList messagesWhenPreviewOpened;
    test::ModalScript script;
    script.Add("QPrintPreviewDialog", [&](QWidget *w) {
        messagesWhenPreviewOpened = messages_->texts;
        QMetaObject::invokeMethod(w, "reject");
    });
    frame.ExecuteCommand(kCmdSavingsDemonstration);
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QVERIFY(script.Done());
    QCOMPARE(messagesWhenPreviewOpened, QStringList {kClosingMessage});
    QCOMPARE(view->PrintType(), 1);
    QCOMPARE(view->WizardStep(), kWizardEnded);
}

void ShellTest::debitScheduleAfterTheDemonstration()
{
    // Declined, yet the calculation has run: the schedule prints, and its dates and
    // rows can be saved from the File menu and from the preview.
    CMainFrame frame(ProfilePath().toStdString());
    CTallowinView *view = frame.View();
    auto *calendar = frame.findChild<QAction *>("saveDebitCalendarAction");
    QVERIFY(calendar && !calendar->isEnabled());
    view->SetScreenFactory(std::make_unique<ScriptedScreens>(view->Record(), Then(kToSignUp, {kResultForward})));
    frame.ExecuteCommand(kCmdSavingsDemonstration);
    QVERIFY(calendar->isEnabled());
    messages_->texts.clear();

    const auto saveTo = [](const QString &path) {
        return [path](QWidget *w) {
            qobject_cast<QFileDialog *>(w)->selectFile(path);
            QMetaObject::invokeMethod(w, "accept");
        };
    };
    test::ModalScript script;
    script.Add("QFileDialog", saveTo(dir_->filePath("plan.ics")));
    script.Add("QPrintPreviewDialog", [](QWidget *w) {
        QTimer::singleShot(0, w, [w] {
            w->findChild<QAction *>("saveCsvAction")->trigger();
            QMetaObject::invokeMethod(w, "reject");
        });
    });
    script.Add("QFileDialog", saveTo(dir_->filePath("plan.csv")));
    calendar->trigger();
    frame.ExecuteCommand(kCmdDebitSchedule);
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QVERIFY(script.Done());
    QVERIFY(messages_->texts.isEmpty());
    for (const char *name : {"plan.ics", "plan.csv"}) {
        const QFileInfo file(dir_->filePath(name));
        QVERIFY(file.size() > 0);
        QCOMPARE(file.permissions() & 0x0077, QFile::Permissions()); // its owner's only
    }
    QCOMPARE(view->PrintType(), 3);
    const LoanAnalysis &a = view->Record().Analysis;
    QVERIFY(a.DebitCount > 1);
    QCOMPARE(a.PayoffDebitIndex - a.FirstDebitIndex + 1, a.DebitCount);
}

void ShellTest::gridCommandsOpenTheGrid_data()
{
    QTest::addColumn<int>("command");
    QTest::newRow("32774") << int(kCmdAmortizationGrid);
    QTest::newRow("32775") << int(kCmdAmortizationSpreadsheet);
}

void ShellTest::gridCommandsOpenTheGrid()
{
    QFETCH(int, command);
    {
        CProfileStore profile(ProfilePath().toStdString());
        QVERIFY(profile.Write("PrinBal", "Mth1", "120000.00"));
        QVERIFY(profile.Write("IntRate", "Mth1", "6.00"));
    }
    CMainFrame frame(ProfilePath().toStdString());
    frame.SetStartMode(kStartGrid);
    int rows = 0;
    test::ModalScript script;
    script.Add("tw::CAmortGridDlg", [&](QWidget *w) {
        rows = w->findChild<QTableView *>("gridView")->model()->rowCount();
        QTest::mouseClick(w->findChild<QPushButton *>("cancelButton"), Qt::LeftButton);
    });
    frame.ExecuteCommand(command);
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QVERIFY(script.Done());
    QCOMPARE(rows, 360);
    QVERIFY(messages_->texts.isEmpty());
    // Grid mode is no dead end: the demonstration is still there.
    QVERIFY(frame.CommandAction(kCmdSavingsDemonstration)->isEnabled());
}

void ShellTest::startUp_data()
{
    QTest::addColumn<QString>("typed"); // "" leaves the prefill
    QTest::addColumn<int>("mode");
    QTest::addColumn<QString>("storedCode");
    QTest::addColumn<QString>("grid");
    QTest::addColumn<QString>("followUp"); // what the posted command showed
    const QString vendor = QString::fromUtf8(kVendorAccessCode).toLower();
    const QString grid = QString::fromUtf8(kGridAccessCode).toLower();
    const std::tuple<const char *, QString, int, QString, const char *, const char *> rows[]
        = {{"prefill unchanged", "", kStartDemonstration, "TW-", "", "wizard"},
            {"ordinary code", "TW-1187", kStartDemonstration, "TW-1187", "", "wizard"},
            {"vendor code in lower case", vendor, kStartVendor, vendor, "", "vendor form"},
            {"grid code", grid, kStartGrid, "", "YES", "grid"}};
    for (const auto &[name, typed, mode, stored, gridSwitch, followUp] : rows)
        QTest::newRow(name) << typed << mode << stored << QString(gridSwitch) << QString(followUp);
}

void ShellTest::startUp()
{
    QFETCH(QString, typed);
    QFETCH(int, mode);
    QFETCH(QString, storedCode);
    QFETCH(QString, grid);
    QFETCH(QString, followUp);

    CTallowinApp app(Options());
    test::ModalScript script;
    script.Add("tw::CCodeDlg", [&](QWidget *w) {
        if (!typed.isEmpty())
            w->findChild<QLineEdit *>("codeEdit")->setText(typed);
        QTest::mouseClick(w->findChild<QPushButton *>("okButton"), Qt::LeftButton);
    });
    QVERIFY(app.InitInstance());
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    CMainFrame *frame = app.MainFrame();
    QVERIFY(frame->isVisible());
    QCOMPARE(frame->StartMode(), mode);

    CProfileStore profile(ProfilePath().toStdString());
    QCOMPARE(QString::fromStdString(profile.Read("General", "VendorCode")), storedCode);
    QCOMPARE(profile.Snapshot().Contains("General", "VendorCode"), !storedCode.isEmpty());
    QCOMPARE(QString::fromStdString(profile.Read("General", "Grid")), grid);

    // The start command waits for the event loop.
    auto screens = std::make_unique<ScriptedScreens>(frame->View()->Record(), std::deque<int> {kResultCancel});
    ScriptedScreens *seen = screens.get();
    frame->View()->SetScreenFactory(std::move(screens));
    QVERIFY(seen->shown.isEmpty() && messages_->texts.isEmpty());
    if (followUp == "vendor form")
        script.Add("tw::CVendorEntryDlg", [](QWidget *w) { QMetaObject::invokeMethod(w, "reject"); });
    if (followUp == "grid") // a fresh profile has no grid data
        script.Add("tw::CAmortGridDlg", [](QWidget *w) { QTimer::singleShot(50, w, [w] { w->close(); }); });
    QCoreApplication::processEvents();
    if (followUp == "vendor form") {
        QVERIFY(script.Done());
        QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
        QVERIFY(seen->shown.isEmpty() && messages_->texts.isEmpty());
    } else if (followUp == "grid") {
        QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
        QVERIFY(script.Done());
        QCOMPARE(messages_->texts, QStringList {QString::fromLatin1(kGridCorruptedMessage)});
    } else if (followUp == "wizard") {
        QCOMPARE(seen->shown, (QStringList {"intro", "slide1"}));
        QVERIFY(messages_->texts.isEmpty());
    } else {
        QVERIFY(seen->shown.isEmpty());
        QCOMPARE(messages_->texts.size(), 1);
        QVERIFY2(messages_->texts[0].contains(followUp), qPrintable(messages_->texts[0]));
    }
}

void ShellTest::storedGridSwitchStartsGridModeWithoutAsking()
{
    {
        CProfileStore profile(ProfilePath().toStdString());
        QVERIFY(profile.Write("General", "Grid", "YES"));
        QVERIFY(profile.Write("General", "VendorCode", "TW-KEPT"));
    }
    CTallowinApp app(Options());
    test::ModalScript script; // any dialog would be a failure
    QVERIFY(app.InitInstance());
    QVERIFY(script.handled.isEmpty() && script.failure.isEmpty());
    QCOMPARE(app.MainFrame()->StartMode(), int(kStartGrid));
    QCOMPARE(CProfileStore(ProfilePath().toStdString()).Read("General", "VendorCode"), std::string("TW-KEPT"));
}

void ShellTest::cancelledCodeEndsTheProgram()
{
    CTallowinApp app(Options());
    test::ModalScript script;
    script.Add("tw::CCodeDlg", [](QWidget *w) { QTest::keyClick(w, Qt::Key_Escape); });
    QVERIFY(!app.InitInstance());
    QVERIFY(script.Done());
    QVERIFY(!QFile::exists(ProfilePath()));
    QCoreApplication::processEvents();
    QVERIFY(messages_->texts.isEmpty());
}

void ShellTest::vendorCodeThatCannotBeStoredIsReported()
{
    QFile plain(dir_->filePath("plain-file"));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.close();
    StartOptions options = Options();
    options.profilePath = dir_->filePath("plain-file/tallowin.ini").toStdString();
    CTallowinApp app(options);
    test::ModalScript script;
    script.Add("tw::CCodeDlg", [](QWidget *w) {
        w->findChild<QLineEdit *>("codeEdit")->setText("TW-77");
        QTest::mouseClick(w->findChild<QPushButton *>("okButton"), Qt::LeftButton);
    });
    QVERIFY(app.InitInstance()); // the run goes on
    QCOMPARE(messages_->texts.size(), 1);
    QVERIFY2(messages_->texts[0].contains("plain-file"), qPrintable(messages_->texts[0]));
    QCOMPARE(app.MainFrame()->StartMode(), int(kStartDemonstration));
}

void ShellTest::aboutFromTheHelpMenu()
{
    CTallowinApp app(Options());
    test::ModalScript script;
    script.Add(
        "tw::CCodeDlg", [](QWidget *w) { QTest::mouseClick(w->findChild<QPushButton *>("okButton"), Qt::LeftButton); });
    QVERIFY(app.InitInstance());
    app.MainFrame()->View()->SetScreenFactory(
        std::make_unique<ScriptedScreens>(app.MainFrame()->View()->Record(), std::deque<int> {2, 2}));
    QCoreApplication::processEvents();
    QString caption;
    script.Add("tw::CAboutDlg", [&](QWidget *w) {
        caption = w->windowTitle();
        QTest::mouseClick(w->findChild<QPushButton *>("okButton"), Qt::LeftButton);
    });
    app.MainFrame()->AboutAction()->trigger();
    QVERIFY2(script.failure.isEmpty(), qPrintable(script.failure));
    QCOMPARE(caption, QStringLiteral("About Tallowin"));
}

void ShellTest::programWithoutDisplay()
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    env.insert("TALLOWIN_PROFILE", ProfilePath());
    program.setProcessEnvironment(env);
    program.start(QStringLiteral(TALLOWIN_EXECUTABLE), {});
    QVERIFY(program.waitForFinished());
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 1);
    const QByteArray err = program.readAllStandardError();
    QCOMPARE(err.count('\n'), 1);
    QVERIFY2(err.startsWith("tallowin: no display found"), err.constData());
    QVERIFY(!QFile::exists(ProfilePath()));
}

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
