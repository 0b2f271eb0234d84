#include "print/print_service.h"

#include "print/debit_export_actions.h"
#include "print/preview_window.h"
#include "print/print_job.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>

namespace tw {

CPrintService::CPrintService(QWidget *parent, std::string profilePath)
    : profilePath_(std::move(profilePath))
    , parent_(parent)
    , printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
    printer_->setPageSize(QPageSize(QPageSize::Letter));
    printer_->setPageOrientation(QPageLayout::Portrait);
}

CPrintService::~CPrintService() = default;

void CPrintService::SetMessageHandler(MessageHandler handler)
{
    messageHandler_ = std::move(handler);
}

void CPrintService::ShowError(QWidget *parent, const QString &text) const
{
    if (messageHandler_) {
        messageHandler_(parent, text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Tallowin"), text, QMessageBox::Ok, parent);
    box.exec();
}

bool CPrintService::PrintSetup()
{
    // The print dialog chooses the printer, and its options the paper and orientation;
    // here it only sets them up for the next printout, so its button must not say Print.
    QPrintDialog dialog(printer_.get(), parent_);
    dialog.setObjectName(QStringLiteral("printSetupDialog"));
    dialog.setWindowTitle(QStringLiteral("Print Setup"));
    dialog.setOptions(QAbstractPrintDialog::PrintShowPageSize);
    if (auto *buttons = dialog.findChild<QDialogButtonBox *>())
        if (QPushButton *ok = buttons->button(QDialogButtonBox::Ok))
            ok->setText(QStringLiteral("OK"));
    return dialog.exec() == QDialog::Accepted;
}

bool CPrintService::Preview(int printType, const CClientRecord &record)
{
    QPrintPreviewDialog dialog(printer_.get(), parent_);
    dialog.setObjectName(QStringLiteral("printPreviewDialog"));

    // Every rendering, for the screen or for the printer, is one job with its own kit.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *printer) {
        const auto draw = [&](QPainter &painter, QPrinter &device, int from, int to) {
            RenderPrintout(painter, device, printType, record, from, to);
        };
        if (QString error; !PaintPrinterJob(*printer, draw, &error))
            ShowError(&dialog, error);
    });

    SetUpPreviewWindow(
        dialog,
        [&, printType] {
            QFileDialog files(
                &dialog, QStringLiteral("Save as PDF"), QDir::homePath(), QStringLiteral("PDF files (*.pdf)"));
            files.setObjectName(QStringLiteral("savePdfFileDialog"));
            files.setAcceptMode(QFileDialog::AcceptSave);
            files.setDefaultSuffix(QStringLiteral("pdf"));
            files.selectFile(DefaultPdfFileName(printType));
            if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
                return;
            QString path = files.selectedFiles().constFirst();
            if (!path.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive))
                path += QStringLiteral(".pdf");
            QString error;
            if (!SaveAsPdf(printType, record, path, &error))
                ShowError(&dialog, error);
        },
        printType == kPrintDebitSchedule ? DebitExportButtons(
            &dialog, record, profilePath_, [this](QWidget *p, const QString &t) { ShowError(p, t); })
                                         : std::vector<PreviewButton> {});

    dialog.exec();
    return true;
}

bool CPrintService::SaveAsPdf(int printType, const CClientRecord &record, const QString &path, QString *error)
{
    return WritePrintoutPdf(printType, record, path, error);
}

} // namespace tw
