// The printouts through Qt: printer fonts, the page mapping, PDF files checked as
// pictures, the print preview and the command line's print command.
#include "cli/print_command.h"
#include "engine/analysis.h"
#include "print/print_dispatch.h"
#include "print/print_job.h"
#include "print/print_kit.h"
#include "print/print_service.h"
#include "record/client_record.h"
#include "record/profile_store.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <sstream>
#include <sys/stat.h>
#include <tuple>

using namespace tw;

namespace {

// A surface that measures with a real kit and keeps where each text would stand.
class MeasuringSurface final : public PrintSurface {
public:
    explicit MeasuringSurface(CPrintKit &kit)
        : kit_(kit)
    {
    }
    struct Extent {
        int left, right, top;
        std::string text;
    };
    std::vector<Extent> extents;

    void SelectPrintFont(int code) override { kit_.SelectPrintFont(code); }
    void SelectPrintPen(int pen) override { kit_.SelectPrintPen(pen); }
    void DrawPrintLine(int, int, int, int) override { }
    int TextWidth(std::string_view text) override { return kit_.TextWidth(text); }
    int TextHeight(std::string_view text) override { return kit_.TextHeight(text); }

protected:
    void PutText(int left, int top, std::string_view text, TextAnchor, int) override
    {
        extents.push_back({left, left + kit_.TextWidth(text), top, std::string(text)});
    }

private:
    CPrintKit &kit_;
};

// Every field filled with a long but realistic value.
CClientRecord FullClient()
{
    CClientRecord r;
    r.FirstName1 = "Margaret";
    r.LastName1 = "Okonkwo-Whitfield";
    r.MI1 = "J";
    r.FirstName2 = "Bartholomew";
    r.LastName2 = "Whitfield";
    r.MI2 = "R";
    r.Address = "1742 Sycamore Bend Drive, Apartment 12";
    r.City = "Cedar Hollow Township";
    r.State = "IN";
    r.Zip = "46999-1234";
    r.HomePhone = "(317) 555-0123";
    r.WorkPhone1 = "(317) 555-0188 x2231";
    r.WorkPhone2 = "(317) 555-0199";
    r.MortgageName = "First Prairie Savings and Loan Association";
    r.MortgageAccountNumber = "0045-778812-0001-99";
    r.MortgagePhone = "(800) 555-0111";
    r.MortgageAddress = "PO Box 4410";
    r.MortgageCity = "Springdale";
    r.MortgageState = "IL";
    r.MortgageZip = "62999";
    r.GracePeriod = "15";
    r.BankName = "Lakeview Community Bank";
    r.BankAccountNumber = "889900112";
    r.BankPhone = "(317) 555-0144";
    r.BankAddress = "12 Main Street";
    r.BankCity = "Cedar Hollow";
    r.BankState = "IN";
    r.BankZip = "46999";
    r.AccountType = kAccountChecking;
    r.VendorCode = "TW-123456";
    LoanAnalysis &a = r.Analysis;
    a.CurrentDate = "03/15/2024";
    a.FirstPaymentDate = "06/01/2019";
    a.TermText = "30";
    a.AmountText = "180000";
    a.LowestRateText = "6.5";
    a.CurrentPaymentText = "1,250.00";
    a.AdditionalPaymentText = "50.00";
    return r;
}

// A record calculated as the wizard leaves it.
CClientRecord CalculatedClient(int printType)
{
    CClientRecord r = FullClient();
    const auto problem = PrepareRecordForPrint(r, "03/15/2024", printType);
    if (problem)
        qWarning("%s", problem->c_str());
    return r;
}

QString Run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

int PdfPages(const QString &path)
{
    const QString info = Run(QStringLiteral("pdfinfo"), {path});
    for (const QString &line : info.split('\n'))
        if (line.startsWith(QStringLiteral("Pages:")))
            return line.mid(6).trimmed().toInt();
    return -1;
}

// Page `page` of a PDF as a grey picture at `dpi`.
QImage RenderPdfPage(const QString &pdf, int page, int dpi, const QString &dir)
{
    const QString stem = dir + QStringLiteral("/page");
    QProcess p;
    p.start(QStringLiteral("pdftoppm"),
        {QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
            QString::number(page), QStringLiteral("-singlefile"), QStringLiteral("-gray"), QStringLiteral("-png"), pdf,
            stem});
    p.waitForFinished(30000);
    return QImage(stem + QStringLiteral(".png")).convertToFormat(QImage::Format_Grayscale8);
}

QRect InkBox(const QImage &img, const QRect &area)
{
    QRect box;
    for (int y = area.top(); y <= area.bottom(); ++y) {
        const uchar *row = img.constScanLine(y);
        for (int x = area.left(); x <= area.right(); ++x)
            if (row[x] < 128)
                box |= QRect(x, y, 1, 1);
    }
    return box;
}

// Share of ink pixels two pictures have in common, their ink boxes laid on each other.
double InkOverlap(const QImage &a, const QRect &boxA, const QImage &b, const QRect &boxB)
{
    const int w = std::max(boxA.width(), boxB.width());
    const int h = std::max(boxA.height(), boxB.height());
    int both = 0;
    int either = 0;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const QPoint pa = boxA.topLeft() + QPoint(x, y);
            const QPoint pb = boxB.topLeft() + QPoint(x, y);
            const bool inkA = a.rect().contains(pa) && boxA.contains(pa) && a.pixelColor(pa).value() < 128;
            const bool inkB = b.rect().contains(pb) && boxB.contains(pb) && b.pixelColor(pb).value() < 128;
            both += inkA && inkB;
            either += inkA || inkB;
        }
    return either ? double(both) / either : 0;
}

