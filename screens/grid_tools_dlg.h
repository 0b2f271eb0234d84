#pragma once

#include "engine/grid_tools.h"

#include <QDialog>
#include <QSpinBox>

#include <memory>

class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace tw {

// A month of the table in a spin box, shown with its payment date: "13 (11/15/2000)".
// With `endText` the value 0 stands for the end of the loan and shows that text.
class CMonthSpinBox : public QSpinBox {
    Q_OBJECT
public:
    CMonthSpinBox(QWidget *parent, const GridTable &table, int maximum, const QString &endText = QString());

protected:
    QString textFromValue(int value) const override;
    int valueFromText(const QString &text) const override;
    QValidator::State validate(QString &text, int &pos) const override;

private:
    std::string startDate_;
};

// The what-if tools' dialogs. Each takes the grid's recalculated table and, on OK, runs
// its tool on a copy: Result() is that copy (not recalculated) and Summary() says what
// was done. A refusal is shown in a message, the field at fault gets the focus and the
// dialog stays open. The caller applies the result to the grid as one undoable step.
class CGridToolDlg : public QDialog {
    Q_OBJECT
public:
    ~CGridToolDlg() override;
    const GridTable &Result() const { return *result_; }
    const QString &Summary() const { return summary_; }

public slots:
    void accept() override;

protected:
    CGridToolDlg(QWidget *parent, const GridTable &table, const QString &title, const QString &intro);
    // Runs the tool on `t`; returns the problem ("" when done) and sets `where` to the
    // field at fault, `summary` to what was done.
    virtual std::string Apply(GridTable &t, QWidget **where, QString *summary) = 0;
    // The form the subclass fills; Finish() adds the buttons and sizes the window.
    QFormLayout *Form() const { return form_; }
    QLineEdit *AddAmountField(const QString &label, const char *objectName);
    void Finish();
    const GridTable &Table() const { return *table_; }
    QLabel *intro_;

private:
    std::unique_ptr<GridTable> table_;
    std::unique_ptr<GridTable> result_;
    QFormLayout *form_;
    QString summary_;
};

// Extra every month: an amount from one month to another or to the end.
class CMonthlyExtraDlg : public CGridToolDlg {
    Q_OBJECT
public:
    CMonthlyExtraDlg(QWidget *parent, const GridTable &table);
    QLineEdit *amount;
    CMonthSpinBox *from;
    CMonthSpinBox *to; // 0: to the end

protected:
    std::string Apply(GridTable &t, QWidget **where, QString *summary) override;
};

// Extra once a year: an amount in one calendar month, from a year on.
class CYearlyExtraDlg : public CGridToolDlg {
    Q_OBJECT
public:
    CYearlyExtraDlg(QWidget *parent, const GridTable &table);
    QLineEdit *amount;
    QComboBox *month; // index 0 is January
    QSpinBox *fromYear;

protected:
    std::string Apply(GridTable &t, QWidget **where, QString *summary) override;
};

// An adjustable rate from a preset or terms of one's own, with the rates it gives.
class CArmDlg : public CGridToolDlg {
    Q_OBJECT
public:
    CArmDlg(QWidget *parent, const GridTable &table);
    QComboBox *preset; // the presets, then "Other terms"
    QComboBox *fixedYears;
    QComboBox *interval;
    QLineEdit *firstCap;
    QLineEdit *periodicCap;
    QLineEdit *lifetimeCap;
    QLineEdit *margin;
    QLineEdit *index;
    QCheckBox *worstCase;
    QLabel *preview;

    // The terms as the fields hold them; nullopt with the problem and the field at fault.
    std::optional<ArmTerms> Terms(std::string *problem, QWidget **where) const;

protected:
    std::string Apply(GridTable &t, QWidget **where, QString *summary) override;

private:
    void OnPreset();
    void UpdatePreview();
};

// Paid off by: the smallest monthly extra that ends the loan by a month and year.
class CPayoffDlg : public CGridToolDlg {
    Q_OBJECT
public:
    CPayoffDlg(QWidget *parent, const GridTable &table);
    QComboBox *month; // index 0 is January
    QSpinBox *year;
    CMonthSpinBox *from;

protected:
    std::string Apply(GridTable &t, QWidget **where, QString *summary) override;
};

// The names of the months, January first.
const QStringList &MonthNames();
// Words for a list of rate changes: "8.00% from month 61 (01/15/2025), 8.25% from ...".
QString DescribeRateChanges(const GridTable &table, const std::vector<RateChange> &changes);

} // namespace tw
