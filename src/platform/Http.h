#pragma once
// HTTP transfers through libcurl, loaded at run time; without it the feature is not supported.
#include <string>

namespace platform {

struct HttpResponse
{
    bool ok = false;        // the transfer completed (whatever the status)
    long status = 0;        // the HTTP status code (0 for other schemes)
    std::string body;
    std::string error;      // why it failed, when it did
};

// True when the transfer library could be loaded.
bool IsHttpSupported();

// Chooses the file the transfer library is loaded from (null or empty: the usual names); the next
// use loads it. A library that cannot be loaded, or lacks an entry point, makes the feature
// unsupported. Transfers already running keep the library they started with.
void SetHttpLibraryName(const char* name);

HttpResponse HttpGet(const std::string& url, long timeoutSeconds = 30);
HttpResponse HttpPost(const std::string& url, const std::string& body,
                      const std::string& contentType = "application/x-www-form-urlencoded",
                      long timeoutSeconds = 30);

} // namespace platform
