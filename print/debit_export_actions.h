#pragma once

#include "exports/debit_exports.h"
#include "print/preview_window.h"

#include <QString>

#include <functional>
#include <vector>

class QWidget;

namespace tw {

class CClientRecord;

// How a failed save is reported: the parent for the message and its text.
using ExportMessageHandler = std::function<void(QWidget *parent, const QString &text)>;

// Asks where to save the debit dates as a calendar file or the schedule as CSV, then
// writes it from the record's prepared range of debits. False when cancelled or when
// the file could not be written (after `say` told why).
// The file at `profilePath` (the client's profile) is never replaced.
bool SaveDebitExportAs(QWidget *parent, DebitExport kind, const CClientRecord &record, const std::string &profilePath,
    const ExportMessageHandler &say);

// The debit schedule preview's "Save to Calendar..." and "Save as CSV..." buttons.
std::vector<PreviewButton> DebitExportButtons(
    QWidget *preview, const CClientRecord &record, const std::string &profilePath, ExportMessageHandler say);

} // namespace tw
