#include "SettingsGeneralPage.h"

#include "SettingsControls.h"
#include "Workbench.h"

#include "core/MissingValue.h"
#include "core/TextFile.h"
#include "core/cp1251.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quelmar {

namespace {

QLineEdit* settingEdit(QWidget* parent, const char* name, std::string& setting) {
    auto* edit = new QLineEdit(fromCp1251(setting), parent);
    edit->setObjectName(QLatin1String(name));
    QObject::connect(edit, &QLineEdit::textChanged, edit,
                     [&setting](const QString& text) { setting = toCp1251(text); });
    return edit;
}

// "none" in either language and any case, or a number, with the blanks around it dropped.
std::optional<MissingMarker> markerTyped(const QString& text) {
    const QString typed = text.trimmed();
    for (InterfaceLanguage language : {InterfaceLanguage::English, InterfaceLanguage::Russian})
        if (typed.compare(QString::fromStdString(ownText(message::NoMissingMarker, language)),
                          Qt::CaseInsensitive) == 0)
            return MissingMarker::none();
    return parseMissingMarker(typed.toStdString());
}

// The box writes every readable marker into the settings at once; one it cannot read is
// refused at OK.
QLineEdit* markerEdit(QWidget* parent, MissingMarker& setting) {
    auto* edit = new QLineEdit(QString::fromStdString(missingMarkerText(setting)), parent);
    edit->setMaxLength(64); // the longest number a data file holds
    edit->setObjectName(QStringLiteral("MissingEdit"));
    edit->setToolTip(QString::fromUtf8(designText(message::MissingValueHint)));
    QObject::connect(edit, &QLineEdit::textChanged, edit, [&setting](const QString& text) {
        if (const std::optional<MissingMarker> marker = markerTyped(text)) setting = *marker;
    });
    return edit;
}

} // namespace

SettingsGeneralPage::SettingsGeneralPage(Workbench& workbench, QWidget* parent)
    : QWidget(parent), workbench_(workbench) {
    setObjectName(QStringLiteral("TabSheet1"));
    AppSettings& settings = workbench.settings;

    plateCatalogueEdit_ = settingEdit(this, "Edit1", settings.PlateCatalogue);
    editorPathEdit_ = settingEdit(this, "Edit2", settings.EditorPath);
    missingMarkerEdit_ = markerEdit(this, settings.Missing);
    QPushButton* obzor1 = namedButton(this, "obzor1", QStringLiteral("Обзор..."));
    QPushButton* obzor2 = namedButton(this, "obzor2", QStringLiteral("Обзор..."));
    connect(obzor1, &QPushButton::clicked, this, &SettingsGeneralPage::browsePlateCatalogue);
    connect(obzor2, &QPushButton::clicked, this, &SettingsGeneralPage::browseEditor);
    fullPlateInfoCheck_ = optionCheck(
        this, "FullNumCh", QStringLiteral("Полная информация при переводе № пластин в JD"),
        settings.FullPlateInfo);
    alwaysOnTopCheck_ =
        optionCheck(this, "OnTopCH", QStringLiteral("Всегда на поверхности"), settings.AlwaysOnTop);
    barycentricTdbCheck_ = optionCheck(
        this, "BaryTdbCh", QString::fromUtf8(designText(message::BarycentricTdbDefault)),
        settings.BarycentricTdb);
    QPushButton* language =
        namedButton(this, "Button1", QString::fromUtf8(designText(message::LanguageButton)));
    connect(language, &QPushButton::clicked, this, &SettingsGeneralPage::chooseLanguageFile);

    auto* paths = new QGridLayout;
    paths->addWidget(namedLabel(this, "Label1", QStringLiteral("Фотометрическая база данных")), 0,
                     0, 1, 2);
    paths->addWidget(plateCatalogueEdit_, 1, 0);
    paths->addWidget(obzor1, 1, 1);
    paths->addWidget(namedLabel(this, "Label2", QStringLiteral("Внешний текстовый редактор")), 2, 0,
                     1, 2);
    paths->addWidget(editorPathEdit_, 3, 0);
    paths->addWidget(obzor2, 3, 1);
    auto* marker = new QHBoxLayout;
    marker->addWidget(namedLabel(this, "MissingLabel",
                                 QString::fromUtf8(designText(message::MissingValueLabel))));
    marker->addWidget(missingMarkerEdit_);
    marker->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(paths);
    layout->addLayout(marker);
    layout->addWidget(fullPlateInfoCheck_);
    layout->addWidget(alwaysOnTopCheck_);
    layout->addWidget(barycentricTdbCheck_);
    layout->addWidget(createPolynomialGroup());
    layout->addWidget(language, 0, Qt::AlignLeft);
    layout->addStretch();
}

QWidget* SettingsGeneralPage::createPolynomialGroup() {
    Options& options = workbench_.options;
    QGridLayout* grid = namedGroup(this, "GroupBox5", QStringLiteral("Полином"));
    QWidget* group = grid->parentWidget();
    grid->addWidget(optionCheck(group, "RadioButton1", QStringLiteral("Максимальная точность"),
                                options.BestTermCount),
                    0, 0, 1, 3);
    grid->addWidget(namedLabel(group, "Label777", QStringLiteral("Заданная степень:")), 1, 0);
    firstTermsSpin_ = optionSpin(group, "Spinpolynom", design::MinTerms, design::MaxTerms,
                                 options.PolynomialTerms.first);
    grid->addWidget(firstTermsSpin_, 1, 1);
    grid->addWidget(optionSpin(group, "Spinpolynom2", design::MinTerms, design::MaxTerms,
                               options.PolynomialTerms.last),
                    1, 2);
    grid->addWidget(namedLabel(group, "Label23", QStringLiteral("Округление результатов.")), 2, 0,
                    1, 3);
    grid->addWidget(namedLabel(group, "Label24", QStringLiteral("Знаков после ',':")), 3, 0);
    grid->addWidget(
        optionSpin(group, "spinpolynomzn", 0, design::MaxDecimals, options.PolynomialDecimals), 3,
        1);
    return group;
}

