#include "ConnectionString.h"

#include <QStringList>

namespace {

// Reads one value starting at pos, honouring a leading quote; leaves pos after the separator.
QString readValue(const QString& text, qsizetype& pos) {
    while (pos < text.size() && text.at(pos).isSpace())
        ++pos;
    if (pos < text.size() && (text.at(pos) == u'"' || text.at(pos) == u'\'')) {
        const QChar quote = text.at(pos++);
        QString value;
        while (pos < text.size()) {
            const QChar c = text.at(pos++);
            if (c != quote) {
                value += c;
            } else if (pos < text.size() && text.at(pos) == quote) {
                value += c; // a doubled quote stands for itself
                ++pos;
            } else {
                break;
            }
        }
        const qsizetype end = text.indexOf(u';', pos);
        pos = end < 0 ? text.size() : end + 1;
        return value;
    }
    const qsizetype end = text.indexOf(u';', pos);
    const QString value = text.mid(pos, end < 0 ? -1 : end - pos).trimmed();
    pos = end < 0 ? text.size() : end + 1;
    return value;
}

} // namespace

ConnectionString ConnectionString::parse(const QString& text) {
    ConnectionString result;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const qsizetype equals = text.indexOf(u'=', pos);
        const qsizetype semicolon = text.indexOf(u';', pos);
        if (equals < 0 || (semicolon >= 0 && semicolon < equals)) {
            pos = semicolon < 0 ? text.size() : semicolon + 1; // a bare word carries nothing
            continue;
        }
        const QString key = text.mid(pos, equals - pos).trimmed();
        pos = equals + 1;
        const QString value = readValue(text, pos);
        if (!key.isEmpty())
            result.m_pairs.append({key, value});
    }
    return result;
}

QString ConnectionString::value(const QString& key) const {
    for (const auto& [k, v] : m_pairs)
        if (k.compare(key, Qt::CaseInsensitive) == 0)
            return v;
    return {};
}

QList<std::pair<QString, QString>> ConnectionString::pairsExcept(const QStringList& keys) const {
    QList<std::pair<QString, QString>> kept;
    for (const auto& pair : m_pairs)
        if (!keys.contains(pair.first, Qt::CaseInsensitive))
            kept.append(pair);
    return kept;
}
