#pragma once

#include "record/program_paths.h"

#include <QObject>

#include <memory>
#include <string>

namespace tw {

class CMainFrame;

// Where the start-up finds its files: the profile, and the program's folder with serial.txt.
struct StartOptions {
    std::string profilePath = DefaultProfilePath();
    std::string programDir = ProgramDirectory();
};

// The program's start: the main window, the code dialog and the start mode it chooses.
// Lives inside a QApplication and owns the main window.
class CTallowinApp : public QObject {
    Q_OBJECT
public:
    explicit CTallowinApp(StartOptions options = {});
    ~CTallowinApp() override;

    // Shows the main window, asks for the code and posts the command of the chosen start
    // mode. False when the code dialog was cancelled: the program ends.
    bool InitInstance();

    CMainFrame *MainFrame() const { return frame_.get(); }

public slots:
    void OnAppAbout();

private:
    StartOptions options_;
    std::unique_ptr<CMainFrame> frame_;
};

} // namespace tw
