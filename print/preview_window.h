#pragma once

#include <QSize>

#include <QString>

#include <functional>
#include <vector>

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
// A printout may bring buttons of its own, shown in the same row before Print.
struct PreviewButton {
    QString text; // with its Alt letter
    QString name; // object name of its action
    QString toolTip;
    std::function<void()> act;
};
void SetUpPreviewWindow(
    QPrintPreviewDialog &dialog, std::function<void()> saveAsPdf, const std::vector<PreviewButton> &extra = {});

} // namespace tw
