// Address and form texts, the status queue and the answers that have no counterpart here.
#include "online/InternetConnectionState.h"
#include "online/InternetStatusQueue.h"
#include "online/InternetTransfer.h"
#include "online/UrlText.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstdio>
#include <string>

namespace {

TEST(UrlText, EscapeKeepsOnlyLettersDigitsAndUnderscore)
{
    EXPECT_STREQ("a+b%2F%E9", EscapeUrl("a b/\xE9").CStr());
    // Every byte against the rule written out here.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    std::string expected;
    for (unsigned char c : all) {
        char escape[4];
        std::snprintf(escape, sizeof escape, "%%%02X", c);
        expected += (std::isalnum(c) && c < 128) || c == '_' ? std::string(1, static_cast<char>(c))
                    : c == ' '                           ? std::string("+")
                                                         : std::string(escape);
    }
    EXPECT_EQ(expected, EscapeUrl(all.c_str()).CStr());
    // Decoding gives the text back, with its blanks as "+".
    std::string plus = all;
    plus[' ' - 1] = '+';
    EXPECT_EQ(plus, UnescapeUrl(EscapeUrl(all.c_str()).CStr()).CStr());
}

TEST(UrlText, UnescapeLeavesBrokenEscapesAlone)
{
    const std::pair<const char*, const char*> cases[] = {
        {"%41%4a%2f", "AJ/"}, {"a+b", "a+b"}, {"%E9t%C3", "\xE9t\xC3"}, {"%G1", "%G1"}, {"%4", "%4"},
        {"100%", "100%"}, {"%00x", "%00x"}, {"%%41", "%A"}, {"", ""}};
    for (const auto& [text, expected] : cases)
        EXPECT_STREQ(expected, UnescapeUrl(text).CStr()) << text;
}

TEST(UrlText, FormFieldsAndAddresses)
{
    CSharedString form;
    AppendFormField(form, "a", "1");
    EXPECT_STREQ("a=1", form.CStr()); // no leading "&"
    AppendFormField(form, "b&c", "x&y=+% z");
    EXPECT_STREQ("a=1&b%26c=x%26y%3D%2B%25+z", form.CStr());
    AppendFormField(form, nullptr, nullptr);
    EXPECT_STREQ("a=1&b%26c=x%26y%3D%2B%25+z&=", form.CStr());

    EXPECT_STREQ("https://h.org:443/p", MakeHttpUrl("h.org", -1, true, "/p").CStr());
    EXPECT_STREQ("http://h.org:80/p", MakeHttpUrl("h.org", -1, false, "/p").CStr());
    EXPECT_STREQ("http://h.org:8080/p?q", MakeHttpUrl("h.org", 8080, false, "p?q").CStr());
    EXPECT_STREQ("http://[::1]:80/", MakeHttpUrl("::1", -1, false, "").CStr());
}

TEST(UrlText, RedirectAddressGoesThroughTheBaseWhenThereIsOne)
{
    CInternetTransfer& transfer = CInternetTransfer::GetInstance();
    EXPECT_STREQ("http://x/a b", transfer.BuildRedirectUrl("http://x/a b").CStr());
    g_redirectUrlText.SetText("http://r.example/go?");
    EXPECT_STREQ("http://r.example/go?dest_url=http%3A%2F%2Fx%2Fa+b&handel=",
                 transfer.BuildRedirectUrl("http://x/a b").CStr());
    g_redirectUrlText.SetText("");
}

TEST(InternetStatusQueue, HoldsSixtyFourEventsTheLastReplaced)
{
    CInternetStatusQueue queue;
    const std::string longInfo(300, 'i');
    for (uint32_t i = 0; i < 70; ++i)
        queue.Push(i, longInfo.data(), static_cast<uint32_t>(longInfo.size()));
    const auto events = queue.TakeAll();
    ASSERT_EQ(64u, events.size());
    EXPECT_EQ(62u, events[62].m_status);
    EXPECT_EQ(69u, events[63].m_status);
    EXPECT_EQ(256u, events[63].m_length);
    EXPECT_EQ(0, queue.GetCount());

    CSharedString address;
    EXPECT_EQ(0, queue.GetRedirectCount(&address));
    queue.RecordRedirect("http://a/");
    queue.RecordRedirect(std::string(2000, 'u').c_str());
    EXPECT_EQ(2, queue.GetRedirectCount(&address));
    EXPECT_EQ(1023, address.GetLength());
    queue.ClearRedirects();
    EXPECT_EQ(0, queue.GetRedirectCount());
}

TEST(InternetTransfer, NoConnectionStateOrDialUpHere)
{
    CInternetTransfer& transfer = CInternetTransfer::GetInstance();
    bool connected = true;
    CSharedString text("stale");
    EXPECT_FALSE(transfer.GetConnectedState(&connected, &text));
    EXPECT_FALSE(connected);
    EXPECT_TRUE(text.IsEmpty());
    EXPECT_FALSE(transfer.NeedsDialUp());
    SetInternetConnected();
    EXPECT_FALSE(transfer.Autodial());
    EXPECT_TRUE(IsInternetConnectionLost());
    EXPECT_FALSE(IsInternetConnected());
    ClearInternetConnectionLost();
    EXPECT_FALSE(IsInternetConnectionLost());
}

} // namespace
