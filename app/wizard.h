#pragma once

#include <string>

namespace tw {

// The demonstration's road as a step number: 0 the introduction, 1 to 17 the screens,
// then one of the two end states.
inline constexpr int kWizardFirstStep = 0;
inline constexpr int kWizardLastScreenStep = 17;
inline constexpr int kWizardEnded = 18; // printed, or left early
inline constexpr int kWizardDeclined = 500; // the client said NO

// Which screen a step shows.
enum class WizardScreen {
    None, // not a screen step
    Intro,
    Slide, // opened at slide position = step
    AnalysisInfo,
    Summary,
    Questions,
    SignUp,
    PersonalInfo,
    LenderInfo,
    DebitBank,
};
WizardScreen ScreenForStep(int step);

// What happens between a screen and the next step, besides moving on.
enum class WizardAction {
    None,
    Calculate, // step 7 left forward: plan dates, then schedules
    ThankYou, // step 14 NO
    FinishEnrollment, // step 17 left forward: the closing message, then the enrollment print
};
WizardAction ActionAfter(int step, int result);

// The step that follows `step` when its screen ended with `result`.
int NextWizardStep(int step, int result);

// The message that sees a declining client off, with the money the plan would save a month.
std::string ThankYouMessage(double averageMonthlySavings);

// Shown before the enrollment form's preview opens.
inline constexpr const char *kEnrollmentClosingMessage
    = "After printing your enrollment form, choose Run|Bi-Weekly Debit Schedule to generate a schedule of your "
      "electronic bi-weekly mortgage payments.";

// Shows one screen modally and gives back how it was left. The real factory makes the
// dialogs; tests answer with scripted results.
class IScreenFactory {
public:
    virtual ~IScreenFactory() = default;
    virtual int ShowIntro() = 0;
    virtual int ShowSlide(int position) = 0;
    virtual int ShowAnalysisInfo() = 0;
    virtual int ShowSummary() = 0;
    virtual int ShowQuestions() = 0;
    virtual int ShowSignUp() = 0;
    virtual int ShowPersonalInfo() = 0;
    virtual int ShowLenderInfo() = 0;
    virtual int ShowDebitBank() = 0;
};

// The work the wizard hands back to its owner between screens.
class IWizardActions {
public:
    virtual ~IWizardActions() = default;
    virtual void Calculate() = 0;
    virtual void ThankYou() = 0;
    virtual void FinishEnrollment() = 0;
};

// Runs the demonstration: from step 0, one screen after another, until the step
// leaves the screens. The step lives with the caller so that it can be read afterwards.
class CWizardLoop {
public:
    CWizardLoop(IScreenFactory &screens, IWizardActions &actions);
    // Sets `step` to 0 first; returns the end state (18 or 500).
    int Run(int &step);
    // One screen and what follows it; returns the next step.
    int RunStep(int step);

private:
    int ShowScreen(int step);

    IScreenFactory &screens_;
    IWizardActions &actions_;
};

} // namespace tw
