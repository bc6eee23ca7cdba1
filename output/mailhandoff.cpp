#include "mailhandoff.h"

#include <QProcess>

const QString XdgEmailHandoff::kProgram = QStringLiteral("/usr/bin/xdg-email");

namespace {
MailHandoff* g_handoff = nullptr;
}

MailHandoff& MailHandoff::current()
{
    static XdgEmailHandoff xdg;
    return g_handoff ? *g_handoff : xdg;
}

void MailHandoff::setCurrent(MailHandoff* handoff)
{
    g_handoff = handoff;
}

XdgEmailHandoff::XdgEmailHandoff()
    : m_starter([](const QString& program, const QStringList& arguments) {
          // Detached: xdg-email waits for some mail programs to close.
          return QProcess::startDetached(program, arguments);
      })
{
}

XdgEmailHandoff::XdgEmailHandoff(Starter starter) : m_starter(std::move(starter)) {}

bool XdgEmailHandoff::Overdragen(const MailRecord& mail)
{
    const QString aan = mail.Aan.trimmed();
    if (!aan.contains(QLatin1Char('@')) || aan.startsWith(QLatin1Char('-')) ||
        aan.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return false;

    // Qt passes arguments as UTF-8 whatever the locale; --utf8 keeps
    // xdg-email from converting them a second time.
    QStringList arguments{QStringLiteral("--utf8")};
    // xdg-email refuses an option with an empty value.
    if (!mail.Onderwerp.isEmpty())
        arguments << QStringLiteral("--subject") << mail.Onderwerp;
    if (!mail.Tekst.isEmpty())
        arguments << QStringLiteral("--body") << mail.Tekst;
    if (!mail.Bijlage.isEmpty())
        arguments << QStringLiteral("--attach") << mail.Bijlage;
    arguments << aan;
    return m_starter(kProgram, arguments);
}
