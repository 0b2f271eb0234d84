#pragma once

#include <QDialog>

class QPushButton;

namespace tw {

class CClientRecord;
class CRichTextView;

// One group of slides (1-6, 8-9, 11 or 13) in a document view with Back and Continue.
// The screen pages inside its group by itself; it ends with kResultBack when the user
// goes back from the group's first slide and kResultForward when the user continues
// past its last. Each slide is loaded afresh when shown, with the client's figures in it.
class CSlideDlg : public QDialog {
    Q_OBJECT
public:
    CSlideDlg(QWidget *parent, CClientRecord *record, int slideNumber);

    int SlideNumber() const { return slide_; }

public slots:
    void reject() override;

private:
    void OnContinue();
    void OnBack();
    void ShowSlide();

    CClientRecord *record_;
    int slide_;
    CRichTextView *view_;
    QPushButton *continueButton_;
};

} // namespace tw
