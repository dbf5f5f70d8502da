#include "OpenDialog.h"

#include <QRegularExpression>

namespace quelmar {

namespace {

QStringList patternsOf(const QString& text) {
    static const QRegularExpression separators(QStringLiteral("[;,\\s]+"));
    QStringList patterns;
    for (const QString& pattern : text.split(separators, Qt::SkipEmptyParts))
        patterns << (pattern == QLatin1String("*.*") ? QStringLiteral("*") : pattern);
    return patterns;
}

// The description without a trailing "(*.dat)" that merely repeats patterns.
QString descriptionOf(const QString& text) {
    static const QRegularExpression trailingPatterns(
        QStringLiteral("\\s*\\([^()]*[*?][^()]*\\)\\s*$"));
    QString description = text;
    description.remove(trailingPatterns);
    return description.trimmed();
}

} // namespace

QString OpenDialog::designFilter() {
    return QStringLiteral("Все поддерживаемые файлы|*.dat; *.f5; *.per|Файлы данных (*.dat)|*.dat|"
                          "Файлы F5 (*.f5)|*.f5|Файлы периодов (*.per)|*.per|Все файлы (*.*)|*.*");
}

QString withSurveyFiles(const QString& filter, const QString& surveyDescription) {
    const QString patterns = QStringLiteral("*.fits; *.fit; *.csv; *.txt");
    QStringList parts = filter.split(QLatin1Char('|'));
    if (parts.size() < 2 || filter.contains(QStringLiteral("*.fits"))) return filter;
    if (parts[1].contains(QStringLiteral("*.dat"))) parts[1] += QStringLiteral("; ") + patterns;
    const qsizetype last = parts.size() >= 4 ? parts.size() - 2 : parts.size();
    parts.insert(last, patterns);
    parts.insert(last, surveyDescription + QStringLiteral(" (") + patterns + QLatin1Char(')'));
    return parts.join(QLatin1Char('|'));
}

QStringList nameFiltersOf(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList filters;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const bool lastWithoutPatterns = i + 1 >= parts.size();
        if (lastWithoutPatterns && parts[i].trimmed().isEmpty()) continue; // a trailing "|"
        QStringList patterns = lastWithoutPatterns ? QStringList{} : patternsOf(parts[i + 1]);
        if (patterns.isEmpty()) patterns << QStringLiteral("*");
        filters << descriptionOf(parts[i]) + QStringLiteral(" (") +
                       patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters;
}

} // namespace quelmar