// Permission bits of a file, -1 when it is missing.
int ModeOf(const QString &path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? static_cast<int>(st.st_mode & 07777) : -1;
}

} // namespace

class PrintRenderTest : public QObject {
    Q_OBJECT

private slots:
    void fontsHaveTheirCellHeights();
    void shapedWidthsMatchTheFontsOwn();
    void textsStayInsideThePage_data();
    void textsStayInsideThePage();
    void pageTransformMapsTheLogicalPage();
    void pdfTextIsUprightWhereExpected_data();
    void pdfTextIsUprightWhereExpected();
    void pdfFailureIsReportedInWords();
    void pdfIsForItsOwnerOnly();
    void printingToAFileIsForItsOwnerOnly();
    void previewShowsAllPagesAndSavesPdf();
    void printSetupChoosesWithoutPrinting();
    void commandWritesThePrintouts_data();
    void commandWritesThePrintouts();
    void commandRefusesBadInput_data();
    void commandRefusesBadInput();
    void commandKeepsTheStoredAdditionalPayment();

private:
    QTemporaryDir dir_;
    QString WriteProfile(const CClientRecord &r, const QString &name);
};

void PrintRenderTest::fontsHaveTheirCellHeights()
{
    QPdfWriter writer(dir_.filePath(QStringLiteral("fonts.pdf")));
    writer.setResolution(1200);
    QPainter painter(&writer);
    CPrintKit kit(painter);
    const PrintFont *table = PrintFontTable();
    for (int i = 0; i < kPrintFontCount; ++i) {
        const QFontMetricsF m(kit.FontFor(table[i].code), &writer);
        const double cell = m.height() / CPrintKit::kFontOversampling;
        QVERIFY2(std::abs(cell - table[i].height) < 0.5, qPrintable(QString::number(table[i].code)));
        QCOMPARE(kit.FontFor(table[i].code).bold(), table[i].bold);
        kit.SelectPrintFont(table[i].code);
        QCOMPARE(kit.TextHeight("X"), table[i].height);
    }
    QCOMPARE(kit.FontFor(13), kit.FontFor(12));
    QCOMPARE(kit.FontFor(2), kit.FontFor(12));
    kit.SelectPrintFont(14);
    QCOMPARE(kit.TextWidth(""), 0);
    QVERIFY(kit.TextWidth("__") > kit.TextWidth("_"));
}

