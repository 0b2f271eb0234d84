#pragma once

#include <QSize>

#include <functional>

class QPrintPreviewDialog;
class QWidget;

namespace tw {

// The size below which a preview takes the whole screen: enough for a letter page beside
// the preview's toolbar.
inline constexpr QSize kPreviewMinimumSize {1000, 800};

// Gives a print preview the one shape every preview of the program has: one page at a
// time; Print and Save as PDF as buttons under the page, where no toolbar overflow can
// hide them at any width or scale; the preview's own controls named for screen readers;
// maximized on a screen smaller than kPreviewMinimumSize, at least that size otherwise.
// `saveAsPdf` is what Save as PDF does.
void SetUpPreviewWindow(QPrintPreviewDialog &dialog, std::function<void()> saveAsPdf);

} // namespace tw
