#include "TableRights.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>

#include <stdexcept>

namespace {

[[noreturn]] void fail(const QString& what) {
    throw std::runtime_error(what.toStdString());
}

QString right(const QString& verb, const QString& table, const QString& column) {
    return verb.toUpper() + u' ' + table.toLower() + u'.' + column.toLower();
}

QStringList sortedUnique(const QStringList& rights) {
    QStringList unique = QSet<QString>(rights.begin(), rights.end()).values();
    unique.sort();
    return unique;
}

// [dbo].[Prof_login], "password", Prof_login: the bare name.
QString bareName(QString name) {
    name.remove(QRegularExpression(QStringLiteral(R"([\[\]"])")));
    return name.section(u'.', -1).trimmed();
}

// Words that are not columns in the program's statements.
const QSet<QString>& keywords() {
    static const QSet<QString> words{"select", "from",   "where",  "and",    "or",     "not",
                                     "group",  "by",     "having", "order",  "asc",    "desc",
                                     "as",     "insert", "into",   "values", "update", "set",
                                     "delete", "is",     "null",   "like",   "in"};
    return words;
}

} // namespace

QStringList grantedRights(const QString& scriptPath) {
    QFile file(scriptPath);
    if (!file.open(QIODevice::ReadOnly))
        fail(QStringLiteral("cannot read ") + scriptPath);
    static const QRegularExpression grant(
        QStringLiteral(R"(^GRANT\s+(\w+)\s*(?:\(([^)]*)\))?\s+ON\s+(\S+)\s.*;$)"),
        QRegularExpression::CaseInsensitiveOption);
    QStringList rights;
    for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n')) {
        if (!line.startsWith(QLatin1String("GRANT "), Qt::CaseInsensitive))
            continue;
        if (!line.trimmed().endsWith(u';'))
            fail(QStringLiteral("a GRANT on more than one line: ") + line);
        const QRegularExpressionMatch match = grant.match(line.trimmed());
        if (!match.hasMatch())
            continue; // GRANT CONNECT TO ...: no object
        const QString object = match.captured(3);
        if (object.compare(QLatin1String("DATABASE"), Qt::CaseInsensitive) == 0 ||
            object.compare(QLatin1String("SCHEMA"), Qt::CaseInsensitive) == 0)
            continue;
        const QString columns = match.captured(2);
        if (columns.isEmpty()) {
            rights << right(match.captured(1), bareName(object), QStringLiteral("*"));
            continue;
        }
        for (const QString& column : columns.split(u','))
            rights << right(match.captured(1), bareName(object), bareName(column));
    }
    return sortedUnique(rights);
}

QStringList neededRights(const QString& statement) {
    QString text = statement;
    text.replace(QRegularExpression(QStringLiteral("'(?:[^']|'')*'")), QStringLiteral("?"));
    static const QRegularExpression token(QStringLiteral(R"([A-Za-z_]\w*|\S)"));
    QStringList tokens;
    for (const QRegularExpressionMatch& match : token.globalMatch(text))
        tokens << match.captured().toLower();
    if (tokens.isEmpty())
        fail(QStringLiteral("an empty statement"));

    const QString verb = tokens.first();
    const qsizetype from = tokens.indexOf(QStringLiteral("from"));
    const qsizetype where = tokens.indexOf(QStringLiteral("where"));
    QString table;
    if (verb == QLatin1String("select") || verb == QLatin1String("delete"))
        table = tokens.value(from + 1);
    else if (verb == QLatin1String("insert"))
        table = tokens.value(2);
    else if (verb == QLatin1String("update"))
        table = tokens.value(1);
    else
        fail(QStringLiteral("a statement the check does not know: ") + statement);

    // The columns that a stretch of tokens names: not keywords, functions, aliases or values.
    const auto columns = [&](qsizetype begin, qsizetype end) {
        QStringList names;
        for (qsizetype i = begin; i < end && i < tokens.size(); ++i) {
            const QString& t = tokens.at(i);
            const bool identifier = t.front().isLetter() || t.front() == u'_';
            if (t == QLatin1String("*"))
                names << t;
            else if (identifier && !keywords().contains(t) && t != table &&
                     tokens.value(i + 1) != QLatin1String("(") &&
                     tokens.value(i - 1) != QLatin1String("as"))
                names << t;
        }
        return names;
    };

    QStringList rights;
    if (verb == QLatin1String("select")) {
        for (const QString& column : columns(1, tokens.size()))
            rights << right(verb, table, column);
    } else if (verb == QLatin1String("insert")) {
        for (const QString& column : columns(3, tokens.indexOf(QStringLiteral("values"))))
            rights << right(verb, table, column);
    } else if (verb == QLatin1String("update")) {
        const qsizetype set = tokens.indexOf(QStringLiteral("set"));
        for (const QString& column : columns(set + 1, where < 0 ? tokens.size() : where))
            rights << right(verb, table, column);
    } else {
        rights << right(verb, table, QStringLiteral("*"));
    }
    // A WHERE clause reads its columns.
    if (where >= 0 && verb != QLatin1String("select"))
        for (const QString& column : columns(where + 1, tokens.size()))
            rights << right(QStringLiteral("select"), table, column);
    return sortedUnique(rights);
}

bool allows(const QString& granted, const QString& needed) {
    const QString grantedTable = granted.section(u'.', 0, 0);
    if (grantedTable != needed.section(u'.', 0, 0))
        return false;
    const QString grantedColumn = granted.section(u'.', 1);
    return grantedColumn == QLatin1String("*") || grantedColumn == needed.section(u'.', 1);
}
