#pragma once

#include "app/wizard.h"
#include "record/client_record.h"
#include "record/profile_store.h"
#include "record/program_paths.h"

#include <QWidget>

#include <memory>
#include <string>

namespace tw {

class CPrintService;

// The main window's central widget. It draws nothing: it owns the one client record and
// the profile it is kept in, carries the commands that start the demonstration and the
// printouts, and remembers what the next print produces.
class CTallowinView : public QWidget, private IWizardActions {
    Q_OBJECT
public:
    explicit CTallowinView(QWidget *parent, std::string profilePath = DefaultProfilePath());
    ~CTallowinView() override;

    CClientRecord &Record() { return record_; }
    CProfileStore &Profile() { return profile_; }
    CPrintService &PrintService() { return *printService_; }
    int PrintType() const { return printType_; }
    int WizardStep() const { return wizardStep_; }

    // The wizard's screens; tests put scripted ones in, nullptr brings back the dialogs.
    void SetScreenFactory(std::unique_ptr<IScreenFactory> factory);

    // Loads the record from the profile the first time (the first show does it too).
    void EnsureRecordLoaded();

    // Writes the current print type's printout to `path`; false (after a message) when
    // nothing has been printed yet or the file could not be written.
    bool SaveAsPdfTo(const QString &path);

public slots:
    void OnEnrollmentPrint(); // 32771
    void OnSavingsDemonstration(); // 32772
    void OnAmortizationGrid(); // 32774 and 32775
    void OnVendorEntryForm(); // 32776
    void OnVendorFormPrint(); // 32777
    void OnDebitSchedule(); // 32780
    void OnFilePrintSetup();
    void OnFileSaveAsPdf();
    void OnFileSaveDebitCalendar();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void Calculate() override;
    void ThankYou() override;
    void FinishEnrollment() override;

    // Opens the print preview of the current print type; says so when it cannot.
    bool OpenPreview();

    CProfileStore profile_;
    CClientRecord record_;
    std::unique_ptr<CPrintService> printService_;
    std::unique_ptr<IScreenFactory> screens_;
    int printType_ = -1;
    int wizardStep_ = 1;
    bool recordLoaded_ = false;
};

} // namespace tw
