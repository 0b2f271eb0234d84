#pragma once

#include "entry/entry_widgets.h"
#include "rules/analysis_checks.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tw {

class CClientRecord;
class CContextHelp;
class CProfileStore;

// The loan-entry screen (dialog 136): names, loan dates, term, amount, current payment
// and rate. Continue checks the fields in order, writing each one that passes into the
// record, and on a full pass saves the record and ends with kResultYes; Back ends with
// kResultBack, checking and writing nothing. Escape and the close button run the same
// checks and saving as Continue and end with kResultCancel; a failure keeps the screen.
class CAnalysisInfoDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 136;

    // `profile` may be null: the record is then only filled in, not saved.
    CAnalysisInfoDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile);

    // The fields as they stand, as the checks read them.
    AnalysisForm Form() const;
    QWidget *FieldControl(AnalysisField field) const;
    const CContextHelp *ContextHelp() const { return help_; }

public slots:
    void reject() override;

private:
    void OnContinue();
    // Checks and saves as Continue does, then ends with `result`; stays on a failure.
    void Leave(int result);
    void OnBack();
    void Refuse(const AnalysisCheckFailure &failure);

    CClientRecord *record_;
    CProfileStore *profile_;
    CContextHelp *help_ = nullptr;
    CEditTexts texts_;

    QLineEdit *firstName_ = nullptr;
    QLineEdit *lastName_ = nullptr;
    QLineEdit *term_ = nullptr;
    QLineEdit *firstPaymentDate_ = nullptr;
    QLineEdit *amount_ = nullptr;
    QLineEdit *currentPayment_ = nullptr;
    QLineEdit *currentDate_ = nullptr;
    QCheckBox *variable_ = nullptr;
    QLineEdit *lowestRate_ = nullptr;
    QLineEdit *highestRate_ = nullptr;
    QPushButton *back_ = nullptr;
    QPushButton *continue_ = nullptr;
};

} // namespace tw
