#pragma once

#include <QString>

#include <exception>

namespace zelkarin {

// A failed database, conversion or automation call: its number and the component's own text.
// Header-only, so the spreadsheet module throws the same type that the windows catch.
class Error : public std::exception {
public:
    Error(long number, QString description)
        : m_number(number), m_description(std::move(description)), m_what(m_description.toUtf8()) {}

    long number() const { return m_number; }
    const QString& description() const { return m_description; }
    const char* what() const noexcept override { return m_what.constData(); }

    // The runtime's numbers for the failures the program itself detects.
    static constexpr long InvalidUseOfNull = 94;
    static constexpr long Overflow = 6;
    static constexpr long TypeMismatch = 13;
    static constexpr long ItemNotFound = 3265;
    static constexpr long ProviderError = -2147467259; // 0x80004005
    static constexpr long AutomationError = -2147417848;

private:
    long m_number;
    QString m_description;
    QByteArray m_what;
};

} // namespace zelkarin
