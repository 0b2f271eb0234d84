// Writes a PNG of every screen of the program, filled for the sample client, into the
// folder named on the command line. Runs on any Qt platform; the script uses offscreen.
// With --check it also fails on any screen where something is clipped or lies outside
// its window, which is how the tests run it under several font and scale set-ups. The
// accessibility test walks the same screens.
#include "tests/gui/app/screenshots.h"
#include "app/about_dlg.h"
#include "app/code_dlg.h"
#include "app/intro_dlg.h"
#include "app/main_frame.h"
#include "app/tallowin_view.h"
#include "engine/grid_tools.h"
#include "entry/analysis_info_dlg.h"
#include "entry/debit_bank_dlg.h"
#include "entry/lender_info_dlg.h"
#include "entry/personal_info_dlg.h"
#include "entry/vendor_dlg.h"
#include "record/grid_scenarios.h"
#include "record/profile_store.h"
#include "rules/vendor_checks.h"
#include "screens/additional_dlg.h"
#include "screens/answer_dlg.h"
#include "screens/grid_compare_dlg.h"
#include "screens/grid_dlg.h"
#include "screens/grid_model.h"
#include "screens/grid_scenarios_dlg.h"
#include "screens/grid_tools_dlg.h"
#include "screens/questions_dlg.h"
#include "screens/rich_text_view.h"
#include "record/sample_client.h"
#include "screens/signup_dlg.h"
#include "screens/slide_dlg.h"
#include "screens/summary_dlg.h"
#include "screens/ui_common.h"
#include "tests/gui/app/layout_check.h"

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <memory>
#include <utility>

using namespace tw;

