#include "RegionalFormats.h"

namespace {

// Where the first run of an unquoted pattern letter starts and ends; quoted text is literal.
struct Run {
    qsizetype start = -1;
    qsizetype end = -1;
};

Run nextRun(const QString& format, QChar letter, qsizetype from) {
    bool quoted = false;
    for (qsizetype i = 0; i < format.size(); ++i) {
        if (format[i] == u'\'') {
            quoted = !quoted;
        } else if (!quoted && i >= from && format[i] == letter) {
            qsizetype end = i;
            while (end < format.size() && format[end] == letter)
                ++end;
            return {i, end};
        }
    }
    return {};
}

bool isSeparator(QChar c) {
    return c.isSpace() || c == u',';
}

} // namespace

QString regionalTimeFormat(const QLocale& locale) {
    // Qt's long format names the zone ("t"), alone or in brackets; the workstation's time of day
    // is written without it.
    const QString format = locale.timeFormat(QLocale::LongFormat);
    Run zone = nextRun(format, u't', 0);
    if (zone.start < 0)
        return format;
    if (zone.start > 0 && zone.end < format.size()) {
        const QChar open = format[zone.start - 1];
        const QChar close = format[zone.end];
        if ((open == u'(' && close == u')') || (open == u'[' && close == u']')) {
            --zone.start;
            ++zone.end;
        }
    }
    QString before = format.left(zone.start);
    QString after = format.mid(zone.end);
    while (!before.isEmpty() && isSeparator(before.back()))
        before.chop(1);
    while (!after.isEmpty() && isSeparator(after.front()))
        after.remove(0, 1);
    if (before.isEmpty() || after.isEmpty())
        return before + after;
    return before + u' ' + after;
}

QString regionalDateFormat(const QLocale& locale) {
    QString format = locale.dateFormat(QLocale::ShortFormat);
    for (Run year = nextRun(format, u'y', 0); year.start >= 0;
         year = nextRun(format, u'y', year.end)) {
        if (year.end - year.start == 2) {
            format.insert(year.start, QStringLiteral("yy"));
            year.end += 2;
        }
    }
    return format;
}

QString regionalTime(QTime time, const QLocale& locale) {
    return locale.toString(time, regionalTimeFormat(locale));
}

QString regionalDate(QDate date, const QLocale& locale) {
    return locale.toString(date, regionalDateFormat(locale));
}
