#include "device/AtomicFile.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

// The file a link points to, through any chain of links; the path itself when it is no link or
// the chain does not end.
QString LinkTarget(const QString& path)
{
    QFileInfo info(path);
    for (int depth = 0; depth < 128 && info.isSymLink(); ++depth) info.setFile(info.symLinkTarget());
    return info.isSymLink() ? path : info.filePath();
}

}  // namespace

AtomicFile::AtomicFile(const QString& path) : m_path(LinkTarget(path)) {}

AtomicFile::~AtomicFile() { Discard(); }

bool AtomicFile::Fail(const char* step, int error)
{
    return Fail(QStringLiteral("%1 failed: %2").arg(QLatin1String(step), qt_error_string(error)));
}

bool AtomicFile::Fail(const QString& why)
{
    if (m_error.isEmpty()) m_error = why;
    return false;
}

bool AtomicFile::Open()
{
    Discard();
    m_error.clear();
    m_bytes.clear();
    if (m_path.isEmpty()) return Fail("open", ENOENT);
    const QByteArray target = QFile::encodeName(m_path);
    struct stat existing {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    // A device, a FIFO or a folder is never replaced by a file.
    if (exists && !S_ISREG(existing.st_mode)) return Fail(QStringLiteral("it is not a regular file"));
    if (exists && ::access(target.constData(), W_OK) != 0) return Fail("open", errno);
    for (int attempt = 0; attempt < 100; ++attempt) {
        m_temp = m_path + QLatin1Char('.') + QString::number(QRandomGenerator::global()->generate(), 36);
        m_fd = ::open(QFile::encodeName(m_temp).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (m_fd >= 0 || errno != EEXIST) break;
    }
    if (m_fd < 0) return Fail("open", errno);
    if (exists && ::fchmod(m_fd, existing.st_mode & 0777) != 0) {
        const int error = errno;
        Discard();
        return Fail("open", error);
    }
    return true;
}

bool AtomicFile::Write(const QByteArray& bytes)
{
    if (m_fd < 0) return Fail("write", EBADF);
    m_bytes.append(bytes);
    return true;
}

bool AtomicFile::Commit()
{
    if (m_fd < 0) return Fail("commit", EBADF);
    const char* p = m_bytes.constData();
    for (qsizetype left = m_bytes.size(); left > 0;) {
        const ssize_t n = ::write(m_fd, p, size_t(std::min<qsizetype>(left, qsizetype(1) << 30)));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) {
            Fail("write", n < 0 ? errno : ENOSPC);
            break;
        }
        p += n;
        left -= n;
    }
    // Some file systems report a full disk only here, at the sync or at the close.
    if (m_error.isEmpty() && ::fsync(m_fd) != 0 && errno != EINVAL && errno != ENOTSUP && errno != ENOSYS)
        Fail("sync", errno);
    if (::close(std::exchange(m_fd, -1)) != 0) Fail("close", errno);
    const QByteArray temp = QFile::encodeName(m_temp);
    if (m_error.isEmpty() && ::rename(temp.constData(), QFile::encodeName(m_path).constData()) != 0)
        Fail("rename", errno);
    if (m_error.isEmpty()) return true;
    ::unlink(temp.constData());
    return false;
}

void AtomicFile::Discard()
{
    if (m_fd < 0) return;
    ::close(std::exchange(m_fd, -1));
    ::unlink(QFile::encodeName(m_temp).constData());
}

bool WriteFileAtomically(const QString& path, const QByteArray& bytes, QString* error)
{
    AtomicFile file(path);
    const bool written = file.Open() && file.Write(bytes) && file.Commit();
    if (!written && error) *error = file.ErrorString();
    return written;
}
