#include "entry/entry_widgets.h"

#include "record/client_record.h"
#include "record/profile_store.h"
#include "screens/ui_common.h"

#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <limits>

namespace tw {

QLineEdit *MakeEdit(QWidget *parent, const char *objectName, int controlId)
{
    auto *edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(objectName));
    edit->setProperty("controlId", controlId);
    edit->setMaxLength(kMaxFieldLength);
    // A one-line field holds one line: a pasted line break becomes a blank, so that what
    // the field shows is what gets stored (the profile cannot hold a line break).
    QObject::connect(edit, &QLineEdit::textChanged, edit, [edit](const QString &text) {
        if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r')))
            return;
        const int cursor = edit->cursorPosition();
        QString oneLine = text;
        oneLine.replace(QLatin1String("\r\n"), QLatin1String(" "));
        oneLine.replace(QLatin1Char('\r'), QLatin1Char(' '));
        oneLine.replace(QLatin1Char('\n'), QLatin1Char(' '));
        edit->setText(oneLine);
        edit->setCursorPosition(std::min(cursor, static_cast<int>(oneLine.size())));
    });
    return edit;
}

void SetMinimumText(QLineEdit *edit, const QString &sample)
{
    const int text = edit->fontMetrics().horizontalAdvance(sample);
    // Room for the frame, the text margins and the cursor.
    edit->setMinimumWidth(text + 2 * edit->fontMetrics().averageCharWidth() + 8);
}

void SetBoxMargins(QLayout *layout)
{
    layout->setContentsMargins(6, 6, 6, 6);
}

QGroupBox *MakeGroupBox(QWidget *parent, const QString &title)
{
    auto *box = new QGroupBox(title, parent);
    box->setAccessibleName(QString(title).remove(QLatin1Char('&')));
    return box;
}

QLabel *MakeLabel(QWidget *parent, const QString &text, bool wrap)
{
    auto *label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(wrap);
    return label;
}

QLabel *MakeFieldLabel(QWidget *parent, const QString &text, QWidget *field)
{
    QLabel *label = MakeLabel(parent, text);
    label->setBuddy(field);
    return label;
}

QPushButton *MakeButton(QWidget *parent, const QString &text, const char *objectName, int controlId)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setProperty("controlId", controlId);
    return button;
}

QLabel *MakeLogo(QWidget *parent)
{
    auto *logo = new QLabel(parent);
    logo->setObjectName(QStringLiteral("logo"));
    logo->setProperty("controlId", 130);
    const QPixmap pixmap = LogoPixmap();
    if (!pixmap.isNull())
        logo->setPixmap(pixmap);
    // The row keeps the logo's room even before the picture is installed.
    logo->setFixedSize(48, 48);
    return logo;
}

QLayout *MakeButtonRow(QWidget *parent, QPushButton *back, QPushButton *forward)
{
    auto *row = new QHBoxLayout;
    row->addWidget(MakeLogo(parent), 0, Qt::AlignLeft | Qt::AlignBottom);
    row->addStretch(1);
    row->addWidget(back, 0, Qt::AlignBottom);
    row->addWidget(forward, 0, Qt::AlignBottom);
    return row;
}

void FinishEntryDialog(QDialog *dialog, int widthUnits, int heightUnits)
{
    dialog->setWindowTitle(QStringLiteral("Tallowin"));
    dialog->setSizeGripEnabled(false);
    const QSize wanted = DialogUnitsToPixels(dialog->font(), widthUnits, heightUnits);
    QSize size = wanted.expandedTo(dialog->minimumSizeHint());
    // A wrapped text may need more height at the chosen width than its hint says.
    if (dialog->layout() && dialog->layout()->hasHeightForWidth())
        size.setHeight(std::max(size.height(), dialog->layout()->totalHeightForWidth(size.width())));
    dialog->resize(size);
    FitWindowToScreen(dialog, size, true);
}

bool ConfirmEndDemonstration(QWidget *screen)
{
    return AskYesNo(screen, QString::fromUtf8(kEndDemonstrationQuestion));
}

void FocusField(QWidget *field)
{
    if (!field)
        return;
    field->setFocus(Qt::OtherFocusReason);
    if (auto *edit = qobject_cast<QLineEdit *>(field))
        edit->selectAll();
}

bool SaveRecordOrSay(QWidget *screen, const CClientRecord &record, CProfileStore *profile)
{
    if (!profile)
        return true;
    const SaveStatus saved = record.SaveToProfile(*profile);
    if (!saved)
        ShowMessage(screen, QString::fromStdString(saved.message));
    return static_cast<bool>(saved);
}

void CEditTexts::Show(QLineEdit *edit, const std::string &text)
{
    shown_[edit] = text;
    const QString shown = QString::fromStdString(text);
    if (shown.size() > edit->maxLength())
        edit->setMaxLength(static_cast<int>(std::min<qsizetype>(shown.size(), std::numeric_limits<int>::max())));
    edit->setText(shown);
}

std::string CEditTexts::Read(const QLineEdit *edit) const
{
    const QString text = edit->text();
    const auto it = shown_.find(edit);
    if (it != shown_.end() && text == QString::fromStdString(it->second))
        return it->second;
    return text.toStdString();
}

} // namespace tw
