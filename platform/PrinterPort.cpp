#include "platform/PrinterPort.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

std::string PrinterPortDevice = "/dev/lp0";

void ResetPrinterPort() { PrinterPortDevice = "/dev/lp0"; }

namespace {

bool WriteAll(int Fd, const char* Data, size_t Size) {
    while (Size > 0) {
        const ssize_t n = ::write(Fd, Data, Size);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        Data += n;
        Size -= size_t(n);
    }
    return true;
}

}  // namespace

TPortResult CopyToPrinterPort(const std::string& File) {
    const int in = ::open(File.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0) return TPortResult::NoFile;
    const int out = ::open(PrinterPortDevice.c_str(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (out < 0) {
        const int e = errno;
        ::close(in);
        return e == ENOENT || e == ENOTDIR ? TPortResult::NoDevice : TPortResult::NotWritable;
    }
    char buf[65536];
    bool ok = true;
    for (;;) {
        const ssize_t n = ::read(in, buf, sizeof buf);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ok = false;
        if (n <= 0 || !WriteAll(out, buf, size_t(n))) {
            ok = ok && n == 0;
            break;
        }
    }
    ::close(in);
    ok = ::close(out) == 0 && ok;
    return ok ? TPortResult::Sent : TPortResult::WriteFailed;
}
