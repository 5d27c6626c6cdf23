// Opening addresses with the desktop's default handler.
#include "FakeOpener.h"
#include "platform/gui/Shell.h"

#include <gtest/gtest.h>

namespace {

TEST(ShellExecute, HandsTheAddressOverAsOneArgument) {
    struct Case {
        std::u16string_view address;
        std::string expected;
    };
    const Case cases[] = {
        {u"http://192.168.1.20", "http://192.168.1.20"},
        {u"mailto:Office Adapter", "mailto:Office Adapter"},
        // Shell syntax stays plain text: nothing runs, nothing splits.
        {u"http://x/\"; touch /tmp/quellmark-pwned; $(id) `id` 'q' a b",
         "http://x/\"; touch /tmp/quellmark-pwned; $(id) `id` 'q' a b"},
        {u"http://h\u00e9te/\u00fc", "http://h\xc3\xa9te/\xc3\xbc"},
    };
    for (const auto& c : cases) {
        FakeOpener opener;
        EXPECT_GT(ShellExecuteW(nullptr, u"open", c.address, u"", u"", SW_SHOWNORMAL), 32);
        EXPECT_EQ(opener.WaitForCall(), (std::vector<std::string>{c.expected, "--end--"}));
    }
    EXPECT_FALSE(std::filesystem::exists("/tmp/quellmark-pwned"));
}

TEST(ShellExecute, EmptyAddressOpensNothing) {
    FakeOpener opener;
    EXPECT_LE(ShellExecuteW(nullptr, u"", u"", u"", u"", SW_SHOWNORMAL), 32);
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_FALSE(opener.AnyCall());
}

} // namespace
