#include "OfficeErrors.h"

#include "UnoText.h"

zelkarin::Error startFailure(const QString& reason) {
    return zelkarin::Error(zelkarin::Error::CannotCreateObject,
                           QStringLiteral("LibreOffice Calc could not be started: ") + reason);
}

zelkarin::Error noAnswerAtStart(std::chrono::milliseconds limit) {
    return startFailure(
        QStringLiteral("it did not answer within %1 seconds.").arg(limit.count() / 1000.0));
}

zelkarin::Error notAnswering(std::chrono::milliseconds limit) {
    return zelkarin::Error(
        zelkarin::Error::ApplicationBusy,
        QStringLiteral("LibreOffice Calc is not answering: it did not respond within %1 seconds. "
                       "Close any dialog that is open in LibreOffice and wait until LibreOffice "
                       "responds again, then create the class list again.")
            .arg(limit.count() / 1000.0));
}

zelkarin::Error refusedAfterCutOff() {
    return zelkarin::Error(
        zelkarin::Error::ApplicationBusy,
        QStringLiteral("LibreOffice Calc is not answering: it refuses the connection since it "
                       "stopped responding. Save your workbooks in LibreOffice and close it, "
                       "then create the class list again."));
}

zelkarin::Error connectionLost(const css::uno::Exception& e) {
    return zelkarin::Error(zelkarin::Error::AutomationError,
                           QStringLiteral("The connection to LibreOffice Calc was lost: ") +
                               describe(e, QStringLiteral("the office no longer answers.")));
}

QString describe(const css::uno::Exception& e, const QString& fallback) {
    return e.Message.isEmpty() ? fallback : toQString(e.Message);
}
