// A small HTTP server on the loopback address for the tests of the update check: each
// path answers with a status and a body, or breaks off half way, or never answers.
#pragma once
#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TLoopServer {
public:
    // Silent: no answer at all; SilentBody: a HEAD is answered, a GET gets its head and
    // part of the body and then nothing more.
    enum class TMode { Full, Broken, Silent, SilentBody };
    struct TRoute {
        int Status = 200;
        std::string Body;
        TMode Mode = TMode::Full;
    };

    TLoopServer();
    ~TLoopServer();
    TLoopServer(const TLoopServer&) = delete;
    TLoopServer& operator=(const TLoopServer&) = delete;

    void Route(const std::string& Path, TRoute R);
    // "http://127.0.0.1:<port>".
    std::string Address() const { return "http://127.0.0.1:" + std::to_string(Port); }
    // The request lines served so far ("GET /path").
    std::vector<std::string> Requests();

private:
    void Run();
    void Serve(int Conn);
    int Fd = -1;
    int Port = 0;
    std::atomic<bool> Stop{false};
    std::mutex M;
    std::map<std::string, TRoute> Routes;
    std::vector<std::string> Seen;
    std::vector<int> Held;  // silent connections, closed at the end
    std::thread T;
};
