// The order from the click to the register: the mail to a scripted server
// on 127.0.0.1 or to a recording mail program, the checks, the margin
// question and the register rows.
#include "appstate.h"
#include "bestelling.h"
#include "bestelregister.h"
#include "defaultstate.h"
#include "fulldisk.h"
#include "general.h"
#include "programsettings.h"
#include "registry/registry.h"
#include "smtpserver.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QFile>
#include <QTcpSocket>
#include <QtTest>

namespace {

BestelRecord order()
{
    BestelRecord b;
    b.relNR = QStringLiteral("R123");
    b.Naam = QStringLiteral("Kwekerij Müller");
    b.Email = QStringLiteral("info@muller.example");
    b.Code = QStringLiteral("2");
    b.Handelaar = QStringLiteral("Voorbeeld Tuinbouwhandel");
    b.Bestel_Email = QStringLiteral("orders@example.net");
    b.Code_Afleveradres = 1;
    b.Afleveradres = QStringLiteral("Achterkas");
    b.ProgrammaVersie = QStringLiteral("1.0.0");
    return b;
}

clsPrintMeststofMeststof line(qint16 bak, qint16 nr, const QString& naam, const QString& hoeveelheid,
                              const QString& eenheid)
{
    clsPrintMeststofMeststof m;
    m.Bak = bak;
    m.Nr = nr;
    m.Naam = naam;
    m.Hoeveelheid = hoeveelheid;
    m.Eenheid = eenheid;
    return m;
}

// Both tanks, a trace product listed under tank B and the silicon line,
// which is not ordered by count.
QList<clsPrintMeststofMeststof> recipe(const QString& mkp = QStringLiteral("30.0"))
{
    return {line(1, 1, QStringLiteral("Kalksalpeter"), QStringLiteral("1,234.5"), QStringLiteral("kg")),
            line(2, 4, QStringLiteral("Monokalifosfaat (MKP)"), mkp, QStringLiteral("kg")),
            line(100, 105, QStringLiteral("Mangaansulfaat"), QStringLiteral("250"), QStringLiteral("gram")),
            line(10, 24, QStringLiteral("Kaliumsilicaat vloeibaar"), QStringLiteral("12.5"), QStringLiteral("liter"))};
}

const BestelAantallen kAantallen{QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("2")};

QByteArray attachment(const QByteArray& data)
{
    const qsizetype part = data.indexOf("Content-Disposition: attachment");
    const qsizetype begin = data.indexOf("\r\n\r\n", part) + 4;
    return QByteArray::fromBase64(data.mid(begin, data.indexOf("\r\n\r\n", begin) - begin));
}

} // namespace

class TestBestelling : public QObject {
    Q_OBJECT

    std::unique_ptr<QTemporaryDir> m_dir;
    QTcpSocket m_socket;

    Database& dbT() const { return *appState().dbT; }

    static QStringList shownTexts()
    {
        QStringList texts;
        for (const MessageBox::Shown& m : MessageBox::shown())
            texts << m.text;
        return texts;
    }

    int registered() const { return dbT().openRecordset("SELECT count(*) FROM BEST_Hist").value(0).toInt(); }

    // An order to delivery address 1 some days ago: mkp kg MKP over two
    // fills of tank B, and the silicon line without an amount. The previous
    // order is 60 kg a week ago.
    void previousOrder(qint32 grower, double mkp = 60.0, int daysAgo = 7) const
    {
        RegistreerBestelling(grower, 1, QDateTime::currentDateTime().addDays(-daysAgo),
                             {{4, QStringLiteral("Monokalifosfaat (MKP)"), mkp, QStringLiteral("kg")},
                              {24, QStringLiteral("Kaliumsilicaat vloeibaar"), QVariant(), QStringLiteral("liter")}});
    }

