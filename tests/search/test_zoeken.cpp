// The search component as a client meets it before any window opens:
// registration and creation by class name, properties and collections by
// member name, and the header format.
#include "db/apperror.h"
#include "searchsession.h"
#include "testdatabases.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace SearchSession;

class TestZoeken : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

    static int errorOf(const std::function<void()>& f)
    {
        try {
            f();
        } catch (const AppError& e) {
            return e.number();
        }
        return 0;
    }

    static QVariant header(QObject* headers, int position, const char* field)
    {
        return item(headers, position)->property(field);
    }

private slots:
    void initTestCase()
    {
        TestSupport::scriptDialogs();
        Registry::setRootDirectory(m_dir.filePath("registry"));
    }

    void createdByClassNameOnlyWhileRegistered()
    {
        QCOMPARE(errorOf([] { create(); }), 429);

        QCOMPARE(callExport("DllRegisterServer"), ComClass::Ok);
        const auto path = Registry::read(RegistryHive::CurrentUser, ComClass::registryKey(ClassName), "");
        QVERIFY(path);
        QCOMPARE(path->value.toString(), QFileInfo(TABVIN_LIBRARY).absoluteFilePath());
        auto zoeken = create();
        QVERIFY(zoeken);
        QCOMPARE(zoeken->metaObject()->className(), "Zoeken");
        QCOMPARE(errorOf([] { CreateObject("Tabvin.Nothing"); }), 429);
        std::unique_ptr<QObject> regels(CreateObject("Tabvin.TTekstRegels"));
        QCOMPARE(regels->metaObject()->className(), "TTekstRegels");

        // The library stays loaded whatever is asked: the program shares state with it.
        QCOMPARE(callExport("DllCanUnloadNow"), ComClass::False);

        QCOMPARE(callExport("DllUnregisterServer"), ComClass::Ok);
        QCOMPARE(errorOf([] { create(); }), 429);
        QCOMPARE(callExport("DllRegisterServer"), ComClass::Ok);

        Registry::writeString(RegistryHive::CurrentUser, ComClass::registryKey("Tabvin.Gone"), "",
                              m_dir.filePath("libGone.so"));
        QCOMPARE(errorOf([] { CreateObject("Tabvin.Gone"); }), 429);
    }

    void membersAreReachedByName()
    {
        auto zoeken = create();
        const QVariantList values = {"/data/", "ZelvoraH.mdb", "Gewas zoeken", 1234567, "SELECT 1;", 1};
        const char* names[] = {"DatabaseDirectory", "DatabaseName", "Caption", "ID", "Query", "SelectieAktief"};
        for (int i = 0; i < 6; ++i)
            QVERIFY(zoeken->setProperty(names[i], values[i]));
        for (int i = 0; i < 6; ++i)
            QCOMPARE(zoeken->property(names[i]).toString(), values[i].toString());
        for (const char* name : {"Headers", "TekstRegels", "SelectieIDs"})
            QCOMPARE(count(member(zoeken.get(), name)), 0);
    }

    void headerTextsGiveCaptionWidthAndSort()
    {
        auto zoeken = create();
        QObject* headers = member(zoeken.get(), "Headers");

        // The empty first header stands for the hidden ID field and adds nothing.
        QVERIFY(!add(headers, QString()).isValid());
        QCOMPARE(add(headers, QString("Naam;40")).value<QObject*>(), headers);
        add(headers, QString("Code;10;a"));
        add(headers, QString("Datum;8;D"));
        add(headers, QString("Min; - 8"));
        add(headers, QString("Leeg;"));
        add(headers, QString(";40"));
        add(headers, QString("Even;12.5"));
        add(headers, QString("Oneven;13.5;x"));
        add(headers, QString("Tekst;7 tekens;A"));
        QCOMPARE(count(headers), 9);

        const struct {
            const char* naam;
            int lengte;
            int sort;
        } expected[] = {{"Naam", 40, 0}, {"Code", 10, 1}, {"Datum", 8, 2},   {"Min", 8, 0},  {"Leeg", 0, 0},
                        {"", 0, 0},      {"Even", 12, 0}, {"Oneven", 14, 0}, {"Tekst", 7, 1}};
        for (int i = 0; i < 9; ++i) {
            QCOMPARE(header(headers, i + 1, "Naam").toString(), QString(expected[i].naam));
            QCOMPARE(header(headers, i + 1, "Lengte").toInt(), expected[i].lengte);
            QCOMPARE(header(headers, i + 1, "Sort").toInt(), expected[i].sort);
        }
    }

    void badHeaderTextsAddNothing()
    {
        auto zoeken = create();
        QObject* headers = member(zoeken.get(), "Headers");
        QCOMPARE(errorOf([&] { add(headers, QString("Naam")); }), 5);
        QCOMPARE(errorOf([&] { add(headers, QString("Breed;40000")); }), JetError::Overflow);
        QCOMPARE(errorOf([&] { add(headers, QString(32765, 'x') + ";1"); }), JetError::Overflow);
        QCOMPARE(count(headers), 0);
        add(headers, QString(32760, 'x') + ";1");
        QCOMPARE(count(headers), 1);
    }

    void collectionsAddressItemsByPosition()
    {
        auto zoeken = create();
        QObject* ids = member(zoeken.get(), "SelectieIDs");
        QVERIFY(!add(ids, 0).isValid());
        QCOMPARE(add(ids, 5).value<QObject*>(), ids);
        add(ids, 9);
        add(ids, -3);
        QCOMPARE(count(ids), 3);
        QCOMPARE(item(ids, 2)->property("ID").toInt(), 9);

        QVariantList walked;
        for (const QVariant& v : ids->property("NewEnum").toList())
            walked << v.value<QObject*>()->property("ID");
        QCOMPARE(walked, QVariantList({5, 9, -3}));

        QVERIFY(QMetaObject::invokeMethod(ids, "Remove", Q_ARG(QVariant, 1)));
        QCOMPARE(count(ids), 2);
        QCOMPARE(item(ids, 1)->property("ID").toInt(), 9);

        // Outside 1..Count, and a text, which would be a key these collections never have.
        QCOMPARE(errorOf([&] { item(ids, 3); }), 9);
        QCOMPARE(errorOf([&] { item(ids, 0); }), 9);
        QCOMPARE(errorOf([&] { QMetaObject::invokeMethod(ids, "Remove", Q_ARG(QVariant, 7)); }), 9);
        QCOMPARE(errorOf([&] {
                     QObject* r = nullptr;
                     QMetaObject::invokeMethod(ids, "Item", Q_RETURN_ARG(QObject*, r), Q_ARG(QVariant, QString("1")));
                 }),
                 5);
        QCOMPARE(count(ids), 2);

        QObject* regels = member(zoeken.get(), "TekstRegels");
        QVERIFY(!add(regels, 3, QString()).isValid());
        QCOMPARE(add(regels, 3, QString("Geen gewassen")).value<QObject*>(), regels);
        QCOMPARE(count(regels), 1);
        QCOMPARE(item(regels, 1)->property("Kode").toInt(), 3);
        QCOMPARE(item(regels, 1)->property("Oms").toString(), QString("Geen gewassen"));
    }
};

QTEST_MAIN(TestZoeken)
#include "test_zoeken.moc"
