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

// A question with Yes and No (No the default, so a stray Enter changes nothing); true
// for Yes. A test installs a sink that answers instead of a box.
bool AskYesNo(QWidget *parent, const QString &text);
using QuestionSink = std::function<bool(const QString &text)>;
void SetQuestionSink(QuestionSink sink); // an empty sink brings the box back

// Dialog units (the layout unit of the screens' templates) to pixels for a font:
// x units are a quarter of the average character width, y units an eighth of the height.
QSize DialogUnitsToPixels(const QFont &font, int widthUnits, int heightUnits);

// Sizes a window when it is first shown: the size its content needs, never less than
// `minimum` (its size in dialog units) where the screen it opens on has the room, and never
// more than that screen. On a small screen or at a large scale texts wrap to the screen's
// width and what is still too tall scrolls up and down, never sideways (unless the
// controls of one line need more than the screen's width). A `fixed` window keeps the size
// it gets, unless it had to shrink to the screen.
void FitWindowToScreen(QWidget *window, QSize minimum, bool fixed = false);

// The room a window's client area has on the screen it opens on, less its title bar.
QSize ScreenRoom(const QWidget *window);

// From now on, whenever a dialog closes and no other dialog takes its place, the window
// under it becomes active again with the keyboard focus on its last focused control (or
// its first). Window managers do not always do it, above all when a dialog and the one
// that opened it close together, and keys would then go nowhere. Installing it twice
// changes nothing.
void GiveFocusBackAfterDialogs();

// The program's pictures: the 48 x 48 logo and the 295 x 180 introduction picture.
QPixmap LogoPixmap();
QPixmap IntroPixmap();
// The application icon, 256 x 256, the logo's motif.
QPixmap AppIconPixmap();

} // namespace tw
