#include "platform/Http.h"

#include <dlfcn.h>
#include <mutex>

namespace platform {

namespace {

// The few libcurl entry points and option numbers used; their values are part of its stable ABI.
using CurlHandle = void;
using CurlSlist = void;
constexpr int kOptWriteData = 10001;
constexpr int kOptUrl = 10002;
constexpr int kOptPostFields = 10015;
constexpr int kOptUserAgent = 10018;
constexpr int kOptHttpHeader = 10023;
constexpr int kOptWriteFunction = 20011;
constexpr int kOptTimeout = 13;
constexpr int kOptFollowLocation = 52;
constexpr int kOptPostFieldSize = 60;
constexpr int kOptNoSignal = 99;
constexpr int kOptPost = 47;
constexpr int kInfoResponseCode = 0x200000 + 2;
constexpr long kGlobalAll = 3;

struct Curl
{
    bool loaded = false;
    int (*globalInit)(long) = nullptr;
    CurlHandle* (*easyInit)() = nullptr;
    int (*easySetopt)(CurlHandle*, int, ...) = nullptr;
    int (*easyPerform)(CurlHandle*) = nullptr;
    int (*easyGetinfo)(CurlHandle*, int, ...) = nullptr;
    void (*easyCleanup)(CurlHandle*) = nullptr;
    const char* (*easyStrerror)(int) = nullptr;
    CurlSlist* (*slistAppend)(CurlSlist*, const char*) = nullptr;
    void (*slistFreeAll)(CurlSlist*) = nullptr;
};

template <typename T>
bool Bind(void* lib, const char* name, T& out)
{
    out = reinterpret_cast<T>(dlsym(lib, name));
    return out != nullptr;
}

Curl& GetCurl()
{
    static Curl s_curl;
    static std::once_flag s_once;
    std::call_once(s_once, [] {
        void* lib = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            lib = dlopen("libcurl-gnutls.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            return;
        Curl c;
        if (Bind(lib, "curl_global_init", c.globalInit) && Bind(lib, "curl_easy_init", c.easyInit) &&
            Bind(lib, "curl_easy_setopt", c.easySetopt) && Bind(lib, "curl_easy_perform", c.easyPerform) &&
            Bind(lib, "curl_easy_getinfo", c.easyGetinfo) && Bind(lib, "curl_easy_cleanup", c.easyCleanup) &&
            Bind(lib, "curl_easy_strerror", c.easyStrerror) && Bind(lib, "curl_slist_append", c.slistAppend) &&
            Bind(lib, "curl_slist_free_all", c.slistFreeAll) && c.globalInit(kGlobalAll) == 0) {
            c.loaded = true;
            s_curl = c;
        }
    });
    return s_curl;
}

size_t Collect(char* data, size_t size, size_t count, void* user)
{
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

HttpResponse Transfer(const std::string& url, const std::string* postBody, const std::string& contentType,
                      long timeoutSeconds)
{
    HttpResponse response;
    Curl& curl = GetCurl();
    if (!curl.loaded) {
        response.error = "not supported";
        return response;
    }
    CurlHandle* handle = curl.easyInit();
    if (!handle) {
        response.error = "cannot start a transfer";
        return response;
    }
    using WriteFn = size_t (*)(char*, size_t, size_t, void*);
    WriteFn writer = Collect;
    CurlSlist* headers = nullptr;
    curl.easySetopt(handle, kOptUrl, url.c_str());
    curl.easySetopt(handle, kOptWriteFunction, writer);
    curl.easySetopt(handle, kOptWriteData, static_cast<void*>(&response.body));
    curl.easySetopt(handle, kOptTimeout, timeoutSeconds);
    curl.easySetopt(handle, kOptFollowLocation, 1L);
    curl.easySetopt(handle, kOptNoSignal, 1L);
    curl.easySetopt(handle, kOptUserAgent, "Vantorel");
    if (postBody) {
        std::string header = "Content-Type: " + contentType;
        headers = curl.slistAppend(nullptr, header.c_str());
        curl.easySetopt(handle, kOptPost, 1L);
        curl.easySetopt(handle, kOptPostFieldSize, static_cast<long>(postBody->size()));
        curl.easySetopt(handle, kOptPostFields, postBody->data());
        if (headers)
            curl.easySetopt(handle, kOptHttpHeader, headers);
    }
    int rc = curl.easyPerform(handle);
    if (rc == 0) {
        response.ok = true;
        long status = 0;
        curl.easyGetinfo(handle, kInfoResponseCode, &status);
        response.status = status;
    } else {
        const char* text = curl.easyStrerror(rc);
        response.error = text ? text : "transfer failed";
        response.body.clear();
    }
    if (headers)
        curl.slistFreeAll(headers);
    curl.easyCleanup(handle);
    return response;
}

} // namespace

bool IsHttpSupported()
{
    return GetCurl().loaded;
}

HttpResponse HttpGet(const std::string& url, long timeoutSeconds)
{
    return Transfer(url, nullptr, {}, timeoutSeconds);
}

HttpResponse HttpPost(const std::string& url, const std::string& body, const std::string& contentType,
                      long timeoutSeconds)
{
    return Transfer(url, &body, contentType, timeoutSeconds);
}

} // namespace platform
