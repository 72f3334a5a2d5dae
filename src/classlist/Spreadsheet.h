#pragma once

#include <QString>

#include <optional>

// What the class list export needs of a spreadsheet application. Every call may throw
// zelkarin::Error with the application's own description.
class Spreadsheet {
public:
    virtual ~Spreadsheet() = default;

    // Opens an untitled copy of the workbook at path; the file itself is never written.
    virtual void openTemplate(const QString& path) = 0;
    // Makes the named sheet of the open workbook the target of every later cell call.
    virtual void activateSheet(const QString& name) = 0;
    // Shows the application's window with the workbook.
    virtual void show() = 0;
    virtual void select(const QString& range) = 0;
    // Empties values, dates, texts and formulas of a block; formats stay.
    virtual void clearContents(const QString& range) = 0;
    // Enters value as a member typing it would (numbers become numbers), except that a value
    // the spreadsheet would take as a formula is stored as plain text. nullopt empties the cell.
    virtual void setCell(const QString& cell, const std::optional<QString>& value) = 0;
};
