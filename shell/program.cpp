#include "program.h"

#include <QCoreApplication>

namespace {
std::function<void(int)>& handler()
{
    static std::function<void(int)> h;
    return h;
}
} // namespace

void EndProgram(int exitCode)
{
    if (handler()) {
        handler()(exitCode);
        return;
    }
    QMetaObject::invokeMethod(
        qApp, [exitCode] { QCoreApplication::exit(exitCode); }, Qt::QueuedConnection);
}

void SetEndProgramHandler(std::function<void(int)> h)
{
    handler() = std::move(h);
}
