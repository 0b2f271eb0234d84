#pragma once

#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace tw {

class CClientRecord;

// Draws pages from..to (1-based, clamped to the printout's pages; 0 for all) of a
// printout on an active painter over a paged device: one kit (fonts and pens) for the
// whole job, a new device page between pages. False when a new page could not be
// started.
bool RenderPrintout(QPainter &painter, QPagedPaintDevice &device, int printType, const CClientRecord &record,
    int fromPage = 0, int toPage = 0);

// The printout's title for a PDF's properties and a default file name's stem.
QString PrintoutTitle(int printType);
QString DefaultPdfFileName(int printType);

// Writes every page of a printout to a letter-size PDF (a quarter-inch margin, so a
// page unit is a thousandth of an inch). The file is replaced only when the whole
// document was written. On failure returns false and `error` says why in plain words.
bool WritePrintoutPdf(int printType, const CClientRecord &record, const QString &path, QString *error);

} // namespace tw
