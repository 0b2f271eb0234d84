#pragma once

#include <QDialog>

namespace tw {

// Help's About box: the logo, the product and version, and the maker.
class CAboutDlg : public QDialog {
    Q_OBJECT
public:
    explicit CAboutDlg(QWidget *parent);
};

} // namespace tw
