#pragma once

#include <QByteArray>
#include <QFileDevice>
#include <QString>

// A file the program may write but not read, as one whose read permission
// was taken away. Root reads any file through its capabilities to override
// permissions: this thread sets them aside while the object lives, so the
// file cannot be read by root either. Everything is given back at the end.
class UnreadableFile {
public:
    explicit UnreadableFile(const QString& path);
    ~UnreadableFile();
    UnreadableFile(const UnreadableFile&) = delete;
    UnreadableFile& operator=(const UnreadableFile&) = delete;

    // False, with whyNot() saying why, when the file stayed readable.
    bool ok() const { return m_whyNot.isEmpty(); }
    const char* whyNot() const { return m_whyNot.constData(); }

private:
    QString m_path;
    QFileDevice::Permissions m_permissions;
    bool m_capabilitiesSetAside = false;
    quint32 m_effective[2] = {};
    QByteArray m_whyNot;
};
