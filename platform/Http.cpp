#include "platform/Http.h"

std::function<std::unique_ptr<THttpClient>()> MakeHttpClient;
int HttpTimeoutMs = 30000;
