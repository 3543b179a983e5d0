#include "platform/Files.h"

#include <algorithm>
#include <csignal>
#include <filesystem>

namespace fs = std::filesystem;

bool FileExists(const std::string& Path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(Path), ec);
}

bool DirectoryExists(const std::string& Path) {
    std::error_code ec;
    return fs::is_directory(fs::path(Path), ec);
}

bool ForceDirectories(const std::string& Path) {
    std::error_code ec;
    fs::create_directories(fs::path(Path), ec);
    return DirectoryExists(Path);
}

bool DeleteFileAt(const std::string& Path) {
    std::error_code ec;
    return FileExists(Path) && fs::remove(fs::path(Path), ec);
}

bool MoveFileTo(const std::string& From, const std::string& To) {
    std::error_code ec;
    fs::rename(fs::path(From), fs::path(To), ec);
    if (!ec) return true;
    // Across volumes: copy, then delete the source.
    return CopyFileTo(From, To) && DeleteFileAt(From);
}

bool CopyFileTo(const std::string& From, const std::string& To) {
    std::error_code ec;
    if (!FileExists(From)) return false;
    return fs::copy_file(fs::path(From), fs::path(To), fs::copy_options::overwrite_existing, ec) && !ec;
}

namespace {
char Up(char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; }

bool Match(const char* m, const char* s) {
    for (;; ++m, ++s) {
        if (*m == '*') {
            while (*m == '*') ++m;
            if (!*m) return true;
            for (; *s; ++s)
                if (Match(m, s)) return true;
            return false;
        }
        if (!*m) return !*s;
        if (!*s) return false;
        if (*m != '?' && Up(*m) != Up(*s)) return false;
    }
}
}  // namespace

std::vector<std::string> FindFiles(const std::string& Dir, const std::string& Mask, bool Dirs) {
    std::vector<std::string> out;
    std::error_code ec;
    fs::directory_iterator it(fs::path(Dir), ec), end;
    for (; !ec && it != end; it.increment(ec)) {
        bool isDir = it->is_directory(ec);
        if (isDir != Dirs) continue;
        if (!Dirs && !it->is_regular_file(ec)) continue;
        std::string name = it->path().filename().string();
        if (Match(Mask.c_str(), name.c_str())) out.push_back(name);
    }
    std::sort(out.begin(), out.end());
    return out;
}

int64_t DiskFree(const std::string& Path) {
    std::error_code ec;
    auto sp = fs::space(fs::path(Path), ec);
    if (ec) return -1;
    return int64_t(sp.available);
}

void IgnoreFileSizeSignal() {
    // Past a file-size limit the system stops the process with SIGXFSZ; ignored, the
    // write fails instead and the writer reports it.
    std::signal(SIGXFSZ, SIG_IGN);
}
