#include "core/SafeWrite.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr const char* TempMark = ".tmp";
constexpr size_t TempSuffix = 6;  // the characters mkstemp puts in
constexpr int64_t WritebackStep = 1 << 19;

std::string FolderOf(const std::string& Path) {
    const size_t slash = Path.find_last_of('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : Path.substr(0, slash);
}

bool WriteAll(int Fd, const char* Data, size_t Size) {
    size_t done = 0;
    while (done < Size) {
        const ssize_t n = ::write(Fd, Data + done, Size - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// The folder's entry for the renamed file reaches the disk too.
void SyncFolder(const std::string& Folder) {
    const int fd = ::open(Folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);
    ::close(fd);
}

}  // namespace

std::string WriteTargetOf(const std::string& Path) {
    std::string cur = Path;
    // A chain of links is followed as the system would, up to its own limit.
    for (int hop = 0; hop < 40; ++hop) {
        struct stat st;
        if (::lstat(cur.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return cur;
        std::string link(size_t(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t n = ::readlink(cur.c_str(), link.data(), link.size());
        if (n <= 0) return cur;
        link.resize(size_t(n));
        cur = link[0] == '/' ? link : FolderOf(cur) + "/" + link;
    }
    return cur;
}

bool OpenTempFile(const std::string& Target, TTempFile& T) {
    DiscardTemp(T);
    const std::string target = WriteTargetOf(Target);
    // A clean-up running at the same moment may remove the new file before it is locked:
    // then it is made again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        std::string tmp = target + TempMark + std::string(TempSuffix, 'X');
        const int fd = ::mkostemp(tmp.data(), O_APPEND | O_CLOEXEC);
        if (fd < 0) return false;
        struct stat st;
        if (::flock(fd, LOCK_EX) == 0 && ::fstat(fd, &st) == 0 && st.st_nlink > 0) {
            T.Path = tmp;
            T.Fd = fd;
            T.Written = 0;
            T.Flushed = 0;
            return true;
        }
        ::close(fd);
    }
    return false;
}

bool AppendTemp(TTempFile& T, std::string_view Bytes) {
    if (T.Fd < 0 || !WriteAll(T.Fd, Bytes.data(), Bytes.size())) return false;
    T.Written += int64_t(Bytes.size());
    // The disk starts on what is written while the rest is still being made, so the sync
    // at the end waits for the last piece only. Everything up to the end of the file:
    // sections appended by name count too.
    const off_t end = ::lseek(T.Fd, 0, SEEK_END);
    if (end >= T.Flushed + WritebackStep) {
        ::sync_file_range(T.Fd, T.Flushed, end - T.Flushed, SYNC_FILE_RANGE_WRITE);
        T.Flushed = end;
    }
    return true;
}

bool CommitTemp(TTempFile& T, const std::string& Target) {
    if (T.Fd < 0) return false;
    const std::string target = WriteTargetOf(Target);
    struct stat st;
    const bool exists = ::stat(target.c_str(), &st) == 0;
    // A write-protected target is refused: the rename would replace it regardless of
    // its permissions.
    bool ok = !(exists && (st.st_mode & 0222) == 0);
    ok = ok && ::fsync(T.Fd) == 0;
    ok = ok && ::fchmod(T.Fd, exists ? st.st_mode & 07777 : 0644) == 0;
    // Renamed while still locked: no clean-up can take it in between.
    ok = ok && std::rename(T.Path.c_str(), target.c_str()) == 0;
    if (!ok) ::unlink(T.Path.c_str());
    ok = ::close(T.Fd) == 0 && ok;
    if (ok) SyncFolder(FolderOf(target));
    T.Fd = -1;
    T.Path.clear();
    return ok;
}

void DiscardTemp(TTempFile& T) {
    if (T.Fd < 0) return;
    ::unlink(T.Path.c_str());
    ::close(T.Fd);
    T.Fd = -1;
    T.Path.clear();
}

bool IsTempFileName(const std::string& Name, const std::string& TargetName) {
    const size_t mark = std::string(TempMark).size();
    if (Name.size() < mark + TempSuffix + 1) return false;
    const size_t at = Name.size() - TempSuffix - mark;
    if (Name.compare(at, mark, TempMark) != 0) return false;
    if (!TargetName.empty() && Name.compare(0, at, TargetName) != 0) return false;
    if (!TargetName.empty() && at != TargetName.size()) return false;
    for (size_t i = at + mark; i < Name.size(); ++i) {
        const char c = Name[i];
        if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'))) return false;
    }
    return true;
}

int RemoveStaleTempFiles(const std::string& Folder, const std::string& TargetName) {
    DIR* dir = ::opendir(Folder.c_str());
    if (!dir) return 0;
    int removed = 0;
    while (const dirent* e = ::readdir(dir)) {
        const std::string name = e->d_name;
        if (!IsTempFileName(name, TargetName)) continue;
        const std::string path = Folder + "/" + name;
        const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) continue;
        struct stat st, now;
        // A file its writer still holds is left; a lock taken here means nobody writes it,
        // as long as the name still names the file that was locked.
        if (::fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
            ::lstat(path.c_str(), &now) == 0 && now.st_ino == st.st_ino && now.st_dev == st.st_dev &&
            ::unlink(path.c_str()) == 0)
            ++removed;
        ::close(fd);
    }
    ::closedir(dir);
    return removed;
}
