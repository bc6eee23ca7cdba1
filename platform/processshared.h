#pragma once

#include <QCoreApplication>
#include <QObject>
#include <QVariant>
#include <memory>

// State that must be one per process even when this code is linked into
// both the program and a library it loads (the search component): the copy
// lives on the application object, which both share. A library that
// creates such state must stay loaded for the life of the process.
template <typename T> T& processShared(const char* key)
{
    struct Holder : QObject {
        T value;
    };
    if (QCoreApplication* app = QCoreApplication::instance()) {
        if (auto* h = static_cast<Holder*>(app->property(key).template value<QObject*>()))
            return h->value;
        auto* h = new Holder;
        h->setParent(app);
        app->setProperty(key, QVariant::fromValue<QObject*>(h));
        return h->value;
    }
    static T fallback;
    return fallback;
}
