// Start-up: the program up to its main window with the databases open and
// the first grower taken, against a bare Qt window that opens one SQLite
// database, measured in the same run. Prints the medians of both.
#include "dbbuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <vector>

namespace {

struct Run {
    double ms = 0;
    long kib = 0;
};

Run runOnce(const QString& program, const QStringList& arguments)
{
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    if (!env.contains("QT_QPA_PLATFORM"))
        env.insert("QT_QPA_PLATFORM", "offscreen");
    p.setProcessEnvironment(env);
    QElapsedTimer t;
    t.start();
    p.start(program, arguments);
    Run run;
    while (p.waitForReadyRead(10000)) {
        const QString line = QString::fromLocal8Bit(p.readAllStandardOutput());
        if (line.startsWith("ready")) {
            run.ms = t.nsecsElapsed() / 1e6;
            run.kib = line.section(' ', 1, 1).trimmed().toLong();
            break;
        }
    }
    p.waitForFinished(10000);
    return run;
}

Run median(const QString& program, const QStringList& arguments, int runs)
{
    std::vector<double> times;
    std::vector<long> sizes;
    for (int i = 0; i < runs; ++i) {
        const Run r = runOnce(program, arguments);
        times.push_back(r.ms);
        sizes.push_back(r.kib);
    }
    std::sort(times.begin(), times.end());
    std::sort(sizes.begin(), sizes.end());
    return {times[times.size() / 2], sizes[sizes.size() / 2]};
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    DbBuilder::buildDefaults(ZELVORA_DATA_DIR, dir.path(), true);
    const QString here = QCoreApplication::applicationDirPath();
    const int runs = 15;
    const Run bare = median(here + "/startup_bare", {dir.filePath("ZelvoraT.mdb")}, runs);
    const Run zelvora = median(here + "/startup_zelvora", {"/nosplash=yes", "/Path=" + dir.path()}, runs);
    QTextStream out(stdout);
    out << QString("bare Qt window + one SQLite database: %1 ms, peak %2 MiB\n")
               .arg(bare.ms, 0, 'f', 1)
               .arg(bare.kib / 1024.0, 0, 'f', 1);
    out << QString(
               "Zelvora to its main window, grower taken:  %1 ms, peak %2 MiB (aim: within twice the bare window)\n")
               .arg(zelvora.ms, 0, 'f', 1)
               .arg(zelvora.kib / 1024.0, 0, 'f', 1);
    out << QString("ratio: %1 in time, %2 in memory\n")
               .arg(zelvora.ms / bare.ms, 0, 'f', 2)
               .arg(double(zelvora.kib) / double(bare.kib), 0, 'f', 2);
    return 0;
}
