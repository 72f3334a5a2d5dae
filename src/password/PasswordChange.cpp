#include "PasswordChange.h"

#include "BusyCursor.h"
#include "Connections.h"
#include "MsgBox.h"

static const QString invalidTitle = QStringLiteral("INVALID");

Statement accountLookup(const QString& facultyId) {
    return Statement("SELECT * FROM Prof_login WHERE Profid ='").value(facultyId).sql("'");
}

// Opens the action's connection and tells whether the account still exists.
static bool findAccount(const QString& facultyId) {
    BusyCursor busy;
    Connections::OpenConnection();
    Connections::rsAccount = Connections::Execute(accountLookup(facultyId));
    return !Connections::rsAccount.bof() && !Connections::rsAccount.eof();
}

Statement passwordUpdate(const QString& newPassword, const QString& facultyId) {
    return Statement("UPDATE Prof_login set password='")
        .value(newPassword)
        .sql("'where Profid ='")
        .value(facultyId)
        .sql("'");
}

static void storePassword(const QString& newPassword, const QString& facultyId) {
    BusyCursor busy;
    Connections::rsAccount = Connections::Execute(passwordUpdate(newPassword, facultyId));
}

PasswordChangeResult changePassword(const QString& facultyIdCaption,
                                    const PasswordEntries& entries) {
    // Only a zero-length field is empty: blanks are a password like any other.
    if (entries.newPassword.isEmpty() || entries.verifyPassword.isEmpty() ||
        entries.oldPassword.isEmpty()) {
        MsgBox(QStringLiteral("One of your field is empty."), MsgStyle::Exclamation, invalidTitle);
        return PasswordChangeResult::EmptyField;
    }
    const QString facultyId = facultyIdCaption.trimmed();
    // The account is looked up before the entries are compared, so a database failure shows
    // even when they differ.
    if (!findAccount(facultyId)) {
        MsgBox(QStringLiteral("Your account could not be found. Your password was not changed."),
               MsgStyle::Exclamation, invalidTitle);
        return PasswordChangeResult::NoAccount;
    }
    if (entries.newPassword != entries.verifyPassword) {
        MsgBox(QStringLiteral("New password and verify password did not match with each other. "
                              "Pls try again."),
               MsgStyle::Exclamation, invalidTitle);
        return PasswordChangeResult::Mismatch;
    }
    storePassword(entries.newPassword, facultyId);
    MsgBox(QStringLiteral("Your password has been changed."), MsgStyle::Information,
           QStringLiteral("Password Changed"));
    return PasswordChangeResult::Changed;
}
