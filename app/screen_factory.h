#pragma once

#include "app/wizard.h"

class QWidget;

namespace tw {

class CClientRecord;
class CProfileStore;

// The wizard's screens as the real dialogs, each made for one showing with the view as
// parent and destroyed when its modal loop ends.
class CDialogScreenFactory : public IScreenFactory {
public:
    CDialogScreenFactory(QWidget *parent, CClientRecord *record, CProfileStore *profile);

    int ShowIntro() override;
    int ShowSlide(int position) override;
    int ShowAnalysisInfo() override;
    int ShowSummary() override;
    int ShowQuestions() override;
    int ShowSignUp() override;
    int ShowPersonalInfo() override;
    int ShowLenderInfo() override;
    int ShowDebitBank() override;

private:
    QWidget *parent_;
    CClientRecord *record_;
    CProfileStore *profile_;
};

} // namespace tw
