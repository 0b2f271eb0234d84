#pragma once

#include <QStringList>

class QWidget;

namespace tw {

// What a user would see cut off in a shown window: a child that does not lie inside its
// window, a text that does not fit its control, a control smaller than its style allows,
// or a window larger than the screen it opens on. Each entry names the widget and why.
QStringList LayoutFaults(QWidget *window);

} // namespace tw
