// The order file as the dealer's software reads it.
#include "bestelbestand.h"
#include "codepagetext.h"

#include <QDir>
#include <QLocale>
#include <QTemporaryDir>
#include <QtTest>

namespace {

BestelRecord knownOrder()
{
    BestelRecord b;
    b.Datum = 45678.75;
    b.Bestelnummer = QStringLiteral("R12378754321");
    b.Code = QStringLiteral("12");
    b.Bestel_Email = QStringLiteral("order@dealer.example");
    b.Handelaar = QStringLiteral("Handel; Zn");
    b.relNR = QStringLiteral("R123");
    b.Naam = QStringLiteral("Kwekerij Müller");
    b.Adres = QStringLiteral("Kasweg 1");
    b.Postcode = QStringLiteral("2671 AB");
    b.Woonplaats = QStringLiteral("Naaldwijk");
    b.Land = QStringLiteral("NL");
    b.Telefoon = QStringLiteral("0174-123456");
    b.Email = QStringLiteral("info@muller.example");
    b.Code_Afleveradres = 2;
    b.Afleveradres = QStringLiteral("Kas 2");
    b.Aflever_Adres = QStringLiteral("Achterweg 3");
    b.Aflever_Postcode = QStringLiteral("2672 CD");
    b.Aflever_Woonplaats = QStringLiteral("Honselersdijk");
    b.Aflever_Land = QStringLiteral("NL");
    b.Deurcode = QString(QChar(0x03A9)) + QStringLiteral("12"); // no such letter in the code page
    b.ExtraInfo = QStringLiteral("Bel aan\r\nbij de poort");
    b.ZakGrootte = 25;
    b.Concentratie_berek = 100;
    b.AantalA = 2;
    b.AantalB = 2;
    b.AantalC = 3;
    b.ProgrammaVersie = QStringLiteral("1.0.0");
    return b;
}

QList<clsPrintMeststofMeststof> knownLines()
{
    clsPrintMeststofMeststof a;
    a.Bak = 1;
    a.Nr = 12;
    a.Artikelnummer = 4711;
    a.Naam = QStringLiteral("Kalksalpeter");
    a.Hoeveelheid = QStringLiteral("12.5");
    a.Eenheid = QStringLiteral("kg");
    a.MixoraStatus = 1;
    a.NH4 = 1.1f;
    a.Ca = 19;
    a.NO3 = 15.5f;
    a.Na = 5; // not part of the file, nor are the ones below
    a.EC = 2.2f;
    a.Kg = 12.5f;

    clsPrintMeststofMeststof b;
    b.Bak = 2;
    b.Nr = 105;
    b.Naam = QStringLiteral("IJzerchelaat 6% ") + QChar(0x20AC);
    b.Hoeveelheid = QStringLiteral("800");
    b.Eenheid = QStringLiteral("gram");
    b.Code_eenheid = 1;
    b.Prijs = 2.75f;
    b.Fe = 6;
    b.OH = -0.25f;
    return {a, b};
}

} // namespace

class TestBestelBestand : public QObject {
    Q_OBJECT

private slots:
    void cleanup() { QLocale::setDefault(QLocale::c()); }

