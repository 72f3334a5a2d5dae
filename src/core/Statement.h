#pragma once

#include <QString>
#include <QStringList>

#include <cstddef>

// A fixed piece of statement text. Only string literals convert, so no caller can splice
// run-time text into a statement except as a quoted value.
class Fragment {
public:
    template <std::size_t N>
    consteval Fragment(const char (&text)[N]) : m_text(text), m_size(N - 1) {}

    QString toString() const { return QString::fromUtf8(m_text, qsizetype(m_size)); }

private:
    const char* m_text;
    std::size_t m_size;
};

// One statement text: fixed fragments joined with values. The fragments carry the quotes
// around each value; a quote inside a value is doubled so that it never ends the literal. The
// values are kept as given, so that an engine's echo of them can be kept out of its messages.
class Statement {
public:
    explicit Statement(Fragment head) : m_text(head.toString()) {}

    Statement& value(const QString& value);
    Statement& sql(Fragment fragment);

    const QString& text() const { return m_text; }
    const QStringList& values() const { return m_values; }

private:
    QString m_text;
    QStringList m_values;
};
