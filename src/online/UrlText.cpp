#include "online/UrlText.h"

#include "foundation/TextUtilities.h"

#include <cstring>

namespace {

bool IsPlain(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

void AppendEscaped(CSharedString& out, const char* text)
{
    static const char kHex[] = "0123456789ABCDEF";
    for (const char* p = text ? text : ""; *p; ++p) {
        const auto c = static_cast<unsigned char>(*p);
        if (IsPlain(c)) {
            out.AppendChars(p, 1);
        } else if (c == ' ') {
            out.AppendChars("+", 1);
        } else {
            const char escape[3] = {'%', kHex[c >> 4], kHex[c & 15]};
            out.AppendChars(escape, 3);
        }
    }
}

} // namespace

CSharedString EscapeUrl(const char* text)
{
    CSharedString out;
    AppendEscaped(out, text);
    return out;
}

CSharedString UnescapeUrl(const char* text)
{
    CSharedString out;
    for (const char* p = text ? text : ""; *p; ++p) {
        if (*p == '%') {
            const int high = HexDigitValue(p[1]);
            const int low = high < 0 ? -1 : HexDigitValue(p[2]);
            const int value = high * 16 + low;
            if (low >= 0 && value != 0) {
                const char c = static_cast<char>(value);
                out.AppendChars(&c, 1);
                p += 2;
                continue;
            }
        }
        out.AppendChars(p, 1);
    }
    return out;
}

void AppendFormField(CSharedString& form, const char* name, const char* value)
{
    if (form.IsNotEmpty())
        form.AppendChars("&", 1);
    AppendEscaped(form, name);
    form.AppendChars("=", 1);
    AppendEscaped(form, value);
}

CSharedString MakeHttpUrl(const char* host, int port, bool secure, const char* path)
{
    if (port == -1)
        port = secure ? 443 : 80;
    host = host ? host : "";
    path = path ? path : "";
    const bool bracket = std::strchr(host, ':') && host[0] != '[';
    CSharedString url;
    url.Format("%s://%s%s%s:%d%s%s", secure ? "https" : "http", bracket ? "[" : "", host, bracket ? "]" : "",
               port, path[0] == '/' ? "" : "/", path);
    return url;
}
