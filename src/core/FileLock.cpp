#include "core/FileLock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <QDir>
#include <QFileInfo>

namespace kavra {

FileLock::FileLock(const QString& path) : path_(path) {}

FileLock::~FileLock() {
    unlock();
}

bool FileLock::tryLock(bool shared) {
    const Mode want = shared ? Shared : Exclusive;
    if (mode_ == want) return true;
    // Changing the mode is not atomic in the kernel either: say so by letting go first.
    if (mode_ != None) unlock();
    if (fd_ < 0) {
        QDir().mkpath(QFileInfo(path_).absolutePath());
        fd_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
        if (fd_ < 0) return false;
    }
    // flock ties the lock to this open file, so a second handle in one process conflicts
    // like another process would: two desks simulated in one program stay apart.
    if (::flock(fd_, (shared ? LOCK_SH : LOCK_EX) | LOCK_NB) != 0) {
        unlock();
        return false;
    }
    mode_ = want;
    return true;
}

void FileLock::unlock() {
    if (fd_ >= 0) {
        ::flock(fd_, LOCK_UN);
        ::close(fd_);
    }
    fd_ = -1;
    mode_ = None;
}

bool FileLock::heldByAnyone(const QString& path) {
    if (!QFileInfo::exists(path)) return false;
    FileLock probe(path);
    if (!probe.tryLock(false)) return true;
    return false;
}

}  // namespace kavra
