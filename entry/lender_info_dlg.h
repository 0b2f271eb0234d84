#pragma once

#include "entry/entry_widgets.h"
#include "rules/signup_checks.h"

#include <QDialog>

class QLineEdit;
class QPushButton;

namespace tw {

class CClientRecord;
class CContextHelp;
class CProfileStore;

// The second sign-up screen (dialog 152): the mortgage lender and the loan's account,
// payment and grace period. Continue checks the fields, stores every one that is not
// empty and ends with kResultForward (the record is saved later, by the bank screen);
// Back stores without checking and ends with kResultBack. Escape and the close button
// ask whether to end the demonstration and, if so, store what was typed, save the
// record (when there is a profile) and end with kResultEnded.
class CLenderInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 152;

    CLenderInfoDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile = nullptr);

    LenderForm Form() const;
    QLineEdit *FieldControl(LenderField field) const;
    const CContextHelp *ContextHelp() const { return help_; }

public slots:
    void reject() override;

private:
    void OnContinue();
    void OnBack();

    CClientRecord *record_;
    CProfileStore *profile_;
    CContextHelp *help_ = nullptr;
    CFormEdits<LenderForm, LenderField> edits_;
    QPushButton *back_ = nullptr;
    QPushButton *continue_ = nullptr;
};

} // namespace tw