// Widths come from cached glyph runs where the font has every glyph; they must be the
// widths the font itself measures, and texts it cannot show alone still get measured.
void PrintRenderTest::shapedWidthsMatchTheFontsOwn()
{
    QPdfWriter writer(dir_.filePath(QStringLiteral("widths.pdf")));
    writer.setResolution(1200);
    QPainter painter(&writer);
    CPrintKit kit(painter);
    for (const int code : {14, 114, 124}) {
        kit.SelectPrintFont(code);
        const QFontMetricsF own(kit.FontFor(code), &writer);
        for (const char *text : {"We've finished the analysis on your ______ year,", "$_______________",
                 "Ellison-Müller", "Page 6", "1 in 2 (50%)"}) {
            const double expected = own.horizontalAdvance(QString::fromUtf8(text)) / CPrintKit::kFontOversampling;
            QVERIFY2(std::abs(kit.TextWidth(text) - expected) <= 1.0, text);
            QCOMPARE(kit.TextWidth(text), kit.TextWidth(text)); // the cached answer is the same
        }
        QVERIFY(kit.TextWidth("\u6797\u7f8e") > 0); // glyphs from another font
        QVERIFY(kit.TextWidth("\u6797\u7f8e") != kit.TextWidth("\u6797"));
    }
}

void PrintRenderTest::textsStayInsideThePage_data()
{
    QTest::addColumn<int>("printType");
    QTest::addColumn<int>("page");
    for (int page = 1; page <= 7; ++page)
        QTest::addRow("enrollment %d", page) << int(kPrintEnrollment) << page;
    QTest::addRow("schedule 1") << int(kPrintDebitSchedule) << 1;
    for (int page = 1; page <= 6; ++page)
        QTest::addRow("letter %d", page) << int(kPrintAnalysisLetter) << page;
    QTest::addRow("error page") << -1 << 1;
}

// With the real font every line of fixed wording, every value and every label ends
// inside the right margin.
void PrintRenderTest::textsStayInsideThePage()
{
    QFETCH(int, printType);
    QFETCH(int, page);
    const CClientRecord r = CalculatedClient(printType);
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    CPrintKit kit(painter);
    MeasuringSurface s(kit);
    DrawPrintPage(s, printType, page, r);
    QVERIFY(!s.extents.empty());
    for (const auto &e : s.extents) {
        QVERIFY2(e.left >= 480 && e.right <= 8000, e.text.c_str());
        QVERIFY2(e.top <= -500 && e.top >= -10500, e.text.c_str());
    }
}

void PrintRenderTest::pageTransformMapsTheLogicalPage()
{
    // 8 x 10.5 inches printable at 1000 dpi, a quarter inch below the paper's top.
    const QTransform t = PageTransform({8000, 10500, 1000, 250});
    QCOMPARE(t.map(QPointF(4250, -500)), QPointF(4000, 250));
    QCOMPARE(t.map(QPointF(250, -10500)), QPointF(0, 10250));
    // A printer that cannot print that high: y = -500 lands on the printable area's top.
    QCOMPARE(PageTransform({8000, 10500, 1000, 700}).map(QPointF(4250, -500)), QPointF(4000, 0));
    // Isotropic: a wide area keeps the scale of its height, centred on its middle.
    const QTransform wide = PageTransform({16000, 10500, 1000, 0});
    QCOMPARE(wide.map(QPointF(4250, -1500)), QPointF(8000, 1500));
    QCOMPARE(wide.map(QPointF(5250, -500)), QPointF(9000, 500));
}

void PrintRenderTest::pdfTextIsUprightWhereExpected_data()
{
    QTest::addColumn<int>("printType");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("fontCode");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("x"); // left edge, or the centre when centred is set
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("centred");
    QTest::newRow("schedule title") << int(kPrintDebitSchedule) << 1 << 114 << QStringLiteral("Bi-Weekly Debit Dates")
                                    << 4250 << -700 << true;
    QTest::newRow("schedule first date") << int(kPrintDebitSchedule) << 1 << 14 << QStringLiteral("April 5, 2024")
                                         << 1000 << -1000 << false;
    QTest::newRow("enrollment note") << int(kPrintEnrollment) << 2 << 14
                                     << QStringLiteral("Credit Union's may not be draftable!  Please call your "
                                                       "Credit Union to verify!")
                                     << 1150 << -8644 << false;
    QTest::newRow("error page") << -1 << 1 << 2 << QStringLiteral("INCORRECT PRINTOUT TYPE") << 4250 << -5500 << true;
}

