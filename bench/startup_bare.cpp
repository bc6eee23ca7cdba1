// The yardstick: a bare Qt window that opens one SQLite database.
#include <QApplication>
#include <QMainWindow>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTextStream>
#include <sys/resource.h>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QSqlDatabase db = QSqlDatabase::addDatabase("QSQLITE");
    db.setDatabaseName(app.arguments().value(1));
    db.open();
    QSqlQuery(db).exec("SELECT count(*) FROM sqlite_master");
    QMainWindow window;
    window.show();
    QCoreApplication::processEvents();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    QTextStream(stdout) << "ready " << usage.ru_maxrss << Qt::endl;
    return 0;
}
