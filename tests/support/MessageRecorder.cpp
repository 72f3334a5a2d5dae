#include "MessageRecorder.h"

#include <QTest>

MessageRecorder::MessageRecorder() {
    m_previous =
        setMsgBoxPresenter([this](const QString& prompt, MsgStyle style, const QString& title) {
            m_messages.append({prompt, style, title});
            if (auto action = std::exchange(m_onNext, nullptr))
                action();
            if (!m_answers.isEmpty())
                return m_answers.takeFirst();
            return style == MsgStyle::YesNoQuestion ? MsgAnswer::Yes : MsgAnswer::Ok;
        });
}

MessageRecorder::~MessageRecorder() {
    setMsgBoxPresenter(std::move(m_previous));
}

QStringList MessageRecorder::prompts() const {
    QStringList result;
    for (const Message& message : m_messages)
        result << message.prompt;
    return result;
}

void MessageRecorder::reset() {
    m_messages.clear();
    m_answers.clear();
    m_onNext = nullptr;
}

char* toString(const MessageRecorder::Message& message) {
    return QTest::toString(QStringLiteral("\"%1\" (style %2, title \"%3\")")
                               .arg(message.prompt)
                               .arg(int(message.style))
                               .arg(message.title));
}