    BestelUitslag send(BestelRecord& b, QList<clsPrintMeststofMeststof> lines = recipe(),
                       const BestelAantallen& aantallen = kAantallen)
    {
        return SendOrder(b, lines, aantallen, &m_socket);
    }

private slots:
    void init()
    {
        m_dir = TestSupport::openDefaultState();
        ProgramSettings::setMailType(2);
        Registry::setMailHandlerQuery([] { return QStringLiteral("thunderbird.desktop"); });
    }
    void cleanup()
    {
        MailHandoff::setCurrent(nullptr);
        Registry::setMailHandlerQuery({});
        resetAppState();
        m_dir.reset();
    }

    void orderToTheTestDealerArrivesWithItsFileAndIsRegistered()
    {
        ScriptedSmtpServer server;
        ProgramSettings::setMailType(0);
        ProgramSettings::setSmtpServerName(server.address());
        appState().GeenBestelling = 1;
        BestelRecord b = order();

        const BestelUitslag u = send(b);
        QCOMPARE(u.stap, qint16(0));
        QVERIFY(u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000029));
        QVERIFY(server.commands.contains("RCPT TO: <" + kTestHandelaarEmail.toLatin1() + ">"));

        // The file that arrived is the one in the program directory, and its
        // name and its date line come from one order time.
        QFile file(appState().AppPath + b.Bestelnummer + ".zv1");
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray sent = file.readAll();
        QCOMPARE(attachment(server.data), sent);
        const QList<QByteArray> lines = sent.split('\n');
        QVERIFY(lines.size() > 2);
        QCOMPARE(MaakBestelnummer(b.relNR, lines[1].split(';').first().toDouble()), b.Bestelnummer);
        QVERIFY(lines[2].startsWith("1;;" + kTestHandelaarEmail.toLatin1() + ";;"));

