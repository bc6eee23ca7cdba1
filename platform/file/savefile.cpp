#include "savefile.h"

#include <QSaveFile>

bool CommitSaveFile(QSaveFile& file)
{
    if (!file.isOpen())
        return false;
    if (!file.flush() || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit(); // removes the temporary file; the old one stays
        return false;
    }
    return file.commit();
}

bool WriteWholeFile(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    // Writing straight into the final name would leave a cut-off file on a
    // failure; a reader would take it for a whole one.
    file.setDirectWriteFallback(false);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    // A short write is cancelled: the commit then only removes the temporary file.
    if (file.write(data) != data.size())
        file.cancelWriting();
    return CommitSaveFile(file);
}
