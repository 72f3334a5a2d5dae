#pragma once

#include "MsgBox.h"

#include <QList>
#include <QString>

// Records every message box while it lives and answers them from a queue (default button when
// the queue is empty), so window tests run without a screen.
class MessageRecorder {
public:
    struct Message {
        QString prompt;
        MsgStyle style;
        QString title;

        friend bool operator==(const Message&, const Message&) = default;
        // How QCOMPARE shows a message.
        friend char* toString(const Message& message);
    };

    MessageRecorder();
    ~MessageRecorder();

    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    void setNextAnswer(MsgAnswer answer) { m_answers.append(answer); }
    // Runs while the next message box is "shown", e.g. to look at the windows behind it.
    void setOnNextMessage(std::function<void()> action) { m_onNext = std::move(action); }

    const QList<Message>& messages() const { return m_messages; }
    QStringList prompts() const;
    void clear() { m_messages.clear(); }
    // Forgets the messages, the queued answers and the action for the next message.
    void reset();

private:
    QList<Message> m_messages;
    QList<MsgAnswer> m_answers;
    std::function<void()> m_onNext;
    MsgBoxPresenter m_previous;
};
