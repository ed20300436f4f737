#pragma once
// The address and form texts of the internet transfer. Texts are 8-bit; every byte outside the
// plain letters, digits and "_" is escaped, so any text survives a form or an address query.
#include "foundation/SharedString.h"

// Letters, digits and "_" stay, a blank becomes "+", every other byte "%XX" (upper-case hex).
CSharedString EscapeUrl(const char* text);

// Replaces each "%XX" (two hex digits of either case) by its byte. "+" stays, an escape that is
// cut short or not hexadecimal stays as it is, and so does "%00", which would end the text.
CSharedString UnescapeUrl(const char* text);

// Appends "name=value" to a form, escaped as EscapeUrl does, with "&" before it unless the form
// is empty; a null name or value counts as empty.
void AppendFormField(CSharedString& form, const char* name, const char* value);

// "http://host:port/path", or "https://" when secure; port -1 means 443 when secure, else 80. A
// path without a leading "/" gets one, and a host that is an IPv6 address is put in brackets.
CSharedString MakeHttpUrl(const char* host, int port, bool secure, const char* path);
