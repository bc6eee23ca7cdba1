#include "savefile.h"

#include <cerrno>

SaveFile::SaveFile(const QString& name) : QSaveFile(name)
{
    // Writing straight into the final name would leave a cut-off file on a
    // failure; a reader would take it for a whole one.
    setDirectWriteFallback(false);
}

qint64 SaveFile::writeData(const char* data, qint64 len)
{
    const qint64 written = QSaveFile::writeData(data, len);
    if (written != len) {
        m_cutShort = true;
        noteFailedWrite();
    }
    return written;
}

void SaveFile::noteFailedWrite()
{
    // Qt names a full disk only when nothing of a write went out; for a write
    // the disk cut short the system's reason is still in errno.
    if (error() == QFileDevice::ResourceError || errno == ENOSPC)
        m_diskFull = true;
}

bool CommitSaveFile(SaveFile& file)
{
    if (!file.isOpen())
        return false;
    bool whole = !file.cutShort();
    if (whole && !file.flush()) {
        file.noteFailedWrite();
        whole = false;
    }
    if (!whole || file.error() != QFileDevice::NoError) {
        file.cancelWriting();
        file.commit(); // removes the temporary file; the old one stays
        return false;
    }
    return file.commit();
}

bool WriteWholeFile(const QString& path, const QByteArray& data)
{
    SaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(data);
    return CommitSaveFile(file);
}
