#pragma once

#include "entry/entry_widgets.h"
#include "rules/signup_checks.h"

#include <QDialog>

class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tw {

class CClientRecord;
class CContextHelp;
class CProfileStore;

// The last sign-up screen (dialog 150): the bank account the plan debits. Print
// Enrollment Form checks the fields, stores them, saves the record and then the grid
// data, and ends with kResultPrint; Back stores without checking and ends with
// kResultBack; Escape or the close button ask whether to end the demonstration and, if
// so, store and save what was typed (not the grid data) and end with kResultEnded.
class CDebitBankDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 150;

    // `profile` may be null: printing then only fills in the record.
    CDebitBankDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile);

    BankForm Form() const;
    QWidget *FieldControl(BankField field) const;
    const CContextHelp *ContextHelp() const { return help_; }

public slots:
    void reject() override;

private:
    void OnPrint();
    void OnBack();
    void UpdateDescription();

    CClientRecord *record_;
    CProfileStore *profile_;
    CContextHelp *help_ = nullptr;
    CFormEdits<BankForm, BankField> edits_;
    QRadioButton *checking_ = nullptr;
    QRadioButton *savings_ = nullptr;
    QRadioButton *other_ = nullptr;
    QLineEdit *description_ = nullptr;
    QPushButton *back_ = nullptr;
    QPushButton *print_ = nullptr;
};

} // namespace tw
