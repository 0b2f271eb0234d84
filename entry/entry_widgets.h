#pragma once

#include <QString>

#include <string>
#include <unordered_map>
#include <vector>

class QDialog;
class QGroupBox;
class QLabel;
class QLayout;
class QLineEdit;
class QPushButton;
class QWidget;

namespace tw {
class CClientRecord;
class CProfileStore;
} // namespace tw

namespace tw {

// Building blocks shared by the data-entry screens.

// The most characters a user can type or paste into a field. Far beyond any name,
// address, phone, account number (an IBAN has at most 34) or amount, so nothing real is
// ever cut, yet a pasted page of text cannot become a field that slows every screen and
// printout holding it. A longer text stored in an older profile is still shown and kept
// whole (see CEditTexts::Show).
inline constexpr int kMaxFieldLength = 255;

// A one-line edit that takes up to kMaxFieldLength characters (a pasted line break
// becomes a blank), named for tests and tagged with its control id.
QLineEdit *MakeEdit(QWidget *parent, const char *objectName, int controlId);
// Keeps an edit wide enough to show a text like `sample` (a date, an amount) whole.
void SetMinimumText(QLineEdit *edit, const QString &sample);
// The margins of a group box's layout, a little tighter than the style's default so the
// screens keep the size of their templates.
void SetBoxMargins(QLayout *layout);
// A group box that a screen reader announces by its own title: by default a box inside
// another box is read out under the outer box's title.
QGroupBox *MakeGroupBox(QWidget *parent, const QString &title);
// A label; `wrap` for texts that may need more than one line.
QLabel *MakeLabel(QWidget *parent, const QString &text, bool wrap = false);
// The label of a field: the "&" in its text marks the letter that, with Alt, moves the
// focus to the field.
QLabel *MakeFieldLabel(QWidget *parent, const QString &text, QWidget *field);
QPushButton *MakeButton(QWidget *parent, const QString &text, const char *objectName, int controlId);
// The program's logo, at its own size, for the lower left corner.
QLabel *MakeLogo(QWidget *parent);
// The bottom row: the logo at the left, the buttons at the right.
QLayout *MakeButtonRow(QWidget *parent, QPushButton *back, QPushButton *forward);

// Caption, size (in dialog units, but never smaller than what the contents need) and
// the common window flags of a data-entry screen.
void FinishEntryDialog(QDialog *dialog, int widthUnits, int heightUnits);

// The sign-up screens' close button and Escape: asks whether to end the demonstration;
// true when the user says so.
inline constexpr const char *kEndDemonstrationQuestion = "End the demonstration? What you typed here is kept.";
bool ConfirmEndDemonstration(QWidget *screen);

// Moves the keyboard focus to a field that failed its check, selecting its text so the
// user can type over it.
void FocusField(QWidget *field);

// The texts a screen put into its edits, so that an edit the user left alone gives back
// the record's text byte for byte (a text that is not valid UTF-8, say from an old
// profile, would otherwise come back changed by the round trip through QString). A
// stored text longer than the edit's limit lifts the limit to its length: cutting it on
// the way into the edit would lose data the user never touched.
// Saves the record to the screen's profile, when it has one. A failed save is told to the
// user and gives false: the screen stays open with everything typed, for another try.
bool SaveRecordOrSay(QWidget *screen, const CClientRecord &record, CProfileStore *profile);

class CEditTexts {
public:
    void Show(QLineEdit *edit, const std::string &text);
    std::string Read(const QLineEdit *edit) const;

private:
    std::unordered_map<const QLineEdit *, std::string> shown_;
};

// The edits of a screen's form: which field of the form each one holds, under which
// field id (its control id) the checks name it.
template <typename Form, typename FieldId>
class CFormEdits {
public:
    QLineEdit *Add(QWidget *parent, FieldId id, std::string Form::*member, const char *objectName)
    {
        QLineEdit *edit = MakeEdit(parent, objectName, static_cast<int>(id));
        fields_.push_back({id, member, edit});
        return edit;
    }

    void Show(const Form &form)
    {
        for (const Field &f : fields_)
            texts_.Show(f.edit, form.*f.member);
    }

    void Read(Form &form) const
    {
        for (const Field &f : fields_)
            form.*f.member = texts_.Read(f.edit);
    }

    QLineEdit *Control(FieldId id) const
    {
        for (const Field &f : fields_)
            if (f.id == id)
                return f.edit;
        return nullptr;
    }

private:
    struct Field {
        FieldId id;
        std::string Form::*member;
        QLineEdit *edit;
    };
    std::vector<Field> fields_;
    CEditTexts texts_;
};

} // namespace tw
