#include "unreadablefile.h"

#include <QFile>
#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

// glibc has no wrapper for these, and libcap is more than two calls need.
// They act on the calling thread only.
bool capabilities(cap_user_data_t data, bool set)
{
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    return ::syscall(set ? SYS_capset : SYS_capget, &header, data) == 0;
}

} // namespace

UnreadableFile::UnreadableFile(const QString& path) : m_path(path), m_permissions(QFile::permissions(path))
{
    if (!QFile::setPermissions(path, QFileDevice::WriteOwner)) {
        m_whyNot = "the file's permissions could not be changed";
        return;
    }
    __user_cap_data_struct caps[2] = {};
    if (!capabilities(caps, false)) {
        m_whyNot = QByteArray("reading this thread's capabilities failed: ") + std::strerror(errno);
        return;
    }
    m_effective[0] = caps[0].effective;
    m_effective[1] = caps[1].effective;
    const quint32 override = (1u << CAP_DAC_OVERRIDE) | (1u << CAP_DAC_READ_SEARCH);
    caps[0].effective &= ~override;
    if (!capabilities(caps, true)) {
        m_whyNot = QByteArray("setting aside the capabilities to read any file failed: ") + std::strerror(errno);
        return;
    }
    m_capabilitiesSetAside = true;
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        m_whyNot = "the file can still be read";
}

UnreadableFile::~UnreadableFile()
{
    if (m_capabilitiesSetAside) {
        __user_cap_data_struct caps[2] = {};
        capabilities(caps, false);
        caps[0].effective = m_effective[0];
        caps[1].effective = m_effective[1];
        capabilities(caps, true);
    }
    QFile::setPermissions(m_path, m_permissions);
}
