#include "app/code_dlg.h"

#include "app/startup.h"
#include "record/profile_store.h"
#include "record/program_paths.h"
#include "screens/ui_common.h"

#include <QFocusEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tw {

namespace {
// The code field: when the dialog opens, the caret stands after the prefilled code so
// that the user types on; a line edit would otherwise select it all on that first focus.
class CodeEdit : public QLineEdit {
public:
    using QLineEdit::QLineEdit;
    bool keepCaretOnNextFocus = true;

protected:
    void focusInEvent(QFocusEvent *event) override
    {
        if (keepCaretOnNextFocus && event->reason() != Qt::MouseFocusReason) {
            keepCaretOnNextFocus = true;
            QFocusEvent plain(QEvent::FocusIn, Qt::OtherFocusReason);
            QLineEdit::focusInEvent(&plain);
            return;
        }
        QLineEdit::focusInEvent(event);
    }
};
} // namespace

CCodeDlg::CCodeDlg(QWidget *parent, CProfileStore *profile, std::string programDir)
    : QDialog(parent)
    , profile_(profile)
    , programDir_(std::move(programDir))
{
    setObjectName(QStringLiteral("codeDialog"));
    setProperty("dialogId", 135);
    setWindowTitle(QStringLiteral("Tallowin"));

    auto *picture = new QLabel(this);
    picture->setObjectName(QStringLiteral("logoPicture"));
    picture->setPixmap(LogoPixmap());
    picture->setFixedSize(48, 48);

    auto *group = new QGroupBox(QStringLiteral("Vendor code"), this);
    group->setObjectName(QStringLiteral("codeGroup"));
    auto *instruction = new QLabel(QStringLiteral("Type the code your Tallowin representative gave you and press OK. "
                                                  "Without a code, just press OK to start the demonstration."),
        group);
    instruction->setObjectName(QStringLiteral("instructionLabel"));
    instruction->setWordWrap(true);
    auto *codeLabel = new QLabel(QStringLiteral("&Code:"), group);
    codeEdit_ = new CodeEdit(group);
    codeEdit_->setObjectName(QStringLiteral("codeEdit"));
    codeEdit_->setProperty("controlId", 1049);
    codeLabel->setBuddy(codeEdit_);
    auto *codeRow = new QHBoxLayout;
    codeRow->addWidget(codeLabel);
    codeRow->addWidget(codeEdit_, 1);
    auto *groupLayout = new QVBoxLayout(group);
    groupLayout->addWidget(instruction);
    groupLayout->addLayout(codeRow);

    okButton_ = new QPushButton(QStringLiteral("OK"), this);
    okButton_->setObjectName(QStringLiteral("okButton"));
    okButton_->setProperty("controlId", 1);
    okButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Cancel"), this);
    cancelButton_->setObjectName(QStringLiteral("cancelButton"));
    cancelButton_->setProperty("controlId", 2);
    connect(okButton_, &QPushButton::clicked, this, &CCodeDlg::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &CCodeDlg::reject);

    auto *buttons = new QVBoxLayout;
    buttons->addWidget(okButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch(1);

    auto *layout = new QHBoxLayout(this);
    layout->addWidget(picture, 0, Qt::AlignTop);
    layout->addWidget(group, 1);
    layout->addLayout(buttons);

    FitWindowToScreen(this, QSize(DialogUnitsToPixels(font(), 250, 0).width(), 0));
}

bool CCodeDlg::Prepare()
{
    // Once the grid code has been typed, every start goes straight to grid mode.
    if (profile_->Read("General", "Grid") == "YES") {
        setResult(kCodeGrid);
        return false;
    }
    const QString prefill = CodePrefill(ReadSerialVendorCode(programDir_), profile_->Read("General", "VendorCode"));
    codeEdit_->clear();
    codeEdit_->insert(prefill); // the caret ends after it, ready for the rest of the code
    static_cast<CodeEdit *>(codeEdit_)->keepCaretOnNextFocus = true;
    codeEdit_->setFocus();
    return true;
}

int CCodeDlg::Run()
{
    if (!Prepare())
        return result();
    return exec();
}

QString CCodeDlg::Code() const
{
    return codeEdit_->text();
}

void CCodeDlg::accept()
{
    const CodeResult code = ClassifyCode(Code());
    if (code == kCodeGrid) {
        // Grid mode still starts when the switch cannot be stored; only the next start asks again.
        if (const SaveStatus saved = profile_->Write("General", "Grid", "YES"); !saved)
            ShowMessage(this, QString::fromStdString(saved.message));
    }
    done(code);
}

void CCodeDlg::reject()
{
    done(kCodeCancelled);
}

} // namespace tw
