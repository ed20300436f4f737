#include "platform/Http.h"

#include "platform/CurlApi.h"

namespace platform {

namespace {

using namespace curl;

size_t Collect(char* data, size_t size, size_t count, void* user)
{
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

HttpResponse Transfer(const std::string& url, const std::string* postBody, const std::string& contentType,
                      long timeoutSeconds)
{
    HttpResponse response;
    const Api& curl = GetApi();
    if (!curl.loaded) {
        response.error = "not supported";
        return response;
    }
    Easy* handle = curl.easyInit();
    if (!handle) {
        response.error = "cannot start a transfer";
        return response;
    }
    using WriteFn = size_t (*)(char*, size_t, size_t, void*);
    WriteFn writer = Collect;
    Slist* headers = nullptr;
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
    return GetApi().loaded;
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
