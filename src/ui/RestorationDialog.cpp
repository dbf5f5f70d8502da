#include "RestorationDialog.h"

#include "CurveWindow.h"
#include "ModalDialogs.h"
#include "Workbench.h"

#include "analysis/SignalRestoration.h"

#include <QFontDatabase>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <QtMath>

#include <algorithm>

namespace quelmar {

namespace {

constexpr int MinimumReportHeight = 73;

} // namespace

RestorationDialog::RestorationDialog(Workbench& workbench, CurveWindow& curve, QWidget* parent)
    : QDialog(parent), workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("TSVDvosst"));
    setWindowTitle(QStringLiteral("Частичное восстановление сигнала"));
    setWindowModality(Qt::ApplicationModal);

    decompositionText_ = new QPlainTextEdit(this);
    decompositionText_->setObjectName(QStringLiteral("Memo1"));
    decompositionText_->setReadOnly(true);
    decompositionText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The loadings stand in columns.
    decompositionText_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    decompositionText_->setMinimumHeight(MinimumReportHeight);
    componentsList_ = new QListWidget(this);
    componentsList_->setObjectName(QStringLiteral("Check1"));
    componentsList_->setMinimumHeight(113);
    restoreButton_ = new QPushButton(QStringLiteral("Восстановление"), this);
    restoreButton_->setObjectName(QStringLiteral("Button1"));
    restoreButton_->setDefault(true);
    cancelButton_ = new QPushButton(QStringLiteral("Отмена"), this);
    cancelButton_->setObjectName(QStringLiteral("Button2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(restoreButton_);
    buttons->addWidget(cancelButton_);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 6);
    layout->addWidget(decompositionText_, 2);
    layout->addWidget(componentsList_, 3);
    layout->addLayout(buttons);
    resize(254, 221);

    connect(restoreButton_, &QPushButton::clicked, this, &QDialog::accept);
    connect(cancelButton_, &QPushButton::clicked, this, &QDialog::reject);
    connect(this, &QDialog::accepted, this, &RestorationDialog::restoreTicked);
}

bool RestorationDialog::refused() {
    const QString command = workbench_.text(LanguageLine::PrincipalComponents);
    switch (workbench_.document.restorationRefusal()) {
    case RestorationRefusal::None:
        return false;
    case RestorationRefusal::NoDecomposition:
        workbench_.inform(this, workbench_.say(message::RestorationWithoutComponents, {command}));
        break;
    case RestorationRefusal::StoreChanged:
        workbench_.inform(this, workbench_.say(message::RestorationCurveChanged, {command}));
        break;
    }
    return true;
}

void RestorationDialog::showDecomposition() {
    if (refused()) return;
    fill();
    showModal(*this, commandWindow(parentWidget()));
}

void RestorationDialog::fill() {
    const PrincipalComponents& pca = workbench_.document.components();
    componentsList_->clear();
    for (int k = 1; k <= pca.ChannelCount; ++k) {
        auto* item = new QListWidgetItem(QStringLiteral("№ %1").arg(k), componentsList_);
        item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsUserCheckable);
        item->setCheckState(Qt::Checked);
    }
    QStringList report;
    const std::string heading = workbench_.text(LanguageLine::PrincipalComponents).toStdString();
    for (const std::string& line : decompositionReport(pca, heading))
        report << QString::fromStdString(line);
    if (!pca.LeftOutPoints.empty())
        report << workbench_.say(message::PcaPointsLeftOut,
                                 {QString::number(pca.LeftOutPoints.size())});
    if (pca.PcaStatus != 0)
        report << workbench_.say(message::PcaNotConverged, {QString::number(pca.PcaStatus)});
    decompositionText_->setPlainText(report.join(QLatin1Char('\n')));
    fitReport(report);
}

// The report box shows every line whole, the shares' column included, as far as the screen
// allows: the dialog grows with it.
void RestorationDialog::fitReport(const QStringList& report) {
    const QFontMetrics metrics(decompositionText_->font());
    int widest = 0;
    for (const QString& line : report)
        widest = std::max(widest, metrics.horizontalAdvance(line));
    const int border = 2 * (decompositionText_->frameWidth() +
                            qCeil(decompositionText_->document()->documentMargin()));
    // A spare character and a spare line: the layout rounds each line up to whole pixels.
    QSize size(widest + border + 2 * metrics.averageCharWidth(),
               (int(report.size()) + 1) * metrics.lineSpacing() + border);
    if (const QScreen* shown = screen())
        size = size.boundedTo(shown->availableGeometry().size() / 2);
    decompositionText_->setMinimumSize(size.expandedTo(QSize(0, MinimumReportHeight)));
}

void RestorationDialog::restoreTicked() {
    if (refused()) return;
    std::vector<bool> keep(std::size_t(componentsList_->count()) + 1, false);
    for (int row = 0; row < componentsList_->count(); ++row)
        keep[std::size_t(row) + 1] = componentsList_->item(row)->checkState() == Qt::Checked;
    workbench_.document.restore(keep);
    if (curve_.isVisible())
        curve_.redraw();
    else
        curve_.showLaidOut();
}

} // namespace quelmar
