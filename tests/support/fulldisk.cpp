#include "fulldisk.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/mount.h>
#include <unistd.h>

FullDisk::FullDisk(const char* size)
{
    if (geteuid() != 0) {
        m_whyNot = "a full disk is a small tmpfs mounted by the test, which needs root";
        return;
    }
    if (!m_dir.isValid()) {
        m_whyNot = "no temporary folder to mount the small tmpfs on";
        return;
    }
    const QByteArray options = QByteArray("size=") + size;
    if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                options.constData()) != 0) {
        m_whyNot = QByteArray("mounting a small tmpfs failed: ") + std::strerror(errno);
        return;
    }
    m_mounted = true;
}

FullDisk::~FullDisk()
{
    if (m_mounted)
        ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
}

QString FullDisk::path() const
{
    return m_dir.path() + "/";
}

bool FullDisk::fill()
{
    const int fd = ::open(QFile::encodeName(path() + "filler").constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    if (fd < 0)
        return false;
    const char block[512] = {};
    ssize_t written = 0;
    do {
        written = ::write(fd, block, sizeof block);
    } while (written > 0);
    const bool full = errno == ENOSPC;
    ::close(fd);
    return full;
}

bool FullDisk::makeReadOnly()
{
    return ::mount(nullptr, QFile::encodeName(m_dir.path()).constData(), nullptr, MS_REMOUNT | MS_RDONLY, nullptr) == 0;
}
