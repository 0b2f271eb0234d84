#pragma once

#include <QString>

#include <memory>

class QPrinter;
class QWidget;

namespace tw {

class CClientRecord;

// What the next print or preview produces; any other value prints an error page.
enum PrintType : int {
    kPrintNone = -1,
    kPrintEnrollment = 1,
    kPrintAnalysisLetter = 2,
    kPrintDebitSchedule = 3,
};

// Printing for the main window: keeps the printer and page the user chose between
// jobs, and runs the print preview, Print Setup and PDF output of a printout.
class CPrintService {
public:
    explicit CPrintService(QWidget *parent);
    ~CPrintService();

    // "P&rint Setup...": lets the user choose the printer and page; false when cancelled.
    bool PrintSetup();
    // Opens the print preview of every page of the printout; prints from it when the
    // user asks. False when the preview could not be opened.
    bool Preview(int printType, const CClientRecord &record);
    // Writes the printout as a PDF file; on failure `error` says why in plain words.
    bool SaveAsPdf(int printType, const CClientRecord &record, const QString &path, QString *error);

private:
    QWidget *parent_;
    std::unique_ptr<QPrinter> printer_;
};

} // namespace tw
