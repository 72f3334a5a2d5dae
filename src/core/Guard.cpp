#include "Guard.h"

#include "Error.h"
#include "MsgBox.h"

namespace {

void report(long number, const QString& description) {
    MsgBox(QStringLiteral("Run-time error '%1':\n\n%2").arg(number).arg(description),
           MsgStyle::Critical);
}

} // namespace

bool runGuarded(const std::function<void()>& handler) {
    try {
        handler();
        return true;
    } catch (const zelkarin::Error& error) {
        report(error.number(), error.description());
    } catch (const std::exception& error) {
        report(zelkarin::Error::AutomationError, QString::fromLocal8Bit(error.what()));
    } catch (...) {
        report(zelkarin::Error::AutomationError, QStringLiteral("Unexpected failure."));
    }
    return false;
}
