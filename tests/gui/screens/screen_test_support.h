#pragma once

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace tw::test {

// A temporary document directory that the screens read from while it lives.
class DocumentFolder {
public:
    DocumentFolder();
    ~DocumentFolder();
    DocumentFolder(const DocumentFolder &) = delete;
    DocumentFolder &operator=(const DocumentFolder &) = delete;

    // Writes |name| as a small rich-text document holding |text| in one paragraph.
    void Write(const QString &name, const QString &text);
    void Remove(const QString &name);

private:
    QTemporaryDir dir_;
};

// A one-paragraph RTF document; |text| is plain ASCII, braces and backslashes escaped.
QByteArray SimpleRtf(const QString &text);

} // namespace tw::test

#include <QApplication>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace tw::test {

// Runs |act| on the next modal dialog of type T once its exec() is running; gives up
// (leaving the dialog to the test's own checks) after about two seconds.
template <typename T>
void WhenModal(std::function<void(T *)> act, int triesLeft = 200)
{
    QTimer::singleShot(10, [act, triesLeft] {
        if (auto *d = qobject_cast<T *>(QApplication::activeModalWidget()); d && d->isVisible()) {
            act(d);
            return;
        }
        if (triesLeft > 0)
            WhenModal<T>(act, triesLeft - 1);
    });
}

} // namespace tw::test
