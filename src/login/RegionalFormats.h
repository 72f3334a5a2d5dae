#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <QTime>

// The workstation's regional texts of a time of day and a date, as the audit row records them.

// The long time format without its time-zone part: "h:mm:ss AP" under US settings.
QString regionalTimeFormat(const QLocale& locale = QLocale::system());
// The short date format with a four-digit year: "M/d/yyyy" under US settings.
QString regionalDateFormat(const QLocale& locale = QLocale::system());

QString regionalTime(QTime time, const QLocale& locale = QLocale::system());
QString regionalDate(QDate date, const QLocale& locale = QLocale::system());
