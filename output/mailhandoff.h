#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// The order mail as the order builds it: recipient address, subject, body
// text and the path of the order file.
struct MailRecord {
    QString Aan;
    QString Onderwerp;
    QString Tekst;
    QString Bijlage; // may be empty
};

// Hands a message to the desktop's mail program, which shows it to the user
// to send. The order reaches it through current(), so tests can put a
// stand-in in its place.
class MailHandoff {
public:
    virtual ~MailHandoff() = default;
    // True when the mail program was started with the message.
    virtual bool Overdragen(const MailRecord& mail) = 0;

    // The hand-off in use: the xdg-email one unless a test installed another.
    static MailHandoff& current();
    // Installs a hand-off (not owned); nullptr goes back to the xdg-email one.
    static void setCurrent(MailHandoff* handoff);
};

// Runs /usr/bin/xdg-email with the message as its arguments, without a shell.
// An address xdg-email would read as something else (an option, a mailto:
// link that could attach files of its own, no "@") is refused.
class XdgEmailHandoff : public MailHandoff {
public:
    // How a program is started detached; tests pass one that records it.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    XdgEmailHandoff();
    explicit XdgEmailHandoff(Starter starter);

    bool Overdragen(const MailRecord& mail) override;

    static const QString kProgram;

private:
    Starter m_starter;
};
