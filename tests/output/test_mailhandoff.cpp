// Handing the order mail to the desktop's mail program.
#include "mailhandoff.h"

#include <QtTest>

namespace {

struct Started {
    QString program;
    QStringList arguments;
};

MailRecord order()
{
    return {QStringLiteral("order@dealer.example"), QStringLiteral("Zelvorabestelling van R123"),
            QStringLiteral("Dit bericht bevat een zelvorabestelling"), QStringLiteral("/kas/R12378754321.zv1")};
}

} // namespace

class TestMailHandoff : public QObject {
    Q_OBJECT

    QList<Started> m_started;
    bool m_starts = true;

    XdgEmailHandoff recorder()
    {
        return XdgEmailHandoff([this](const QString& program, const QStringList& arguments) {
            m_started.append({program, arguments});
            return m_starts;
        });
    }

private slots:
    void init()
    {
        m_started.clear();
        m_starts = true;
    }

    void xdgEmailGetsTheMessageAsArguments()
    {
        XdgEmailHandoff handoff = recorder();
        QVERIFY(handoff.Overdragen(order()));
        QCOMPARE(m_started.size(), 1);
        QCOMPARE(m_started[0].program, QStringLiteral("/usr/bin/xdg-email"));
        QCOMPARE(m_started[0].arguments, (QStringList{"--utf8", "--subject", "Zelvorabestelling van R123", "--body",
                                                      "Dit bericht bevat een zelvorabestelling", "--attach",
                                                      "/kas/R12378754321.zv1", "order@dealer.example"}));

        // xdg-email refuses an option without its value.
        MailRecord bare = order();
        bare.Onderwerp.clear();
        bare.Tekst.clear();
        bare.Bijlage.clear();
        QVERIFY(handoff.Overdragen(bare));
        QCOMPARE(m_started[1].arguments, (QStringList{"--utf8", "order@dealer.example"}));

        m_starts = false;
        QVERIFY(!handoff.Overdragen(order()));
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

    void aStandInTakesTheDesktopsPlace()
    {
        XdgEmailHandoff standIn = recorder();
        MailHandoff::setCurrent(&standIn);
        QVERIFY(MailHandoff::current().Overdragen(order()));
        MailHandoff::setCurrent(nullptr);
        QVERIFY(&MailHandoff::current() != &standIn);
        QCOMPARE(m_started.size(), 1);
    }
};

QTEST_GUILESS_MAIN(TestMailHandoff)
#include "test_mailhandoff.moc"
