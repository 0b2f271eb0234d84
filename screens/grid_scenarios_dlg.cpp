#include "screens/grid_scenarios_dlg.h"

#include "record/grid_scenarios.h"
#include "record/profile_store.h"
#include "screens/screen_frame.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

CGridScenariosDlg::CGridScenariosDlg(QWidget *parent, CProfileStore *profile, const GridTable &current)
    : QDialog(parent)
    , profile_(profile)
    , current_(std::make_unique<GridTable>(current))
{
    setObjectName(QStringLiteral("gridScenariosDlg"));
    setWindowTitle(QStringLiteral("Scenarios"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *intro = new QLabel(QStringLiteral("A scenario keeps the grid's extra payments, rates and adjustments under "
                                            "a name. Opening one puts them into the grid, on the grid's loan; Undo "
                                            "brings back what the grid held. At most %1 are kept.")
                                 .arg(kMaxGridScenarios),
        this);
    intro->setObjectName(QStringLiteral("introLabel"));
    intro->setWordWrap(true);
    list = new QListWidget(this);
    list->setObjectName(QStringLiteral("scenarioList"));
    auto *listLabel = new QLabel(QStringLiteral("&Saved scenarios:"), this);
    listLabel->setBuddy(list);
    list->setAccessibleName(QStringLiteral("Saved scenarios")); // a list view takes no name from its label
    name = new QLineEdit(this);
    name->setObjectName(QStringLiteral("nameEdit"));
    name->setMaxLength(kMaxScenarioNameLength);
    auto *nameLabel = new QLabel(QStringLiteral("&Name:"), this);
    nameLabel->setBuddy(name);

    auto *save = MakeButton(QStringLiteral("Sa&ve the Grid"), "saveButton", this);
    save->setToolTip(QStringLiteral("Saves the grid's inputs under the name typed"));
    openButton_ = MakeButton(QStringLiteral("&Open"), "openButton", this);
    deleteButton_ = MakeButton(QStringLiteral("&Delete"), "deleteButton", this);
    auto *close = MakeButton(QStringLiteral("&Close"), "closeButton", this);
    connect(save, &QPushButton::clicked, this, &CGridScenariosDlg::SaveCurrent);
    connect(openButton_, &QPushButton::clicked, this, &CGridScenariosDlg::OpenSelected);
    connect(deleteButton_, &QPushButton::clicked, this, &CGridScenariosDlg::DeleteSelected);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) {
        openButton_->setEnabled(row >= 0);
        deleteButton_->setEnabled(row >= 0);
        if (row >= 0)
            name->setText(list->item(row)->text());
    });
    connect(list, &QListWidget::itemActivated, this, [this] { OpenSelected(); });

    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(nameLabel);
    nameRow->addWidget(name, 1);
    nameRow->addWidget(save);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(openButton_);
    buttons->addWidget(deleteButton_);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto *layout = new QVBoxLayout(this);
    const int margin = MarginPixels(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(GapPixels(this));
    layout->addWidget(intro);
    layout->addWidget(listLabel);
    layout->addWidget(list, 1);
    layout->addLayout(nameRow);
    layout->addLayout(buttons);
    Reload();
    FitWindowToScreen(this, DialogUnitsToPixels(font(), 230, 160));
}

CGridScenariosDlg::~CGridScenariosDlg() = default;

void CGridScenariosDlg::Reload(const QString &select)
{
    scenarios_ = LoadGridScenarios(profile_->Snapshot());
    list->clear();
    for (const GridScenario &s : scenarios_)
        list->addItem(QString::fromStdString(s.name));
    const GridScenario *chosen = FindScenario(scenarios_, select.toStdString());
    list->setCurrentRow(chosen ? static_cast<int>(chosen - scenarios_.data()) : -1);
    openButton_->setEnabled(list->currentRow() >= 0);
    deleteButton_->setEnabled(list->currentRow() >= 0);
}

const GridScenario *CGridScenariosDlg::Selected() const
{
    const int row = list->currentRow();
    return row >= 0 && row < static_cast<int>(scenarios_.size()) ? &scenarios_[static_cast<std::size_t>(row)] : nullptr;
}

bool CGridScenariosDlg::SaveCurrent()
{
    const QString typed = name->text().trimmed();
    if (const std::string problem = CheckScenarioName(typed.toStdString()); !problem.empty()) {
        ShowMessage(this, QString::fromStdString(problem));
        name->setFocus();
        return false;
    }
    if (const GridScenario *existing = FindScenario(scenarios_, typed.toStdString()); existing
        && !AskYesNo(this,
            QStringLiteral("Replace the scenario \"%1\" with the grid as it is now?")
                .arg(QString::fromStdString(existing->name)))) {
        return false;
    }
    if (const SaveStatus saved = SaveGridScenario(*profile_, typed.toStdString(), *current_); !saved) {
        ShowMessage(this, QString::fromStdString(saved.message));
        return false;
    }
    Reload(typed);
    return true;
}

bool CGridScenariosDlg::OpenSelected()
{
    const GridScenario *s = Selected();
    if (!s)
        return false;
    opened_ = std::make_unique<GridScenario>(*s);
    accept();
    return true;
}

bool CGridScenariosDlg::DeleteSelected()
{
    const GridScenario *s = Selected();
    if (!s)
        return false;
    const QString chosen = QString::fromStdString(s->name);
    if (!AskYesNo(this, QStringLiteral("Delete the scenario \"%1\"?").arg(chosen)))
        return false;
    if (const SaveStatus deleted = DeleteGridScenario(*profile_, chosen.toStdString()); !deleted) {
        ShowMessage(this, QString::fromStdString(deleted.message));
        return false;
    }
    Reload();
    name->clear();
    return true;
}

} // namespace tw