// The PDF page rendered to a picture: the text stands where the page coordinates put
// it (a unit is a thousandth of an inch, y = -500 half an inch below the paper's top)
// and looks like the same text drawn upright, not like it upside down.
void PrintRenderTest::pdfTextIsUprightWhereExpected()
{
    QFETCH(int, printType);
    QFETCH(int, page);
    QFETCH(int, fontCode);
    QFETCH(QString, text);
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, centred);
    if (QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("poppler-utils is not installed");

    const QString pdf = dir_.filePath(QStringLiteral("upright.pdf"));
    QString error;
    QVERIFY2(WritePrintoutPdf(printType, CalculatedClient(printType), pdf, &error), qPrintable(error));
    constexpr int kDpi = 200;
    constexpr double kPixelsPerUnit = kDpi / 1000.0;
    const QImage rendered = RenderPdfPage(pdf, page, kDpi, dir_.path());
    QCOMPARE(rendered.size(), QSize(1700, 2200));

    // The same text drawn upright by QPainter with the kit's font.
    QImage reference(1700, 80, QImage::Format_Grayscale8);
    reference.fill(Qt::white);
    int width = 0;
    int cell = 0;
    {
        QPainter p(&reference);
        p.setRenderHint(QPainter::TextAntialiasing);
        CPrintKit kit(p);
        kit.SelectPrintFont(fontCode);
        width = kit.TextWidth(text.toStdString());
        cell = kit.TextHeight("X");
        constexpr double kShrink = kPixelsPerUnit / CPrintKit::kFontOversampling;
        p.scale(kShrink, kShrink);
        p.setFont(kit.FontFor(fontCode));
        p.setPen(Qt::black);
        p.drawText(QPointF(1000, 200 + QFontMetricsF(kit.FontFor(fontCode)).ascent()), text);
    }
    const QRect refBox = InkBox(reference, reference.rect());
    QVERIFY(!refBox.isEmpty());

    // Where the text must be on the paper: x from the page's centre line at 4.25 inches,
    // the top of its cell at 0.5 inch below the paper's top plus -500 - y units.
    const int left = centred ? x - width / 2 : x;
    const QRect cellOnPaper(qRound((left + 0) * kPixelsPerUnit), qRound((-y) * kPixelsPerUnit),
        qRound(width * kPixelsPerUnit), qRound(cell * kPixelsPerUnit));
    const QRect search = cellOnPaper.adjusted(-10, -6, 10, 6);
    const QRect inkBox = InkBox(rendered, search);
    QVERIFY(!inkBox.isEmpty());
    QVERIFY2(cellOnPaper.adjusted(-3, -3, 3, 3).contains(inkBox),
        qPrintable(QStringLiteral("ink at %1,%2 %3x%4, cell at %5,%6 %7x%8")
                       .arg(inkBox.x())
                       .arg(inkBox.y())
                       .arg(inkBox.width())
                       .arg(inkBox.height())
                       .arg(cellOnPaper.x())
                       .arg(cellOnPaper.y())
                       .arg(cellOnPaper.width())
                       .arg(cellOnPaper.height())));
    QVERIFY(std::abs(inkBox.width() - refBox.width()) <= 3);
    QVERIFY(std::abs(inkBox.height() - refBox.height()) <= 3);

    const double upright = InkOverlap(rendered, inkBox, reference, refBox);
    const QImage flipped = reference.mirrored(false, true);
    const double upsideDown = InkOverlap(rendered, inkBox, flipped, InkBox(flipped, flipped.rect()));
    const QImage turned = reference.mirrored(true, true);
    const double rotated = InkOverlap(rendered, inkBox, turned, InkBox(turned, turned.rect()));
    QVERIFY2(upright > 0.6, qPrintable(QString::number(upright)));
    QVERIFY2(upright > upsideDown + 0.2, qPrintable(QStringLiteral("%1 / %2").arg(upright).arg(upsideDown)));
    QVERIFY2(upright > rotated + 0.2, qPrintable(QStringLiteral("%1 / %2").arg(upright).arg(rotated)));
}

