// Handing the order mail to the desktop's mail program.
#include "mailhandoff.h"

#include <QtTest>

namespace {

MailRecord order()
{
    return {QStringLiteral("order@dealer.example"), QStringLiteral("Zelvorabestelling van R123"),
            QStringLiteral("Dit bericht bevat een zelvorabestelling"), QStringLiteral("/kas/R12378754321.zv1")};
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
