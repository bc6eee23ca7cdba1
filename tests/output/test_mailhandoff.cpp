// Handing the order mail to the desktop's mail program.
#include "mailhandoff.h"

#include <QtTest>
#include <sys/wait.h>

namespace {

MailRecord order()
{
    return {QStringLiteral("order@dealer.example"), QStringLiteral("Zelvorabestelling van R123"),
            QStringLiteral("Dit bericht bevat een zelvorabestelling"), QStringLiteral("/kas/R12378754321.zv1")};
}

// A script in xdg-email's place that runs body.
QString script(const QTemporaryDir& dir, const QString& body)
{
    QFile file(dir.filePath("xdg-email"));
    if (!file.open(QIODevice::WriteOnly) || file.write(("#!/bin/sh\n" + body + "\n").toUtf8()) < 0)
        return {};
    file.close();
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return file.fileName();
}

} // namespace

class TestMailHandoff : public QObject {
    Q_OBJECT

    QList<QStringList> m_started; // the program, then its arguments

    XdgEmailHandoff recorder(bool starts = true)
    {
        m_started.clear();
        return XdgEmailHandoff([this, starts](const QString& program, const QStringList& arguments) {
            m_started.append(QStringList{program} + arguments);
            return starts;
        });
    }

private slots:
    void xdgEmailGetsTheMessageAsArguments()
    {
        XdgEmailHandoff handoff = recorder();
        QVERIFY(handoff.Overdragen(order()));
        QCOMPARE(m_started,
                 (QList<QStringList>{{"/usr/bin/xdg-email", "--utf8", "--subject", "Zelvorabestelling van R123",
                                      "--body", "Dit bericht bevat een zelvorabestelling", "--attach",
                                      "/kas/R12378754321.zv1", "order@dealer.example"}}));

        // xdg-email refuses an option without its value.
        MailRecord bare = order();
        bare.Onderwerp.clear();
        bare.Tekst.clear();
        bare.Bijlage.clear();
        QVERIFY(handoff.Overdragen(bare));
        QCOMPARE(m_started.size(), 2);
        QCOMPARE(m_started[1], (QStringList{"/usr/bin/xdg-email", "--utf8", "order@dealer.example"}));

        QVERIFY(!recorder(false).Overdragen(order()));
    }

    // xdg-email ends at once with 1 when there is no mail program, with 3 or
    // 4 when a tool is missing or the action failed: the message was not
    // handed off. Ended with 0 it was, with every argument as given.
    void mailProgramTookTheMessageOnlyWhenItEndedWell_data()
    {
        QTest::addColumn<int>("status");
        QTest::newRow("no mail program") << 1;
        QTest::newRow("a tool missing") << 3;
        QTest::newRow("mail program opened") << 0;
    }
    void mailProgramTookTheMessageOnlyWhenItEndedWell()
    {
        QFETCH(int, status);
        QTemporaryDir dir;
        const QString program =
            script(dir, QString("printf '%s\\n' \"$@\" > '%1'\nexit %2").arg(dir.filePath("args")).arg(status));
        QVERIFY(!program.isEmpty());
        MailRecord mail = order();
        mail.Onderwerp = QStringLiteral("Bestelling van Kwekerij Müller");

        QCOMPARE(XdgEmailHandoff(program, 60000).Overdragen(mail), status == 0);
        QFile args(dir.filePath("args"));
        QVERIFY(args.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(args.readAll()).split('\n', Qt::SkipEmptyParts),
                 QStringList({"--utf8", "--subject", mail.Onderwerp, "--body", mail.Tekst, "--attach", mail.Bijlage,
                              mail.Aan}));
    }

    // xdg-email that still runs after the wait has the message, whatever it
    // ends with later: it goes on when the hand-off has gone, and no child of
    // ours is left, running or unreaped.
    void mailProgramStillRunningAfterTheWaitGoesOnAlone()
    {
        QTemporaryDir dir;
        const QString ended = dir.filePath("ended");
        const QString program = script(dir, QString("sleep 2\ntouch '%1'\nexit 1").arg(ended));
        QVERIFY(!program.isEmpty());
        QVERIFY(XdgEmailHandoff(program, 100).Overdragen(order()));
        QVERIFY(!QFile::exists(ended));
        siginfo_t info{};
        QVERIFY(::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) == -1 && errno == ECHILD);
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(ended), 10000);
    }

    void addressThatIsNoAddressStartsNothing_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("no at sign") << QStringLiteral("dealer");
        QTest::newRow("an option") << QStringLiteral("--attach=/etc/passwd@x");
        QTest::newRow("a mailto link") << QStringLiteral("MAILTO:a@b?attach=/home/kas/.ssh/id_rsa");
    }
    void addressThatIsNoAddressStartsNothing()
    {
        QFETCH(QString, address);
        MailRecord mail = order();
        mail.Aan = address;
        QVERIFY(!recorder().Overdragen(mail));
        QVERIFY(m_started.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestMailHandoff)
#include "test_mailhandoff.moc"
