#include "curv.h"

#include "Workbench.h"

#include "core/Error.h"
#include "core/ObservationFile.h"

#include <QScreen>

namespace quelmar {

TCurfrm::TCurfrm(Workbench& workbench, QWidget* mainWindow)
    : workbench_(workbench), mainWindow_(mainWindow) {
    setObjectName(QStringLiteral("TCurfrm"));
    setWindowTitle(QStringLiteral("Кривая блеска"));
    setToolTip(QStringLiteral("Кривая блеска по данным файла"));
    setCursor(Qt::CrossCursor);
    setAutoFillBackground(true);
    QPalette background = palette();
    background.setColor(QPalette::Window, Qt::white);
    setPalette(background);
}

void TCurfrm::showLaidOut() {
    const QRect main = mainWindow_->frameGeometry();
    const QRect screenArea = (mainWindow_->screen() ? mainWindow_->screen() : screen())->geometry();
    const int top = main.top() + main.height();
    setGeometry(1, top, screenArea.width(), screenArea.height() - top - 25);
    show();
    renewclick();
}

void TCurfrm::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (!isMinimized() && isVisible()) renewclick();
}

void TCurfrm::renewclick() {
    if (!workbench_.files.CurveLoaded) loadCurveFile();
    PointStore& store = workbench_.store;
    if (store.ViewFirst == 0) store.ViewFirst = 1;
    if (store.ViewLast == 0) store.ViewLast = store.PointCount;
    setWindowTitle(QString::fromStdString(workbench_.files.CurveFileName));
    update();
}

void TCurfrm::loadCurveFile() {
    const std::string& path = workbench_.files.CurveFileName;
    // Marked loaded before the attempt, so a file that fails is reported once, not at every
    // resize; the graph's Refresh tries it again.
    workbench_.files.CurveLoaded = true;
    try {
        LoadResult loaded = loadPointStore(path, workbench_.files.ChannelCount);
        workbench_.store = std::move(loaded.store);
        const SkippedLines& skipped = loaded.skipped;
        if (skipped.count > 0)
            workbench_.inform(this, QStringLiteral("%1:\n%2 line(s) hold no observation and were "
                                                   "skipped; the first is line %3.")
                                        .arg(QString::fromStdString(path))
                                        .arg(skipped.count)
                                        .arg(skipped.firstLine));
    } catch (const QuelmarError& error) {
        workbench_.store = PointStore{};
        workbench_.reportError(this, QString::fromUtf8(error.what()));
    }
}

} // namespace quelmar
