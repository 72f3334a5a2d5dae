#include "ProviderError.h"

#include <QSqlError>

#include <algorithm>

namespace {

const QString blanked = QStringLiteral("...");

// Runs of a value this long are blanked wherever they stand. Shorter runs turn up inside the
// engines' own words and names ("at", "not", "for", "log"), and blanking those would cut what
// the message is for; so no more than three characters of a value in a row can show. A value
// shorter than this, or its part before a NUL, is still blanked where it stands as a word of
// its own.
constexpr qsizetype shortestRun = 4;

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// Character by character, so that each position stays that of the same character.
QString caseFolded(QString text) {
    for (QChar& c : text)
        c = c.toCaseFolded();
    return text;
}

// The forms in which an engine may echo a value, case-folded: as given, and with its quotes
// doubled as the statement carried it; each cut at a NUL, where the text of a statement or of
// an engine's message ends.
QStringList echoForms(const QStringList& values) {
    QStringList forms;
    for (const QString& value : values) {
        for (const QString& piece : value.split(QChar(0), Qt::SkipEmptyParts)) {
            const QString folded = caseFolded(piece);
            forms << folded << QString(folded).replace(u'\'', QLatin1String("''"));
        }
    }
    forms.removeDuplicates();
    return forms;
}

void hide(QList<bool>& hidden, qsizetype from, qsizetype length) {
    std::fill(hidden.begin() + from, hidden.begin() + from + length, true);
}

// Every run of at least shortestRun characters of the form in the text. run[j] is the length of
// the run that the text at i and the form at j have in common; i goes backwards, so that run[j+1]
// still holds the value for i+1 when run[j] is worked out.
void hideRuns(const QString& text, const QString& form, QList<bool>& hidden) {
    QList<qsizetype> run(form.size() + 1, 0);
    for (qsizetype i = text.size() - 1; i >= 0; --i) {
        qsizetype longest = 0;
        for (qsizetype j = 0; j < form.size(); ++j) {
            run[j] = text.at(i) == form.at(j) ? run[j + 1] + 1 : 0;
            longest = std::max(longest, run[j]);
        }
        if (longest >= shortestRun)
            hide(hidden, i, longest);
    }
}

// Each place where the form stands whole and not inside a longer word.
void hideWholeWords(const QString& text, const QString& form, QList<bool>& hidden) {
    for (qsizetype at = text.indexOf(form); at >= 0; at = text.indexOf(form, at + 1)) {
        const qsizetype end = at + form.size();
        if ((at == 0 || !isWordChar(text.at(at - 1))) &&
            (end == text.size() || !isWordChar(text.at(end))))
            hide(hidden, at, form.size());
    }
}

QString withoutValues(const QString& text, const QStringList& forms) {
    const QString folded = caseFolded(text);
    QList<bool> hidden(text.size(), false);
    for (const QString& form : forms) {
        if (form.size() < shortestRun)
            hideWholeWords(folded, form, hidden);
        else
            hideRuns(folded, form, hidden);
    }
    QString kept;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (!hidden.at(i))
            kept += text.at(i);
        else if (i == 0 || !hidden.at(i - 1))
            kept += blanked;
    }
    return kept;
}

// The first line of an engine's message: PostgreSQL follows it with the statement ("LINE 1:"),
// a caret under it and a row of the key ("DETAIL:"), which may hold values of other statements.
QString firstLine(const QString& text) {
    return text.trimmed().section(u'\n', 0, 0).trimmed();
}

} // namespace

zelkarin::Error providerError(const QSqlError& error, const QStringList& values) {
    const QStringList forms = echoForms(values);
    QStringList parts;
    for (const QString& text : {error.driverText(), error.databaseText()}) {
        const QString line = withoutValues(firstLine(text), forms);
        if (!line.isEmpty() && !parts.contains(line))
            parts << line;
    }
    const QString code = error.nativeErrorCode().trimmed();
    if (!code.isEmpty())
        parts << QStringLiteral("(%1)").arg(withoutValues(code, forms));
    return zelkarin::Error(zelkarin::Error::ProviderError, parts.join(u'\n'));
}
