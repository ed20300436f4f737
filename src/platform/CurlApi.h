#pragma once
// The part of libcurl the platform layer uses, declared here because the library is loaded at run
// time and its headers are not needed to build. Option, information and message numbers are part
// of libcurl's stable ABI. Only code of the platform layer includes this header; one table of
// entry points exists per loaded library and is never freed, so a table handed out stays valid.
#include <cstddef>

namespace platform::curl {

using Easy = void;
using Multi = void;
using Slist = void;
using Url = void;

// Options (the type base plus the option's number).
constexpr int kOptTimeout = 13;
constexpr int kOptLowSpeedLimit = 19;
constexpr int kOptLowSpeedTime = 20;
constexpr int kOptFailOnError = 45;
constexpr int kOptPost = 47;
constexpr int kOptFollowLocation = 52;
constexpr int kOptPostFieldSize = 60;
constexpr int kOptMaxRedirects = 68;
constexpr int kOptConnectTimeout = 78;
constexpr int kOptNoSignal = 99;
constexpr int kOptMaxFileSize = 114;
constexpr int kOptWriteData = 10001;
constexpr int kOptUrl = 10002;
constexpr int kOptErrorBuffer = 10010;
constexpr int kOptPostFields = 10015;
constexpr int kOptUserAgent = 10018;
constexpr int kOptHttpHeader = 10023;
constexpr int kOptHeaderData = 10029;
constexpr int kOptOpenSocketData = 10164;
constexpr int kOptCloseSocketData = 10209;
constexpr int kOptPrereqData = 10313;
constexpr int kOptProtocols = 10318;
constexpr int kOptRedirectProtocols = 10319;
constexpr int kOptWriteFunction = 20011;
constexpr int kOptHeaderFunction = 20079;
constexpr int kOptOpenSocketFunction = 20163;
constexpr int kOptCloseSocketFunction = 20208;
constexpr int kOptPrereqFunction = 20312;

// Information.
constexpr int kInfoEffectiveUrl = 0x100000 + 1;
constexpr int kInfoResponseCode = 0x200000 + 2;

constexpr long kGlobalAll = 3;
constexpr int kErrorBufferSize = 256;
constexpr int kMessageDone = 1;
constexpr int kUrlPartWhole = 0;
constexpr int kUrlPartHost = 5;

// What curl_multi_info_read hands out.
struct Message
{
    int msg;
    Easy* easy;
    union {
        void* whatever;
        int result;
    } data;
};

// The address handed to the open-socket callback.
struct SocketAddress
{
    int family;
    int socktype;
    int protocol;
    unsigned int addrlen;
    unsigned char addr[1]; // a struct sockaddr of addrlen bytes
};

using WriteFunction = size_t (*)(char* data, size_t size, size_t count, void* user);
using OpenSocketFunction = int (*)(void* user, int purpose, SocketAddress* address);
using CloseSocketFunction = int (*)(void* user, int socket);
using PrereqFunction = int (*)(void* user, char* remoteIp, char* localIp, int remotePort, int localPort);

struct Api
{
    bool loaded = false;
    int (*globalInit)(long) = nullptr;
    Easy* (*easyInit)() = nullptr;
    int (*easySetopt)(Easy*, int, ...) = nullptr;
    int (*easyPerform)(Easy*) = nullptr;
    int (*easyGetinfo)(Easy*, int, ...) = nullptr;
    void (*easyCleanup)(Easy*) = nullptr;
    const char* (*easyStrerror)(int) = nullptr;
    Slist* (*slistAppend)(Slist*, const char*) = nullptr;
    void (*slistFreeAll)(Slist*) = nullptr;
    Multi* (*multiInit)() = nullptr;
    int (*multiAddHandle)(Multi*, Easy*) = nullptr;
    int (*multiRemoveHandle)(Multi*, Easy*) = nullptr;
    int (*multiPerform)(Multi*, int*) = nullptr;
    int (*multiPoll)(Multi*, void*, unsigned, int, int*) = nullptr;
    Message* (*multiInfoRead)(Multi*, int*) = nullptr;
    int (*multiCleanup)(Multi*) = nullptr;
    Url* (*urlNew)() = nullptr;
    int (*urlSet)(Url*, int, const char*, unsigned) = nullptr;
    int (*urlGet)(Url*, int, char**, unsigned) = nullptr;
    void (*urlCleanup)(Url*) = nullptr;
    void (*free)(void*) = nullptr;
};

// The entry points of the library currently chosen, loaded on first use; never null. When the
// library or any entry point is missing, loaded is false.
const Api& GetApi();

} // namespace platform::curl
