#pragma once

#include <QStringList>

class QWidget;

namespace tw {

// What a user would see cut off in a shown window: a child that does not lie inside its
// window, a text that does not fit its control, a button caption cut at the window's side,
// a control smaller than its style allows, a form or text that needs a horizontal scroll
// bar, or a window larger than the screen it opens on. Each entry names the widget and why.
// A window that may scroll `sideways` may need a horizontal scroll bar and cut captions at
// its side.
QStringList LayoutFaults(QWidget *window, bool sideways = false);

} // namespace tw
