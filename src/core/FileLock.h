#pragma once
// A lock on a file that the operating system drops when the holding process ends in any
// way (kill -9 and power loss included), so a lock can never outlive its holder.
#include <QString>

namespace kavra {

class FileLock {
  public:
    explicit FileLock(const QString& path);
    ~FileLock();
    FileLock(const FileLock&) = delete;
    FileLock& operator=(const FileLock&) = delete;

    // Never waits: true when taken (or already held in that mode). Asking for the other mode
    // lets go of the held one first, so a refusal leaves nothing held.
    bool tryLock(bool shared = false);
    void unlock();
    bool held() const { return mode_ != None; }
    const QString& path() const { return path_; }

    // Whether some holder, this process included, has the file locked.
    static bool heldByAnyone(const QString& path);

  private:
    enum Mode { None, Shared, Exclusive };
    QString path_;
    int fd_ = -1;
    Mode mode_ = None;
};

}  // namespace kavra
