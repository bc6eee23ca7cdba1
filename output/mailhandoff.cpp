#include "mailhandoff.h"

#include <QCoreApplication>
#include <QFile>
#include <QTimer>
#include <cerrno>
#include <csignal>
#include <ctime>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

const QString XdgEmailHandoff::kProgram = QStringLiteral("/usr/bin/xdg-email");

namespace {

MailHandoff* g_handoff = nullptr;

constexpr int kTikMs = 20; // how often the wait looks whether the watcher has ended

qint64 MsSinds(const timespec& begin)
{
    timespec nu{};
    ::clock_gettime(CLOCK_MONOTONIC, &nu);
    return qint64(nu.tv_sec - begin.tv_sec) * 1000 + (nu.tv_nsec - begin.tv_nsec) / 1000000;
}

// The watcher, a child forked from a program with threads: only
// async-signal-safe calls from here on. It starts the program as its own
// child and ends with 1 when that ends within wachtMs with anything but
// status 0, else with 0. A program still running is left behind as an
// orphan: the system reaps it, and nothing of ours waits for it or kills it.
[[noreturn]] void Bewaak(char* const* argv, int wachtMs)
{
    // Handlers copied from the program would act on its behalf.
    for (int s = 1; s < NSIG; ++s) {
        struct sigaction huidig = {};
        if (::sigaction(s, nullptr, &huidig) == 0 && huidig.sa_handler != SIG_DFL && huidig.sa_handler != SIG_IGN) {
            struct sigaction standaard = {};
            standaard.sa_handler = SIG_DFL;
            ::sigaction(s, &standaard, nullptr);
        }
    }
    timespec begin{};
    ::clock_gettime(CLOCK_MONOTONIC, &begin);
    const pid_t programma = ::fork();
    if (programma < 0)
        ::_exit(1);
    if (programma == 0) {
        // Its own session, as a detached program: a Ctrl+C or hang-up of
        // our terminal is not meant for the mail program.
        ::setsid();
        ::execv(argv[0], argv);
        ::_exit(127);
    }
    for (;;) {
        int status = 0;
        const pid_t klaar = ::waitpid(programma, &status, WNOHANG);
        if (klaar == programma)
            ::_exit(WIFEXITED(status) && WEXITSTATUS(status) == 0 ? 0 : 1);
        if (klaar < 0 && errno != EINTR)
            ::_exit(1);
        if (MsSinds(begin) >= wachtMs)
            ::_exit(0);
        const timespec pauze{0, 10 * 1000 * 1000};
        ::nanosleep(&pauze, nullptr);
    }
}

// QProcess can tell how a program ended only while its object lives, and
// kills the program when the object goes; a detached start tells nothing.
// So a watcher child of our own waits, and only for the watcher do we wait.
bool StartEnWacht(const QString& program, const QStringList& arguments, int wachtMs)
{
    // Made before the fork: the watcher may not allocate.
    QList<QByteArray> teksten{QFile::encodeName(program)};
    for (const QString& argument : arguments)
        teksten << argument.toUtf8();
    std::vector<char*> argv;
    for (QByteArray& tekst : teksten)
        argv.push_back(tekst.data());
    argv.push_back(nullptr);

    const pid_t wachter = ::fork();
    if (wachter < 0)
        return false;
    if (wachter == 0)
        Bewaak(argv.data(), wachtMs);

    // Window events go on, as while the SMTP client waits; the tick makes
    // sure one comes.
    QTimer tik;
    tik.start(kTikMs);
    int status = 0;
    pid_t klaar = 0;
    while ((klaar = ::waitpid(wachter, &status, WNOHANG)) == 0 || (klaar < 0 && errno == EINTR))
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return klaar == wachter && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

MailHandoff& MailHandoff::current()
{
    static XdgEmailHandoff xdg;
    return g_handoff ? *g_handoff : xdg;
}

void MailHandoff::setCurrent(MailHandoff* handoff)
{
    g_handoff = handoff;
}

XdgEmailHandoff::XdgEmailHandoff() : XdgEmailHandoff(kProgram, kWachtMs) {}

XdgEmailHandoff::XdgEmailHandoff(const QString& program, int wachtMs)
    : m_program(program), m_starter([wachtMs](const QString& p, const QStringList& arguments) {
          return StartEnWacht(p, arguments, wachtMs);
      })
{
}

XdgEmailHandoff::XdgEmailHandoff(Starter starter) : m_program(kProgram), m_starter(std::move(starter)) {}

bool XdgEmailHandoff::Overdragen(const MailRecord& mail)
{
    const QString aan = mail.Aan.trimmed();
    if (!aan.contains(QLatin1Char('@')) || aan.startsWith(QLatin1Char('-')) ||
        aan.startsWith(QLatin1String("mailto:"), Qt::CaseInsensitive))
        return false;

    // The arguments go out as UTF-8 whatever the locale; --utf8 keeps
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
    return m_starter(m_program, arguments);
}
