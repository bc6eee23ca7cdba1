#include "createobject.h"

#include "db/apperror.h"
#include "registry/registry.h"

#include <QLibrary>
#include <QObject>

namespace {

constexpr int CannotCreateObject = 429;

[[noreturn]] void cannotCreate(const QString& className, const QString& reason)
{
    throw AppError(CannotCreateObject, "CreateObject(\"" + className + "\")",
                   "ActiveX component can't create object: " + reason);
}

} // namespace

namespace ComClass {

QString registryKey(const QString& className)
{
    return "Software\\Classes\\" + className;
}

bool registerClass(const QString& className, const QString& libraryPath)
{
    return Registry::writeString(RegistryHive::CurrentUser, registryKey(className), "", libraryPath);
}

bool unregisterClass(const QString& className)
{
    return Registry::remove(RegistryHive::CurrentUser, registryKey(className), "");
}

QString registeredLibrary(const QString& className)
{
    const auto entry = Registry::read(RegistryHive::CurrentUser, registryKey(className), "");
    return entry ? entry->value.toString() : QString();
}

QString registerServer(const QString& libraryPath)
{
    // Never unloaded, as in CreateObject: the library's classes are created from it next.
    QLibrary library(libraryPath);
    const auto registerExport = reinterpret_cast<int (*)()>(library.resolve("DllRegisterServer"));
    if (!registerExport)
        return library.errorString();
    if (const int result = registerExport(); result != Ok)
        return QString("registering %1 failed (%2)").arg(libraryPath).arg(uint(result), 0, 16);
    return {};
}

} // namespace ComClass

QObject* CreateObject(const QString& className)
{
    const QString path = ComClass::registeredLibrary(className);
    if (path.isEmpty())
        cannotCreate(className, "the class is not registered.");

    // Never unloaded: the QLibrary going out of scope leaves the library loaded.
    QLibrary library(path);
    if (!library.load())
        cannotCreate(className, library.errorString());
    const auto getClassObject = reinterpret_cast<ComClass::GetClassObject>(library.resolve("DllGetClassObject"));
    if (!getClassObject)
        cannotCreate(className, path + " offers no classes.");
    QObject* object = getClassObject(className.toUtf8().constData());
    if (!object)
        cannotCreate(className, path + " has no class of that name.");
    return object;
}
