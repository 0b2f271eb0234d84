#include "app/main_frame.h"

#include "app/tallowin_view.h"
#include "engine/debits.h"
#include "screens/ui_common.h"

#include <QAction>
#include <QApplication>
#include <QFile>
#include <QIcon>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace tw {

namespace {
const QString kReady = QStringLiteral("Ready");

QIcon ProgramIcon()
{
    QIcon icon(QStringLiteral(":/pictures/tallowin.png"));
    if (!icon.isNull() && !icon.availableSizes().isEmpty())
        return icon;
    // The pictures are also copied beside the program.
    const QString besideProgram = QString::fromStdString(DataDirectory()) + QStringLiteral("tallowin.png");
    if (QFile::exists(besideProgram))
        return QIcon(besideProgram);
    return QIcon(LogoPixmap());
}
} // namespace

CMainFrame::CMainFrame(std::string profilePath, QWidget *parent)
    : QMainWindow(parent)
    , view_(new CTallowinView(this, std::move(profilePath)))
{
    setObjectName(QStringLiteral("mainFrame"));
    GiveFocusBackAfterDialogs();
    setWindowTitle(QStringLiteral("Tallowin"));
    setWindowIcon(ProgramIcon());
    setCentralWidget(view_);

    QStyle *st = style();

    // File
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("fileMenu"));
    QAction *printSetup = file->addAction(QStringLiteral("P&rint Setup..."), view_, &CTallowinView::OnFilePrintSetup);
    printSetup->setObjectName(QStringLiteral("printSetupAction"));
    printSetup->setStatusTip(QStringLiteral("Change the printer and printing options"));
    QAction *savePdf = file->addAction(QStringLiteral("Save as P&DF..."), view_, &CTallowinView::OnFileSaveAsPdf);
    savePdf->setObjectName(QStringLiteral("saveAsPdfAction"));
    savePdf->setStatusTip(QStringLiteral("Save the last printout as a PDF file"));
    saveCalendar_ = file->addAction(
        QStringLiteral("Save Debit Dates to &Calendar..."), view_, &CTallowinView::OnFileSaveDebitCalendar);
    saveCalendar_->setObjectName(QStringLiteral("saveDebitCalendarAction"));
    saveCalendar_->setStatusTip(QStringLiteral("Save the bi-weekly debit dates as a file for your calendar"));
    // The plan comes and goes with the commands that calculate; the menu asks as it opens.
    connect(file, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUi);
    file->addSeparator();
    QAction *exitAction = file->addAction(QStringLiteral("E&xit"), this, &QWidget::close);
    exitAction->setObjectName(QStringLiteral("exitAction"));
    exitAction->setStatusTip(QStringLiteral("Quit Tallowin"));

    // Toolbar (created before the View menu, whose first item toggles it)
    toolBar_ = addToolBar(QStringLiteral("Toolbar"));
    toolBar_->setObjectName(QStringLiteral("toolBar"));
    toolBar_->setIconSize(QSize(16, 15));

    // View
    QMenu *viewMenu = menuBar()->addMenu(QStringLiteral("&View"));
    viewMenu->setObjectName(QStringLiteral("viewMenu"));
    QAction *toggleToolBar = toolBar_->toggleViewAction();
    toggleToolBar->setText(QStringLiteral("&Toolbar"));
    toggleToolBar->setObjectName(QStringLiteral("toolBarAction"));
    toggleToolBar->setStatusTip(QStringLiteral("Show or hide the toolbar"));
    viewMenu->addAction(toggleToolBar);
    QAction *toggleStatus = viewMenu->addAction(QStringLiteral("&Status Bar"));
    toggleStatus->setObjectName(QStringLiteral("statusBarAction"));
    toggleStatus->setCheckable(true);
    toggleStatus->setChecked(true);
    toggleStatus->setStatusTip(QStringLiteral("Show or hide the status bar"));
    connect(toggleStatus, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });

    // Run
    QMenu *run = menuBar()->addMenu(QStringLiteral("&Run"));
    run->setObjectName(QStringLiteral("runMenu"));
    QAction *demo = AddCommand(
        run, kCmdSavingsDemonstration, QStringLiteral("&Savings Demonstration"), QStringLiteral("Start the demo"));
    demo->setToolTip(QStringLiteral("Demo"));
    demo->setIcon(st->standardIcon(QStyle::SP_MediaPlay));
    AddCommand(run, kCmdAmortizationSpreadsheet, QStringLiteral("&Amortization Spreadsheet"),
        QStringLiteral("Show bi-weekly amortization schedule"));
    QAction *vendor = AddCommand(
        run, kCmdVendorEntryForm, QStringLiteral("&Vendor Entry Form"), QStringLiteral("Vendor Entry Form"));
    vendor->setToolTip(QStringLiteral("Vendor Entry"));
    AddCommand(run, kCmdDebitSchedule, QStringLiteral("&Bi-Weekly Debit Schedule"),
        QStringLiteral("Print the schedule of the bi-weekly debit dates"));
    QAction *grid = AddCommand(nullptr, kCmdAmortizationGrid, QStringLiteral("Amortization Schedule"),
        QStringLiteral("Show Amortization Schedule"));
    grid->setIcon(st->standardIcon(QStyle::SP_FileDialogDetailedView));

    // Help
    QMenu *help = menuBar()->addMenu(QStringLiteral("&Help"));
    help->setObjectName(QStringLiteral("helpMenu"));
    aboutAction_ = help->addAction(QStringLiteral("&About Tallowin..."), this, &CMainFrame::aboutRequested);
    aboutAction_->setObjectName(QStringLiteral("aboutAction"));
    aboutAction_->setStatusTip(QStringLiteral("Display program information, version number and copyright"));
    aboutAction_->setToolTip(QStringLiteral("About"));
    aboutAction_->setIcon(st->standardIcon(QStyle::SP_MessageBoxQuestion));

    toolBar_->addAction(aboutAction_);
    toolBar_->addAction(demo);
    toolBar_->addAction(grid);
    // Only the grid start mode opens the grid; its button stays hidden.
    grid->setVisible(false);

    QStatusBar *status = statusBar();
    status->setObjectName(QStringLiteral("statusBar"));
    // Between prompts the message pane says the program is waiting for a command.
    connect(status, &QStatusBar::messageChanged, this, [status](const QString &text) {
        if (text.isEmpty())
            status->showMessage(kReady);
    });
    status->showMessage(kReady);

    UpdateCommandUi();
}

