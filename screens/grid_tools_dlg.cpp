#include "screens/grid_tools_dlg.h"

#include "engine/grid_text.h"
#include "format/number_text.h"
#include "screens/screen_frame.h"
#include "screens/ui_common.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {

QString FromStd(const std::string &text)
{
    return QString::fromStdString(text);
}

QString MonthWithDate(const GridTable &t, int month)
{
    const std::string date = GridDateText(t.StartDate, month);
    return QStringLiteral("month %1").arg(month)
        + (date.empty() ? QString() : QStringLiteral(" (%1)").arg(FromStd(date)));
}

QString Percent(double rate)
{
    return FromStd(GridRateText(rate)) + QLatin1Char('%');
}

} // namespace

const QStringList &MonthNames()
{
    static const QStringList names {QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"), QStringLiteral("May"), QStringLiteral("June"), QStringLiteral("July"),
        QStringLiteral("August"), QStringLiteral("September"), QStringLiteral("October"), QStringLiteral("November"),
        QStringLiteral("December")};
    return names;
}

QString DescribeRateChanges(const GridTable &table, const std::vector<RateChange> &changes)
{
    QStringList parts;
    double last = -1;
    int shown = 0;
    for (const RateChange &c : changes) {
        if (c.rate == last || c.month > GridShownRows(table))
            continue;
        last = c.rate;
        if (++shown > 5) {
            parts << QStringLiteral("and further changes");
            break;
        }
        parts << QStringLiteral("%1 from %2").arg(Percent(c.rate), MonthWithDate(table, c.month));
    }
    return parts.isEmpty() ? QStringLiteral("no change within the loan") : parts.join(QStringLiteral(", "));
}

CMonthSpinBox::CMonthSpinBox(QWidget *parent, const GridTable &table, int maximum, const QString &endText)
    : QSpinBox(parent)
    , startDate_(table.StartDate)
{
    setRange(endText.isEmpty() ? 1 : 0, std::max(1, maximum));
    if (!endText.isEmpty())
        setSpecialValueText(endText);
}

QString CMonthSpinBox::textFromValue(int value) const
{
    const std::string date = GridDateText(startDate_, value);
    return QString::number(value) + (date.empty() ? QString() : QStringLiteral(" (%1)").arg(FromStd(date)));
}

int CMonthSpinBox::valueFromText(const QString &text) const
{
    return text.section(QLatin1Char(' '), 0, 0).toInt();
}

QValidator::State CMonthSpinBox::validate(QString &text, int &) const
{
    if (!specialValueText().isEmpty() && text == specialValueText())
        return QValidator::Acceptable;
    bool ok = false;
    const int v = text.section(QLatin1Char(' '), 0, 0).toInt(&ok);
    if (text.isEmpty() || !ok)
        return QValidator::Intermediate;
    return v >= minimum() && v <= maximum() ? QValidator::Acceptable : QValidator::Intermediate;
}

CGridToolDlg::CGridToolDlg(QWidget *parent, const GridTable &table, const QString &title, const QString &intro)
    : QDialog(parent)
    , table_(std::make_unique<GridTable>(table))
    , result_(std::make_unique<GridTable>(table))
{
    setWindowTitle(title);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    intro_ = new QLabel(intro, this);
    intro_->setObjectName(QStringLiteral("introLabel"));
    intro_->setWordWrap(true);
    form_ = new QFormLayout;
    form_->setRowWrapPolicy(QFormLayout::WrapLongRows);
    form_->setFieldGrowthPolicy(QFormLayout::AllNonFixedFieldsGrow);
}

CGridToolDlg::~CGridToolDlg() = default;

QLineEdit *CGridToolDlg::AddAmountField(const QString &label, const char *objectName)
{
    auto *edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setMaxLength(19);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit);
    form_->addRow(caption, edit);
    return edit;
}

