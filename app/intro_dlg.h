#pragma once

#include <QDialog>

namespace tw {

// The picture that opens the demonstration. Continue ends it with 1, Escape with 2;
// it has no close box.
class CIntroDlg : public QDialog {
    Q_OBJECT
public:
    explicit CIntroDlg(QWidget *parent);

public slots:
    void reject() override;
};

} // namespace tw
