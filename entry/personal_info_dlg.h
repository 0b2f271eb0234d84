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

// The first sign-up screen (dialog 147): the borrowers' names, addresses and phones.
// Continue checks the required fields, stores every field that is not empty, saves the
// record and ends with kResultForward; Back stores without checking and ends with
// kResultBack; Escape or the close button ask first and end with kResultEnded.
class CPersonalInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 147;

    // `profile` may be null: Continue then only fills in the record.
    CPersonalInfoDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile);

    PersonalForm Form() const;
    QLineEdit *FieldControl(PersonalField field) const;
    const CContextHelp *ContextHelp() const { return help_; }

public slots:
    // Escape and the close button: after the user agrees to end the demonstration,
    // stores and saves what was typed and ends with kResultEnded.
    void reject() override;

private:
    void OnContinue();
    void OnBack();

    CClientRecord *record_;
    CProfileStore *profile_;
    CContextHelp *help_ = nullptr;
    CFormEdits<PersonalForm, PersonalField> edits_;
    QPushButton *back_ = nullptr;
    QPushButton *continue_ = nullptr;
};

} // namespace tw
