#pragma once

// Reaching the search component the way the program does: registered in a
// registry store of the test, created by class name, driven by member name.
#include "com/createobject.h"
#include "registry/registry.h"

#include <QApplication>
#include <QLibrary>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <functional>
#include <memory>

namespace SearchSession {

inline const char* const ClassName = "Tabvin.Zoeken";

// Calls one of the library's registration exports; its result (0 is success).
inline int callExport(const char* name)
{
    QLibrary library(TABVIN_LIBRARY);
    const auto entry = reinterpret_cast<int (*)()>(library.resolve(name));
    return entry ? entry() : -1;
}

inline std::unique_ptr<QObject> create()
{
    return std::unique_ptr<QObject>(CreateObject(ClassName));
}

inline QObject* member(QObject* object, const char* name)
{
    return object->property(name).value<QObject*>();
}

template <typename... Args> QVariant add(QObject* collection, Args... args)
{
    QVariant result;
    const bool ok = QMetaObject::invokeMethod(collection, "Add", Q_RETURN_ARG(QVariant, result),
                                              QArgument<Args>(QMetaType::fromType<Args>().name(), args)...);
    if (!ok)
        qFatal("Add could not be called");
    return result;
}

inline QObject* item(QObject* collection, int position)
{
    QObject* result = nullptr;
    QMetaObject::invokeMethod(collection, "Item", Q_RETURN_ARG(QObject*, result), Q_ARG(QVariant, position));
    return result;
}

inline int count(QObject* collection)
{
    return collection->property("Count").toInt();
}

// Calls Show; once the window is up, `drive` works it. A window the drive
// left open is closed, so a failed check never leaves the test waiting.
inline bool show(QObject* zoeken, const std::function<void(QWidget*)>& drive = {})
{
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [&] {
        QWidget* window = QApplication::activeModalWidget();
        if (!window)
            return;
        if (drive)
            drive(window);
        if (window->isVisible())
            window->close();
    });
    timer.start(0);
    bool accepted = false;
    if (!QMetaObject::invokeMethod(zoeken, "Show", Q_RETURN_ARG(bool, accepted)))
        qFatal("Show could not be called");
    return accepted;
}

} // namespace SearchSession
