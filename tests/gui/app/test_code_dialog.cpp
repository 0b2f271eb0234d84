// The start-up code dialog, the intro and About boxes, and the no-display check.
#include "app/about_dlg.h"
#include "app/access_codes.h"
#include "app/code_dlg.h"
#include "app/display_check.h"
#include "app/intro_dlg.h"
#include "app/startup.h"
#include "app_test_support.h"
#include "record/company.h"
#include "record/profile_store.h"
#include "rules/result_codes.h"

#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

#include <map>
#include <tuple>

using namespace tw;

namespace {

void WriteFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

} // namespace

class CodeDialogTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void prefill_data();
    void prefill();
    void okResults_data();
    void okResults();
    void storedGridSwitchSkipsTheDialog_data();
    void storedGridSwitchSkipsTheDialog();
    void cancelWays_data();
    void cancelWays();
    void gridSwitchThatCannotBeStoredIsReported();
    void introResults();
    void aboutBox();
    void displayCheck_data();
    void displayCheck();

private:
    std::unique_ptr<QTemporaryDir> dir_;
    QString ProfilePath() const { return dir_->filePath("profile/tallowin.ini"); }
};

void CodeDialogTest::init()
{
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
}

void CodeDialogTest::prefill_data()
{
    QTest::addColumn<QByteArray>("serial"); // contents of serial.txt; "-" for no file
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("expected");
    const char *const serialCode = "[General]\nVendorCode=TW-SERIAL\n", *const empty = "[General]\nVendorCode=\n";
    const std::tuple<const char *, const char *, const char *, const char *> rows[]
        = {{"serial.txt wins", serialCode, "TW-STORED", "TW-SERIAL"},
            {"empty serial code falls back to the stored one", empty, "TW-STORED", "TW-STORED"},
            {"serial.txt without the key", "[Other]\nVendorCode=X\n", "TW-STORED", "TW-STORED"},
            {"no serial.txt", "-", "TW-STORED", "TW-STORED"}, {"nothing anywhere gives the prefix", "-", "", "TW-"},
            {"empty serial code and nothing stored", empty, "", "TW-"}};
    for (const auto &[name, serial, kept, expected] : rows)
        QTest::newRow(name) << QByteArray(serial) << QString(kept) << QString(expected);
}

void CodeDialogTest::prefill()
{
    QFETCH(QByteArray, serial);
    QFETCH(QString, stored);
    QFETCH(QString, expected);

    const QString programDir = dir_->filePath("program");
    QVERIFY(QDir().mkpath(programDir));
    if (serial != "-")
        WriteFile(programDir + "/serial.txt", serial);
    CProfileStore profile(ProfilePath().toStdString());
    if (!stored.isEmpty())
        QVERIFY(profile.Write("General", "VendorCode", stored.toStdString()));

    CCodeDlg dlg(nullptr, &profile, programDir.toStdString());
    QVERIFY(dlg.Prepare());
    auto *edit = dlg.findChild<QLineEdit *>("codeEdit");
    QVERIFY(edit);
    QCOMPARE(edit->text(), expected);
    // Once shown, the caret stands after the code and nothing is selected: typing adds to it.
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg));
    QCoreApplication::processEvents();
    QCOMPARE(QApplication::focusWidget(), edit);
    QCOMPARE(edit->cursorPosition(), int(expected.size()));
    QVERIFY(!edit->hasSelectedText());
    QTest::keyClicks(edit, "77");
    QCOMPARE(edit->text(), expected + "77");
}

void CodeDialogTest::okResults_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("result");
    QTest::addColumn<QString>("gridStored");
    const QString vendor = QString::fromUtf8(kVendorAccessCode);
    QTest::newRow("prefill unchanged") << "" << int(kCodeDemonstration) << "";
    QTest::newRow("ordinary code") << "TW-5521" << int(kCodeDemonstration) << "";
    QTest::newRow("vendor code with a blank is an ordinary code") << vendor + " " << int(kCodeDemonstration) << "";
    QTest::newRow("part of the vendor code") << vendor.chopped(1) << int(kCodeDemonstration) << "";
    QTest::newRow("vendor code") << vendor << int(kCodeVendor) << "";
    QTest::newRow("vendor code, lower case")
        << QString::fromUtf8(kVendorAccessCode).toLower() << int(kCodeVendor) << "";
    QString mixed = QString::fromUtf8(kGridAccessCode);
    for (qsizetype i = 0; i < mixed.size(); ++i)
        mixed[i] = i % 2 ? mixed[i].toLower() : mixed[i].toUpper();
    QTest::newRow("grid code, mixed case") << mixed << int(kCodeGrid) << "YES";
}

