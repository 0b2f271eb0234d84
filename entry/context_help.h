#pragma once

#include "rules/help_texts.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <vector>

class QDialog;
class QWidget;

namespace tw {

// The help file the screens read: tallowin-help.ini beside the program unless a path
// was set. Setting a path (tests, a portable install) makes the next lookup read it;
// an empty path brings back the default.
QString HelpFilePath();
void SetHelpFilePath(const QString &path);
// The topics of the help file, read once and kept until the path changes.
const CHelpTexts &SharedHelpTexts();

// How a topic is shown: a pop-up at the control. A test installs a sink to read the
// text instead; an empty sink brings the pop-up back.
using HelpPopupSink = std::function<void(QWidget *control, const QString &text)>;
void SetHelpPopupSink(HelpPopupSink sink);
void ShowHelpPopup(QWidget *control, const QString &text);
// A topic as the F1 pop-up shows it: rich text that wraps at blanks only and breaks a
// line only where the topic has a line break.
QString HelpPopupText(const QString &topic);

// Context help of one data-entry screen: F1 on a control, or the right mouse button on
// a control with a topic, shows that control's help. The topics also serve as the
// controls' "What's This?" texts (plain, as screen readers read them), so the caption's
// help button works on them too.
class CContextHelp : public QObject {
    Q_OBJECT
public:
    CContextHelp(QDialog *dialog, int dialogId);

    // Registers a control of the screen's help list under its control id.
    void Add(QWidget *control, int controlId);
    // The text F1 shows for a widget of the screen: its topic, or the fallback text.
    QString TextFor(const QWidget *widget) const;
    // Shows the help of the widget (or of the nearest registered control containing it).
    void ShowFor(QWidget *widget) const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Entry {
        QPointer<QWidget> control;
        int controlId;
    };
    const Entry *Find(const QWidget *widget) const;

    QDialog *dialog_;
    int dialogId_;
    std::vector<Entry> entries_;
};

} // namespace tw
