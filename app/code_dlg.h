#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QPushButton;

namespace tw {

class CProfileStore;

// The start-up code dialog: the typed code chooses the start mode (see CodeResult) and,
// for the demonstration and vendor mode, becomes the stored vendor code.
class CCodeDlg : public QDialog {
    Q_OBJECT
public:
    // serial.txt is looked for in `programDir`.
    CCodeDlg(QWidget *parent, CProfileStore *profile, std::string programDir);

    // Shows the dialog modally unless an earlier start stored the grid switch; returns the
    // CodeResult.
    int Run();
    // What Run does before the dialog shows: false (and result 10) when the grid switch is
    // stored; otherwise the code field is filled and true returned.
    bool Prepare();

    QString Code() const;

public slots:
    void accept() override; // OK
    void reject() override; // Cancel, Escape and the close box: result 0

private:
    CProfileStore *profile_;
    std::string programDir_;
    QLineEdit *codeEdit_;
    QPushButton *okButton_;
    QPushButton *cancelButton_;
};

} // namespace tw
