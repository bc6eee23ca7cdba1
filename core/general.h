#pragma once

#include "db/apperror.h"

#include <QObject>
#include <QString>
#include <QVariant>
#include <type_traits>

// The general library: error dialog with its silent marker, tolerance test,
// settings file, registry and file names. Everything here works without widgets.

// Shows the general error dialog for err, or stays silent when the marker is
// 9999. Afterwards the marker is 99 (silent failure), 0 (Retry) or 999 (Cancel).
void ErrorHandler(qint16& marker, const AppError& err);

// Runs what the user asked for; a run-time error goes to the general error
// dialog instead of ending the action (and the program) unhandled.
template <typename F> void RunUserAction(F action)
{
    try {
        action();
    } catch (const AppError& e) {
        qint16 marker = 0;
        ErrorHandler(marker, e);
    }
}

// Connects a user action (a click, a choice, a typed text) so that it always
// runs under RunUserAction. fn takes the signal's arguments or none.
template <typename Sender, typename Signal, typename Receiver, typename F>
QMetaObject::Connection connectAction(Sender* sender, Signal signal, Receiver* receiver, F fn)
{
    return QObject::connect(sender, signal, receiver, [fn = std::move(fn)](auto... args) {
        RunUserAction([&] {
            if constexpr (std::is_invocable_v<F&, decltype(args)...>)
                fn(args...);
            else
                fn();
        });
    });
}

// |b - a| below tolerance/100 × 10^e, e the integer nearest to log10|a| (0 when a is 0).
bool IsNearlyEqual(const QVariant& a, const QVariant& b, float tolerance);
// The same, with e taken from a only when both a and b are non-zero.
bool IsNearlyEqualNZ(const QVariant& a, const QVariant& b, float tolerance);

QString GetDecimalSeparator();

// Reads a key; a missing or empty key with a non-empty default gets the default written back.
QString GetIniString(const QString& section, const QString& key, const QString& file, const QString& defaultValue);
// Trims the value (the caller's too) and writes it; non-zero on success.
qint16 WriteIniString(QString& value, const QString& section, const QString& key, const QString& file);

// Registry roots as the program names them; 0 stands for HKEY_CURRENT_USER.
constexpr qint32 HKEY_CURRENT_USER = qint32(0x80000001u);
constexpr qint32 HKEY_LOCAL_MACHINE = qint32(0x80000002u);
constexpr qint32 ERROR_FILE_NOT_FOUND = 2;

// The value as text, "" when it cannot be read.
QString GetRegString(const QString& keyPath, const QString& valueName, qint32 root = 0);
// 0 on success (value set), the registry's error code, or -1 for an unsupported type.
qint32 ReadRegValue(qint32 root, const QString& keyPath, const QString& valueName, QVariant& value);

// The part after the last directory separator; the whole text when there is none.
QString GetFileName(const QString& path);
