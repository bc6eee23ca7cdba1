// Registers a library's classes by calling its DllRegisterServer export:
// the build runs it on the Tabvin library it has just linked.
#include <QCoreApplication>
#include <QLibrary>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTextStream err(stderr);
    if (argc != 2) {
        err << "usage: tabvin-regsvr <library>\n";
        return 2;
    }
    QLibrary library(QString::fromLocal8Bit(argv[1]));
    const auto registerServer = reinterpret_cast<int (*)()>(library.resolve("DllRegisterServer"));
    if (!registerServer) {
        err << "tabvin-regsvr: " << library.errorString() << "\n";
        return 1;
    }
    if (const int result = registerServer(); result != 0) {
        err << "tabvin-regsvr: registering " << library.fileName() << " failed (" << Qt::hex << result << ")\n";
        return 1;
    }
    return 0;
}
