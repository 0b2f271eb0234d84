#include "entry/personal_info_dlg.h"

#include "entry_test_support.h"
#include "rules/result_codes.h"

#include <QtTest>

using namespace tw;
using namespace tw::test;

class TestPersonalInfoDlg : public QObject {
    Q_OBJECT

    static void FillRequired(QWidget *d)
    {
        Type(d, "firstName1Edit", QStringLiteral("Ann"));
        Type(d, "lastName1Edit", QStringLiteral("Smith"));
        Type(d, "addressEdit", QStringLiteral("12 Oak Lane"));
        Type(d, "cityEdit", QStringLiteral("Dayton"));
        Type(d, "stateEdit", QStringLiteral("OH"));
        Type(d, "zipEdit", QStringLiteral("45402"));
        Type(d, "homePhoneEdit", QStringLiteral("555-0100"));
    }

private slots:
    void continueStoresSavesAndEndsWithForward()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        record->WorkPhone1 = "555-0111";
        MessageLog log;
        CPersonalInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        Type(&dlg, "workPhone1Edit", QString()); // cleared: the record keeps its phone
        Type(&dlg, "propertyZipEdit", QStringLiteral("45403"));
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(dlg.result(), int(kResultForward));
        QVERIFY(!dlg.isVisible());
        QCOMPARE(Q(record->WorkPhone1), QStringLiteral("555-0111"));

        auto saved = LoadRecord(box.ProfilePath());
        QCOMPARE(Q(saved->City), QStringLiteral("Dayton"));
        QCOMPARE(Q(saved->PropertyZip), QStringLiteral("45403"));
        QCOMPARE(Q(saved->WorkPhone1), QStringLiteral("555-0111"));
    }

    void backStoresWithoutChecks()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        record->FirstName1 = "Ann";
        MessageLog log;
        CPersonalInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        Type(&dlg, "firstName1Edit", QString());
        Type(&dlg, "cityEdit", QStringLiteral("Akron"));
        Click(&dlg, "backButton");
        QCOMPARE(dlg.result(), int(kResultBack));
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(Q(record->FirstName1), QStringLiteral("Ann"));
        QCOMPARE(Q(record->City), QStringLiteral("Akron"));
        QVERIFY(!box.ProfileExists());
    }

    void failedSaveKeepsTheScreenAndWhatWasTyped()
    {
        Sandbox box;
        CProfileStore store(box.UnwritableProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CPersonalInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts.size(), 1);
        QVERIFY(log.texts[0].contains(QStringLiteral("not-a-folder")));
        QVERIFY(dlg.isVisible());
        QCOMPARE(Edit(&dlg, "cityEdit")->text(), QStringLiteral("Dayton"));
        QCOMPARE(Q(record->City), QStringLiteral("Dayton"));
    }

    void pastedLineBreaksBecomeBlanks()
    {
        Sandbox box;
        CProfileStore store(box.ProfilePath().toStdString());
        auto record = std::make_unique<CClientRecord>();
        MessageLog log;
        CPersonalInfoDlg dlg(nullptr, record.get(), &store);
        QVERIFY(Open(dlg));
        FillRequired(&dlg);
        QLineEdit *address = Edit(&dlg, "addressEdit");
        address->clear();
        address->insert(QStringLiteral("12 Oak Lane\r\nApt 4\nRear"));
        QCOMPARE(address->text(), QStringLiteral("12 Oak Lane Apt 4 Rear"));
        Click(&dlg, "continueButton");
        QCOMPARE(log.texts, QStringList());
        QCOMPARE(Q(LoadRecord(box.ProfilePath())->Address), QStringLiteral("12 Oak Lane Apt 4 Rear"));
    }
};

QTEST_MAIN(TestPersonalInfoDlg)
#include "test_personal_info_dlg.moc"
