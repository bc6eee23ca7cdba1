#pragma once

#include "testdatabases.h"

#include <QString>
#include <QTemporaryDir>
#include <QTest>

// A folder on a file system of its own that is filled up, as a full disk
// is: creating a file still works, writing into it fails for lack of space.
// Made read-only instead, it stands for media that cannot be written.
// It mounts a small tmpfs, which needs root (CI runs as root); elsewhere
// available() is false and whyNot() says why. A test starts with
// FULL_DISK_OR_SKIP(disk), which skips it there, or fails it under CI.
class FullDisk {
public:
    // size as tmpfs takes it ("64k", "1m"): room for what the test puts there.
    explicit FullDisk(const char* size = "64k");
    ~FullDisk();
    FullDisk(const FullDisk&) = delete;
    FullDisk& operator=(const FullDisk&) = delete;

    bool available() const { return m_mounted; }
    const char* whyNot() const { return m_whyNot.constData(); }

    // The folder, ending in "/". Put what the test needs there before fill().
    QString path() const;

    // Takes every byte that is left.
    bool fill();
    // Makes the whole disk read-only, as media that cannot be written are.
    bool makeReadOnly();

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    QByteArray m_whyNot;
};

#define FULL_DISK_OR_SKIP(disk)                                                                                        \
    do {                                                                                                               \
        if (!(disk).available()) {                                                                                     \
            if (TestSupport::ciRun())                                                                                  \
                QFAIL(QByteArray(QByteArray("CI needs a full disk: ") + (disk).whyNot()).constData());                 \
            QSKIP((disk).whyNot());                                                                                    \
        }                                                                                                              \
    } while (false)