void CodeDialogTest::okResults()
{
    QFETCH(QString, typed);
    QFETCH(int, result);
    QFETCH(QString, gridStored);

    CProfileStore profile(ProfilePath().toStdString());
    CCodeDlg dlg(nullptr, &profile, dir_->path().toStdString());
    QVERIFY(dlg.Prepare());
    auto *edit = dlg.findChild<QLineEdit *>("codeEdit");
    if (!typed.isEmpty())
        edit->setText(typed);
    QTest::mouseClick(dlg.findChild<QPushButton *>("okButton"), Qt::LeftButton);
    QCOMPARE(dlg.result(), result);
    QCOMPARE(dlg.Code(), typed.isEmpty() ? QStringLiteral("TW-") : typed);
    QCOMPARE(QString::fromStdString(profile.Read("General", "Grid")), gridStored);
    // The dialog stores only the grid switch; the vendor code is the start-up's to store.
    QVERIFY(!profile.Snapshot().Contains("General", "VendorCode"));
}

void CodeDialogTest::storedGridSwitchSkipsTheDialog_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<bool>("skips");
    QTest::newRow("YES") << "YES" << true;
    QTest::newRow("lower-case yes is not the switch") << "yes" << false;
    QTest::newRow("empty") << "" << false;
}

void CodeDialogTest::storedGridSwitchSkipsTheDialog()
{
    QFETCH(QString, stored);
    QFETCH(bool, skips);
    CProfileStore profile(ProfilePath().toStdString());
    if (!stored.isEmpty())
        QVERIFY(profile.Write("General", "Grid", stored.toStdString()));
    CCodeDlg dlg(nullptr, &profile, dir_->path().toStdString());
    if (skips) {
        QCOMPARE(dlg.Run(), int(kCodeGrid)); // returns at once: no modal loop to drive
        QVERIFY(!dlg.isVisible());
    } else {
        QVERIFY(dlg.Prepare());
    }
}

void CodeDialogTest::cancelWays_data()
{
    QTest::addColumn<QString>("way");
    QTest::newRow("Cancel button") << "button";
    QTest::newRow("Escape") << "escape";
    QTest::newRow("close box") << "close";
}

void CodeDialogTest::cancelWays()
{
    QFETCH(QString, way);
    CProfileStore profile(ProfilePath().toStdString());
    CCodeDlg dlg(nullptr, &profile, dir_->path().toStdString());
    int result = -1;
    QTimer::singleShot(0, &dlg, [&] {
        if (way == "button")
            QTest::mouseClick(dlg.findChild<QPushButton *>("cancelButton"), Qt::LeftButton);
        else if (way == "escape")
            QTest::keyClick(dlg.findChild<QLineEdit *>("codeEdit"), Qt::Key_Escape);
        else
            dlg.close();
    });
    result = dlg.Run();
    QCOMPARE(result, int(kCodeCancelled));
    QVERIFY(!profile.Snapshot().Contains("General", "Grid"));
}

void CodeDialogTest::gridSwitchThatCannotBeStoredIsReported()
{
    // The profile's folder would have to be inside a plain file: every write fails.
    WriteFile(dir_->filePath("plain-file"), "x");
    CProfileStore profile(dir_->filePath("plain-file/tallowin.ini").toStdString());
    test::MessageLog messages;
    CCodeDlg dlg(nullptr, &profile, dir_->path().toStdString());
    QVERIFY(dlg.Prepare());
    dlg.findChild<QLineEdit *>("codeEdit")->setText(QString::fromUtf8(kGridAccessCode));
    QTest::mouseClick(dlg.findChild<QPushButton *>("okButton"), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(kCodeGrid)); // grid mode starts all the same
    QCOMPARE(messages.texts.size(), 1);
    QVERIFY2(messages.texts[0].contains("plain-file"), qPrintable(messages.texts[0]));
}