        RecordSet hist = dbT().openRecordset("SELECT * FROM BEST_Hist");
        QCOMPARE(hist.recordCount(), 1);
        QCOMPARE(hist.value("ID_ALG_Tuinder").toInt(), appState().ID_ALG_Tuinder);
        QCOMPARE(hist.value("ID_ALG_Afleveradres").toInt(), 1);
        // Amounts of all fills: tank A by count A, tank B and its trace
        // products by count B, the silicon line without an amount.
        RecordSet rows = dbT().openRecordset(
            "SELECT Code_Meststof, NaamMeststof, Hoeveelheid, Eenheid FROM BEST_Meststoffen WHERE ID_BEST_Hist = ? "
            "ORDER BY ID",
            {hist.value("ID")});
        const QList<QVariant> expected{2469.0, 90.0, 750.0, QVariant()};
        QCOMPARE(rows.recordCount(), 4);
        for (int i = 0; i < 4; ++i, rows.moveNext()) {
            QCOMPARE(rows.value("Code_Meststof").toInt(), int(recipe()[i].Nr));
            QCOMPARE(rows.value("Eenheid").toString(), recipe()[i].Eenheid);
            QCOMPARE(rows.value("Hoeveelheid").isNull(), expected[i].isNull());
            QCOMPARE(rows.value("Hoeveelheid").toDouble(), expected[i].toDouble());
        }
    }

    // A refused mail registers nothing and says so; a register that fails
    // after the mail left, or with no mail to send, says exactly that.
    void failedOrderRegistersNothingAndSaysWhy()
    {
        ScriptedSmtpServer server;
        server.replies["."] = "554 refused\r\n";
        ProgramSettings::setMailType(0);
        ProgramSettings::setSmtpServerName(server.address());
        BestelRecord b = order();

        BestelUitslag u = send(b);
        QCOMPARE(u.stap, qint16(5));
        QVERIFY(!u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000037));
        QCOMPARE(MessageBox::last().title, QStringLiteral("TCP Error"));
        QCOMPARE(registered(), 0);

        server.replies["."] = "250 queued\r\n";
        server.data.clear();
        dbT().execute("CREATE TRIGGER vol BEFORE INSERT ON BEST_Meststoffen BEGIN SELECT RAISE(ABORT, 'full'); END");
        b = order();
        u = send(b);
        QCOMPARE(u.stap, qint16(6));
        QVERIFY(u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000122));
        QVERIFY(!server.data.isEmpty());
        // The header went back with the lines: no order without fertilisers.
        QCOMPARE(registered(), 0);

        ProgramSettings::setMailType(2);
        b = order();
        u = send(b);
        QCOMPARE(u.stap, qint16(6));
        QVERIFY(!u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000123));
        QCOMPARE(registered(), 0);
    }

    // What stops an order before it is mailed says why, and registers nothing.
    void orderThatCannotGoOutIsNotRegistered_data()
    {
        QTest::addColumn<int>("mailType");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("step");
        QTest::addColumn<qint32>("message"); // 0: the step shows none
        QTest::newRow("fertiliser unknown to the reference data") << 2 << "Nr"
                                                                  << "999" << 1 << 0;
        QTest::newRow("dealer without an order address") << 2 << "Bestel_Email"
                                                         << " " << 5 << 999000040;
        QTest::newRow("no SMTP server") << 0 << "server"
                                        << "" << 5 << 999000044;
        QTest::newRow("grower without an e-mail address") << 0 << "Email"
                                                          << " " << 5 << 999000044;
        QTest::newRow("mail program that refuses it") << 1 << ""
                                                      << "" << 5 << 999000124;
    }
    void orderThatCannotGoOutIsNotRegistered()
    {
        QFETCH(int, mailType);
        QFETCH(QString, field);
        QFETCH(QString, value);
        QFETCH(int, step);
        QFETCH(qint32, message);
        XdgEmailHandoff refusing([](const QString&, const QStringList&) { return false; });
        MailHandoff::setCurrent(&refusing);
        ProgramSettings::setMailType(qint16(mailType));
        ProgramSettings::setSmtpServerName(field == "server" ? value : QStringLiteral("127.0.0.1"));
        BestelRecord b = order();
        QList<clsPrintMeststofMeststof> lines = recipe();
        if (field == "Nr")
            lines[1].Nr = value.toShort();
        else if (field == "Bestel_Email")
            b.Bestel_Email = value;
        else if (field == "Email")
            b.Email = value;

        const BestelUitslag u = send(b, lines);
        QCOMPARE(u.stap, qint16(step));
        QVERIFY(!u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000037));
        QCOMPARE(shownTexts(), message ? QStringList{GetLangStr(message)} : QStringList());
        QCOMPARE(registered(), 0);
    }

    // An order file that could not be written out is no order: nothing is
    // mailed or registered, and no empty file stays behind to be sent later.
    void orderFileOnAFullDiskStopsTheOrder()
    {
        FullDisk disk;
        FULL_DISK_OR_SKIP(disk);
        QVERIFY(QFile::copy(ProgramSettings::filePath(), disk.path() + "Zelvora.ini"));
        appState().AppPath = disk.path();
        QVERIFY(disk.fill());
        BestelRecord b = order();

        const BestelUitslag u = send(b);
        QCOMPARE(u.stap, qint16(4));
        QCOMPARE(u.melding, GetLangStr(999000037));
        QCOMPARE(registered(), 0);
        QCOMPARE(QDir(disk.path()).entryList(QDir::Files | QDir::Hidden), QStringList({"filler", "Zelvora.ini"}));
    }

    // The mail program only opens a new mail: the order is registered when
    // the grower says it was sent, and not when the mail was discarded.
    void desktopMailProgramGetsTheOrder()
    {
        QList<QStringList> started;
        XdgEmailHandoff recorder([&started](const QString&, const QStringList& arguments) {
            started << arguments;
            return true;
        });
        MailHandoff::setCurrent(&recorder);
        ProgramSettings::setMailType(1);
        BestelRecord b = order();
        MessageBox::setNextAnswer(MsgBox::Yes);

        const BestelUitslag u = send(b);
        QCOMPARE(u.stap, qint16(0));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000069));
        QCOMPARE(MessageBox::last().style, MsgBox::YesNo | MsgBox::Question | MsgBox::DefaultButton2);
        QCOMPARE(started.size(), 1);
        const QString file = appState().AppPath + b.Bestelnummer + ".zv1";
        QVERIFY(QFile::exists(file));
        QCOMPARE(started[0],
                 QStringList({"--utf8", "--subject", "Zelvorabestelling van R123", "--body",
                              "Dit bericht bevat een zelvorabestelling", "--attach", file, "orders@example.net"}));
        QCOMPARE(registered(), 1);

        BestelRecord discarded = order();
        MessageBox::setNextAnswer(MsgBox::No);
        const BestelUitslag n = send(discarded);
        QCOMPARE(started.size(), 2);
        QCOMPARE(n.stap, qint16(5));
        QVERIFY(!n.gemaild);
        QCOMPARE(n.melding, GetLangStr(999000071));
        QCOMPARE(registered(), 1);

        // A mailto handler that is rundll32 is no mail program.
        MessageBox::clear();
        Registry::setMailHandlerQuery([] { return QStringLiteral("RunDll32 url.dll,FileProtocolHandler %l"); });
        BestelRecord again = order();
        QCOMPARE(send(again).stap, qint16(5));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000043));
        QCOMPARE(started.size(), 2);
        QCOMPARE(registered(), 1);
    }

    // The mail program sends from its own address and takes the dealer's as
    // it is: addresses that plain SMTP cannot carry order through it.
    void addressesOutsideAsciiOrderThroughTheMailProgram()
    {
        QStringList aan;
        XdgEmailHandoff recorder([&aan](const QString&, const QStringList& arguments) {
            aan << arguments.last();
            return true;
        });
        MailHandoff::setCurrent(&recorder);
        ProgramSettings::setMailType(1);
        BestelRecord b = order();
        b.Email = QStringLiteral("jürgen@example.test");
        b.Bestel_Email = QStringLiteral("bestel.müller@example.net");
        MessageBox::setNextAnswer(MsgBox::Yes);

        const BestelUitslag u = send(b);
        QCOMPARE(shownTexts(), QStringList{GetLangStr(999000069)});
        QCOMPARE(u.stap, qint16(0));
        QCOMPARE(aan, QStringList{b.Bestel_Email});
        QCOMPARE(registered(), 1);
    }

    // Confirmed sent from the mail program, the order ends as one the SMTP
    // client delivered: mailed, told so, and registered.
    void orderConfirmedSentFromTheMailProgramCountsAsMailed()
    {
        XdgEmailHandoff handing([](const QString&, const QStringList&) { return true; });
        MailHandoff::setCurrent(&handing);
        ProgramSettings::setMailType(1);
        BestelRecord b = order();
        MessageBox::setNextAnswer(MsgBox::Yes);

        const BestelUitslag u = send(b);
        QCOMPARE(shownTexts(), QStringList{GetLangStr(999000069)});
        QCOMPARE(u.stap, qint16(0));
        QVERIFY(u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000029));
        QCOMPARE(u.stijl, int(MsgBox::Exclamation));
        QCOMPARE(registered(), 1);
    }

    void otherMailTypeRegistersAndSaysNoMailWasSent()
    {
        BestelRecord b = order();
        const BestelUitslag u = send(b);
        QCOMPARE(u.stap, qint16(0));
        QVERIFY(!u.gemaild);
        QCOMPARE(u.melding, GetLangStr(999000121));
        QCOMPARE(registered(), 1);
    }

    void checksRefuseBadInput_data()
    {
        // What is changed ("field=value", or the setting "MailType=n"), the messages in the order shown
        // (none: the checks pass and the order goes through), and for a value
        // that cannot go into the order file the part of the grower data and
        // the caption of the field it is in, and the characters the order
        // file cannot carry.
        QTest::addColumn<QStringList>("changes");
        QTest::addColumn<QList<qint32>>("messages");
        QTest::addColumn<qint32>("part");
        QTest::addColumn<qint32>("place");
        QTest::addColumn<QString>("suffix");
        QTest::addColumn<QString>("characters");
        QTest::newRow("count A beyond its field") << QStringList{"A=40000"} << QList<qint32>{999000120} << 0 << 0 << ""
                                                  << "";
        QTest::newRow("negative count B") << QStringList{"B=-1"} << QList<qint32>{999000120} << 0 << 0 << ""
                                          << "";
        QTest::newRow("count C") << QStringList{"C=5"} << QList<qint32>{999000033} << 0 << 0 << ""
                                 << "";
        QTest::newRow("separator in the delivery address")
            << QStringList{"Afleveradres=Kas 2; achter"} << QList<qint32>{999000066} << 20500100 << 20102000 << ""
            << "";
        QTest::newRow("separator in the grower's address")
            << QStringList{"Adres=Kade 1; achter"} << QList<qint32>{999000066} << 20500000 << 20100200 << ""
            << "";
        QTest::newRow("line break in a fertiliser name")
            << QStringList{"Naam=Kalk\r\nsalpeter"} << QList<qint32>{999000066} << 0 << 30115000 << " 1"
            << "";
        QTest::newRow("customer number that names a folder")
            << QStringList{"relNR=../R1"} << QList<qint32>{999000065} << 0 << 0 << ""
            << "";
        QTest::newRow("grower's address outside the code page")
            << QStringList{"Adres=ul. Łąkowa 5, Łódź"} << QList<qint32>{999000068} << 20500000 << 20100200 << ""
            << "Ł ą ź";
        QTest::newRow("delivery town in Hebrew and Chinese with an emoji")
            << QStringList{"Aflever_Woonplaats=חממה 温室 🌱"} << QList<qint32>{999000068} << 20500100 << 20102300 << ""
            << "ח מ ה 温 室 🌱";
        // Plain SMTP (MailType 0) carries the addresses.
        QTest::newRow("grower's e-mail address outside ASCII before the @")
            << QStringList{"MailType=0", "Email=müller@example.test"} << QList<qint32>{999000125} << 20500000
            << 20100800 << ""
            << "";
        QTest::newRow("dealer's order address outside ASCII before the @")
            << QStringList{"MailType=0", "Bestel_Email=bestel.müller@example.net"} << QList<qint32>{999000125}
            << 20103000 << 20100800 << ""
            << "";
        QTest::newRow("an e-mail domain outside ASCII passes")
            << QStringList{"Email=info@brüggemann.test"} << QList<qint32>{} << 0 << 0 << ""
            << "";
        QTest::newRow("the code page's own letters and signs pass")
            << QStringList{"Naam=Kwekerij Müller € Œuvre"} << QList<qint32>{} << 0 << 0 << ""
            << "";
        // The tank sums at their edge: exactly nothing in a tank.
        QTest::newRow("filled tank A without a count") << QStringList{"A=0"} << QList<qint32>{999000031} << 0 << 0 << ""
                                                       << "";
        QTest::newRow("filled tank B without a count") << QStringList{"B=0"} << QList<qint32>{999000031} << 0 << 0 << ""
                                                       << "";
        QTest::newRow("count for an empty tank A")
            << QStringList{"tank A=0"} << QList<qint32>{999000032} << 0 << 0 << ""
            << "";
        QTest::newRow("count for an empty tank B")
            << QStringList{"tank B=0"} << QList<qint32>{999000032} << 0 << 0 << ""
            << "";
        QTest::newRow("empty tank B without a count")
            << QStringList{"tank B=0", "B=0"} << QList<qint32>{} << 0 << 0 << ""
            << "";
        QTest::newRow("both tanks empty")
            << QStringList{"tank A=0", "tank B=0", "A=0", "B=0"} << QList<qint32>{999000030} << 0 << 0 << ""
            << "";
        QTest::newRow("both tanks empty, counts given")
            << QStringList{"tank A=0", "tank B=0"} << QList<qint32>{999000030, 999000032} << 0 << 0 << ""
            << "";
    }
    void checksRefuseBadInput()
    {
        QFETCH(QStringList, changes);
        QFETCH(QList<qint32>, messages);
        QFETCH(qint32, part);
        QFETCH(qint32, place);
        QFETCH(QString, suffix);
        QFETCH(QString, characters);
        BestelRecord b = order();
        QList<clsPrintMeststofMeststof> lines = recipe();
        BestelAantallen aantallen = kAantallen;
        const QHash<QString, QString*> fields{{"A", &aantallen.A},
                                              {"B", &aantallen.B},
                                              {"C", &aantallen.C},
                                              {"Naam", &lines[0].Naam},
                                              {"tank A", &lines[0].Hoeveelheid},
                                              {"tank B", &lines[1].Hoeveelheid},
                                              {"relNR", &b.relNR},
                                              {"Afleveradres", &b.Afleveradres},
                                              {"Adres", &b.Adres},
                                              {"Email", &b.Email},
                                              {"Bestel_Email", &b.Bestel_Email},
                                              {"Aflever_Woonplaats", &b.Aflever_Woonplaats}};
        for (const QString& change : changes) {
            if (change.startsWith("MailType="))
                ProgramSettings::setMailType(change.section('=', 1).toShort());
            else
                *fields.value(change.section('=', 0, 0)) = change.section('=', 1);
        }

        const BestelUitslag u = send(b, lines, aantallen);
        if (messages.isEmpty()) {
            QCOMPARE(u.stap, qint16(0));
            QVERIFY(MessageBox::shown().isEmpty());
            QCOMPARE(registered(), 1);
            return;
        }
        QCOMPARE(u.stap, qint16(2));
        QStringList expected;
        for (qint32 message : messages)
            expected << GetLangStr(message);
        expected.last().replace("%1", characters);
        if (place)
            expected.last() += "\n" + (part ? GetLangStr(part) + ": " : QString()) + GetLangStr(place) + suffix;
        QCOMPARE(shownTexts(), expected);
        QVERIFY(b.Bestelnummer.isEmpty());
        QVERIFY(QDir(appState().AppPath).entryList({"*.zv1"}).isEmpty());
        QCOMPARE(registered(), 0);
    }

    // A letter typed as its base and a combining mark goes as the code
    // page's one letter, as it does typed composed.
    void decomposedLetterGoesAsTheCodePagesOwn()
    {
        BestelRecord b = order();
        b.Naam = QStringLiteral("Kwekerij Bru\u0308ggemann");
        QCOMPARE(send(b).stap, qint16(0));
        QFile file(appState().AppPath + b.Bestelnummer + ".zv1");
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.readAll().contains("R123;;Kwekerij Br\xFCggemann;;"));
    }

    // The customer number and eight digits of the order time: the last three
    // of the day number and five of the time of day in 1/100000 day.
    void orderNumberDigits_data()
    {
        QTest::addColumn<QDateTime>("time");
        QTest::addColumn<QString>("relNR");
        QTest::addColumn<QString>("number");
        // 45838.5869097222 days, " 4583858690.97222" times 100000
        QTest::newRow("afternoon") << QDateTime(QDate(2025, 6, 30), QTime(14, 5, 9)) << "512"
                                   << "51283858690";
        QTest::newRow("midnight, no decimals") << QDateTime(QDate(2025, 1, 1), QTime(0, 0)) << "R1"
                                               << "R165800000";
        QTest::newRow("last second of a day") << QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)) << "7"
                                              << "752599998";
        QTest::newRow("one second into a leap day") << QDateTime(QDate(2024, 2, 29), QTime(0, 0, 1)) << ""
                                                    << "35100001";
    }
    void orderNumberDigits()
    {
        QFETCH(QDateTime, time);
        QFETCH(QString, relNR);
        QFETCH(QString, number);
        QCOMPARE(MaakBestelnummer(relNR, DatumGetal(time)), number);
    }

    void marginQuestion_data()
    {
        QTest::addColumn<QString>("margin");
        QTest::addColumn<QString>("mkp");
        QTest::addColumn<double>("older"); // kg MKP of an older order, registered after the previous one
        QTest::addColumn<bool>("asked");
        QTest::newRow("unchanged line") << QString("10") << "30.0" << 0.0 << false;
        QTest::newRow("30 to 25 within 25%") << QString("25") << "25.0" << 0.0 << false;
        QTest::newRow("margin 0 counts as 10") << QString("0") << "25.0" << 0.0 << true;
        QTest::newRow("margin 5") << QString("5") << "28.0" << 0.0 << true;
        // Only the newest order by its date counts, not the one registered last.
        QTest::newRow("as the newest order, not as an older one") << QString("10") << "30.0" << 50.0 << false;
        QTest::newRow("as an older order, not as the newest") << QString("10") << "25.0" << 50.0 << true;
    }
    void marginQuestion()
    {
        QFETCH(QString, margin);
        QFETCH(QString, mkp);
        QFETCH(double, older);
        QFETCH(bool, asked);
        QString value = margin;
        WriteIniString(value, QStringLiteral("Algemeen"), QStringLiteral("AfwijkingBestelmarge"),
                       ProgramSettings::filePath());
        previousOrder(appState().ID_ALG_Tuinder);
        if (older > 0)
            previousOrder(appState().ID_ALG_Tuinder, older, 30);
        BestelRecord b = order();
        // Two fills of tank B, as before: the line holds one fill of the 60 kg.
        BestelAantallen aantallen{QStringLiteral("2"), QStringLiteral("2"), QStringLiteral("2")};
        MessageBox::setNextAnswer(MsgBox::No);

        const BestelUitslag u = send(b, recipe(mkp), aantallen);
        QCOMPARE(u.stap, asked ? qint16(3) : qint16(0));
        if (!asked)
            return;
        // One question: the silicon line kept no amount, the other lines
        // were not in the previous order.
        QCOMPARE(MessageBox::shown().size(), 1);
        const QString shownMargin = margin == "0" ? "10" : margin;
        QString question = GetLangStr(999000039);
        question.replace("10%", shownMargin + "%");
        QCOMPARE(MessageBox::last().text, GetLangStr(999000038) + " Monokalifosfaat (MKP) " + question);
    }

    // Another grower's order is no previous order, the order just sent is;
    // a question without "10%" in it is asked as it stands.
    void marginAgainstThisGrowersLastOrderAskedAsItStands()
    {
        {
            // The program only reads its texts; the test changes them beside it.
            Database texts(appState().AppPath + "PlomLang.mdb");
            texts.execute("UPDATE Lang SET Lang0 = 'wijkt af. Toch bestellen?' WHERE ID = 999000039");
            texts.execute("PRAGMA journal_mode = DELETE");
        }
        OpenLanguageDb();
        OpenRsLang();
        previousOrder(appState().ID_ALG_Tuinder + 1);
        BestelRecord b = order();
        QCOMPARE(send(b, recipe("25.0"), {"2", "2", "2"}).stap, qint16(0));
        QCOMPARE(MessageBox::shown().size(), 0);

        b = order();
        MessageBox::setNextAnswer(MsgBox::Yes);
        QCOMPARE(send(b, recipe("30.0"), {"2", "2", "2"}).stap, qint16(0));
        QCOMPARE(MessageBox::shown().size(), 1);
        QCOMPARE(MessageBox::last().text, GetLangStr(999000038) + " Monokalifosfaat (MKP) wijkt af. Toch bestellen?");
    }
};

QTEST_MAIN(TestBestelling)
#include "test_bestelling.moc"
