#pragma once

#include "screens/ui_common.h"

#include <QApplication>
#include <QPointer>
#include <QStringList>
#include <QTimer>
#include <QWidget>

#include <deque>
#include <functional>

namespace tw::test {

// Collects every message the program shows instead of opening a box.
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

// Answers the modal dialogs a command opens, one handler per dialog in the order they
// appear. A dialog is handled once (a property marks it), so a later dialog at the same
// address is still seen as new. A dialog that turns up when no handler is left, or that
// the handler's check refuses, is noted in `failure` and closed so the test cannot hang.
class ModalScript : public QObject {
public:
    struct Step {
        const char *className; // the dialog's class, e.g. "tw::CSlideDlg"
        std::function<void(QWidget *)> act;
    };

    ModalScript()
    {
        timer_.setInterval(5);
        connect(&timer_, &QTimer::timeout, this, [this] { Poll(); });
        timer_.start();
    }

    void Add(const char *className, std::function<void(QWidget *)> act)
    {
        steps_.push_back({className, std::move(act)});
    }
    bool Done() const { return steps_.empty(); }
    int Remaining() const { return static_cast<int>(steps_.size()); }

    QString failure;
    QStringList handled; // class names, in order

private:
    void Poll()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (!modal || modal->property("twTestHandled").toBool() || !modal->isVisible())
            return;
        modal->setProperty("twTestHandled", true);
        const QString cls = QString::fromLatin1(modal->metaObject()->className());
        if (steps_.empty() || cls != QLatin1String(steps_.front().className)) {
            if (failure.isEmpty())
                failure = QStringLiteral("unexpected %1 (expected %2) after: %3")
                              .arg(cls, steps_.empty() ? QStringLiteral("nothing") : steps_.front().className,
                                  handled.join(QLatin1Char(' ')));
            steps_.clear();
            CloseEverything();
            return;
        }
        Step step = std::move(steps_.front());
        steps_.pop_front();
        handled << cls;
        step.act(modal);
    }

    // Leaves the test with every dialog closed, so that the command returns.
    void CloseEverything()
    {
        QTimer::singleShot(0, this, [this] {
            if (QWidget *m = QApplication::activeModalWidget()) {
                QMetaObject::invokeMethod(m, "reject");
                CloseEverything();
            }
        });
    }

    QTimer timer_;
    std::deque<Step> steps_;
};

} // namespace tw::test