void CodeDialogTest::introResults()
{
    {
        CIntroDlg dlg(nullptr);
        QVERIFY(!(dlg.windowFlags() & Qt::WindowCloseButtonHint));
        QVERIFY(!(dlg.windowFlags() & Qt::WindowSystemMenuHint));
        auto *cont = dlg.findChild<QPushButton *>("continueButton");
        QCOMPARE(cont->text(), QStringLiteral("&Continue ->"));
        QVERIFY(cont->isDefault());
        QTimer::singleShot(0, &dlg, [&] { QTest::mouseClick(cont, Qt::LeftButton); });
        QCOMPARE(dlg.exec(), int(kResultYes));
    }
    {
        CIntroDlg dlg(nullptr);
        QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
        QCOMPARE(dlg.exec(), int(kResultCancel));
    }
}

void CodeDialogTest::aboutBox()
{
    CAboutDlg dlg(nullptr);
    QCOMPARE(dlg.windowTitle(), QStringLiteral("About Tallowin"));
    QVERIFY(dlg.findChild<QPushButton *>("okButton")->isDefault());
    const CompanyIdentity &c = Company();
    QCOMPARE(dlg.findChild<QLabel *>("makerLabel")->text().toStdString(),
        c.LegalName + "\n" + c.Street + "\n" + c.City + "\nPhone " + c.Phone + "\nFax " + c.Fax);
    dlg.show();
    // Sized to its texts: no blank gap of a line or more between the address and the
    // copyright, none below the copyright.
    QCoreApplication::processEvents();
    const QRect copyright = dlg.findChild<QLabel *>("copyrightLabel")->geometry();
    const int line = dlg.fontMetrics().height();
    QVERIFY(copyright.top() - dlg.findChild<QLabel *>("makerLabel")->geometry().bottom() < line);
    QVERIFY(dlg.height() - copyright.bottom() < line);
    QTimer::singleShot(0, &dlg, [&] { QTest::keyClick(&dlg, Qt::Key_Escape); });
    dlg.exec(); // Escape closes it too
    QVERIFY(!dlg.isVisible());
}

void CodeDialogTest::displayCheck_data()
{
    QTest::addColumn<QString>("display");
    QTest::addColumn<QString>("wayland");
    QTest::addColumn<QString>("platform");
    QTest::addColumn<QString>("argument");
    QTest::addColumn<bool>("refused");
    const std::tuple<const char *, const char *, const char *, const char *, const char *, bool> rows[]
        = {{"nothing", "", "", "", "", true}, {"X display", ":0", "", "", "", false},
            {"Wayland", "", "wayland-0", "", "", false}, {"offscreen platform", "", "", "offscreen", "", false},
            {"-platform argument", "", "", "", "-platform", false}};
    for (const auto &[name, display, wayland, platform, argument, refused] : rows)
        QTest::newRow(name) << QString(display) << QString(wayland) << QString(platform) << QString(argument)
                            << refused;
}

void CodeDialogTest::displayCheck()
{
    QFETCH(QString, display);
    QFETCH(QString, wayland);
    QFETCH(QString, platform);
    QFETCH(QString, argument);
    QFETCH(bool, refused);
    const std::map<std::string, std::string> env = {{"DISPLAY", display.toStdString()},
        {"WAYLAND_DISPLAY", wayland.toStdString()}, {"QT_QPA_PLATFORM", platform.toStdString()}};
    const auto reader = [&env](const char *name) -> const char * {
        const auto it = env.find(name);
        return it == env.end() || it->second.empty() ? nullptr : it->second.c_str();
    };
    QByteArray arg0 = "tallowin", arg1 = argument.toLatin1(), arg2 = "offscreen";
    char *argv[] = {arg0.data(), arg1.data(), arg2.data(), nullptr};
    const std::string message = MissingDisplayMessage(argument.isEmpty() ? 1 : 3, argv, reader);
    QCOMPARE(!message.empty(), refused);
    if (refused) {
        QVERIFY(message.find('\n') == std::string::npos);
        QVERIFY(message.find("tallowin-cli") != std::string::npos);
    }
}

QTEST_MAIN(CodeDialogTest)
#include "test_code_dialog.moc"
