#include "screens/grid_widgets.h"

#include "print/preview_window.h"
#include "record/profile_file_system.h"
#include "record/profile_store.h"
#include "screens/ui_common.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPainter>
#include <QPrintPreviewDialog>
#include <QPrinter>

namespace tw {

CBalanceChartView::CBalanceChartView(QWidget *parent, const QString &accessibleName)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("balanceChart"));
    setAccessibleName(accessibleName);
    setMinimumHeight(fontMetrics().height() * 9);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void CBalanceChartView::SetData(BalanceChartData data)
{
    data_ = std::move(data);
    update();
}

void CBalanceChartView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const int m = fontMetrics().height() / 2;
    DrawBalanceChart(p, QRectF(rect().adjusted(m, m, -m, -m)), data_, font());
}

void OpenGridPrintPreview(QWidget *parent, QPrinter *printer, std::unique_ptr<QPrinter> &own,
    const PrinterPagesFunction &drawPages, const std::function<void(QWidget *preview)> &saveAsPdf)
{
    if (!printer) {
        if (!own) {
            own = std::make_unique<QPrinter>(QPrinter::HighResolution);
            own->setPageSize(QPageSize(QPageSize::Letter));
        }
        printer = own.get();
    }
    QPrintPreviewDialog preview(printer, parent);
    preview.setObjectName(QStringLiteral("gridPrintPreview"));
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview, [&](QPrinter *target) {
        if (QString error; !PaintPrinterJob(*target, drawPages, &error))
            ShowMessage(&preview, error);
    });
    SetUpPreviewWindow(preview, [&] { saveAsPdf(&preview); });
    preview.exec();
}

QString AskGridFileName(
    QWidget *parent, const QString &title, const QString &name, const QString &filter, const char *suffix)
{
    QString path = QFileDialog::getSaveFileName(parent, title, QDir::home().filePath(name), filter);
    if (!path.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += QLatin1String(suffix);
    return path;
}

bool WriteGridFile(QWidget *parent, const QString &path, const std::string &bytes)
{
    if (path.isEmpty()) {
        ShowMessage(parent, QStringLiteral("No file name was given."));
        return false;
    }
    // The same safe replacement as the profile's: the old file stays until the new one is
    // whole, and the client's figures are readable by their owner only.
    const FileReplacement done
        = ReplacePrivateFile(*PosixProfileFileSystem(), QFile::encodeName(path).toStdString(), bytes, false);
    if (done.outcome == FileReplacement::kNotReplaced) {
        ShowMessage(parent,
            QStringLiteral("The file %1 could not be saved: %2.")
                .arg(QDir::toNativeSeparators(path), QString::fromStdString(done.reason)));
        return false;
    }
    return true;
}

} // namespace tw
