#pragma once

#include "entry/entry_widgets.h"
#include "rules/vendor_checks.h"

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tw {

class CClientRecord;
class CProfileStore;

// The vendor data entry form (dialog 149): a sales representative types a prospect's
// names, address, phones and loan in one form. Print checks the fields in order,
// writing each one that passes into the record; when every check passes and the loan
// can be calculated it saves the record and ends with kResultYes. Close, Escape and the
// close button end with kResultCancel, storing nothing.
class CVendorEntryDlg : public QDialog {
    Q_OBJECT
public:
    static constexpr int kDialogId = 149;

    // `profile` may be null: Print then only fills in the record. `today` is the
    // current date the form opens with (MM/DD/YYYY); empty means the local date.
    CVendorEntryDlg(QWidget *parent, CClientRecord *record, CProfileStore *profile, std::string today = {});

    VendorForm Form() const;
    QWidget *FieldControl(VendorField field) const;

public slots:
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void OnVariableToggled(bool ticked);
    void OnClear();
    void OnPrint();
    void Refuse(const VendorFailure &failure);

    CClientRecord *record_;
    CProfileStore *profile_;
    CFormEdits<VendorForm, VendorField> edits_;
    QCheckBox *variable_ = nullptr;
    QPushButton *clear_ = nullptr;
    QPushButton *print_ = nullptr;
    QPushButton *close_ = nullptr;
};

} // namespace tw