void CGridToolDlg::Finish()
{
    auto *ok = MakeButton(QStringLiteral("&OK"), "okButton", this);
    ok->setDefault(true);
    auto *cancel = MakeButton(QStringLiteral("&Cancel"), "cancelButton", this);
    connect(ok, &QPushButton::clicked, this, &CGridToolDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CGridToolDlg::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    auto *layout = new QVBoxLayout(this);
    const int margin = MarginPixels(this);
    layout->setContentsMargins(margin, margin, margin, margin);
    layout->setSpacing(GapPixels(this));
    layout->addWidget(intro_);
    layout->addLayout(form_);
    layout->addStretch(1);
    layout->addLayout(buttons);
    FitWindowToScreen(this, DialogUnitsToPixels(font(), 230, 60));
}

void CGridToolDlg::accept()
{
    auto t = std::make_unique<GridTable>(*table_);
    QWidget *where = nullptr;
    QString summary;
    if (const std::string problem = Apply(*t, &where, &summary); !problem.empty()) {
        ShowMessage(this, FromStd(problem));
        if (where)
            where->setFocus();
        return;
    }
    result_ = std::move(t);
    summary_ = summary;
    QDialog::accept();
}

CMonthlyExtraDlg::CMonthlyExtraDlg(QWidget *parent, const GridTable &table)
    : CGridToolDlg(parent, table, QStringLiteral("Extra Every Month"),
        QStringLiteral("Adds an extra payment of principal to every month from the first month chosen to the last. "
                       "Extras the months already hold stay."))
{
    setObjectName(QStringLiteral("monthlyExtraDlg"));
    amount = AddAmountField(QStringLiteral("&Amount each month:"), "amountEdit");
    const int months = GridMonthCount(table);
    from = new CMonthSpinBox(this, table, months);
    from->setObjectName(QStringLiteral("fromSpin"));
    to = new CMonthSpinBox(this, table, kGridRows, QStringLiteral("End of the loan"));
    to->setObjectName(QStringLiteral("toSpin"));
    auto *fromLabel = new QLabel(QStringLiteral("&From month:"), this);
    fromLabel->setBuddy(from);
    auto *toLabel = new QLabel(QStringLiteral("&To month:"), this);
    toLabel->setBuddy(to);
    Form()->addRow(fromLabel, from);
    Form()->addRow(toLabel, to);
    Finish();
}

std::string CMonthlyExtraDlg::Apply(GridTable &t, QWidget **where, QString *summary)
{
    std::string problem;
    const auto value = ReadToolAmount(amount->text().toStdString(), "The amount each month", &problem);
    if (!value) {
        *where = amount;
        return problem;
    }
    problem = AddMonthlyExtra(t, *value, from->value(), to->value());
    *where = from;
    *summary = QStringLiteral("Extra of %1 every month from %2 to %3")
                   .arg(FromStd(FormatMoney(*value)), MonthWithDate(t, from->value()),
                       to->value() == 0 ? QStringLiteral("the end") : MonthWithDate(t, to->value()));
    return problem;
}

CYearlyExtraDlg::CYearlyExtraDlg(QWidget *parent, const GridTable &table)
    : CGridToolDlg(parent, table, QStringLiteral("Extra Once a Year"),
        QStringLiteral("Adds an extra payment of principal once a year, in the month chosen: a bonus or a tax refund. "
                       "Extras the months already hold stay."))
{
    setObjectName(QStringLiteral("yearlyExtraDlg"));
    amount = AddAmountField(QStringLiteral("&Amount each year:"), "amountEdit");
    month = new QComboBox(this);
    month->setObjectName(QStringLiteral("monthCombo"));
    month->addItems(MonthNames());
    fromYear = new QSpinBox(this);
    fromYear->setObjectName(QStringLiteral("fromYearSpin"));
    const CalendarDate first = GridPaymentDate(table.StartDate, 1);
    const CalendarDate last = GridPaymentDate(table.StartDate, std::max(1, GridMonthCount(table)));
    if (first.month != 0) {
        fromYear->setRange(first.year, last.year);
        month->setCurrentIndex(first.month - 1);
    } else {
        fromYear->setEnabled(false);
    }
    auto *monthLabel = new QLabel(QStringLiteral("In the &month of:"), this);
    monthLabel->setBuddy(month);
    auto *yearLabel = new QLabel(QStringLiteral("From the &year:"), this);
    yearLabel->setBuddy(fromYear);
    Form()->addRow(monthLabel, month);
    Form()->addRow(yearLabel, fromYear);
    Finish();
}

std::string CYearlyExtraDlg::Apply(GridTable &t, QWidget **where, QString *summary)
{
    std::string problem;
    const auto value = ReadToolAmount(amount->text().toStdString(), "The amount each year", &problem);
    if (!value) {
        *where = amount;
        return problem;
    }
    *where = fromYear;
    *summary = QStringLiteral("Extra of %1 every %2 from %3")
                   .arg(FromStd(FormatMoney(*value)), month->currentText(), QString::number(fromYear->value()));
    return AddYearlyExtra(t, *value, month->currentIndex() + 1, fromYear->isEnabled() ? fromYear->value() : 0);
}

CArmDlg::CArmDlg(QWidget *parent, const GridTable &table)
    : CGridToolDlg(parent, table, QStringLiteral("Adjustable Rate"),
        QStringLiteral("Fills the rates as an adjustable-rate loan runs: fixed for the first years, then the index "
                       "plus the margin, to the nearest 1/8%, held within the caps and never below the margin. "
                       "The months before the first change keep their rates."))
{
    setObjectName(QStringLiteral("armDlg"));
    preset = new QComboBox(this);
    preset->setObjectName(QStringLiteral("presetCombo"));
    for (const ArmPreset &p : ArmPresets())
        preset->addItem(QStringLiteral("%1, caps %2").arg(QString::fromLatin1(p.name), QString::fromLatin1(p.caps)));
    preset->addItem(QStringLiteral("Terms of my own"));
    fixedYears = new QComboBox(this);
    fixedYears->setObjectName(QStringLiteral("fixedYearsCombo"));
    for (int years : {3, 5, 7, 10})
        fixedYears->addItem(QStringLiteral("%1 years").arg(years), years);
    interval = new QComboBox(this);
    interval->setObjectName(QStringLiteral("intervalCombo"));
    interval->addItem(QStringLiteral("6 months"), 6);
    interval->addItem(QStringLiteral("12 months"), 12);

    const auto addRow = [&](const QString &label, QWidget *field) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        Form()->addRow(caption, field);
    };
    addRow(QStringLiteral("&Preset:"), preset);
    addRow(QStringLiteral("&Fixed for:"), fixedYears);
    addRow(QStringLiteral("Changes e&very:"), interval);
    firstCap = AddAmountField(QStringLiteral("Cap of the fi&rst change (%):"), "firstCapEdit");
    periodicCap = AddAmountField(QStringLiteral("Cap of each &later change (%):"), "periodicCapEdit");
    lifetimeCap = AddAmountField(QStringLiteral("Life&time cap over the initial rate (%):"), "lifetimeCapEdit");
    margin = AddAmountField(QStringLiteral("&Margin (%):"), "marginEdit");
    index = AddAmountField(QStringLiteral("Assumed &index (%):"), "indexEdit");
    worstCase = new QCheckBox(QStringLiteral("&Worst case: up by the cap at every change"), this);
    worstCase->setObjectName(QStringLiteral("worstCaseCheck"));
    Form()->addRow(worstCase);
    preview = new QLabel(this);
    preview->setObjectName(QStringLiteral("previewLabel"));
    preview->setWordWrap(true);
    Form()->addRow(preview);

    connect(preset, &QComboBox::currentIndexChanged, this, &CArmDlg::OnPreset);
    for (QComboBox *combo : {fixedYears, interval})
        connect(combo, &QComboBox::currentIndexChanged, this, &CArmDlg::UpdatePreview);
    for (QLineEdit *edit : {firstCap, periodicCap, lifetimeCap, margin, index})
        connect(edit, &QLineEdit::textChanged, this, &CArmDlg::UpdatePreview);
    connect(worstCase, &QCheckBox::toggled, this, &CArmDlg::UpdatePreview);
    OnPreset();
    Finish();
}

