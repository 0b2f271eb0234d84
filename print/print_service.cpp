#include "print/print_service.h"

#include "print/print_job.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QMessageBox>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QPushButton>
#include <QToolBar>

namespace tw {

CPrintService::CPrintService(QWidget *parent)
    : parent_(parent)
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
    dialog.setWindowTitle(QStringLiteral("Tallowin - Print Preview"));

    // Every rendering, for the screen or for the printer, is one job with its own kit.
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *printer) {
        // Printing to a file (the print dialog offers PDF) makes a copy of the account
        // numbers as well; it must be as private as Save as PDF makes it.
        if (printer->outputFormat() == QPrinter::PdfFormat && !printer->outputFileName().isEmpty()) {
            QString error;
            if (!PreparePrivatePdfOutput(printer->outputFileName(), &error)) {
                ShowError(&dialog, error);
                return;
            }
        }
        QPainter painter;
        if (!painter.begin(printer))
            return;
        int from = 0;
        int to = 0;
        if (printer->printRange() == QPrinter::PageRange) {
            from = printer->fromPage();
            to = printer->toPage();
        }
        RenderPrintout(painter, *printer, printType, record, from, to);
        painter.end();
    });

    // One page at a time, as the program has always shown its printouts.
    if (auto *view = dialog.findChild<QPrintPreviewWidget *>())
        view->setViewMode(QPrintPreviewWidget::SinglePageView);

    if (auto *toolBar = dialog.findChild<QToolBar *>()) {
        toolBar->addSeparator();
        QAction *save = toolBar->addAction(QStringLiteral("Save as PDF..."));
        save->setObjectName(QStringLiteral("saveAsPdfAction"));
        save->setToolTip(QStringLiteral("Save this printout as a PDF file"));
        QObject::connect(save, &QAction::triggered, &dialog, [&, printType] {
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
        });
    }

    dialog.exec();
    return true;
}

bool CPrintService::SaveAsPdf(int printType, const CClientRecord &record, const QString &path, QString *error)
{
    return WritePrintoutPdf(printType, record, path, error);
}

} // namespace tw
