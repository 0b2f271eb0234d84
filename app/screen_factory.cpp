#include "app/screen_factory.h"

#include "app/intro_dlg.h"
#include "entry/analysis_info_dlg.h"
#include "entry/debit_bank_dlg.h"
#include "entry/lender_info_dlg.h"
#include "entry/personal_info_dlg.h"
#include "screens/questions_dlg.h"
#include "screens/signup_dlg.h"
#include "screens/slide_dlg.h"
#include "screens/summary_dlg.h"

namespace tw {

CDialogScreenFactory::CDialogScreenFactory(QWidget *parent, CClientRecord *record, CProfileStore *profile)
    : parent_(parent)
    , record_(record)
    , profile_(profile)
{
}

int CDialogScreenFactory::ShowIntro()
{
    CIntroDlg dlg(parent_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowSlide(int position)
{
    CSlideDlg dlg(parent_, record_, position);
    return dlg.exec();
}

int CDialogScreenFactory::ShowAnalysisInfo()
{
    CAnalysisInfoDlg dlg(parent_, record_, profile_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowSummary()
{
    CSummaryDlg dlg(parent_, record_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowQuestions()
{
    CQuestionsDlg dlg(parent_, record_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowSignUp()
{
    CSignUpDlg dlg(parent_, record_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowPersonalInfo()
{
    CPersonalInfoDlg dlg(parent_, record_, profile_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowLenderInfo()
{
    CLenderInfoDlg dlg(parent_, record_, profile_);
    return dlg.exec();
}

int CDialogScreenFactory::ShowDebitBank()
{
    CDebitBankDlg dlg(parent_, record_, profile_);
    return dlg.exec();
}

} // namespace tw
