#include "ProviderError.h"

#include <QSqlError>
#include <QStringList>

namespace {

const QString blanked = QStringLiteral("...");

bool isWordChar(QChar c) {
    return c.isLetterOrNumber() || c == u'_';
}

// A quote opens a fragment unless it stands inside a word ("can't"), and closes it unless a
// word goes on after it ('O'Brien'). A fragment that never closes runs to the end.
QString withoutQuotedFragments(const QString& line) {
    QString kept;
    qsizetype pos = 0;
    while (pos < line.size()) {
        const QChar c = line.at(pos);
        const bool opens = (c == u'"' || c == u'\'') && (pos == 0 || !isWordChar(line.at(pos - 1)));
        if (!opens) {
            kept += c;
            ++pos;
            continue;
        }
        qsizetype end = pos + 1;
        while (end < line.size() &&
               !(line.at(end) == c && (end + 1 == line.size() || !isWordChar(line.at(end + 1)))))
            ++end;
        kept += c + blanked + c;
        pos = end + 1;
    }
    return kept;
}

// The first line of an engine's message: PostgreSQL follows it with the statement ("LINE 1:"),
// a caret under it and the values of a key ("DETAIL:").
QString firstLine(const QString& text) {
    return withoutQuotedFragments(text.trimmed().section(u'\n', 0, 0).trimmed());
}

} // namespace

zelkarin::Error providerError(const QSqlError& error) {
    QStringList parts;
    for (const QString& text : {error.driverText(), error.databaseText()}) {
        const QString line = firstLine(text);
        if (!line.isEmpty() && !parts.contains(line))
            parts << line;
    }
    const QString code = error.nativeErrorCode().trimmed();
    if (!code.isEmpty())
        parts << QStringLiteral("(%1)").arg(withoutQuotedFragments(code));
    return zelkarin::Error(zelkarin::Error::ProviderError, parts.join(u'\n'));
}
