#pragma once

#include <QByteArray>
#include <QString>

class QSaveFile;

// Every file the program writes goes through QSaveFile: the new content takes
// the file's name only once it is written out whole, so a failure leaves the
// old file as it was and no cut-off file under its name.

// Puts the save file's content in place; false when it was not written out
// whole (the old file then stays). Qt 6.4's QSaveFile::commit() reports
// success when only its last flush fails for lack of space, and then puts an
// empty or cut-off file in place of the old one: the flush is checked first.
bool CommitSaveFile(QSaveFile& file);

// Writes data as the whole new content of path, as CommitSaveFile does.
bool WriteWholeFile(const QString& path, const QByteArray& data);
