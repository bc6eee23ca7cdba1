#include "registry.h"

#include "../ini/inifile.h"
#include "../processshared.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Shared with the search library under a key that names this layout:
// a change here takes a new key (processshared.h).
struct Settings {
    QString root;
    std::function<QString()> mailHandlerQuery;
};

Settings& settings()
{
    return processShared<Settings>("zelvora.registry/1");
}

QString hiveFile(RegistryHive hive)
{
    const QString name = hive == RegistryHive::CurrentUser ? "HKEY_CURRENT_USER.ini" : "HKEY_LOCAL_MACHINE.ini";
    return Registry::rootDirectory() + "/" + name;
}

QString entryName(const QString& valueName)
{
    return valueName.isEmpty() ? QString("@") : valueName;
}

QString desktopMailHandler()
{
    const QString tool = "/usr/bin/xdg-mime";
    if (!QFileInfo(tool).isExecutable())
        return {};
    QProcess p;
    p.start(tool, {"query", "default", "x-scheme-handler/mailto"});
    if (!p.waitForFinished(3000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(p.readAllStandardOutput()).trimmed();
}

} // namespace

void Registry::setRootDirectory(const QString& dir)
{
    settings().root = dir;
}

QString Registry::rootDirectory()
{
    if (!settings().root.isEmpty())
        return settings().root;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Zelvora/registry";
}

bool Registry::write(RegistryHive hive, const QString& keyPath, const QString& valueName, const RegistryValue& value)
{
    if (!QDir().mkpath(rootDirectory()))
        return false;
    QString text;
    switch (value.type) {
    case RegistryValue::String:
        text = "sz:" + value.value.toString();
        break;
    case RegistryValue::ExpandString:
        text = "expand_sz:" + value.value.toString();
        break;
    case RegistryValue::DWord:
        text = "dword:" + QString::number(value.value.toUInt());
        break;
    }
    return IniFile::write(hiveFile(hive), keyPath, entryName(valueName), text);
}

bool Registry::remove(RegistryHive hive, const QString& keyPath, const QString& valueName)
{
    return IniFile::remove(hiveFile(hive), keyPath, entryName(valueName));
}

std::optional<RegistryValue> Registry::read(RegistryHive hive, const QString& keyPath, const QString& valueName)
{
    if (hive == RegistryHive::LocalMachine && valueName.isEmpty() &&
        keyPath.compare(mailtoCommandKey(), Qt::CaseInsensitive) == 0) {
        const QString handler = settings().mailHandlerQuery ? settings().mailHandlerQuery() : desktopMailHandler();
        if (handler.isEmpty())
            return std::nullopt;
        return RegistryValue{RegistryValue::String, handler};
    }
    const QString file = hiveFile(hive);
    if (!IniFile::contains(file, keyPath, entryName(valueName)))
        return std::nullopt;
    const QString text = IniFile::read(file, keyPath, entryName(valueName));
    if (text.startsWith("sz:"))
        return RegistryValue{RegistryValue::String, text.mid(3)};
    if (text.startsWith("expand_sz:"))
        return RegistryValue{RegistryValue::ExpandString, text.mid(10)};
    if (text.startsWith("dword:"))
        return RegistryValue{RegistryValue::DWord, text.mid(6).toUInt()};
    return RegistryValue{RegistryValue::String, text};
}

void Registry::setMailHandlerQuery(std::function<QString()> query)
{
    settings().mailHandlerQuery = std::move(query);
}
