#include "core/TextFile.h"

#include "core/SafeWrite.h"

#include <cerrno>
#include <cstdio>
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

bool WriteFileSafe(const std::string& path, const std::string& bytes) {
    const std::string target = WriteTargetOf(path);
    const size_t slash = target.find_last_of('/');
    // Temporary files of earlier writes of this file that were interrupted go first.
    RemoveStaleTempFiles(slash == std::string::npos ? "." : slash == 0 ? "/" : target.substr(0, slash),
                         slash == std::string::npos ? target : target.substr(slash + 1));
    TTempFile tmp;
    if (!OpenTempFile(target, tmp)) return false;
    if (!AppendTemp(tmp, bytes)) {
        DiscardTemp(tmp);
        return false;
    }
    return CommitTemp(tmp, target);
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
