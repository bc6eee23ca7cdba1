#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QVariant>
#include <QtGlobal>

// State that must be one per process even when this code is linked into
// both the program and a library it loads (the search component): the copy
// lives on the application object, which both share. A library that
// creates such state must stay loaded for the life of the process.
//
// The library hides its symbols, so program and library each have a type of
// their own for everything declared here, and a cast between the two would
// be undefined. The application object therefore holds one plain slot per
// key, laid out below and never changed, and reaches it as void*, never
// through a type of either side. The key names the value's layout: whoever
// changes the value's type gives it a new key, so that a library of an
// older build cannot read the new layout. The size is checked as well.
struct ProcessSharedSlot {
    quint64 size;           // sizeof the value
    void* value;            // made and destroyed by the side that came first
    void (*destroy)(void*); // runs when the application object goes
};

template <typename T> T& processShared(const char* key)
{
    const auto ownCopy = [key](const char* why) -> T& {
        static T copy;
        if (why)
            qWarning("The shared state \"%s\" %s; this part of the program keeps its own copy.", key, why);
        return copy;
    };
    QCoreApplication* app = QCoreApplication::instance();
    if (!app)
        return ownCopy(nullptr);
    const QVariant held = app->property(key);
    if (held.isValid()) {
        if (held.metaType() != QMetaType::fromType<void*>())
            return ownCopy("is held in another form");
        auto* slot = static_cast<ProcessSharedSlot*>(held.value<void*>());
        if (slot->size != sizeof(T))
            return ownCopy("has another layout");
        return *static_cast<T*>(slot->value);
    }
    auto* slot = new ProcessSharedSlot{sizeof(T), new T, [](void* value) { delete static_cast<T*>(value); }};
    app->setProperty(key, QVariant::fromValue(static_cast<void*>(slot)));
    // A plain QObject owns the slot: it goes with the application object,
    // and nothing of it needs a type of ours.
    auto* owner = new QObject(app);
    QObject::connect(owner, &QObject::destroyed, [slot] {
        slot->destroy(slot->value);
        delete slot;
    });
    return *static_cast<T*>(slot->value);
}
