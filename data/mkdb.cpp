// Makes the default databases of the build directory from the text in data/.
// An existing database is user data and is left alone unless --force is given.
#include "dbbuilder.h"

#include "db/apperror.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    const bool force = args.removeAll("--force") > 0;
    if (args.size() != 2) {
        QTextStream(stderr) << "usage: zelvora-mkdb [--force] <data directory> <target directory>\n";
        return 2;
    }
    try {
        for (const QString& f : DbBuilder::buildDefaults(args[0], args[1], force))
            QTextStream(stdout) << "made " << f << "\n";
    } catch (const AppError& e) {
        QTextStream(stderr) << e.description() << "\n";
        return 1;
    }
    return 0;
}
