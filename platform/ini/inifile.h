#pragma once

#include <QString>

// Settings files of sections and keys, read and written the way the program
// expects of profile files: section and key names match without regard to
// case, values are trimmed, a missing file or key gives the default, and a
// write creates the file, section or key while every other line stays as it was.
// A file that is not valid UTF-8 was made on Windows: it is read as
// Windows-1252 and written back in it. A write that fails keeps the old file;
// so does one into a file that is there but cannot be read, which reads as
// missing.
class IniFile {
public:
    // The value of the key, trimmed; the default when the file, section or key is missing.
    static QString read(const QString& file, const QString& section, const QString& key,
                        const QString& defaultValue = {});
    // True when the key exists in the section (with any value).
    static bool contains(const QString& file, const QString& section, const QString& key);
    // Writes key=value into the section; false when the file cannot be read or
    // written, or when the section, key or value holds a line break or another
    // control character (the file is then left as it was).
    static bool write(const QString& file, const QString& section, const QString& key, const QString& value);
    // Removes the key from the section; true when it is gone (or was never
    // there), false when the file cannot be read or written.
    static bool remove(const QString& file, const QString& section, const QString& key);
    // True when the file is there but cannot be read (no permission, an I/O
    // error): why a write into it failed, where a full disk is another cause.
    static bool unreadable(const QString& file);
    // Whether the character would end a line of the file early, or not
    // survive every editor and reader of it: a write refuses it.
    static bool breaksLine(QChar c);
};