CMainFrame::~CMainFrame() = default;

QAction *CMainFrame::AddCommand(QMenu *menu, int commandId, const QString &text, const QString &statusTip)
{
    auto *action = new QAction(text, this);
    action->setObjectName(QStringLiteral("command%1Action").arg(commandId));
    action->setProperty("commandId", commandId);
    action->setStatusTip(statusTip);
    connect(action, &QAction::triggered, this, [this, commandId] { ExecuteCommand(commandId); });
    if (menu)
        menu->addAction(action);
    commands_[commandId] = action;
    return action;
}

QAction *CMainFrame::CommandAction(int commandId) const
{
    const auto it = commands_.find(commandId);
    return it == commands_.end() ? nullptr : it->second;
}

void CMainFrame::SetStartMode(int mode)
{
    startMode_ = mode;
    UpdateCommandUi();
}

void CMainFrame::UpdateCommandUi()
{
    commands_.at(kCmdAmortizationSpreadsheet)->setEnabled(startMode_ == kStartGrid);
    commands_.at(kCmdVendorEntryForm)->setEnabled(startMode_ == kStartVendor);
    saveCalendar_->setEnabled(HoldsDebitPlan(view_->Record().Analysis));
}

void CMainFrame::ExecuteCommand(int commandId)
{
    switch (commandId) {
    case kCmdEnrollmentPrint:
        view_->OnEnrollmentPrint();
        break;
    case kCmdSavingsDemonstration:
        view_->OnSavingsDemonstration();
        break;
    case kCmdAmortizationGrid:
    case kCmdAmortizationSpreadsheet:
        view_->OnAmortizationGrid();
        break;
    case kCmdVendorEntryForm:
        view_->OnVendorEntryForm();
        break;
    case kCmdVendorFormPrint:
        view_->OnVendorFormPrint();
        break;
    case kCmdDebitSchedule:
        view_->OnDebitSchedule();
        break;
    default:
        break;
    }
    UpdateCommandUi();
}

void CMainFrame::PostCommand(int commandId)
{
    QMetaObject::invokeMethod(
        this, [this, commandId] { ExecuteCommand(commandId); }, Qt::QueuedConnection);
}

} // namespace tw
