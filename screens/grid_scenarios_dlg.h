#pragma once

#include "engine/grid_compare.h"

#include <QDialog>

#include <memory>
#include <vector>

class QLineEdit;
class QListWidget;
class QPushButton;

namespace tw {

class CProfileStore;

// The grid's named scenarios: save the grid's inputs under a name, open one (the dialog
// closes and Opened() holds it for the grid to take), delete one. Saving and deleting
// write the profile at once; a failure is shown and the list stays as stored.
class CGridScenariosDlg : public QDialog {
    Q_OBJECT
public:
    CGridScenariosDlg(QWidget *parent, CProfileStore *profile, const GridTable &current);
    ~CGridScenariosDlg() override;

    const GridScenario *Opened() const { return opened_.get(); }
    const std::vector<GridScenario> &Scenarios() const { return scenarios_; }

    // The buttons' work.
    bool SaveCurrent(); // under the name typed
    bool OpenSelected();
    bool DeleteSelected();

    QListWidget *list;
    QLineEdit *name;

private:
    void Reload(const QString &select = QString());
    const GridScenario *Selected() const;

    CProfileStore *profile_;
    std::unique_ptr<GridTable> current_;
    std::vector<GridScenario> scenarios_;
    std::unique_ptr<GridScenario> opened_;
    QPushButton *openButton_;
    QPushButton *deleteButton_;
};

} // namespace tw