void PrintRenderTest::pdfFailureIsReportedInWords()
{
    const CClientRecord r = CalculatedClient(kPrintEnrollment);
    QString error;
    QVERIFY(!WritePrintoutPdf(kPrintEnrollment, r, dir_.filePath(QStringLiteral("missing/folder/out.pdf")), &error));
    QVERIFY2(error.contains(QStringLiteral("could not be written")) && error.contains(QStringLiteral("out.pdf")),
        qPrintable(error));

    error.clear();
    QVERIFY(!WritePrintoutPdf(kPrintEnrollment, r, dir_.path(), &error));
    QVERIFY(error.contains(QStringLiteral("folder")));

    error.clear();
    QVERIFY(!WritePrintoutPdf(kPrintEnrollment, r, QString(), &error));
    QVERIFY(!error.isEmpty());

    // A file that was there stays as it was when the new one cannot be written.
    const QString kept = dir_.filePath(QStringLiteral("kept.pdf"));
    QVERIFY(WritePrintoutPdf(kPrintDebitSchedule, CalculatedClient(kPrintDebitSchedule), kept, &error));
    const qint64 size = QFileInfo(kept).size();
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool failed = !WritePrintoutPdf(kPrintEnrollment, r, kept, &error);
    QFile::setPermissions(dir_.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (failed) // as root the folder stays writable
        QCOMPARE(QFileInfo(kept).size(), size);
}

// Printouts carry account numbers: whatever the umask, and even over a file that was
// readable by all, the PDF comes out readable by its owner only.
void PrintRenderTest::pdfIsForItsOwnerOnly()
{
    const mode_t oldMask = ::umask(022);
    const QString fresh = dir_.filePath(QStringLiteral("private.pdf"));
    const QString loose = dir_.filePath(QStringLiteral("loose.pdf"));
    QFile(loose).open(QIODevice::WriteOnly);
    QFile::setPermissions(loose, QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
    QString error;
    for (const QString &path : {fresh, loose}) {
        QVERIFY2(
            WritePrintoutPdf(kPrintEnrollment, CalculatedClient(kPrintEnrollment), path, &error), qPrintable(error));
        QCOMPARE(ModeOf(path), 0600);
        QVERIFY(QFileInfo(path).size() > 1000);
    }
    ::umask(oldMask);
}

// The print dialog's print-to-file writes through Qt, not through WritePrivatePdf.
void PrintRenderTest::printingToAFileIsForItsOwnerOnly()
{
    const mode_t oldMask = ::umask(022);
    const QString path = dir_.filePath(QStringLiteral("printed-to-file.pdf"));
    CPrintService service(nullptr);
    service.Printer().setOutputFormat(QPrinter::PdfFormat);
    service.Printer().setOutputFileName(path);
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        if (auto *view = preview->findChild<QPrintPreviewWidget *>())
            view->print();
        preview->reject();
    });
    QVERIFY(service.Preview(kPrintEnrollment, CalculatedClient(kPrintEnrollment)));
    ::umask(oldMask);
    QCOMPARE(ModeOf(path), 0600);
    QVERIFY(QFileInfo(path).size() > 1000);
}

void PrintRenderTest::previewShowsAllPagesAndSavesPdf()
{
    const CClientRecord r = CalculatedClient(kPrintEnrollment);
    CPrintService service(nullptr);
    QStringList messages;
    service.SetMessageHandler([&](QWidget *, const QString &text) { messages << text; });

    const QString saved = dir_.filePath(QStringLiteral("from-preview.pdf"));
    const QString unwritable = dir_.filePath(QStringLiteral("no/such/folder/x.pdf"));
    int pageCount = -1;
    bool foundAction = false;
    bool toolFits = false;
    QTimer::singleShot(0, [&] {
        auto *preview = qobject_cast<QPrintPreviewDialog *>(QApplication::activeModalWidget());
        if (!preview)
            return;
        if (auto *view = preview->findChild<QPrintPreviewWidget *>())
            pageCount = view->pageCount();
        auto *save = preview->findChild<QAction *>(QStringLiteral("saveAsPdfAction"));
        // The calendar and CSV belong to the debit schedule's preview only.
        foundAction = save != nullptr && !preview->findChild<QAction *>(QStringLiteral("saveCalendarAction"));
        // The test's screen is smaller than 1000 x 800: the preview takes all of it.
        toolFits = preview->isMaximized();
        // However narrow the window, Print and Save as PDF stay in view, whole.
        preview->showNormal();
        preview->resize(preview->minimumSizeHint());
        QCoreApplication::processEvents();
        for (const char *name : {"printButton", "saveAsPdfButton"}) {
            auto *button = preview->findChild<QPushButton *>(QLatin1String(name));
            toolFits = toolFits && button && button->isVisible()
                && preview->rect().contains(QRect(button->mapTo(preview, QPoint(0, 0)), button->size()))
                && button->width() >= button->sizeHint().width();
        }
        if (save) {
            for (const QString &target : {saved, unwritable}) {
                QTimer::singleShot(0, [&, target] {
                    auto *files = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
                    if (!files)
                        return;
                    QCOMPARE(files->objectName(), QStringLiteral("savePdfFileDialog"));
                    files->selectFile(target);
                    QMetaObject::invokeMethod(files, "accept");
                });
                save->trigger();
            }
        }
        preview->reject();
    });
    QVERIFY(service.Preview(kPrintEnrollment, r));
    QVERIFY(foundAction);
    QVERIFY(toolFits);
    QCOMPARE(pageCount, 7);
    QCOMPARE(ModeOf(saved), 0600);
    QCOMPARE(messages.size(), 1);
    QVERIFY(messages.front().contains(QStringLiteral("could not be written")));
}