void SettingsGeneralPage::showFirstTermCount(int terms) {
    firstTermsSpin_->setValue(terms);
}

void SettingsGeneralPage::showSettings(const AppSettings& settings) {
    const AppSettings shown = settings; // the controls write back into the live settings
    plateCatalogueEdit_->setText(fromCp1251(shown.PlateCatalogue));
    editorPathEdit_->setText(fromCp1251(shown.EditorPath));
    fullPlateInfoCheck_->setChecked(shown.FullPlateInfo);
    alwaysOnTopCheck_->setChecked(shown.AlwaysOnTop);
    barycentricTdbCheck_->setChecked(shown.BarycentricTdb);
    missingMarkerEdit_->setText(shownMarker(shown.Missing));
}

QString SettingsGeneralPage::shownMarker(const MissingMarker& marker) const {
    return marker.isNone() ? workbench_.say(message::NoMissingMarker)
                           : QString::fromStdString(missingMarkerText(marker));
}

std::optional<SettingsGeneralPage::RefusedPath>
SettingsGeneralPage::refuseUnreadableMarker(const AppSettings& saved) {
    if (markerTyped(missingMarkerEdit_->text())) return std::nullopt;
    const QString typed = missingMarkerEdit_->text();
    const QString kept = shownMarker(saved.Missing);
    missingMarkerEdit_->setText(kept); // the box writes it back into the settings
    return RefusedPath{typed, kept, &message::MissingValueNotRead};
}

std::vector<SettingsGeneralPage::RefusedPath>
SettingsGeneralPage::refusePathsTheFileCannotHold(const AppSettings& saved) {
    std::vector<RefusedPath> refused;
    const std::pair<QLineEdit*, const std::string*> paths[] = {
        {plateCatalogueEdit_, &saved.PlateCatalogue}, {editorPathEdit_, &saved.EditorPath}};
    for (const auto& [edit, savedPath] : paths) {
        const std::string typed = edit->text().toStdString();
        const OwnMessage* why = nullptr;
        if (!fitsCp1251(typed))
            why = &message::PathOutsideCodePage;
        else if (typed.find_first_of("\r\n") != std::string::npos)
            why = &message::PathWithLineBreak;
        if (!why) continue;
        refused.push_back({edit->text(), fromCp1251(*savedPath), why});
        edit->setText(fromCp1251(*savedPath)); // the edit writes it back into the settings
    }
    return refused;
}

QString SettingsGeneralPage::chooseWithFilter(const QString& filter, const QString& initialFolder,
                                              const QString& fileName) {
    OpenDialog dialog = workbench_.openDialog;
    dialog.filter = filter;
    dialog.initialFolder = initialFolder;
    dialog.fileName = fileName;
    return workbench_.desktop.chooseOpenFile(window(), dialog);
}

void SettingsGeneralPage::browsePlateCatalogue() {
    const QString chosen = chooseWithFilter(workbench_.text(LanguageLine::PlateCatalogueFilter),
                                            QFileInfo(plateCatalogueEdit_->text()).path(),
                                            workbench_.openDialog.fileName);
    if (!chosen.isEmpty()) plateCatalogueEdit_->setText(chosen);
}

void SettingsGeneralPage::browseEditor() {
    const QString chosen =
        chooseWithFilter(workbench_.text(LanguageLine::EditorFilter),
                         QFileInfo(editorPathEdit_->text()).path(), workbench_.openDialog.fileName);
    if (!chosen.isEmpty()) editorPathEdit_->setText(chosen);
}

void SettingsGeneralPage::chooseLanguageFile() {
    // Language files only, in the program's folder, no data file's name proposed.
    QString filter = workbench_.text(LanguageLine::LanguageFileFilter);
    if (!filter.contains(QStringLiteral("*.lng"))) filter = workbench_.say(message::LanguageFilter);
    const QString chosen = chooseWithFilter(filter, workbench_.ExecutableFolder, {});
    if (chosen.isEmpty() || !isLanguageFile(chosen)) return;
    workbench_.settings.LanguageName = toCp1251(QFileInfo(chosen).fileName().left(2));
}

bool SettingsGeneralPage::isLanguageFile(const QString& path) {
    const QFileInfo file(path);
    // The language is the name's first two letters: their file must be where the program looks.
    const bool named = file.suffix().compare(QStringLiteral("lng"), Qt::CaseInsensitive) == 0 &&
                       file.completeBaseName().size() >= 2;
    const bool found =
        named && !workbench_.lookUp(file.fileName().left(2) + QStringLiteral(".lng")).isEmpty();
    if (!found || !file.isFile() || !file.isReadable()) {
        workbench_.reportError(window(), workbench_.say(message::NotALanguageFile, {path}));
        return false;
    }
    return true;
}

} // namespace quelmar
