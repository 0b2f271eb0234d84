#include "print/debit_export_actions.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>

namespace tw {

bool SaveDebitExportAs(QWidget *parent, DebitExport kind, const CClientRecord &record, const std::string &profilePath,
    const ExportMessageHandler &say)
{
    const bool calendar = kind == DebitExport::Calendar;
    const QString suffix = calendar ? QStringLiteral("ics") : QStringLiteral("csv");
    QFileDialog files(parent, calendar ? QStringLiteral("Save Debit Dates to Calendar") : QStringLiteral("Save as CSV"),
        QDir::homePath(), calendar ? QStringLiteral("Calendar files (*.ics)") : QStringLiteral("CSV files (*.csv)"));
    files.setObjectName(calendar ? QStringLiteral("saveCalendarFileDialog") : QStringLiteral("saveCsvFileDialog"));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(suffix);
    files.selectFile(QString::fromLatin1(DefaultDebitExportName(kind)));
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return false;
    QString path = files.selectedFiles().constFirst();
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    const std::string problem = SaveDebitExport(kind, record, QFile::encodeName(path).toStdString(), profilePath);
    if (problem.empty())
        return true;
    say(parent, QString::fromStdString(problem));
    return false;
}

std::vector<PreviewButton> DebitExportButtons(
    QWidget *preview, const CClientRecord &record, const std::string &profilePath, ExportMessageHandler say)
{
    const auto button = [&](DebitExport kind, const QString &text, const QString &name, const QString &tip) {
        return PreviewButton {text, name, tip,
            [preview, kind, &record, profilePath, say] { SaveDebitExportAs(preview, kind, record, profilePath, say); }};
    };
    return {button(DebitExport::Calendar, QStringLiteral("Save to Ca&lendar..."), QStringLiteral("saveCalendarAction"),
                QStringLiteral("Save the debit dates as a calendar file, with a reminder before each debit")),
        button(DebitExport::Csv, QStringLiteral("Save as C&SV..."), QStringLiteral("saveCsvAction"),
            QStringLiteral("Save the schedule of debits as a CSV file for a spreadsheet"))};
}

} // namespace tw