void CArmDlg::OnPreset()
{
    const int i = preset->currentIndex();
    if (i < 0 || i >= static_cast<int>(ArmPresets().size())) {
        UpdatePreview();
        return;
    }
    const ArmTerms &t = ArmPresets()[static_cast<std::size_t>(i)].terms;
    fixedYears->setCurrentIndex(fixedYears->findData(t.initialYears));
    interval->setCurrentIndex(interval->findData(t.intervalMonths));
    firstCap->setText(QString::number(t.firstCap));
    periodicCap->setText(QString::number(t.periodicCap));
    lifetimeCap->setText(QString::number(t.lifetimeCap));
    UpdatePreview();
}

std::optional<ArmTerms> CArmDlg::Terms(std::string *problem, QWidget **where) const
{
    ArmTerms terms;
    terms.initialYears = fixedYears->currentData().toInt();
    terms.intervalMonths = interval->currentData().toInt();
    terms.worstCase = worstCase->isChecked();
    const std::pair<QLineEdit *, std::pair<double *, const char *>> fields[] = {
        {firstCap, {&terms.firstCap, "The cap of the first change"}},
        {periodicCap, {&terms.periodicCap, "The cap of each later change"}},
        {lifetimeCap, {&terms.lifetimeCap, "The lifetime cap"}},
        {margin, {&terms.margin, "The margin"}},
        {index, {&terms.index, "The assumed index"}},
    };
    for (const auto &[edit, target] : fields) {
        // The worst case follows the caps alone; the margin and index may stay empty.
        if (terms.worstCase && (edit == margin || edit == index) && edit->text().trimmed().isEmpty())
            continue;
        const auto value = ReadToolPercent(edit->text().toStdString(), target.second, problem);
        if (!value) {
            if (where)
                *where = edit;
            return std::nullopt;
        }
        *target.first = *value;
    }
    return terms;
}

