#include "ComponentsCommand.h"

#include "CurveWindow.h"
#include "Workbench.h"

#include "analysis/PrincipalComponents.h"

#include <QApplication>

namespace quelmar {

namespace {

const OwnMessage* refusalOf(PcaOutcome outcome) {
    switch (outcome) {
    case PcaOutcome::Done:
        return nullptr;
    case PcaOutcome::NoPoints:
        return &message::PcaNoPoints;
    case PcaOutcome::NoChannels:
        return &message::PcaNoChannels;
    case PcaOutcome::NoCompletePoint:
        return &message::PcaNoCompletePoint;
    case PcaOutcome::NotFinite:
        return &message::PcaNotFinite;
    }
    return nullptr;
}

// A million points take a moment: the mouse pointer says so meanwhile.
struct WaitCursor {
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace

void showPrincipalComponents(Workbench& workbench, CurveWindow& curve, QWidget* parent) {
    const PcaOutcome outcome = [&] {
        const WaitCursor waiting;
        return computePrincipalComponents(workbench.store, workbench.components);
    }();
    if (const OwnMessage* refusal = refusalOf(outcome)) {
        workbench.inform(parent, workbench.say(*refusal));
        return;
    }
    if (curve.isVisible())
        curve.redraw();
    else
        curve.showLaidOut();
    if (const int status = workbench.components.PcaStatus; status != 0)
        workbench.inform(parent,
                         workbench.say(message::PcaNotConverged, {QString::number(status)}));
}

} // namespace quelmar
