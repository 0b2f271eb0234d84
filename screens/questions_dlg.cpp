#include "screens/questions_dlg.h"

#include "screens/answer_dlg.h"
#include "rules/result_codes.h"
#include "screens/screen_frame.h"
#include "screens/screen_texts.h"
#include "screens/ui_common.h"

#include <QFontMetricsF>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace tw {

std::optional<int> QuestionWrapWidth(const QFont &font, int available)
{
    // Two blanks follow a full stop; three or more are there to move a word.
    static const QRegularExpression pushingRun(QStringLiteral(" {3,}(\\S+)"));
    const QFontMetricsF fm(font);
    double needed = 0; // the longest text before a run must fit on the first line
    double limit = 1e9; // ... while no word after a run may join it
    for (const Question &q : Questions()) {
        const QRegularExpressionMatch m = pushingRun.match(q.text);
        if (!m.hasMatch())
            continue;
        needed = std::max(needed, fm.horizontalAdvance(q.text.left(m.capturedStart())));
        limit = std::min(limit, fm.horizontalAdvance(q.text.left(m.capturedEnd(1))));
    }
    // A pixel of slack either side for rounding in the line layout.
    const int low = static_cast<int>(std::ceil(needed)) + 1;
    const int high = static_cast<int>(std::floor(limit)) - 1;
    if (low > high || low > available)
        return std::nullopt;
    return std::min(high, available);
}

QuestionTextFit FitQuestionTexts(const QFont &font, int available)
{
    if (const auto width = QuestionWrapWidth(font, available))
        return {font, *width};
    const double size = font.pointSizeF();
    if (size > 0) {
        for (double smaller = size - 0.5; smaller >= size * 0.85; smaller -= 0.5) {
            QFont f = font;
            f.setPointSizeF(smaller);
            if (const auto width = QuestionWrapWidth(f, available))
                return {f, *width};
        }
    }
    return {font, available};
}

CQuestionsDlg::CQuestionsDlg(QWidget *parent, CClientRecord *record)
    : QDialog(parent)
    , record_(record)
{
    setObjectName(QStringLiteral("questionsDlg"));
    SetUpScreen(this, 397, 239);
    const int margin = MarginPixels(this);
    const int gap = GapPixels(this);

    auto *introFirst = new QLabel(QuestionsIntroductionFirstLine(), this);
    introFirst->setObjectName(QStringLiteral("introFirstLine"));
    auto *introSecond = new QLabel(QuestionsIntroductionSecondLine(), this);
    introSecond->setObjectName(QStringLiteral("introSecondLine"));
    for (QLabel *intro : {introFirst, introSecond}) {
        intro->setTextFormat(Qt::PlainText);
        intro->setWordWrap(true);
    }

    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(gap);
    grid->setVerticalSpacing(gap);
    QList<QPushButton *> answerButtons;
    for (std::size_t i = 0; i < Questions().size(); ++i) {
        const Question &q = Questions()[i];
        const QString number = QString::number(i + 1);
        auto *text = new QLabel(q.text, this);
        text->setObjectName(QStringLiteral("question") + number);
        text->setTextFormat(Qt::PlainText);
        text->setWordWrap(true);
        auto *button = MakeButton(QStringLiteral("Answer"), qPrintable(QStringLiteral("answerButton") + number), this);
        button->setProperty("answerNumber", q.answer);
        // Nine buttons read "Answer"; a screen reader also tells which question each answers.
        button->setAccessibleDescription(q.text.simplified());
        // Narrow, so that the questions get the room to break where their blanks say.
        button->setMinimumWidth(0);
        button->setFixedWidth(std::max(
            DialogUnitsToPixels(font(), 34, 12).width(), button->fontMetrics().horizontalAdvance(button->text()) + 16));
        connect(button, &QPushButton::clicked, this, [this, answer = q.answer] { OpenAnswer(answer); });
        grid->addWidget(text, static_cast<int>(i), 0, Qt::AlignLeft | Qt::AlignVCenter);
        grid->addWidget(button, static_cast<int>(i), 1, Qt::AlignRight | Qt::AlignVCenter);
        answerButtons << button;
    }
    const int buttonWidth = answerButtons.front()->maximumWidth();
    // A screen narrower than the template (a large scale) leaves the questions less room,
    // beside a vertical scroll bar; they wrap to it.
    int width = DialogUnitsToPixels(font(), 397, 0).width();
    if (const int room = ScreenRoom(this).width(); room < width)
        width = room - style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const int available = width - 2 * margin - gap - buttonWidth;
    // The introduction takes the questions' font so that the screen reads as one text.
    const QuestionTextFit fit = FitQuestionTexts(font(), available);
    for (QLabel *text : findChildren<QLabel *>()) {
        if (text->objectName().startsWith(QStringLiteral("question"))) {
            text->setFont(fit.font);
            text->setFixedWidth(fit.width);
            // The label's own height for its width can miss the line that a run of blanks
            // pushes a word onto (seen with Nimbus Sans): it gets the height its lines need.
            text->setMinimumHeight(QFontMetrics(fit.font)
                                       .boundingRect(QRect(0, 0, fit.width, 1 << 20), Qt::TextWordWrap, text->text())
                                       .height());
        } else if (text->objectName().startsWith(QStringLiteral("intro"))) {
            text->setFont(fit.font);
        }
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
    bottom->addSpacing(gap);
    bottom->addWidget(continueButton, 0, Qt::AlignVCenter);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(margin, margin, margin, gap);
    layout->setSpacing(0);
    layout->addWidget(introFirst);
    layout->addWidget(introSecond);
    layout->addSpacing(gap * 2);
    layout->addLayout(grid);
    layout->addStretch(1);
    layout->addSpacing(gap);
    layout->addLayout(bottom);

    continueButton->setFocus(Qt::OtherFocusReason);
}

void CQuestionsDlg::OpenAnswer(int answerNumber)
{
    CAnswerDlg answer(this, answerNumber, record_);
    answer.exec();
}

void CQuestionsDlg::reject()
{
    done(kResultCancel);
}

} // namespace tw
