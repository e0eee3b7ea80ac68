// The drawing library's code pages against the system's iconv and the program's own tables.

#include "codepage.h"
#include "systemcodepage.h"
#include "zgfcodepage.h"

#include <gtest/gtest.h>

namespace {

struct DevicePage
{
    CodePage page;
    const zgf_codepage *table;
};

} // namespace

TEST(ZgfCodePages, EveryByteIsTheSystemsCharacter)
{
    for (const CodePage page : allCodePages()) {
        const DevicePage d{page, &deviceCodePage(page)};
        const std::string name = codePageName(d.page).toStdString();
        for (int b = 0; b < 256; ++b) {
            const std::optional<char32_t> c = systemCharacter(d.page, quint8(b));
            if (c) {
                EXPECT_EQ(zgf_codepage_byte(d.table, *c), b) << name << " byte " << b;
            } else if (b < 0xA0) {
                EXPECT_EQ(zgf_codepage_byte(d.table, uint32_t(b)), b) << name << " keeps unassigned byte " << b;
            }
        }
        // Nothing else is listed, and the list is in the order the search needs.
        for (int i = 0; i < d.table->count; ++i) {
            EXPECT_EQ(uint32_t(systemCharacter(d.page, d.table->bytes[i]).value_or(0)), d.table->unicode[i])
                << name << " entry " << i;
            if (i > 0) {
                EXPECT_LT(d.table->unicode[i - 1], d.table->unicode[i]) << name << " entry " << i;
            }
        }
        for (const uint32_t none : {0xFFFDu, 0x1F600u, 0x10FFFFu, 0x110000u})
            EXPECT_EQ(zgf_codepage_byte(d.table, none), -1) << name << " " << none;
    }
}

TEST(ZgfCodePages, AgreeWithTheProgramsTables)
{
    for (const CodePage page : allCodePages()) {
        const DevicePage d{page, &deviceCodePage(page)};
        for (uint32_t c = 0; c < 0x10000; ++c)
            ASSERT_EQ(zgf_codepage_byte(d.table, c), codePageCode(d.page, char32_t(c)))
                << codePageName(d.page).toStdString() << " " << c;
    }
}
