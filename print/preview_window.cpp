#include "print/preview_window.h"

#include <QAction>
#include <QBoxLayout>
#include <QComboBox>
#include <QGraphicsView>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QScreen>
#include <QToolBar>

namespace tw {

namespace {

// The preview's own Print action, which asks for the printer and prints.
QAction *PrintAction(QToolBar *toolBar)
{
    for (QAction *action : toolBar->actions())
        if (action->text().remove(QLatin1Char('&')) == QLatin1String("Print"))
            return action;
    return nullptr;
}

QPushButton *ActionButton(QWidget *parent, const QString &text, const char *objectName, QAction *action)
{
    auto *button = new QPushButton(text, parent);
    button->setObjectName(QString::fromLatin1(objectName));
    button->setToolTip(action->toolTip());
    // Enter in the page number or zoom field must not print.
    button->setAutoDefault(false);
    QObject::connect(button, &QPushButton::clicked, action, &QAction::trigger);
    QObject::connect(action, &QAction::changed, button, [button, action] { button->setEnabled(action->isEnabled()); });
    return button;
}

void NameControls(QPrintPreviewDialog &dialog, QPrintPreviewWidget *view)
{
    for (QComboBox *zoom : dialog.findChildren<QComboBox *>()) {
        zoom->setAccessibleName(QStringLiteral("Zoom"));
        if (QLineEdit *edit = zoom->lineEdit())
            edit->setAccessibleName(QStringLiteral("Zoom"));
    }
    for (QLineEdit *edit : dialog.findChildren<QLineEdit *>())
        if (edit->accessibleName().isEmpty())
            edit->setAccessibleName(QStringLiteral("Page number"));
    if (view) {
        // The page view inside takes the focus; the frame around it is no stop of its own.
        view->setFocusPolicy(Qt::NoFocus);
        if (auto *pages = view->findChild<QGraphicsView *>()) {
            pages->setAccessibleName(QStringLiteral("Page"));
            pages->setFocus(Qt::OtherFocusReason);
        }
    }
}

} // namespace

void SetUpPreviewWindow(
    QPrintPreviewDialog &dialog, std::function<void()> saveAsPdf, const std::vector<PreviewButton> &extra)
{
    dialog.setWindowTitle(QStringLiteral("Tallowin - Print Preview"));
    auto *view = dialog.findChild<QPrintPreviewWidget *>();
    // One page at a time, as the program has always shown its printouts.
    if (view)
        view->setViewMode(QPrintPreviewWidget::SinglePageView);

    auto *save = new QAction(QStringLiteral("Save as PDF..."), &dialog);
    save->setObjectName(QStringLiteral("saveAsPdfAction"));
    save->setToolTip(QStringLiteral("Save this printout as a PDF file"));
    QObject::connect(save, &QAction::triggered, &dialog, [saveAsPdf = std::move(saveAsPdf)] { saveAsPdf(); });

    auto *row = new QWidget(&dialog);
    row->setObjectName(QStringLiteral("previewButtons"));
    auto *buttons = new QHBoxLayout(row);
    buttons->addStretch(1);
    for (const PreviewButton &b : extra) {
        auto *action = new QAction(b.text, &dialog);
        action->setObjectName(b.name);
        action->setToolTip(b.toolTip);
        QObject::connect(action, &QAction::triggered, &dialog, b.act);
        buttons->addWidget(ActionButton(row, b.text, b.name.toLatin1().constData(), action));
    }
    if (auto *toolBar = dialog.findChild<QToolBar *>()) {
        if (QAction *print = PrintAction(toolBar)) {
            print->setObjectName(QStringLiteral("printAction"));
            toolBar->removeAction(print);
            buttons->addWidget(ActionButton(row, QStringLiteral("&Print..."), "printButton", print));
        }
    }
    buttons->addWidget(ActionButton(row, QStringLiteral("Save as P&DF..."), "saveAsPdfButton", save));
    if (auto *layout = qobject_cast<QBoxLayout *>(dialog.layout()))
        layout->addWidget(row);
    NameControls(dialog, view);

    const QWidget *parent = dialog.parentWidget();
    const QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    const QSize wanted = kPreviewMinimumSize.expandedTo(dialog.sizeHint());
    const QSize room = screen ? screen->availableGeometry().size() : wanted;
    if (room.width() < wanted.width() || room.height() < wanted.height()) {
        // The size too, for window managers that do not maximize a dialog.
        dialog.resize(room);
        dialog.setWindowState(dialog.windowState() | Qt::WindowMaximized);
    } else {
        dialog.resize(wanted);
    }
}

} // namespace tw
