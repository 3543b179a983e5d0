#include "core/TextFile.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

bool ReadFileBytes(const std::string& path, std::string& bytes) {
    bytes.clear();
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    char buf[65536];
    bool ok = true;
    for (;;) {
        size_t n = std::fread(buf, 1, sizeof buf, f);
        bytes.append(buf, n);
        if (n < sizeof buf) {
            ok = !std::ferror(f);
            break;
        }
    }
    std::fclose(f);
    return ok;
}

std::vector<std::string> SplitTextLines(const std::string& bytes) {
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size()) {
        size_t lf = bytes.find('\n', start);
        size_t end = lf == std::string::npos ? bytes.size() : lf;
        size_t len = end - start;
        if (lf != std::string::npos && len > 0 && bytes[end - 1] == '\r') --len;
        lines.emplace_back(bytes, start, len);
        if (lf == std::string::npos) break;
        start = lf + 1;
    }
    return lines;
}

bool ReadTextLines(const std::string& path, std::vector<std::string>& lines) {
    std::string bytes;
    if (!ReadFileBytes(path, bytes)) {
        lines.clear();
        return false;
    }
    lines = SplitTextLines(bytes);
    return true;
}

std::string JoinTextLines(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) {
        out += l;
        out += "\r\n";
    }
    return out;
}

static bool WriteAll(int fd, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        done += size_t(n);
    }
    return true;
}

// Temporary files of earlier writes of Path that were interrupted (the program was
// killed between creating and renaming one) are removed: Path + ".tmp" + six characters.
static void RemoveStaleTemps(const std::string& Path) {
    namespace fs = std::filesystem;
    const fs::path target(Path);
    const std::string prefix = target.filename().string() + ".tmp";
    std::error_code ec;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() == prefix.size() + 6 && name.compare(0, prefix.size(), prefix) == 0 &&
            it->is_regular_file(ec))
            std::remove(it->path().c_str());
    }
}

bool WriteFileSafe(const std::string& path, const std::string& bytes) {
    struct stat st;
    const bool exists = ::stat(path.c_str(), &st) == 0;
    // A write-protected target is refused: the rename would replace it regardless of
    // its permissions.
    if (exists && (st.st_mode & 0222) == 0) return false;
    RemoveStaleTemps(path);
    // The temporary file lives beside the target so the rename stays on one file system.
    std::string tmp = path + ".tmpXXXXXX";
    int fd = ::mkstemp(tmp.data());
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    // Keep the target's permissions when it exists, else the usual ones for a new file.
    mode_t mode = 0644;
    if (exists) mode = st.st_mode & 07777;
    ok = ::fchmod(fd, mode) == 0 && ok;
    ok = ::close(fd) == 0 && ok;
    if (ok) ok = std::rename(tmp.c_str(), path.c_str()) == 0;
    if (!ok) std::remove(tmp.c_str());
    return ok;
}

bool WriteTextLinesSafe(const std::string& path, const std::vector<std::string>& lines) {
    return WriteFileSafe(path, JoinTextLines(lines));
}

bool AppendFileBytes(const std::string& path, const std::string& bytes) {
    int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    if (fd < 0) return false;
    bool ok = WriteAll(fd, bytes);
    ok = ::close(fd) == 0 && ok;
    return ok;
}

bool TextFileExists(const std::string& path) {
    struct stat st;
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
