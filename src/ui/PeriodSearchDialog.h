#pragma once
// The period-search dialog: the periodogram file, the range of periods (or of frequencies),
// the step, the value column and the statistic. OK checks them and reads the data file, then
// runs the scan in the progress window; a refusal keeps the dialog open with the field it is
// about selected.

#include "PeriodProgressWindow.h"

#include "analysis/PeriodMethod.h"

#include <QDialog>
#include <QLineEdit>

#include <optional>

class QComboBox;
class QLabel;
class QPushButton;

namespace quelmar {

struct Workbench;

// An edit with a limit on what the user types, as the dialog's fields have. Text set by the
// program (a converted value, a browsed path) may exceed the limit.
class LimitedEdit : public QLineEdit {
public:
    LimitedEdit(int typingLimit, QWidget* parent);

private:
    class Limit;
    qsizetype typingLimit_;
    qsizetype shownLength_ = 0; // of the text before the change being typed
};

class PeriodSearchDialog : public QDialog {
    Q_OBJECT
public:
    explicit PeriodSearchDialog(Workbench& workbench, QWidget* parent = nullptr);

    // The progress window is created after the dialog, in the start-up order.
    void setProgressWindow(PeriodProgressWindow* progress) { progress_ = progress; }

    void browsePeriodogramFile();
    void startSearch();
    void cancelSearch();
    // Leaving a range edit sets the opposite quantity of the opposite end.
    void minPeriodLeft();
    void maxPeriodLeft();
    void minFrequencyLeft();
    void maxFrequencyLeft();

signals:
    // A search ran to its end and wrote the periodogram of this value column by this method.
    void periodogramWritten(const QString& path, int column, const MethodSettings& method);

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void proposeFields();
    void showOwnTexts();
    // Puts the focus on the field a refused scan is about, its text selected.
    void selectRefusedField();
    // Applies the conversion of the range edit that has the focus, as leaving it would.
    void applyPendingConversion();
    void createControls();
    void layOut();
    // The scan the fields ask for; nothing when they are refused (the reason has been shown)
    // or the user declines it. changeRange: the user would rather change the range first, so
    // the dialog stays open.
    std::optional<PeriodScanJob> prepareScan(bool& changeRange);
    bool confirmLargeScan(long long frequencies);
    // Tells the user which observations the search leaves out: beyond the limit, or missing.
    void tellWhatIsLeftOut(const PeriodSeries& series);
    bool confirmLongPeriodogram(long long lines);

    Workbench& workbench_;
    PeriodProgressWindow* progress_ = nullptr;

    QLabel* introLabel_;
    QLabel* periodFileLabel_;
    QLabel* periodRangeLabel_;
    QLabel* maxPeriodLabel_;
    QLabel* daysLabel_;
    QLabel* stepLabel_;
    QLabel* frequencyRangeLabel_;
    QLabel* maxFrequencyLabel_;
    QLabel* columnLabel_;
    QLabel* methodLabel_;
    LimitedEdit* periodFileEdit_;
    LimitedEdit* minPeriodEdit_;
    LimitedEdit* maxPeriodEdit_;
    LimitedEdit* minFrequencyEdit_;
    LimitedEdit* maxFrequencyEdit_;
    LimitedEdit* stepEdit_;
    QComboBox* columnBox_;
    QComboBox* methodBox_;
    QPushButton* browseButton_;
    QPushButton* calculateButton_;
    QPushButton* cancelButton_;
};

} // namespace quelmar
