#pragma once

#include <QDialog>
#include <QFont>

#include <optional>

namespace tw {

class CClientRecord;

// The common questions, each with an Answer button that opens its answer. Back ends
// with kResultBack, Continue with kResultForward; answers leave the screen open.
class CQuestionsDlg : public QDialog {
    Q_OBJECT
public:
    CQuestionsDlg(QWidget *parent, CClientRecord *record);

public slots:
    void reject() override;

private:
    void OpenAnswer(int answerNumber);

    CClientRecord *record_;
};

// Three questions hold a run of blanks meant to push their last words onto a second line.
// The widest width up to |available| pixels at which each of them breaks inside its run,
// so that the run hangs at the end of the first line instead of opening a gap in the
// text; none when the font is too wide for that.
std::optional<int> QuestionWrapWidth(const QFont &font, int available);

// The font and width for the question texts: the screen's font where a wrap width exists,
// else the largest slightly smaller size (down to 85 %) that has one; failing that, the
// screen's font over the whole room.
struct QuestionTextFit {
    QFont font;
    int width = 0;
};
QuestionTextFit FitQuestionTexts(const QFont &font, int available);

} // namespace tw
