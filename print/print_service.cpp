#include "print/print_service.h"

#include <QPrinter>

namespace tw {

// Placeholder until the printouts land: the preview reports that it could not open.
CPrintService::CPrintService(QWidget *parent)
    : parent_(parent)
    , printer_(std::make_unique<QPrinter>(QPrinter::HighResolution))
{
}

CPrintService::~CPrintService() = default;

bool CPrintService::PrintSetup()
{
    return false;
}

bool CPrintService::Preview(int, const CClientRecord &)
{
    return false;
}

bool CPrintService::SaveAsPdf(int, const CClientRecord &, const QString &, QString *error)
{
    if (error)
        *error = QStringLiteral("Printing is not available yet.");
    return false;
}

} // namespace tw
