#pragma once

#include <QDialog>

namespace tw {

class CClientRecord;

// The summary comparison: the loan paid monthly beside the bi-weekly plan. Opening it
// computes and stores the summary figures that the later screens and documents read.
// Back ends with kResultBack, Continue with kResultForward.
class CSummaryDlg : public QDialog {
    Q_OBJECT
public:
    CSummaryDlg(QWidget *parent, CClientRecord *record);

public slots:
    void reject() override;
};

} // namespace tw
