#include "print/print_job.h"

#include "print/print_dispatch.h"
#include "print/print_kit.h"
#include "print/print_types.h"
#include "record/client_record.h"
#include "record/profile_store.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QStringList>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <tuple>
#include <unistd.h>

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

bool WritePrivatePdf(const QString &path, const QString &title, const PdfPagesFunction &drawPages, QString *error,
    LinkAtEnd link, QPagedPaintDevice::PdfVersion version)
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

    // The document is made in memory and handed to the same private, atomic replacement
    // the profile uses: QSaveFile would create it with the umask's mode (0644 as a rule),
    // readable by every user although it carries account numbers.
    QByteArray bytes;
    {
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        QPdfWriter writer(&buffer);
        writer.setResolution(kPdfResolution);
        writer.setPdfVersion(version);
        writer.setTitle(title);
        writer.setCreator(QStringLiteral("Tallowin"));
        writer.setPageLayout(QPageLayout(
            QPageSize(QPageSize::Letter), QPageLayout::Portrait, QMarginsF(0.25, 0.25, 0.25, 0.25), QPageLayout::Inch));
        QPainter painter;
        if (!painter.begin(&writer))
            return fail(QStringLiteral("the PDF output could not be started"));
        const bool drawn = drawPages(painter, writer);
        painter.end();
        if (!drawn)
            return fail(QStringLiteral("a page could not be started"));
    }
    const FileReplacement done = ReplacePrivateFile(*PosixProfileFileSystem(), QFile::encodeName(path).toStdString(),
        std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())), false, link);
    // A file that is in place but perhaps not yet on the disk is written: it can be
    // printed again at any time, unlike a profile.
    if (done.outcome == FileReplacement::kNotReplaced)
        return fail(QString::fromStdString(done.reason));
    return true;
}

bool PaintPrinterJob(QPrinter &printer, const PrinterPagesFunction &drawPages, QString *error)
{
    if (printer.outputFormat() == QPrinter::PdfFormat && !printer.outputFileName().isEmpty()
        && !PreparePrivatePdfOutput(printer.outputFileName(), error))
        return false;
    QPainter painter;
    if (!painter.begin(&printer))
        return true; // Qt has already told the user why the printer could not start
    int from = 0;
    int to = 0;
    if (printer.printRange() == QPrinter::PageRange) {
        from = printer.fromPage();
        to = printer.toPage();
    }
    drawPages(painter, printer, from, to);
    painter.end();
    return true;
}

bool PreparePrivatePdfOutput(const QString &path, QString *error)
{
    const std::string name = QFile::encodeName(path).toStdString();
    const SaveTarget target = ResolveSaveTarget(name);
    const auto fail = [&](const std::string &reason) {
        if (error)
            *error = CannotWrite(path, QString::fromStdString(reason));
        return false;
    };
    if (!target.refusal.empty())
        return fail(target.refusal);
    if (target.error != 0)
        return fail(DescribeFileError(target.error));
    const int fd = ::openat(
        target.folder.Get(), target.name.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd < 0)
        return fail(DescribeFileError(errno));
    const int modeError = ::fchmod(fd, S_IRUSR | S_IWUSR) == 0 ? 0 : errno;
    ::close(fd);
    return modeError == 0 || fail(DescribeFileError(modeError));
}

QPagedPaintDevice::PdfVersion PdfVersionFor(int printType)
{
    return printType == kPrintEnrollment ? QPagedPaintDevice::PdfVersion_A1b : QPagedPaintDevice::PdfVersion_1_4;
}

QString PdfDocumentTitle(int printType, const CClientRecord &record)
{
    QString title = PrintoutTitle(printType);
    if (printType != kPrintEnrollment)
        return title;
    QStringList names;
    for (const auto &[first, initial, last] : {std::tie(record.FirstName1, record.MI1, record.LastName1),
             std::tie(record.FirstName2, record.MI2, record.LastName2)}) {
        QStringList parts;
        for (const std::string *part : {&first, &initial, &last})
            if (!part->empty())
                parts << QString::fromStdString(*part);
        if (!parts.isEmpty())
            names << parts.join(QLatin1Char(' '));
    }
    if (!names.isEmpty())
        title += QStringLiteral(" - ") + names.join(QStringLiteral(" and "));
    if (!record.Analysis.CurrentDate.empty())
        title += QStringLiteral(" - ") + QString::fromStdString(record.Analysis.CurrentDate);
    return title;
}

bool WritePrintoutPdf(int printType, const CClientRecord &record, const QString &path, QString *error, LinkAtEnd link)
{
    return WritePrivatePdf(
        path, PdfDocumentTitle(printType, record),
        [&](QPainter &painter, QPagedPaintDevice &device) {
            return RenderPrintout(painter, device, printType, record);
        },
        error, link, PdfVersionFor(printType));
}

} // namespace tw
