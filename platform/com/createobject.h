#pragma once

#include <QString>

class QObject;

// Classes of shared libraries created by their registered class name, the
// way the program reaches the search component. A library registers a class
// by writing its own path under the class's key in the registry store.
namespace ComClass {

// The key (hive CurrentUser) whose default value holds the library's path.
QString registryKey(const QString& className);

bool registerClass(const QString& className, const QString& libraryPath);
bool unregisterClass(const QString& className);
// The library registered for the class; empty when none is.
QString registeredLibrary(const QString& className);
// Runs the library's own registration export, as an installer does. Empty
// when the library registered its classes, else why it did not.
QString registerServer(const QString& libraryPath);

// Results of the registration exports.
constexpr int Ok = 0;
constexpr int False = 1;
constexpr int RegistrationFailed = int(0x80040201);

// The signature of the class-object export a registered library offers:
// a new object of the named class (UTF-8), or null when it has no such class.
using GetClassObject = QObject* (*)(const char* className);

} // namespace ComClass

// A new object of the registered class; the caller owns it. The library stays
// loaded for the life of the process: state it shares with the program lives
// on the application object. Failure throws AppError 429.
QObject* CreateObject(const QString& className);
