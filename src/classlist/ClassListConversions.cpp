#include "ClassListConversions.h"

#include "Error.h"

#include <QRegularExpression>

#include <limits>

using zelkarin::Error;

QString trimSpaces(const QString& text) {
    qsizetype first = 0;
    qsizetype end = text.size();
    while (first < end && text[first] == u' ')
        ++first;
    while (end > first && text[end - 1] == u' ')
        --end;
    return text.mid(first, end - first);
}

QString cellReference(const char* column, int row) {
    return QLatin1String(column) + QString::number(row);
}

qint16 enrolledCount(const QString& text) {
    static const QRegularExpression wholeNumber(QStringLiteral("^[+-]?[0-9]+$"));
    if (!wholeNumber.match(text).hasMatch())
        throw Error(Error::TypeMismatch,
                    QStringLiteral("Type mismatch: the enrolled count \"%1\" of the selected "
                                   "subject is not a whole number.")
                        .arg(text));
    // The loop's N + 1 must fit as well, so the largest N is one below the 16-bit maximum.
    constexpr qint16 lowest = std::numeric_limits<qint16>::min();
    constexpr qint16 highest = std::numeric_limits<qint16>::max() - 1;
    bool fits = false;
    const qlonglong count = text.toLongLong(&fits);
    if (!fits || count < lowest || count > highest)
        throw Error(Error::Overflow,
                    QStringLiteral("Overflow: the enrolled count %1 of the selected subject is "
                                   "outside %2 to %3.")
                        .arg(text)
                        .arg(lowest)
                        .arg(highest));
    return qint16(count);
}