void PrintRenderTest::printSetupChoosesWithoutPrinting()
{
    CPrintService service(nullptr);
    QString title;
    QString button;
    QTimer::singleShot(0, [&] {
        auto *dialog = qobject_cast<QPrintDialog *>(QApplication::activeModalWidget());
        if (!dialog)
            return;
        title = dialog->windowTitle();
        if (auto *buttons = dialog->findChild<QDialogButtonBox *>())
            button = buttons->button(QDialogButtonBox::Ok)->text();
        dialog->reject();
    });
    QVERIFY(!service.PrintSetup());
    QCOMPARE(title, QStringLiteral("Print Setup"));
    QCOMPARE(button, QStringLiteral("OK"));
}

QString PrintRenderTest::WriteProfile(const CClientRecord &r, const QString &name)
{
    const QString path = dir_.filePath(name);
    CProfileStore store(path.toStdString());
    if (!r.SaveToProfile(store).ok)
        return {};
    store.Write("General", "VendorCode", r.VendorCode);
    return path;
}

void PrintRenderTest::commandWritesThePrintouts_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("text");
    QTest::newRow("enrollment") << "enrollment" << 7 << QStringLiteral("Disk Code: TW-123456");
    // A page for every 120 dates of the plan: every date, no empty page.
    const int schedulePages = (CalculatedClient(kPrintDebitSchedule).Analysis.DebitCount + 119) / 120;
    QTest::newRow("schedule") << "schedule" << schedulePages << QStringLiteral("April 5, 2024");
    QTest::newRow("letter") << "letter" << 7 << QStringLiteral("Comparison of Your Mortgage");
}

