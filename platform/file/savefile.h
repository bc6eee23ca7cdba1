#pragma once

#include <QByteArray>
#include <QSaveFile>
#include <QString>

// Every file the program writes goes through SaveFile: the new content takes
// the file's name only once it is written out whole, so a failure leaves the
// old file as it was and no cut-off file under its name.

// A QSaveFile that remembers a write the disk cut short. Qt passes a single
// write larger than its buffer straight to the disk, and when the disk runs
// out of space part-way it only returns the smaller count, with no error set:
// the file would then be committed without the rest.
class SaveFile : public QSaveFile {
public:
    explicit SaveFile(const QString& name);

    // Some write took fewer bytes than it was given.
    bool cutShort() const { return m_cutShort; }
    // A write, or the flush of one, failed for lack of room on the disk.
    bool diskFull() const { return m_diskFull; }

protected:
    qint64 writeData(const char* data, qint64 len) override;

private:
    friend bool CommitSaveFile(SaveFile& file);
    void noteFailedWrite();

    bool m_cutShort = false;
    bool m_diskFull = false;
};

// Puts the save file's content in place; false when it was not written out
// whole (the old file then stays). Qt 6.4's QSaveFile::commit() reports
// success when only its last flush fails for lack of space, and then puts an
// empty or cut-off file in place of the old one: the flush is checked first.
bool CommitSaveFile(SaveFile& file);

// Writes data as the whole new content of path, as CommitSaveFile does.
bool WriteWholeFile(const QString& path, const QByteArray& data);
