// A small HTTP client: a synchronous HEAD and an asynchronous GET whose body goes to a
// sink, with progress and exactly one completion call per started request. The program
// installs the Qt client (platform/qt/QtHttp.cpp); without one nothing can be fetched.
#pragma once
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

struct EHttpError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct THttpHead {
    int Status = 0;
    std::string Text;
};

// How a GET ended.
struct THttpOutcome {
    bool Cancelled = false;
    std::string Error;           // a network or protocol failure; empty when none
    int Status = 0;              // the HTTP status; 0 when none came
    int64_t ContentLength = -1;  // announced length; -1 when none
    int64_t Received = 0;        // body bytes handed to the sink
    // A whole body: no error, not cancelled, a 2xx status, and as many bytes as announced.
    bool Complete() const {
        return !Cancelled && Error.empty() && Status >= 200 && Status < 300 &&
               (ContentLength < 0 || ContentLength == Received);
    }
};

class THttpRequest {
public:
    virtual ~THttpRequest() = default;
    // Ends the request; its completion still comes, with Cancelled set.
    virtual void Cancel() = 0;
};

class THttpClient {
public:
    virtual ~THttpClient() = default;
    // Waits for the answer to a HEAD request (the window stays live); throws EHttpError
    // when the server cannot be reached or does not answer in time.
    virtual THttpHead Head(const std::string& Url) = 0;
    // Starts a GET. Sink takes the body's pieces in order (false: stop, an error);
    // Progress(ContentLength or -1, bytes so far); Done exactly once, also after a
    // failure or Cancel. Throws EHttpError when the request cannot be started.
    virtual std::shared_ptr<THttpRequest> Get(const std::string& Url,
                                              std::function<bool(const char*, size_t)> Sink,
                                              std::function<void(int64_t, int64_t)> Progress,
                                              std::function<void(const THttpOutcome&)> Done) = 0;
};

// Makes the installed client; nullptr when the build has none.
extern std::function<std::unique_ptr<THttpClient>()> MakeHttpClient;
// How long a request may go without any data before it fails (milliseconds).
extern int HttpTimeoutMs;
