#include "support/LoopServer.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstring>

TLoopServer::TLoopServer() {
    Fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in A{};
    A.sin_family = AF_INET;
    A.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    A.sin_port = 0;
    bind(Fd, reinterpret_cast<sockaddr*>(&A), sizeof A);
    listen(Fd, 16);
    socklen_t L = sizeof A;
    getsockname(Fd, reinterpret_cast<sockaddr*>(&A), &L);
    Port = ntohs(A.sin_port);
    T = std::thread([this] { Run(); });
}

TLoopServer::~TLoopServer() {
    Stop = true;
    T.join();
    for (int C : Held) close(C);
    close(Fd);
}

void TLoopServer::Route(const std::string& Path, TRoute R) {
    std::lock_guard<std::mutex> G(M);
    Routes[Path] = std::move(R);
}

std::vector<std::string> TLoopServer::Requests() {
    std::lock_guard<std::mutex> G(M);
    return Seen;
}

void TLoopServer::Run() {
    while (!Stop) {
        pollfd P{Fd, POLLIN, 0};
        if (poll(&P, 1, 20) <= 0) continue;
        const int C = accept(Fd, nullptr, nullptr);
        if (C >= 0) Serve(C);
    }
}

void TLoopServer::Serve(int C) {
    std::string Req;
    char Buf[4096];
    while (Req.find("\r\n\r\n") == std::string::npos) {
        pollfd P{C, POLLIN, 0};
        if (poll(&P, 1, 2000) <= 0) break;
        const ssize_t N = recv(C, Buf, sizeof Buf, 0);
        if (N <= 0) break;
        Req.append(Buf, size_t(N));
    }
    const std::string Line = Req.substr(0, Req.find(' ', Req.find(' ') + 1));
    const std::string Method = Line.substr(0, Line.find(' '));
    const std::string Path = Line.substr(Line.find(' ') + 1);
    TRoute R{404, "", TMode::Full};
    {
        std::lock_guard<std::mutex> G(M);
        Seen.push_back(Line);
        auto It = Routes.find(Path);
        if (It != Routes.end()) R = It->second;
    }
    if (R.Mode == TMode::Silent || (R.Mode == TMode::SilentBody && Method == "GET")) {
        if (R.Mode == TMode::SilentBody) {
            const std::string Part = "HTTP/1.1 200 OK\r\nContent-Length: " + std::to_string(R.Body.size()) +
                                     "\r\n\r\n" + R.Body.substr(0, R.Body.size() / 4);
            send(C, Part.data(), Part.size(), MSG_NOSIGNAL);
        }
        std::lock_guard<std::mutex> G(M);
        Held.push_back(C);
        return;
    }
    const std::string Head = "HTTP/1.1 " + std::to_string(R.Status) + (R.Status < 300 ? " OK" : " Not Found") +
                             "\r\nContent-Length: " + std::to_string(R.Body.size()) +
                             "\r\nContent-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
    std::string Out = Head;
    if (Method == "GET") Out += R.Mode == TMode::Broken ? R.Body.substr(0, R.Body.size() / 2) : R.Body;
    size_t Sent = 0;
    while (Sent < Out.size()) {
        const ssize_t N = send(C, Out.data() + Sent, Out.size() - Sent, MSG_NOSIGNAL);
        if (N <= 0) break;
        Sent += size_t(N);
    }
    close(C);
}
