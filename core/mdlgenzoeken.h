#pragma once

#include <QString>
#include <QStringList>

// The program's way into the search component: a query and its column
// headers in, the record ID the user chose out (0 when nothing was chosen).
// headers: per column "caption;width" with optionally ";A" or ";D"; the
// first, empty one stands for the hidden record ID. databasePath empty: the
// file ZoekDatabase in AppPath.
qint32 ShowSearchTable(const QStringList& headers, const QString& query, qint32 initialId = 0,
                       const QString& caption = {}, const QString& databasePath = {});
