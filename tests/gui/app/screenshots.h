#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace tw {

// Shows every window of the program in turn, filled for a sample client (the screens, the
// grid, the print previews) and hands each to `visit` under its picture's name.
using ScreenVisitor = std::function<void(QWidget *window, const QString &name)>;
void VisitEveryScreen(const ScreenVisitor &visit);

} // namespace tw
