#pragma once

#include <QString>

#include <exception>

namespace zelkarin {

// A failed database, conversion or automation call: its number and the component's own text.
// Header-only, so the spreadsheet module throws the same type that the windows catch, and
// links nothing else of the core.
class Error : public std::exception {
public:
    Error(long number, QString description)
        : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8()) {}

    long number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // Every number the program reports: the runtime's own for each failure, so that a member
    // or the college's staff can look it up. Named after the runtime's text of the number.
    static constexpr long Overflow = 6;
    static constexpr long SubscriptOutOfRange = 9;
    static constexpr long TypeMismatch = 13;
    static constexpr long InvalidUseOfNull = 94;
    // "ActiveX component can't create object": the spreadsheet application is missing or does
    // not start.
    static constexpr long CannotCreateObject = 429;
    static constexpr long ApplicationDefinedError = 1004;
    static constexpr long ItemNotFound = 3265;
    static constexpr long ProviderError = -2147467259;   // 0x80004005
    static constexpr long AutomationError = -2147417848; // 0x80010108
    // "The message filter indicated that the application is busy" (0x8001010A): the office
    // takes no calls, as one with a dialog open.
    static constexpr long ApplicationBusy = -2147417846;

private:
    long m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace zelkarin