void CArmDlg::UpdatePreview()
{
    std::string problem;
    const auto terms = Terms(&problem, nullptr);
    if (!terms) {
        preview->setText(FromStd(problem));
        return;
    }
    const int first = terms->initialYears * 12 + 1;
    const double initial = GridRateInMonth(Table(), first - 1);
    preview->setText(QStringLiteral("The rate of %1 is %2; then %3.")
                         .arg(MonthWithDate(Table(), first - 1), Percent(initial),
                             DescribeRateChanges(Table(), ArmRateChanges(*terms, initial))));
}

std::string CArmDlg::Apply(GridTable &t, QWidget **where, QString *summary)
{
    std::string problem;
    const auto terms = Terms(&problem, where);
    if (!terms)
        return problem;
    problem = ApplyArm(t, *terms);
    *where = fixedYears;
    const int first = terms->initialYears * 12 + 1;
    *summary = QStringLiteral("Adjustable rate%1: %2")
                   .arg(terms->worstCase ? QStringLiteral(", worst case") : QString(),
                       DescribeRateChanges(t, ArmRateChanges(*terms, GridRateInMonth(Table(), first - 1))));
    return problem;
}

CPayoffDlg::CPayoffDlg(QWidget *parent, const GridTable &table)
    : CGridToolDlg(parent, table, QStringLiteral("Paid Off By"),
        QStringLiteral("Finds the smallest extra payment, to the cent, added to every month from the month chosen, "
                       "that pays the loan off by a month and year, and adds it."))
{
    setObjectName(QStringLiteral("payoffDlg"));
    month = new QComboBox(this);
    month->setObjectName(QStringLiteral("monthCombo"));
    month->addItems(MonthNames());
    year = new QSpinBox(this);
    year->setObjectName(QStringLiteral("yearSpin"));
    from = new CMonthSpinBox(this, table, GridMonthCount(table));
    from->setObjectName(QStringLiteral("fromSpin"));
    const int months = std::max(1, GridMonthCount(table));
    const CalendarDate first = GridPaymentDate(table.StartDate, 1);
    const CalendarDate last = GridPaymentDate(table.StartDate, months);
    if (first.month != 0) {
        year->setRange(first.year, last.year);
        // Five years sooner than now: a goal to start from.
        const CalendarDate goal = GridPaymentDate(table.StartDate, std::max(1, months - 60));
        year->setValue(goal.year);
        month->setCurrentIndex(goal.month - 1);
    } else {
        year->setEnabled(false);
        month->setEnabled(false);
    }
    const auto addRow = [&](const QString &label, QWidget *field) {
        auto *caption = new QLabel(label, this);
        caption->setBuddy(field);
        Form()->addRow(caption, field);
    };
    addRow(QStringLiteral("Paid off by the &month of:"), month);
    addRow(QStringLiteral("In the &year:"), year);
    addRow(QStringLiteral("&Extra from month:"), from);
    Finish();
}

std::string CPayoffDlg::Apply(GridTable &t, QWidget **where, QString *summary)
{
    *where = year;
    if (!year->isEnabled())
        return "The grid has no date of the first payment, so a month and year cannot be found in it.";
    const PayoffSearch search
        = FindPayoffExtra(t, GridMonthOfPaymentDate(t, month->currentIndex() + 1, year->value()), from->value());
    if (search.outcome != PayoffSearch::kFound)
        return search.message;
    AddMonthlyExtra(t, search.extra, from->value());
    *summary = FromStd(search.message);
    return {};
}

} // namespace tw