void PrintRenderTest::commandWritesThePrintouts()
{
    QFETCH(QString, kind);
    QFETCH(int, pages);
    QFETCH(QString, text);
    const QString profile = WriteProfile(FullClient(), QStringLiteral("client.ini"));
    QVERIFY(!profile.isEmpty());
    const QString pdf = dir_.filePath(QStringLiteral("cli-%1.pdf").arg(kind));
    std::ostringstream out;
    std::ostringstream err;
    const int code = RunPrintCommand(
        {kind.toStdString(), "--profile", profile.toStdString(), "--today", "03/15/2024", "--pdf", pdf.toStdString()},
        out, err);
    QVERIFY2(code == 0, err.str().c_str());
    QCOMPARE(ModeOf(pdf), 0600);
    if (QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty())
        QSKIP("poppler-utils is not installed");
    QCOMPARE(PdfPages(pdf), pages);
    QVERIFY(Run(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")}).contains(text));
}

void PrintRenderTest::commandRefusesBadInput_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("field"); // what the profile lacks, "" for a complete one
    QTest::addColumn<int>("exitCode");
    QTest::addColumn<QString>("message");
    // The words of the command after "print"; PDF stands for the printout's file, and a
    // profile is given unless the words name one.
    const std::tuple<const char *, const char *, const char *, int, const char *> rows[] = {
        {"no printout", "", "", 2, "enrollment, schedule or letter"},
        {"unknown printout", "letters --pdf PDF", "", 2, "Unknown printout"},
        {"unknown option", "schedule --color --pdf PDF", "", 2, "Unknown option"},
        {"no pdf", "schedule", "", 2, "--pdf"}, {"value missing", "schedule --pdf PDF --today", "", 2, "needs a value"},
        {"missing profile", "schedule --pdf PDF --profile NOWHERE", "", 2, "does not exist"},
        {"no loan amount", "enrollment --pdf PDF", "amount", 2, "Please enter the loan amount."},
        {"no start date", "schedule --pdf PDF", "start", 2, "Please enter the loan start date."},
        {"bad today", "schedule --pdf PDF --today 02/30/2024", "", 2, "The current date is invalid."},
        {"loan the engine declines", "schedule --pdf PDF", "tiny", 2, "Loan / LoanAmount"},
        {"letter without a loan amount", "letter --pdf PDF", "amount", 2,
            "(LoanAmount):\nPlease enter the loan amount."},
        {"letter for a loan the engine declines", "letter --pdf PDF", "tiny", 2,
            "(LoanAmount):\nThe loan amount must be more than 1.00"},
        {"two printouts", "schedule enrollment --pdf PDF", "", 2, "Name one printout"},
        {"pdf not writable", "enrollment --pdf NONE", "", 1, "could not be written"}};
    for (const auto &[name, words, field, exitCode, message] : rows) {
        QStringList args = QString(words).split(QLatin1Char(' '), Qt::SkipEmptyParts);
        args.replaceInStrings(QStringLiteral("PDF"), dir_.filePath(QStringLiteral("refused.pdf")));
        args.replaceInStrings(QStringLiteral("NOWHERE"), dir_.filePath(QStringLiteral("nowhere.ini")));
        args.replaceInStrings(QStringLiteral("NONE"), dir_.filePath(QStringLiteral("none/x.pdf")));
        QTest::newRow(name) << args << QString(field) << exitCode << QString(message);
    }
}

void PrintRenderTest::commandRefusesBadInput()
{
    QFETCH(QStringList, args);
    QFETCH(QString, field);
    QFETCH(int, exitCode);
    QFETCH(QString, message);
    CClientRecord r = FullClient();
    if (field == QStringLiteral("amount"))
        r.Analysis.AmountText.clear();
    if (field == QStringLiteral("tiny"))
        r.Analysis.AmountText = "0.50";
    if (field == QStringLiteral("start"))
        r.Analysis.FirstPaymentDate.clear();
    const QString profile = WriteProfile(r, QStringLiteral("refused-%1.ini").arg(field));
    std::vector<std::string> words;
    for (const QString &a : args)
        words.push_back(a.toStdString());
    if (!args.isEmpty() && !args.contains(QStringLiteral("--profile")))
        words.insert(words.begin() + 1, {"--profile", profile.toStdString()});
    std::ostringstream out;
    std::ostringstream err;
    QCOMPARE(RunPrintCommand(words, out, err), exitCode);
    QVERIFY2(QString::fromStdString(err.str()).contains(message), err.str().c_str());
    QVERIFY(!err.str().empty());
    QVERIFY(!QFileInfo::exists(dir_.filePath(QStringLiteral("refused.pdf"))));
}

void PrintRenderTest::commandKeepsTheStoredAdditionalPayment()
{
    CClientRecord plain = FullClient();
    plain.Analysis.AdditionalPaymentText = "0";
    QVERIFY(!PrepareRecordForPrint(plain, "03/15/2024", kPrintEnrollment).has_value());
    CClientRecord extra = FullClient();
    QVERIFY(!PrepareRecordForPrint(extra, "03/15/2024", kPrintDebitSchedule).has_value());

    QCOMPARE(plain.Analysis.AdditionalPayment, 0.0);
    QCOMPARE(extra.Analysis.AdditionalPayment, 50.0);
    QCOMPARE(extra.Analysis.AdditionalPaymentText, std::string("50.00"));
    QVERIFY(extra.Analysis.TotalPaymentSavings > plain.Analysis.TotalPaymentSavings);
    QVERIFY(extra.Analysis.PayoffDate < plain.Analysis.PayoffDate
        || extra.Analysis.PayoffDate.substr(6) < plain.Analysis.PayoffDate.substr(6));
    // The schedule's range was prepared: the first debit and the payoff's.
    QCOMPARE(extra.Analysis.FirstDebitDate, std::string("04/05/2024"));
    QVERIFY(extra.Analysis.DebitCount > 1);
    QCOMPARE(extra.Analysis.PayoffDebitIndex - extra.Analysis.FirstDebitIndex + 1, extra.Analysis.DebitCount);
}

QTEST_MAIN(PrintRenderTest)
#include "test_print_render.moc"
