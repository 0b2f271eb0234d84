#include "print/print_job.h"

#include "print/print_dispatch.h"
#include "print/print_kit.h"
#include "print/print_types.h"

#include <QDir>
#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

#include <algorithm>

namespace tw {

namespace {

constexpr int kPdfResolution = 1200;

QString CannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("The PDF file \"%1\" could not be written: %2.").arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

bool RenderPrintout(
    QPainter &painter, QPagedPaintDevice &device, int printType, const CClientRecord &record, int fromPage, int toPage)
{
    CPrintKit kit(painter);
    const int pages = PrintPageCount(kit, printType, record);
    const int first = fromPage > 0 ? std::min(fromPage, pages) : 1;
    const int last = toPage > 0 ? std::clamp(toPage, first, pages) : pages;

    for (int page = first; page <= last; ++page) {
        if (page > first && !device.newPage())
            return false;
        painter.save();
        kit.PreparePrintDC(GeometryOf(device));
        DrawPrintPage(kit, printType, page, record);
        painter.restore();
    }
    return true;
}

QString PrintoutTitle(int printType)
{
    switch (printType) {
    case kPrintEnrollment:
        return QStringLiteral("Enrollment Form and Agreement");
    case kPrintAnalysisLetter:
        return QStringLiteral("Analysis Letter");
    case kPrintDebitSchedule:
        return QStringLiteral("Bi-Weekly Debit Dates");
    default:
        return QStringLiteral("Tallowin Printout");
    }
}

QString DefaultPdfFileName(int printType)
{
    switch (printType) {
    case kPrintEnrollment:
        return QStringLiteral("enrollment.pdf");
    case kPrintAnalysisLetter:
        return QStringLiteral("analysis-letter.pdf");
    case kPrintDebitSchedule:
        return QStringLiteral("debit-schedule.pdf");
    default:
        return QStringLiteral("printout.pdf");
    }
}

bool WritePrintoutPdf(int printType, const CClientRecord &record, const QString &path, QString *error)
{
    auto fail = [&](const QString &reason) {
        if (error)
            *error = CannotWrite(path, reason);
        return false;
    };
    if (path.isEmpty()) {
        if (error)
            *error = QStringLiteral("No file name was given for the PDF file.");
        return false;
    }
    if (QFileInfo(path).isDir())
        return fail(QStringLiteral("it is a folder"));

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(kPdfResolution);
        writer.setTitle(PrintoutTitle(printType));
        writer.setCreator(QStringLiteral("Tallowin"));
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
        QPainter painter;
        if (!painter.begin(&writer)) {
            file.cancelWriting();
            return fail(QStringLiteral("the PDF output could not be started"));
        }
        const bool drawn = RenderPrintout(painter, writer, printType, record);
        painter.end();
        if (!drawn) {
            file.cancelWriting();
            return fail(QStringLiteral("a page could not be started"));
        }
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace tw
