#pragma once

#include <QString>
#include <QTemporaryDir>

// A folder on a file system of its own that is filled up, as a full disk
// is: creating a file still works, writing into it fails for lack of space.
// It mounts a small tmpfs, which needs root (CI runs as root); elsewhere
// available() is false and whyNot() says why, for the test to skip.
class FullDisk {
public:
    FullDisk();
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool available() const { return m_mounted; }
    const char* whyNot() const { return m_whyNot.constData(); }

    // The folder, ending in "/". Put what the test needs there before fill().
    QString path() const;

    // Takes every byte that is left.
    bool fill();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QByteArray m_whyNot;
};
