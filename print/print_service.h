#pragma once

#include "print/print_types.h"

#include <QString>

#include <functional>
#include <memory>
#include <string>

class QPrinter;
class QWidget;

namespace tw {

class CClientRecord;

// Printing for the main window: keeps the printer and page the user chose between
// jobs, and runs the print preview, Print Setup and PDF output of a printout.
class CPrintService {
public:
    // `profilePath`: the client's profile, which no file saved from a preview may replace.
    explicit CPrintService(QWidget *parent, std::string profilePath = {});
    ~CPrintService();

    // "P&rint Setup...": lets the user choose the paper and page; false when cancelled.
    bool PrintSetup();
    // Opens the print preview of every page of the printout; prints from it when the
    // user asks. False when the preview could not be opened.
    bool Preview(int printType, const CClientRecord &record);
    // Writes the printout as a PDF file; on failure `error` says why in plain words.
    bool SaveAsPdf(int printType, const CClientRecord &record, const QString &path, QString *error);

    // How the preview's Save as PDF reports a failure. The default shows a box with the
    // caption "Tallowin" and an OK button; the application passes its ShowMessage.
    using MessageHandler = std::function<void(QWidget *parent, const QString &text)>;
    void SetMessageHandler(MessageHandler handler);

    // The printer the preview and Print Setup use.
    QPrinter &Printer() { return *printer_; }

private:
    std::string profilePath_;
    void ShowError(QWidget *parent, const QString &text) const;

    QWidget *parent_;
    std::unique_ptr<QPrinter> printer_;
    MessageHandler messageHandler_;
};

} // namespace tw
