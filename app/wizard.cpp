#include "app/wizard.h"

#include "format/number_text.h"
#include "rules/result_codes.h"

namespace tw {

WizardScreen ScreenForStep(int step)
{
    switch (step) {
    case 0:
        return WizardScreen::Intro;
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
    case 8:
    case 9:
    case 11:
    case 13:
        return WizardScreen::Slide;
    case 7:
        return WizardScreen::AnalysisInfo;
    case 10:
        return WizardScreen::Summary;
    case 12:
        return WizardScreen::Questions;
    case 14:
        return WizardScreen::SignUp;
    case 15:
        return WizardScreen::PersonalInfo;
    case 16:
        return WizardScreen::LenderInfo;
    case 17:
        return WizardScreen::DebitBank;
    default:
        return WizardScreen::None;
    }
}

WizardAction ActionAfter(int step, int result)
{
    if (step == 7 && result != kResultBack)
        return WizardAction::Calculate;
    if (step == 14 && result == kResultForward)
        return WizardAction::ThankYou;
    // Ending the demonstration from the bank screen is no order to print a form
    // the client has not finished.
    if (step == 17 && result != kResultBack && result != kResultEnded)
        return WizardAction::FinishEnrollment;
    return WizardAction::None;
}

int NextWizardStep(int step, int result)
{
    if (step == 0)
        return 1; // the introduction leads to the first slide however it was left
    if (step < 0 || step > kWizardLastScreenStep)
        return kWizardEnded;
    if (step == 14) {
        // Closing the sign-up screen shows the last slide again rather than ending.
        if (result == kResultForward)
            return kWizardDeclined;
        return result == kResultYes ? 15 : 13;
    }
    if (result == kResultBack) {
        switch (step) {
        case 1: // Back on the first slide of a run, whichever position it was opened at
        case 2:
        case 3:
        case 4:
        case 5:
        case 6:
            return 0;
        case 8:
        case 9:
            return 7;
        case 10:
            return 9; // the run 8-9 opened at its last slide
        default:
            return step - 1; // 7 -> 6 and 11 to 17 one back
        }
    }
    if (step == 7 || step == 17)
        return step + 1; // every other way out moves on (after the calculation or the print)
    if (result != kResultForward)
        return kWizardEnded;
    switch (step) {
    case 1:
    case 2:
    case 3:
    case 4:
    case 5:
    case 6:
        return 7;
    case 8:
    case 9:
        return 10;
    default:
        return step + 1;
    }
}

std::string ThankYouMessage(double averageMonthlySavings)
{
    return "Thank you for using our free software to analyze your mortgage.  Please keep the Tallowin(TM) on your "
           "hard drive.  If you change your mind, you can sign up at any time.  Remember though, each month you "
           "procrastinate will cost you $"
        + FormatMoney(averageMonthlySavings)
        + " in lost savings that you can never get back.  If you have a friend or relative you think would like to "
          "save money, please pass this disk on to them.";
}

CWizardLoop::CWizardLoop(IScreenFactory &screens, IWizardActions &actions)
    : screens_(screens)
    , actions_(actions)
{
}

int CWizardLoop::Run(int &step)
{
    step = kWizardFirstStep;
    while (step >= 0 && step <= kWizardLastScreenStep)
        step = RunStep(step);
    return step;
}

int CWizardLoop::RunStep(int step)
{
    const int result = ShowScreen(step);
    switch (ActionAfter(step, result)) {
    case WizardAction::Calculate:
        actions_.Calculate();
        break;
    case WizardAction::ThankYou:
        actions_.ThankYou();
        break;
    case WizardAction::FinishEnrollment:
        actions_.FinishEnrollment();
        break;
    case WizardAction::None:
        break;
    }
    return NextWizardStep(step, result);
}

int CWizardLoop::ShowScreen(int step)
{
    switch (ScreenForStep(step)) {
    case WizardScreen::Intro:
        return screens_.ShowIntro();
    case WizardScreen::Slide:
        return screens_.ShowSlide(step);
    case WizardScreen::AnalysisInfo:
        return screens_.ShowAnalysisInfo();
    case WizardScreen::Summary:
        return screens_.ShowSummary();
    case WizardScreen::Questions:
        return screens_.ShowQuestions();
    case WizardScreen::SignUp:
        return screens_.ShowSignUp();
    case WizardScreen::PersonalInfo:
        return screens_.ShowPersonalInfo();
    case WizardScreen::LenderInfo:
        return screens_.ShowLenderInfo();
    case WizardScreen::DebitBank:
        return screens_.ShowDebitBank();
    case WizardScreen::None:
        break;
    }
    return kResultCancel;
}

} // namespace tw
