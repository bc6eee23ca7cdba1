#pragma once

#include <QString>
#include <QVariant>
#include <functional>
#include <optional>

enum class RegistryHive { CurrentUser, LocalMachine };

struct RegistryValue {
    enum Type { String = 1, ExpandString = 2, DWord = 4 };
    Type type = String;
    QVariant value;
};

// A small key/value store per hive in the user's configuration folder,
// standing in for the Windows registry. Key paths and value names match
// without regard to case; the value name "" is the key's default value.
class Registry {
public:
    // Folder that holds one file per hive; empty restores the default location.
    static void setRootDirectory(const QString& dir);
    static QString rootDirectory();

    static bool write(RegistryHive hive, const QString& keyPath, const QString& valueName, const RegistryValue& value);
    static bool writeString(RegistryHive hive, const QString& keyPath, const QString& valueName, const QString& value)
    {
        return write(hive, keyPath, valueName, {RegistryValue::String, value});
    }
    // Deletes the value; true when it is gone (or was never there).
    static bool remove(RegistryHive hive, const QString& keyPath, const QString& valueName);
    static std::optional<RegistryValue> read(RegistryHive hive, const QString& keyPath, const QString& valueName);

    // The key whose default value names the registered mail program. It is
    // answered from the desktop's registered mailto handler, not from the store.
    static QString mailtoCommandKey() { return "SOFTWARE\\Classes\\mailto\\shell\\open\\command"; }
    // Replaces the query of the desktop's mailto handler (tests); an empty function restores it.
    static void setMailHandlerQuery(std::function<QString()> query);
};
