#include "EditorCommand.h"

#include <QFileInfo>

namespace quelmar {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n');
}

// Characters a backslash protects within double quotes.
bool escapableInDoubleQuotes(QChar c) {
    return c == QLatin1Char('"') || c == QLatin1Char('\\') || c == QLatin1Char('$') ||
           c == QLatin1Char('`') || c == QLatin1Char('\n');
}

} // namespace

QStringList editorCommand(const QString& setting) {
    if (QFileInfo(setting).isFile()) return {setting};
    QStringList words;
    QString word;
    bool inWord = false;
    for (qsizetype i = 0; i < setting.size(); ++i) {
        const QChar c = setting[i];
        if (isBlank(c)) {
            if (inWord) words << word;
            word.clear();
            inWord = false;
            continue;
        }
        inWord = true;
        if (c == QLatin1Char('\'')) {
            const qsizetype end = setting.indexOf(QLatin1Char('\''), i + 1);
            if (end < 0) return {};
            word += setting.mid(i + 1, end - i - 1);
            i = end;
        } else if (c == QLatin1Char('"')) {
            for (++i;; ++i) {
                if (i >= setting.size()) return {};
                const QChar q = setting[i];
                if (q == QLatin1Char('"')) break;
                if (q == QLatin1Char('\\') && i + 1 < setting.size() &&
                    escapableInDoubleQuotes(setting[i + 1]))
                    ++i;
                word += setting[i];
            }
        } else if (c == QLatin1Char('\\') && i + 1 < setting.size()) {
            word += setting[++i];
        } else {
            word += c;
        }
    }
    if (inWord) words << word;
    return words;
}

} // namespace quelmar
