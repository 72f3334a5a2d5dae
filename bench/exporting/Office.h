#pragma once

#include <com/sun/star/frame/XDesktop2.hpp>

#include <QString>

// A headless LibreOffice that this benchmark starts on its own profile and ends again, reached
// over a pipe through UNO, as the program's Calc module reaches its own.
class Office {
public:
    explicit Office(const QString& profileDirectory);
    ~Office(); // closes the documents, ends the office and waits for it

    Office(const Office&) = delete;
    Office& operator=(const Office&) = delete;

    const css::uno::Reference<css::frame::XDesktop2>& desktop() const { return m_desktop; }
    void closeDocuments() const;

private:
    qint64 m_processId = 0;
    css::uno::Reference<css::frame::XDesktop2> m_desktop;
};
