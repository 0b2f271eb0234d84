#pragma once

#include "engine/additional.h"

#include <QDialog>

#include <array>
#include <memory>

class QLineEdit;

namespace tw {

class CClientRecord;

// The additional-payment comparison: the plan, the plan with an amount paid on top every
// month, and the difference. ReCalculate tries the typed amount; Ok keeps it as the
// client's plan (ends with kResultYes); Exit, Escape and the close button drop it
// (kResultCancel). An amount that is no amount of money is refused with a message.
class CAdditionalPaymentDlg : public QDialog {
    Q_OBJECT
public:
    CAdditionalPaymentDlg(QWidget *parent, CClientRecord *record);
    ~CAdditionalPaymentDlg() override;

public slots:
    void accept() override;
    void reject() override;

private:
    // Says what is wrong with the typed amount and keeps the dialog open; true when usable.
    bool AmountIsUsable();
    void OnRecalculate();
    void ShowFigures();

    std::unique_ptr<LoanAnalysis> spare_; // stands in when there is no record
    AdditionalPaymentSession session_;
    QLineEdit *amountEdit_;
    std::array<std::array<QLineEdit *, 9>, 3> columns_ {}; // normal, additional, difference
    bool ended_ = false;
};

} // namespace tw
