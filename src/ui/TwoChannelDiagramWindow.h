#pragma once
// The two-channel diagram window: every shown channel of the light curve against every other,
// linked to the light curve. The mouse on a point makes it the cursor point of the curve, and a
// red marker in every cell shows where the cursor point lies; keys act as in the light curve.

#include "plot/TwoChannelDiagram.h"

#include <QWidget>

#include <vector>

class QLabel;
class QTimer;

namespace quelmar {

struct Workbench;
class CurveWindow;
class CurveSurface;

class TwoChannelDiagramWindow : public QWidget {
    Q_OBJECT
public:
    TwoChannelDiagramWindow(Workbench& workbench, CurveWindow& curve, QWidget* parent);

    // Shows the window; it places itself and draws the diagram once it has appeared.
    void showDiagram();
    // Draws the diagram again for the light curve's last redraw.
    void renew();

    const DiagramLayout& layout() const { return layout_; }
    const QImage& picture() const;

protected:
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void placeWindow();
    void placeAndRenew();
    void mouseMoved(QPoint position);
    void moveMarkers(int p);
    void hideMarkers();
    QString channelLabel(int k) const;
    QString shownCaption() const;
    QString mouseCaptionInWords(const DiagramHit& hit) const;

    Workbench& workbench_;
    CurveWindow& curve_;
    CurveSurface* surface_;
    QTimer* placeDelay_;
    std::vector<QLabel*> markers_; // one per cell, in the order of the layout's cells
    DiagramLayout layout_;
};

} // namespace quelmar
