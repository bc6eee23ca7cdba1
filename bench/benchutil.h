#pragma once

#include <QElapsedTimer>
#include <QString>
#include <QTextStream>
#include <algorithm>
#include <functional>
#include <vector>

// Median wall time of a piece of work in milliseconds over n runs.
inline double medianMs(int runs, const std::function<void()>& work)
{
    std::vector<double> times;
    times.reserve(runs);
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        times.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

inline void report(const QString& what, double ms, const QString& aim)
{
    QTextStream(stdout) << QString("%1: %2 ms (aim: %3)\n").arg(what, -48).arg(ms, 0, 'f', 3).arg(aim);
}
