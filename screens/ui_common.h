#pragma once

#include <QPixmap>
#include <QSize>
#include <QString>

#include <functional>

class QWidget;
class QFont;

namespace tw {

// The one way the program shows a message: a modal box with the caption "Tallowin"
// and an OK button. A test installs a sink to read the text instead of a box.
void ShowMessage(QWidget *parent, const QString &text);
using MessageSink = std::function<void(const QString &text)>;
void SetMessageSink(MessageSink sink); // an empty sink brings the box back

// Dialog units (the layout unit of the screens' templates) to pixels for a font:
// x units are a quarter of the average character width, y units an eighth of the height.
QSize DialogUnitsToPixels(const QFont &font, int widthUnits, int heightUnits);

// Sizes a window when it is first shown: the size its content needs, never less than
// `minimum` (its size in dialog units), and never more than the screen it opens on. On a
// small screen or at a large scale the content scrolls instead of running off the screen.
// A `fixed` window keeps the size it gets, unless it had to shrink to the screen.
void FitWindowToScreen(QWidget *window, QSize minimum, bool fixed = false);

// The room a window's client area has on the screen it opens on, less its title bar.
QSize ScreenRoom(const QWidget *window);

// The program's pictures: the 48 x 48 logo and the 295 x 180 introduction picture.
QPixmap LogoPixmap();
QPixmap IntroPixmap();
// The application icon, 256 x 256, the logo's motif.
QPixmap AppIconPixmap();

} // namespace tw
