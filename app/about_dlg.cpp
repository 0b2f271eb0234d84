#include "app/about_dlg.h"

#include "record/company.h"
#include "screens/ui_common.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#ifndef TALLOWIN_VERSION
#define TALLOWIN_VERSION "1.0"
#endif

namespace tw {

CAboutDlg::CAboutDlg(QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("aboutDialog"));
    setProperty("dialogId", 100);
    setWindowTitle(QStringLiteral("About Tallowin"));

    auto *icon = new QLabel(this);
    icon->setObjectName(QStringLiteral("logoPicture"));
    icon->setPixmap(LogoPixmap());
    icon->setFixedSize(48, 48);

    auto *product
        = new QLabel(QStringLiteral("<b>Tallowin(TM)</b> Version %1").arg(QStringLiteral(TALLOWIN_VERSION)), this);
    product->setObjectName(QStringLiteral("productLabel"));
    auto *purpose = new QLabel(QStringLiteral("Bi-weekly mortgage savings analysis"), this);
    purpose->setObjectName(QStringLiteral("purposeLabel"));
    const CompanyIdentity &company = Company();
    auto *maker = new QLabel(QString::fromStdString(company.LegalName + "\n" + company.Street + "\n" + company.City
                                 + "\nPhone " + company.Phone + "\nFax " + company.Fax),
        this);
    maker->setObjectName(QStringLiteral("makerLabel"));
    auto *copyright
        = new QLabel(QString::fromStdString("Copyright (C) " + company.LegalName + "\nAll rights reserved."), this);
    copyright->setObjectName(QStringLiteral("copyrightLabel"));

    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("okButton"));
    ok->setProperty("controlId", 1);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto *texts = new QVBoxLayout;
    texts->addWidget(product);
    texts->addWidget(purpose);
    texts->addSpacing(8);
    texts->addWidget(maker);
    texts->addSpacing(8);
    texts->addWidget(copyright);

    auto *layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, Qt::AlignTop);
    layout->addLayout(texts, 0, 1);
    layout->addWidget(ok, 0, 2, Qt::AlignTop);
    layout->setColumnStretch(1, 1);
    layout->setHorizontalSpacing(12);

    // As large as its texts, whatever the font: the template's fixed size left a gap.
    FitWindowToScreen(this, layout->sizeHint(), true);
}

} // namespace tw