    // Written over a longer file of an earlier try, which it replaces whole.
    void knownOrderIsWrittenByteForByte()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("R12378754321"));
        QFile file(path + QStringLiteral(".zv1"));
        QVERIFY(file.open(QIODevice::WriteOnly) && file.write(QByteArray(100000, 'x')) == 100000);
        file.close();
        QCOMPARE(SchrijfBestelBestand(1, knownOrder(), knownLines(), path), qint16(0));

        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray expected = "########\r\n"
                                    "45678.75;;0;;\r\n"
                                    "12;;order@dealer.example;;\r\n"
                                    "0;;Handel, Zn;;;;;;;;;;;;\r\n"
                                    "R123;;Kwekerij M\xFCller;;Kasweg 1;;2671 AB;;Naaldwijk;;NL;;0174-123456;;;;;;"
                                    "info@muller.example;;\r\n"
                                    "2;;Kas 2;;Achterweg 3;;2672 CD;;Honselersdijk;;NL;;?12;;\r\n"
                                    "0;;0;;\r\n"
                                    "0;;0;;0;;0;;0;;\r\n"
                                    "25;;100;;2;;2;;3;;0;;\r\n"
                                    "Bel aan bij de poort;;\r\n"
                                    ";;\r\n"
                                    "1.0.0;;;;0;;\r\n"
                                    "\r\n"
                                    "\r\n"
                                    "1;;12;;4711;;Kalksalpeter;;12.5;;kg;;0;;0;;1;;"
                                    "1.1;;0;;19;;0;;15.5;;0;;0;;0;;0;;0;;0;;0;;0;;0;;0;;0;;0;;\r\n"
                                    "2;;105;;0;;IJzerchelaat 6% \x80;;800;;gram;;1;;2.75;;0;;"
                                    "0;;0;;0;;0;;0;;0;;0;;0;;0;;6;;0;;0;;0;;0;;0;;0;;-0.25;;\r\n"
                                    "##\r\n";
        QCOMPARE(file.readAll(), expected);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("R12378754321.zv1")});
    }

    void numbersTakeTheUsersDecimalSeparator()
    {
        QLocale::setDefault(QLocale(QLocale::Dutch, QLocale::Netherlands));
        BestelRecord b = knownOrder();
        b.Datum = 45678.987654321098;
        b.Reserve33_37[0] = 1234567.0f;
        const QList<QByteArray> lines = BestelBestandInhoud(b, knownLines()).split('\n');
        QVERIFY(lines.size() > 14);
        QCOMPARE(lines[1], QByteArray("45678,9876543211;;0;;\r")); // 15 significant digits
        QCOMPARE(lines[7], QByteArray("1234567;;0;;0;;0;;0;;\r")); // no grouping
        QVERIFY(lines[14].startsWith("1;;12;;4711;;Kalksalpeter;;12.5;;kg;;0;;0;;1;;1,1;;0;;19;;0;;15,5;;"));
        QVERIFY(lines[15].endsWith(";;-0,25;;\r"));

        // Without fertiliser lines the header is followed by the end mark.
        QVERIFY(BestelBestandInhoud(b, {}).endsWith("0;;\r\n\r\n\r\n##\r\n"));
    }

    // Every character of the code page goes out as its own byte, the five
    // bytes it leaves undefined included; only the separator and the line
    // breaks are changed, as for any text.
    void everyCodePageCharacterKeepsItsByte()
    {
        const QString characters = TestSupport::windows1252Characters();
        QCOMPARE(characters.size(), 256);
        clsPrintMeststofMeststof m;
        m.Naam = characters;
        m.Hoeveelheid = "1";
        // C1 controls over which the code page prints other characters, and
        // characters beyond it, cannot go out as themselves.
        m.Eenheid = QString(QChar(0x80)) + QChar(0x9F) + QChar(0x100);
        QByteArray expected = TestSupport::allBytes();
        expected[0x0A] = ' ';
        expected[0x0D] = ' ';
        expected[';'] = ',';
        QVERIFY(BestelBestandInhoud(knownOrder(), {m}).contains(";;" + expected + ";;1;;???;;"));
    }

    void failedWriteLeavesNothingBehind()
    {
        QTemporaryDir dir;
        QCOMPARE(SchrijfBestelBestand(1, knownOrder(), knownLines(), dir.filePath(QStringLiteral("gone/R1"))),
                 qint16(1));
        QVERIFY(QDir(dir.path()).isEmpty());

        // The final name is taken by a folder: the rename fails after a whole write.
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("R2.zv1")));
        QCOMPARE(SchrijfBestelBestand(1, knownOrder(), knownLines(), dir.filePath(QStringLiteral("R2"))), qint16(1));
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList{QStringLiteral("R2.zv1")});
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("R2.zv1"))).isDir());
    }
};

QTEST_GUILESS_MAIN(TestBestelBestand)
#include "test_bestelbestand.moc"
