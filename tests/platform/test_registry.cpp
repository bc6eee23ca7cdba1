#include "registry/registry.h"

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class TestRegistry : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase() { Registry::setRootDirectory(m_dir.filePath("registry")); }

    void valuesPerHiveAndKeyWithoutCase()
    {
        const QString key = "Software\\VB and VBA Program Settings\\Zelvora\\Zelvora";
        QVERIFY(!Registry::read(RegistryHive::CurrentUser, key, "appPath"));
        QVERIFY(Registry::writeString(RegistryHive::CurrentUser, key, "appPath", "/opt/zelvora/"));
        auto v = Registry::read(RegistryHive::CurrentUser, key.toUpper(), "APPPATH");
        QVERIFY(v);
        QCOMPARE(v->type, RegistryValue::String);
        QCOMPARE(v->value.toString(), QString("/opt/zelvora/"));
        QVERIFY(!Registry::read(RegistryHive::LocalMachine, key, "appPath"));

        QVERIFY(Registry::writeString(RegistryHive::CurrentUser, key, "appPath", "/srv/z/"));
        QCOMPARE(Registry::read(RegistryHive::CurrentUser, key, "appPath")->value.toString(), QString("/srv/z/"));
    }

    void typedAndDefaultValues()
    {
        QVERIFY(Registry::write(RegistryHive::LocalMachine, "SOFTWARE\\Test", "",
                                {RegistryValue::ExpandString, "%HOME%/x"}));
        QVERIFY(Registry::write(RegistryHive::LocalMachine, "SOFTWARE\\Test", "Count", {RegistryValue::DWord, 42u}));
        auto def = Registry::read(RegistryHive::LocalMachine, "software\\test", "");
        QVERIFY(def);
        QCOMPARE(def->type, RegistryValue::ExpandString);
        QCOMPARE(def->value.toString(), QString("%HOME%/x"));
        auto count = Registry::read(RegistryHive::LocalMachine, "SOFTWARE\\Test", "count");
        QCOMPARE(count->type, RegistryValue::DWord);
        QCOMPARE(count->value.toUInt(), 42u);
    }

    void removedValueIsGone()
    {
        QVERIFY(Registry::writeString(RegistryHive::CurrentUser, "Software\\Classes\\X.Y", "", "/lib/x.so"));
        QVERIFY(Registry::writeString(RegistryHive::CurrentUser, "Software\\Classes\\X.Y", "Other", "1"));
        QVERIFY(Registry::remove(RegistryHive::CurrentUser, "software\\classes\\x.y", ""));
        QVERIFY(!Registry::read(RegistryHive::CurrentUser, "Software\\Classes\\X.Y", ""));
        QVERIFY(Registry::read(RegistryHive::CurrentUser, "Software\\Classes\\X.Y", "Other"));
        QVERIFY(Registry::remove(RegistryHive::CurrentUser, "Software\\Classes\\X.Y", ""));
    }

    // The store is a settings file: a line break would add values of its own.
    void aValueOfMoreThanOneLineIsRefused()
    {
        const QString key = "Software\\Classes\\Tabvin.Zoeken";
        QVERIFY(Registry::writeString(RegistryHive::CurrentUser, key, "", "/lib/tabvin.so"));
        QFile hive(m_dir.filePath("registry/HKEY_CURRENT_USER.ini"));
        QVERIFY(hive.open(QIODevice::ReadOnly));
        const QByteArray before = hive.readAll();
        hive.close();
        QVERIFY(!Registry::writeString(RegistryHive::CurrentUser, key, "", "/x.so\n@=sz:/elders.so"));
        QVERIFY(hive.open(QIODevice::ReadOnly));
        QCOMPARE(hive.readAll(), before);
        QCOMPARE(Registry::read(RegistryHive::CurrentUser, key, "")->value.toString(), QString("/lib/tabvin.so"));
    }

    void mailProgramComesFromTheDesktop()
    {
        Registry::setMailHandlerQuery([] { return QString("thunderbird.desktop"); });
        auto v = Registry::read(RegistryHive::LocalMachine, Registry::mailtoCommandKey(), "");
        QVERIFY(v);
        QCOMPARE(v->value.toString(), QString("thunderbird.desktop"));
        Registry::setMailHandlerQuery([] { return QString(); });
        QVERIFY(!Registry::read(RegistryHive::LocalMachine, Registry::mailtoCommandKey(), ""));
        Registry::setMailHandlerQuery({});
    }
};

QTEST_GUILESS_MAIN(TestRegistry)
#include "test_registry.moc"
