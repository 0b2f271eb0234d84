#pragma once

#include <QString>

class QDialog;
class QLabel;
class QPushButton;
class QWidget;

namespace tw {

// What every demonstration screen shares: the caption "Tallowin", a size given in
// dialog units of the screen's font, no context-help button.
void SetUpScreen(QDialog *dialog, int widthUnits, int heightUnits);

// The logo that stands at the bottom left of the screens.
QLabel *MakeLogoLabel(QWidget *parent);

// A push button with its object name (what tests and the screenshot script look for)
// and, when it has one, its control id as the property "controlId".
QPushButton *MakeButton(const QString &text, const char *objectName, QWidget *parent, int controlId = 0);

// The margins and gaps of the screens, in pixels of the dialog's font.
int MarginPixels(const QWidget *dialog);
int GapPixels(const QWidget *dialog);

} // namespace tw
