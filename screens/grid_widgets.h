#pragma once

// What the grid's windows share: the balance chart on screen, the print preview, the
// file name asked for an export, and the private CSV file.

#include "print/grid_chart.h"
#include "print/print_job.h"

#include <QString>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>

class QPrinter;

namespace tw {

// The balance chart, drawn by the routine the printouts use.
class CBalanceChartView : public QWidget {
public:
    explicit CBalanceChartView(QWidget *parent, const QString &accessibleName);
    void SetData(BalanceChartData data);
    const BalanceChartData &Data() const { return data_; }

protected:
    void paintEvent(QPaintEvent *) override;

private:
    BalanceChartData data_;
};

// Opens the print preview of a printout on `printer`, or on a letter-size printer of
// its own kept in `own` when there is none; a failed job is said in a message. The
// preview has every preview's shape; its Save as PDF calls `saveAsPdf` with the preview
// as the parent of what it asks.
void OpenGridPrintPreview(QWidget *parent, QPrinter *printer, std::unique_ptr<QPrinter> &own,
    const PrinterPagesFunction &drawPages, const std::function<void(QWidget *preview)> &saveAsPdf);

// A file name from the save dialog, with `suffix` added when the user typed none; ""
// when cancelled.
QString AskGridFileName(
    QWidget *parent, const QString &title, const QString &name, const QString &filter, const char *suffix);

// Writes `bytes` to `path` by the profile's safe replacement (readable by the owner
// only); false, with the reason in a message, when it fails.
bool WriteGridFile(QWidget *parent, const QString &path, const std::string &bytes);

} // namespace tw
