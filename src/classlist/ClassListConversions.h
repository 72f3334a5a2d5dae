#pragma once

#include <QString>
#include <QtGlobal>

// What the class list export makes of the texts it is given: cell text, cell references and the
// enrolled count.

// Text as the export writes it: leading and trailing space characters removed, other white
// space kept.
QString trimSpaces(const QString& text);

// "B10": the column letters followed by the row number.
QString cellReference(const char* column, int row);

// The enrolled count of the selected teaching-load row as the 16-bit number N of the student
// loop, which also compares with N + 1. Throws zelkarin::Error (Type mismatch, Overflow) for
// text that is not a whole number or lies outside that range.
qint16 enrolledCount(const QString& text);
