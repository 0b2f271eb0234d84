#pragma once

#include <QDialog>

namespace tw {

class CClientRecord;
class CRichTextView;

// The answer to one of the common questions (answers 1 to 10), with the client's figures
// filled in. Answer 9 also offers the additional-payment comparison. Ok, and the end of
// that comparison, close it with kResultForward.
class CAnswerDlg : public QDialog {
    Q_OBJECT
public:
    CAnswerDlg(QWidget *parent, int answerNumber, CClientRecord *record);

    int AnswerNumber() const { return answer_; }

public slots:
    void reject() override;

private:
    void OnAdditional();

    int answer_;
    CClientRecord *record_;
};

} // namespace tw
