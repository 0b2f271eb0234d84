#include "screens/summary_dlg.h"

#include "engine/figures.h"
#include "record/client_record.h"
#include "rules/result_codes.h"
#include "screens/screen_frame.h"
#include "screens/summary_texts.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpacerItem>
#include <QVBoxLayout>

#include <utility>

namespace tw {

namespace {

// The comparison, then what the plan costs under it.
constexpr int kSummaryHeightUnits = 384;

// Object names of the rows' controls: "<key>Label", "<key>Without", "<key>With".
constexpr const char *kRowKeys[kSummaryRowCount] = {
    "remainingYears",
    "interestSavings",
    "paymentsSaved",
    "totalSavings",
    "equity5",
    "equity10",
    "balanceDue",
    "averageMonthly",
    "averageYearly",
    "cashAvailable",
    "overcharged",
};

QLineEdit *MakeValueField(const QString &text, const QString &name, QWidget *parent)
{
    auto *edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setFocusPolicy(Qt::NoFocus);
    edit->setCursorPosition(0);
    return edit;
}

} // namespace

CSummaryDlg::CSummaryDlg(QWidget *parent, CClientRecord *record)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("summaryDlg"));
    SetUpScreen(this, 302, kSummaryHeightUnits);

    SummaryTexts texts;
    if (record) {
        ComputeSummaryScreenFigures(record->Analysis);
        texts = BuildSummaryTexts(record->Analysis);
    } else {
        texts = BuildSummaryTexts(LoanAnalysis {});
    }

    auto *title = new QLabel(texts.title, this);
    title->setObjectName(QStringLiteral("titleLabel"));
    QFont titleFont = title->font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.15);
    title->setFont(titleFont);

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(GapPixels(this) * 2);
    grid->setVerticalSpacing(GapPixels(this));
    auto *withoutHeading = new QLabel(texts.withoutHeading, this);
    withoutHeading->setObjectName(QStringLiteral("withoutHeading"));
    auto *withHeading = new QLabel(texts.withHeading, this);
    withHeading->setObjectName(QStringLiteral("withHeading"));
    for (QLabel *heading : {withoutHeading, withHeading}) {
        QFont f = heading->font();
        f.setBold(true);
        heading->setFont(f);
        heading->setTextFormat(Qt::PlainText);
    }
    grid->addWidget(withoutHeading, 0, 1, Qt::AlignBottom | Qt::AlignLeft);
    grid->addWidget(withHeading, 0, 2, Qt::AlignBottom | Qt::AlignLeft);

    const int valueWidth = DialogUnitsToPixels(font(), 62, 12).width();
    for (int row = 0; row < kSummaryRowCount; ++row) {
        const QString key = QString::fromLatin1(kRowKeys[row]);
        const SummaryRowTexts &r = texts.rows[row];
        auto *label = new QLabel(r.label, this);
        label->setObjectName(key + QStringLiteral("Label"));
        label->setTextFormat(Qt::PlainText);
        auto *without = MakeValueField(r.without, key + QStringLiteral("Without"), this);
        auto *with = MakeValueField(r.with, key + QStringLiteral("With"), this);
        without->setFixedWidth(valueWidth);
        with->setFixedWidth(valueWidth);
        grid->addWidget(label, row + 1, 0, Qt::AlignVCenter | Qt::AlignLeft);
        grid->addWidget(without, row + 1, 1, Qt::AlignVCenter);
        grid->addWidget(with, row + 1, 2, Qt::AlignVCenter);
    }

    // What the plan costs, under the comparison; its amounts stand in the plan's column.
    constexpr const char *kCostKeys[kCostRowCount] = {"fees", "netSavings", "breakEven"};
    const CostTexts &costs = texts.costs;
    int row = kSummaryRowCount + 1;
    grid->addItem(new QSpacerItem(0, GapPixels(this)), row++, 0);
    auto *costsTitle = new QLabel(costs.title, this);
    costsTitle->setObjectName(QStringLiteral("costsTitle"));
    QFont costsFont = costsTitle->font();
    costsFont.setBold(true);
    costsTitle->setFont(costsFont);
    grid->addWidget(costsTitle, row++, 0, 1, 3, Qt::AlignBottom | Qt::AlignLeft);
    for (int i = 0; i < kCostRowCount; ++i, ++row) {
        const QString key = QString::fromLatin1(kCostKeys[i]);
        auto *label = new QLabel(costs.labels[i], this);
        label->setObjectName(key + QStringLiteral("Label"));
        label->setTextFormat(Qt::PlainText);
        auto *value = MakeValueField(costs.values[i], key + QStringLiteral("With"), this);
        value->setFixedWidth(valueWidth);
        grid->addWidget(label, row, 0, 1, 2, Qt::AlignVCenter | Qt::AlignLeft);
        grid->addWidget(value, row, 2, Qt::AlignVCenter);
    }
    for (const auto &[text, name] : {std::pair {costs.breakEvenSentence, "breakEvenSentence"},
             std::pair {costs.doItYourself, "doItYourselfLabel"}}) {
        auto *sentence = new QLabel(text, this);
        sentence->setObjectName(QString::fromLatin1(name));
        sentence->setTextFormat(Qt::PlainText);
        sentence->setWordWrap(true);
        grid->addWidget(sentence, row++, 0, 1, 3);
    }
    grid->setColumnStretch(0, 1);

    auto *backButton = MakeButton(QStringLiteral("<- &Back"), "backButton", this);
    auto *continueButton = MakeButton(QStringLiteral("&Continue ->"), "continueButton", this);
    continueButton->setDefault(true);
    connect(backButton, &QPushButton::clicked, this, [this] { done(kResultBack); });
    connect(continueButton, &QPushButton::clicked, this, [this] { done(kResultForward); });

    auto *bottom = new QHBoxLayout;
    bottom->addWidget(MakeLogoLabel(this), 0, Qt::AlignBottom);
    bottom->addStretch(1);
    bottom->addWidget(backButton, 0, Qt::AlignVCenter);
    bottom->addSpacing(GapPixels(this));
    bottom->addWidget(continueButton, 0, Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(this);
    const int margin = MarginPixels(this);
    layout->setContentsMargins(margin, margin, margin, GapPixels(this));
    layout->setSpacing(GapPixels(this));
    layout->addWidget(title);
    layout->addSpacing(GapPixels(this));
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addLayout(bottom);

    continueButton->setFocus(Qt::OtherFocusReason);
}

void CSummaryDlg::reject()
{
    done(kResultCancel);
}

} // namespace tw
