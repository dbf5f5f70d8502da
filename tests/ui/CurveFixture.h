#pragma once
// The workbench started on a light curve of known points, with the curve window and its
// control panel at hand.

#include "ShellFixture.h"

#include "ui/CurvePanel.h"
#include "ui/CurveWindow.h"

#include "plot/CurveGeometry.h"

#include <QLineEdit>
#include <QSpinBox>

#include <string>
#include <vector>

namespace quelmar::test {

struct CurvePoint {
    double time;
    std::vector<double> values;
};

class CurveTest : public ShellTest {
protected:
    // Starts the workbench on a data file of these points; the flags are line 5 of settings.bin.
    CurveWindow& openCurve(const std::vector<CurvePoint>& points,
                           const std::string& flags = "00000+200") {
        std::string content;
        for (const CurvePoint& point : points) {
            content += std::to_string(point.time);
            for (double v : point.values)
                content += ' ' + std::to_string(v);
            content += "\r\n";
        }
        writeLanguage(work(), "en");
        writeText(settingsPath(), "en\r\n7cam.dat\r\n/usr/bin/editor\r\n4\r\n" + flags + "\r\n");
        start({writeText(inWork("star.dat"), content)});
        activate(shell->mainWindow());
        return curve();
    }
    // n points one day apart; channel 1 holds 10 + i / 100, channel 2 20 - i / 100.
    CurveWindow& openEvenCurve(int n, const std::string& flags = "00000+200") {
        std::vector<CurvePoint> points;
        for (int i = 1; i <= n; ++i)
            points.push_back({1000.0 + i, {10 + i / 100.0, 20 - i / 100.0}});
        return openCurve(points, flags);
    }

    CurveWindow& curve() { return shell->curveWindow(); }
    CurvePanel& panel() { return shell->controlPanel(); }
    LightCurveDocument& document() { return shell->workbench().document; }
    const PointStore& store() { return document().points(); }
    const ViewState& view() { return document().view(); }

    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(&curve(), k, modifiers);
    }
    void type(char c) { QTest::keyClick(&curve(), c); }
    QLineEdit* edit(const char* name) { return find<QLineEdit>(panel(), name); }
    // Types a range into the panel and reloads with it, as the key R does.
    void showRange(const QString& first, const QString& last) {
        edit("Edit1")->setText(first);
        edit("Edit2")->setText(last);
        key(Qt::Key_R);
    }
    std::pair<int, int> shownRange() { return {store().ViewFirst, store().ViewLast}; }
    // The marker centre of point i of channel k, as the last redraw placed it.
    QPoint centreOf(int k, int i) {
        const ChannelPlacement placement(store(), curve().curveGeometry(), k);
        return QPoint(static_cast<int>(*placement.x(i)), static_cast<int>(*placement.y(i)));
    }
    QWidget* picture() { return find<QWidget>(curve(), "GrfObj"); }
};

} // namespace quelmar::test
