#include "platform/CurlApi.h"

#include "platform/Http.h"

#include <dlfcn.h>
#include <mutex>
#include <string>
#include <vector>

namespace platform::curl {

namespace {

template <typename T>
bool Bind(void* lib, const char* name, T& out)
{
    out = reinterpret_cast<T>(dlsym(lib, name));
    return out != nullptr;
}

bool BindAll(void* lib, Api& a)
{
    return Bind(lib, "curl_global_init", a.globalInit) && Bind(lib, "curl_easy_init", a.easyInit) &&
           Bind(lib, "curl_easy_setopt", a.easySetopt) && Bind(lib, "curl_easy_perform", a.easyPerform) &&
           Bind(lib, "curl_easy_getinfo", a.easyGetinfo) && Bind(lib, "curl_easy_cleanup", a.easyCleanup) &&
           Bind(lib, "curl_easy_strerror", a.easyStrerror) && Bind(lib, "curl_slist_append", a.slistAppend) &&
           Bind(lib, "curl_slist_free_all", a.slistFreeAll) && Bind(lib, "curl_multi_init", a.multiInit) &&
           Bind(lib, "curl_multi_add_handle", a.multiAddHandle) &&
           Bind(lib, "curl_multi_remove_handle", a.multiRemoveHandle) &&
           Bind(lib, "curl_multi_perform", a.multiPerform) && Bind(lib, "curl_multi_poll", a.multiPoll) &&
           Bind(lib, "curl_multi_info_read", a.multiInfoRead) && Bind(lib, "curl_multi_cleanup", a.multiCleanup) &&
           Bind(lib, "curl_url", a.urlNew) && Bind(lib, "curl_url_set", a.urlSet) &&
           Bind(lib, "curl_url_get", a.urlGet) && Bind(lib, "curl_url_cleanup", a.urlCleanup) &&
           Bind(lib, "curl_free", a.free);
}

// Loads by the given name, or by the usual names when it is empty. The library stays loaded for
// the life of the process: tables handed out earlier may still be in use.
Api* Load(const std::string& name)
{
    auto* api = new Api();
    void* lib = nullptr;
    if (!name.empty()) {
        lib = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
    } else {
        lib = dlopen("libcurl.so.4", RTLD_NOW | RTLD_LOCAL);
        if (!lib)
            lib = dlopen("libcurl-gnutls.so.4", RTLD_NOW | RTLD_LOCAL);
    }
    if (lib && BindAll(lib, *api) && api->globalInit(kGlobalAll) == 0)
        api->loaded = true;
    return api;
}

struct Loader
{
    std::mutex mutex;
    std::string name;
    Api* current = nullptr;
    std::vector<Api*> earlier; // kept reachable: never freed while a transfer may hold one
};

Loader& GetLoader()
{
    static auto* s_loader = new Loader();
    return *s_loader;
}

} // namespace

const Api& GetApi()
{
    Loader& loader = GetLoader();
    std::lock_guard<std::mutex> lock(loader.mutex);
    if (!loader.current)
        loader.current = Load(loader.name);
    return *loader.current;
}

} // namespace platform::curl

namespace platform {

void SetHttpLibraryName(const char* name)
{
    curl::Loader& loader = curl::GetLoader();
    std::lock_guard<std::mutex> lock(loader.mutex);
    loader.name = name ? name : "";
    if (loader.current)
        loader.earlier.push_back(loader.current);
    loader.current = nullptr;
}

} // namespace platform
