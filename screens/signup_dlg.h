#pragma once

#include <QDialog>

namespace tw {

class CClientRecord;

// The sign-up decision: the sign-up document with the client's figures, YES (ends with
// kResultYes), NO worded with the client's own savings (kResultForward) and Back
// (kResultBack).
class CSignUpDlg : public QDialog {
    Q_OBJECT
public:
    CSignUpDlg(QWidget *parent, CClientRecord *record);

public slots:
    void reject() override;
};

} // namespace tw
