#pragma once

#include "record/profile_file_system.h"

#include <QPagedPaintDevice>
#include <QString>

#include <functional>

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
// `version` PdfVersion_A1b makes an archival PDF/A-1b: fonts embedded, XMP metadata with
// the title and the date of writing, no transparency.
bool WritePrivatePdf(const QString &path, const QString &title, const PdfPagesFunction &drawPages, QString *error,
    LinkAtEnd link = LinkAtEnd::Follow, QPagedPaintDevice::PdfVersion version = QPagedPaintDevice::PdfVersion_1_4);

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

// The signed enrollment package is kept for years: its PDF is PDF/A-1b, titled with the
// client's names and the enrollment date so that the archive's metadata says whose
// agreement it is and from when. The other printouts are working copies, made again
// from the profile whenever they are needed, and stay plain PDF.
QPagedPaintDevice::PdfVersion PdfVersionFor(int printType);
QString PdfDocumentTitle(int printType, const CClientRecord &record);

// Every page of a printout, through WritePrivatePdf.
bool WritePrintoutPdf(int printType, const CClientRecord &record, const QString &path, QString *error,
    LinkAtEnd link = LinkAtEnd::Follow);

} // namespace tw
