#pragma once
// The settings dialog's page "Graph": the display options of the light curve, the point
// information, the tick marks, the channel list and the point shape.

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;

namespace quelmar {

struct AppSettings;
struct PointStore;
struct Workbench;

class SettingsGraphPage : public QWidget {
    Q_OBJECT
public:
    SettingsGraphPage(Workbench& workbench, QWidget* parent);

    void showSettings(const AppSettings& settings);
    // One item per channel of the store, marked as the channel is visible; the list and its
    // buttons are enabled only when there is more than one channel.
    void showChannels(const PointStore& store);

    void showEveryChannel();
    void hideEveryChannel();
    void restoreDefaultLook();

signals:
    // "Show the curve navigation panel" was ticked or cleared.
    void curveToolsToggled(bool shown);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget* createAxisGroup();
    QWidget* createPointInfoGroup();
    QWidget* createTicksGroup();
    QWidget* createChannelGroup();
    QWidget* createShapeGroup();
    QLabel* createDefaultsLink();
    void markAllChannels(bool marked);
    void shapeChosen();
    void setLinkColour(const QColor& colour);

    Workbench& workbench_;
    QCheckBox* curveToolsCheck_;
    QCheckBox* gridCheck_;
    QCheckBox* askBeforeDeleteCheck_;
    QSpinBox* xAxisDecimalsSpin_ = nullptr;
    QSpinBox* yAxisDecimalsSpin_ = nullptr;
    QSpinBox* cursorXDecimalsSpin_ = nullptr;
    QSpinBox* cursorYDecimalsSpin_ = nullptr;
    QSpinBox* cursorInverseXDecimalsSpin_ = nullptr;
    QListWidget* channelsList_ = nullptr;
    QPushButton* everyChannelButton_ = nullptr;
    QPushButton* noChannelButton_ = nullptr;
    QRadioButton* circleButton_ = nullptr;
    QRadioButton* squareButton_ = nullptr;
    QRadioButton* symbolButton_ = nullptr;
    QLineEdit* symbolEdit_ = nullptr;
    QSpinBox* pointSizeSpin_ = nullptr;
    QLabel* defaultsLink_ = nullptr;
};

} // namespace quelmar
