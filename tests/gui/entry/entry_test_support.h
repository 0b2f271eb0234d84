#pragma once

#include "entry/context_help.h"
#include "record/client_record.h"
#include "record/profile_store.h"
#include "screens/ui_common.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace tw::test {

// Every message the screens show, instead of a box.
class MessageLog {
public:
    MessageLog()
    {
        SetMessageSink([this](const QString &text) { texts << text; });
    }
    ~MessageLog() { SetMessageSink({}); }
    MessageLog(const MessageLog &) = delete;
    MessageLog &operator=(const MessageLog &) = delete;

    QStringList texts;
};

// Answers every yes/no question the screens ask with `answer`, and keeps the questions.
class QuestionLog {
public:
    explicit QuestionLog(bool answer)
    {
        SetQuestionSink([this, answer](const QString &text) {
            texts << text;
            return answer;
        });
    }
    ~QuestionLog() { SetQuestionSink({}); }
    QuestionLog(const QuestionLog &) = delete;
    QuestionLog &operator=(const QuestionLog &) = delete;

    QStringList texts;
};

// A scratch folder for one test: the profile lives here, and HOME and the config
// folders point here too, so nothing can reach the real user's settings.
class Sandbox {
public:
    Sandbox()
    {
        qputenv("HOME", dir.path().toUtf8());
        qputenv("XDG_CONFIG_HOME", dir.filePath(QStringLiteral("config")).toUtf8());
        qputenv("TALLOWIN_PROFILE", ProfilePath().toUtf8());
    }
    QString ProfilePath() const { return dir.filePath(QStringLiteral("tallowin.ini")); }
    // A profile that cannot be saved: its folder is an ordinary file (this refuses even
    // a user who may write anywhere).
    QString UnwritableProfilePath() const
    {
        QFile blocker(dir.filePath(QStringLiteral("not-a-folder")));
        if (blocker.open(QIODevice::WriteOnly))
            blocker.write("x");
        return dir.filePath(QStringLiteral("not-a-folder/tallowin.ini"));
    }
    bool ProfileExists() const { return QFile::exists(ProfilePath()); }

    QTemporaryDir dir;
};

inline std::unique_ptr<CClientRecord> LoadRecord(const QString &path)
{
    auto record = std::make_unique<CClientRecord>();
    CProfileStore store(path.toStdString());
    record->LoadFromProfile(store);
    return record;
}

inline QLineEdit *Edit(QWidget *dialog, const char *name)
{
    auto *edit = dialog->findChild<QLineEdit *>(QString::fromLatin1(name));
    if (!edit)
        qFatal("no edit %s", name);
    return edit;
}

inline void Type(QWidget *dialog, const char *name, const QString &text)
{
    Edit(dialog, name)->setText(text);
}

inline void Click(QWidget *dialog, const char *buttonName)
{
    auto *button = dialog->findChild<QPushButton *>(QString::fromLatin1(buttonName));
    if (!button)
        qFatal("no button %s", buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

// Shows the dialog as the wizard would, so that focus and clicks behave as on screen.
inline bool Open(QDialog &dialog)
{
    dialog.show();
    return QTest::qWaitForWindowExposed(&dialog);
}

inline void PressCloseButton(QDialog &dialog)
{
    QCloseEvent event;
    QApplication::sendEvent(&dialog, &event);
}

// Leaves a dialog by Escape or by its window's close button.
inline void EscapeOrClose(QDialog &dialog, bool escape)
{
    if (escape)
        QTest::keyClick(&dialog, Qt::Key_Escape);
    else
        PressCloseButton(dialog);
}

inline QString FocusName(QWidget *dialog)
{
    QWidget *focus = dialog->focusWidget();
    return focus ? focus->objectName() : QString();
}

inline QString Q(const std::string &s)
{
    return QString::fromStdString(s);
}

} // namespace tw::test
