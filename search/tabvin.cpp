// The library's entry points in the roles of an in-process server's exports:
// registering its classes by name, handing out objects by class name.
#include "collections.h"
#include "com/createobject.h"
#include "zoeken.h"

#include <QFileInfo>
#include <dlfcn.h>

#define TABVIN_EXPORT extern "C" __attribute__((visibility("default")))

namespace {

struct CreatableClass {
    const char* name;
    QObject* (*create)();
};

const CreatableClass creatableClasses[] = {
    {"Tabvin.Zoeken", []() -> QObject* { return new Zoeken; }},
    {"Tabvin.TTekstRegels", []() -> QObject* { return new TTekstRegels; }},
    {"Tabvin.TTekst", []() -> QObject* { return new TTekst; }},
    {"Tabvin.TSelectieIDs", []() -> QObject* { return new TSelectieIDs; }},
    {"Tabvin.TSelectieID", []() -> QObject* { return new TSelectieID; }},
};

QString libraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void*>(&libraryPath), &info) || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace

TABVIN_EXPORT int DllRegisterServer()
{
    const QString path = libraryPath();
    if (path.isEmpty())
        return ComClass::RegistrationFailed;
    for (const CreatableClass& c : creatableClasses)
        if (!ComClass::registerClass(c.name, path))
            return ComClass::RegistrationFailed;
    return ComClass::Ok;
}

TABVIN_EXPORT int DllUnregisterServer()
{
    for (const CreatableClass& c : creatableClasses)
        if (!ComClass::unregisterClass(c.name))
            return ComClass::RegistrationFailed;
    return ComClass::Ok;
}

TABVIN_EXPORT QObject* DllGetClassObject(const char* className)
{
    for (const CreatableClass& c : creatableClasses)
        if (className && qstrcmp(className, c.name) == 0)
            return c.create();
    return nullptr;
}

// Never: state the library shares with the program lives on the application
// object and needs the library's code until the process ends.
TABVIN_EXPORT int DllCanUnloadNow()
{
    return ComClass::False;
}
