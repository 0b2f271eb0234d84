#pragma once

#include "record/profile_file_system.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;
class QPainter;
class QPrinter;

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

// Draws every page of a document on a painter that is active on a paged device, calling
// newPage() between pages; false when a page could not be started.
using PdfPagesFunction = std::function<bool(QPainter &, QPagedPaintDevice &)>;

// Writes a letter-size PDF (a quarter-inch margin, so a page unit is a thousandth of an
// inch) that only its owner may read, since printouts carry account numbers: the file
// is created 0600 and replaced only when the whole document was made, never written
// through another user's file or link (see ReplacePrivateFile). Every PDF the program
// writes goes through here. On failure returns false and `error` says why in words.
// With LinkAtEnd::Refuse a symbolic link at `path` is refused rather than written through.
bool WritePrivatePdf(const QString &path, const QString &title, const PdfPagesFunction &drawPages, QString *error,
    LinkAtEnd link = LinkAtEnd::Follow);

// For a PDF that Qt itself writes (a printer printing to a file): creates the file, or
// truncates one of this user's, with mode 0600 before anything is written, so that the
// output never passes through a readable state. Refuses, as WritePrivatePdf does,
// another user's file or link and a dangling link.
bool PreparePrivatePdfOutput(const QString &path, QString *error);

// One job of a print preview or print dialog: draws through `drawPages` on the printer,
// over the page range the user chose (0 and 0 for all pages). A PDF file the job prints
// to is made private first, as Save as PDF does; false, with the reason, when it cannot be.
using PrinterPagesFunction = std::function<void(QPainter &, QPrinter &, int fromPage, int toPage)>;
bool PaintPrinterJob(QPrinter &printer, const PrinterPagesFunction &drawPages, QString *error);

// Every page of a printout, through WritePrivatePdf.
bool WritePrintoutPdf(int printType, const CClientRecord &record, const QString &path, QString *error,
    LinkAtEnd link = LinkAtEnd::Follow);

} // namespace tw
