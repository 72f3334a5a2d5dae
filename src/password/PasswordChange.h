#pragma once

#include "Statement.h"

#include <QString>

// The three fields of the change-password window as OK reads them.
struct PasswordEntries {
    QString newPassword;
    QString verifyPassword;
    QString oldPassword;
};

enum class PasswordChangeResult {
    EmptyField, // told; the database was not touched
    NoAccount,  // told; nothing written
    Mismatch,   // told; nothing written
    Changed,    // told; the new password is stored
};

// OK of the change-password window: checks the entries, looks the account up on a new
// connection, compares the two new entries and stores the new one, telling the member each
// outcome. The ID is the caption of the window's ID label. A failed database call propagates.
PasswordChangeResult changePassword(const QString& facultyIdCaption,
                                    const PasswordEntries& entries);

// The statement texts, beside the functions that run them.
Statement accountLookup(const QString& facultyId);
Statement passwordUpdate(const QString& newPassword, const QString& facultyId);
