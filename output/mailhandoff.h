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
    // True when the mail program took the message.
    virtual bool Overdragen(const MailRecord& mail) = 0;

    // The hand-off in use: the xdg-email one unless a test installed another.
    static MailHandoff& current();
    // Installs a hand-off (not owned); nullptr goes back to the xdg-email one.
    static void setCurrent(MailHandoff* handoff);
};

// Runs /usr/bin/xdg-email with the message as its arguments, without a shell.
// An address xdg-email would read as something else (an option, a mailto:
// link that could attach files of its own, no "@") is refused.
//
// xdg-email that finds no mail program, misses a tool or fails ends at once
// with a non-zero status, so it is given kWachtMs to do so; window events go
// on meanwhile (the caller keeps other work out, as for the SMTP client).
// Ended with 0, or still running then, it has the message: with some mail
// programs it runs until they close, and it goes on running after the
// program has ended.
class XdgEmailHandoff : public MailHandoff {
public:
    // How the program is started: true when it took the message. Tests pass
    // one that records it.
    using Starter = std::function<bool(const QString& program, const QStringList& arguments)>;

    XdgEmailHandoff();
    // Starts program in xdg-email's place and gives it wachtMs.
    XdgEmailHandoff(const QString& program, int wachtMs);
    explicit XdgEmailHandoff(Starter starter);

    bool Overdragen(const MailRecord& mail) override;

    static const QString kProgram;
    static constexpr int kWachtMs = 3000;

private:
    QString m_program;
    Starter m_starter;
};