namespace {

int failures = 0;
bool checkLayout = false;
ScreenVisitor visitor; // instead of the pictures

void Save(QWidget *w, const QDir &dir, const QString &name)
{
    w->show();
    QCoreApplication::processEvents();
    if (visitor) {
        visitor(w, name);
        w->hide();
        return;
    }
    const QString path = dir.filePath(name + QStringLiteral(".png"));
    if (!w->grab().save(path)) {
        std::fprintf(stderr, "tallowin-screenshots: could not write %s\n", qPrintable(path));
        ++failures;
        return;
    }
    std::printf("%s %dx%d\n", qPrintable(path), w->width(), w->height());
    if (checkLayout) {
        // The grid's row of tools is wider than a small screen in a wide font; the grid
        // scrolls sideways, as a table may. Every other window wraps to the screen's width.
        for (const QString &fault : LayoutFaults(w, name.contains(QStringLiteral("amortization-grid")))) {
            std::fprintf(stderr, "%s: %s\n", qPrintable(name), qPrintable(fault));
            ++failures;
        }
    }
    w->hide();
}

// A screen made for its picture alone.
template <typename Screen, typename... Args>
void SaveNew(const QDir &dir, const QString &name, Args &&...args)
{
    Screen screen(std::forward<Args>(args)...);
    Save(&screen, dir, name);
}

// A window the program runs with exec() (a print preview), saved once it is up; hiding it
// ends the exec().
void SaveModal(const QDir &dir, const QString &name, const std::function<void()> &open)
{
    QTimer::singleShot(0, [&dir, name] {
        if (QWidget *modal = QApplication::activeModalWidget())
            Save(modal, dir, name);
    });
    open();
}

void SaveEveryScreen(const QDir &dir)
{
    // Screens never touch a real profile here, and messages do not stop the run.
    QTemporaryDir scratch;
    const std::string profilePath = scratch.filePath("tallowin.ini").toStdString();
    qputenv("TALLOWIN_PROFILE", QByteArray::fromStdString(profilePath));
    SetMessageSink([](const QString &text) { std::printf("message: %s\n", qPrintable(text)); });

    CMainFrame frame(profilePath);
    frame.resize(QSize(1024, 720).boundedTo(frame.screen()->availableGeometry().size()));
    CTallowinView *view = frame.View();
    view->EnsureRecordLoaded();
    CClientRecord *record = &view->Record();
    FillSampleClient(*record);
    CProfileStore &profile = view->Profile();
    profile.Write("General", "VendorCode", "TW-4711");

    Save(&frame, dir, QStringLiteral("01-main-window"));
    {
        frame.show();
        QMenu *run = frame.findChild<QMenu *>(QStringLiteral("runMenu"));
        run->popup(frame.mapToGlobal(QPoint(80, frame.menuBar()->height())));
        QCoreApplication::processEvents();
        Save(run, dir, QStringLiteral("02-run-menu"));
        run->hide();
    }
    {
        CCodeDlg dlg(&frame, &profile, scratch.path().toStdString());
        dlg.Prepare();
        Save(&dlg, dir, QStringLiteral("03-code-dialog"));
    }
    SaveNew<CAboutDlg>(dir, QStringLiteral("04-about"), &frame);
    SaveNew<CIntroDlg>(dir, QStringLiteral("05-intro"), &frame);
    for (int slide : {1, 2, 3, 4, 5, 6})
        SaveNew<CSlideDlg>(
            dir, QStringLiteral("06-slide-%1").arg(slide, 2, 10, QLatin1Char('0')), &frame, record, slide);
    SaveNew<CAnalysisInfoDlg>(dir, QStringLiteral("07-analysis-info"), &frame, record, &profile);
    for (int slide : {8, 9})
        SaveNew<CSlideDlg>(
            dir, QStringLiteral("08-slide-%1").arg(slide, 2, 10, QLatin1Char('0')), &frame, record, slide);
    SaveNew<CSummaryDlg>(dir, QStringLiteral("10-summary"), &frame, record);
    SaveNew<CSlideDlg>(dir, QStringLiteral("11-slide-11"), &frame, record, 11);
    SaveNew<CQuestionsDlg>(dir, QStringLiteral("12-questions"), &frame, record);
    for (int answer : {1, 9})
        SaveNew<CAnswerDlg>(
            dir, QStringLiteral("12-answer-%1").arg(answer, 2, 10, QLatin1Char('0')), &frame, answer, record);
    // The comparison starts by trying 10.00 in the record it works on; a copy keeps the
    // sample client's own plan for the screens that follow.
    const auto trial = std::make_unique<CClientRecord>(*record);
    SaveNew<CAdditionalPaymentDlg>(dir, QStringLiteral("12-additional-payment"), &frame, trial.get());
    SaveNew<CSlideDlg>(dir, QStringLiteral("13-slide-13"), &frame, record, 13);
    SaveNew<CSignUpDlg>(dir, QStringLiteral("14-sign-up"), &frame, record);
    SaveNew<CPersonalInfoDlg>(dir, QStringLiteral("15-personal-info"), &frame, record, &profile);
    SaveNew<CLenderInfoDlg>(dir, QStringLiteral("16-lender-info"), &frame, record);
    SaveNew<CDebitBankDlg>(dir, QStringLiteral("17-debit-bank"), &frame, record, &profile);
    SaveNew<CVendorEntryDlg>(
        dir, QStringLiteral("18-vendor-entry"), &frame, record, &profile, record->Analysis.CurrentDate);
    {
        // The grid reads the data the enrollment stores.
        if (SaveStatus saved = record->SaveGridData(profile); !saved)
            std::printf("message: %s\n", saved.message.c_str());
        CAmortGridDlg dlg(&frame, &profile, record);
        Save(&dlg, dir, QStringLiteral("20-amortization-grid"));
        const GridTable &table = dlg.Model()->Table();
        SaveNew<CMonthlyExtraDlg>(dir, QStringLiteral("21-grid-extra-every-month"), &dlg, table);
        SaveNew<CYearlyExtraDlg>(dir, QStringLiteral("21-grid-extra-once-a-year"), &dlg, table);
        {
            CArmDlg tool(&dlg, table);
            tool.margin->setText(QStringLiteral("2.75"));
            tool.index->setText(QStringLiteral("4.5"));
            Save(&tool, dir, QStringLiteral("21-grid-adjustable-rate"));
        }
        SaveNew<CPayoffDlg>(dir, QStringLiteral("21-grid-paid-off-by"), &dlg, table);
        // Two scenarios to compare: an extra every month, and the worst case of a 5/1.
        auto scenario = std::make_unique<GridTable>(table);
        AddMonthlyExtra(*scenario, 200, 1);
        SaveGridScenario(profile, "Extra 200.00 a month", *scenario);
        *scenario = table;
        ArmTerms worst = FindArmPreset("5/1")->terms;
        worst.worstCase = true;
        ApplyArm(*scenario, worst);
        SaveGridScenario(profile, "5/1 ARM, worst case", *scenario);
        SaveNew<CGridScenariosDlg>(dir, QStringLiteral("22-grid-scenarios"), &dlg, &profile, table);
        SaveNew<CGridCompareDlg>(dir, QStringLiteral("23-grid-compare"), &dlg, table, dlg.ComparisonNow());
        dlg.show();
        SaveModal(dir, QStringLiteral("24-grid-preview"),
            [&dlg] { dlg.findChild<QPushButton *>(QStringLiteral("printButton"))->click(); });
    }
    ComputeVendorAnalysis(*record); // the letter's figures, as the vendor form's Print computes them
    SaveModal(dir, QStringLiteral("25-letter-preview"), [view] { view->OnVendorFormPrint(); });
    SetMessageSink({});
}

} // namespace

void tw::VisitEveryScreen(const ScreenVisitor &visit)
{
    visitor = visit;
    SaveEveryScreen(QDir());
    visitor = {};
}

#ifndef TALLOWIN_SCREENSHOTS_WITHOUT_MAIN
int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    checkLayout = args.removeAll(QStringLiteral("--check")) > 0;
    if (args.size() != 1) {
        std::fprintf(stderr, "usage: tallowin-screenshots [--check] DIR\n");
        return 2;
    }
    const QDir dir(args.front());
    if (!QDir().mkpath(dir.path())) {
        std::fprintf(stderr, "tallowin-screenshots: cannot create %s\n", qPrintable(args.front()));
        return 1;
    }
    SaveEveryScreen(dir);
    return failures ? 1 : 0;
}
#endif
