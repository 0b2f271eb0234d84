#include "app/tallowin_app.h"

#include "app/about_dlg.h"
#include "app/code_dlg.h"
#include "app/main_frame.h"
#include "app/startup.h"
#include "app/tallowin_view.h"
#include "screens/ui_common.h"

#include <QApplication>

namespace tw {

CTallowinApp::CTallowinApp(StartOptions options)
    : options_(std::move(options))
{
}

CTallowinApp::~CTallowinApp() = default;

bool CTallowinApp::InitInstance()
{
    frame_ = std::make_unique<CMainFrame>(options_.profilePath);
    connect(frame_.get(), &CMainFrame::aboutRequested, this, &CTallowinApp::OnAppAbout);
    QApplication::setWindowIcon(frame_->windowIcon()); // for the dialogs and message boxes too
    frame_->showMaximized();
    // The record comes from the profile before the code dialog can store a new vendor code.
    CTallowinView *view = frame_->View();
    view->EnsureRecordLoaded();

    CCodeDlg codeDlg(frame_.get(), &view->Profile(), options_.programDir);
    const StartPlan plan = PlanStart(codeDlg.Run());
    if (!plan.ok)
        return false;
    if (plan.storeVendorCode) {
        // A code that cannot be stored is still used for this run; the user learns why it
        // will not be offered next time.
        if (const SaveStatus saved = view->Profile().Write("General", "VendorCode", codeDlg.Code().toStdString());
            !saved)
            ShowMessage(frame_.get(), QString::fromStdString(saved.message));
    }
    frame_->SetStartMode(plan.startMode);
    frame_->PostCommand(plan.command);
    return true;
}

void CTallowinApp::OnAppAbout()
{
    CAboutDlg about(frame_.get());
    about.exec();
}

} // namespace tw
