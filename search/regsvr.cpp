// Registers a library's classes by calling its DllRegisterServer export, as
// an installer does; the program registers the library beside it by itself.
#include "com/createobject.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tabvin-regsvr <library>\n";
        return 2;
    }
    if (const QString failure = ComClass::registerServer(QString::fromLocal8Bit(argv[1])); !failure.isEmpty()) {
        err << "tabvin-regsvr: " << failure << "\n";
        return 1;
    }
    return 0;
}
