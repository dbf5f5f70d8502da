#include "RestorationDialog.h"

#include "CurveWindow.h"
#include "ModalDialogs.h"
#include "Workbench.h"

#include "analysis/SignalRestoration.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace quelmar {

RestorationDialog::RestorationDialog(Workbench& workbench, CurveWindow& curve, QWidget* parent)
    : QDialog(parent), workbench_(workbench), curve_(curve) {
    setObjectName(QStringLiteral("TSVDvosst"));
    setWindowTitle(QStringLiteral("Частичное восстановление сигнала"));
    setWindowModality(Qt::ApplicationModal);

    Memo1 = new QPlainTextEdit(this);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    // The loadings stand in columns.
    Memo1->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    Memo1->setMinimumHeight(73);
    Check1 = new QListWidget(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setMinimumHeight(113);
    Button1 = new QPushButton(QStringLiteral("Восстановление"), this);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("Отмена"), this);
    Button2->setObjectName(QStringLiteral("Button2"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(Button1);
    buttons->addWidget(Button2);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(2, 2, 2, 6);
    layout->addWidget(Memo1, 2);
    layout->addWidget(Check1, 3);
    layout->addLayout(buttons);
    resize(254, 221);

    connect(Button1, &QPushButton::clicked, this, &QDialog::accept);
    connect(Button2, &QPushButton::clicked, this, &QDialog::reject);
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
    Check1->clear();
    for (int k = 1; k <= pca.ChannelCount; ++k) {
        auto* item = new QListWidgetItem(QStringLiteral("№ %1").arg(k), Check1);
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
    Memo1->setPlainText(report.join(QLatin1Char('\n')));
}

void RestorationDialog::restoreTicked() {
    if (refused()) return;
    std::vector<bool> keep(std::size_t(Check1->count()) + 1, false);
    for (int row = 0; row < Check1->count(); ++row)
        keep[std::size_t(row) + 1] = Check1->item(row)->checkState() == Qt::Checked;
    workbench_.document.restore(keep);
    if (curve_.isVisible())
        curve_.redraw();
    else
        curve_.showLaidOut();
}

} // namespace quelmar
