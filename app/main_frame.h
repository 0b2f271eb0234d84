#pragma once

#include "app/startup.h"
#include "record/program_paths.h"

#include <QMainWindow>

#include <map>
#include <string>

class QAction;
class QToolBar;

namespace tw {

class CTallowinView;

// The main window: menu, toolbar and status bar around the view. The start mode decides
// which of the mode-bound commands are enabled.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(std::string profilePath = DefaultProfilePath(), QWidget *parent = nullptr);
    ~CMainFrame() override;

    CTallowinView *View() const { return view_; }

    int StartMode() const { return startMode_; }
    void SetStartMode(int mode);

    // The action of a command that has a menu item or toolbar button; nullptr otherwise.
    QAction *CommandAction(int commandId) const;
    QAction *AboutAction() const { return aboutAction_; }
    QToolBar *ToolBar() const { return toolBar_; }

    // Runs a command now, or from the event loop once the current work is done.
    void ExecuteCommand(int commandId);
    void PostCommand(int commandId);

signals:
    void aboutRequested();

private:
    QAction *AddCommand(QMenu *menu, int commandId, const QString &text, const QString &statusTip);
    void UpdateCommandUi();

    CTallowinView *view_;
    QToolBar *toolBar_ = nullptr;
    QAction *aboutAction_ = nullptr;
    QAction *saveCalendar_ = nullptr; // enabled while the record holds a plan
    std::map<int, QAction *> commands_;
    int startMode_ = kStartDemonstration;
};

} // namespace tw
