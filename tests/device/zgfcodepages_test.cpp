// The drawing library's code pages against the system's iconv and the program's own tables.

#include "codepage.h"
#include "systemcodepage.h"
#include "zgfdraw.h"

#include <gtest/gtest.h>

namespace {

struct DevicePage
{
    CodePage page;
    const zgf_codepage *table;
};

const DevicePage kDevicePages[] = {
    {CodePage::Windows1250, &zgf_cp1250}, {CodePage::Windows1251, &zgf_cp1251},
    {CodePage::Windows1252, &zgf_cp1252}, {CodePage::Windows1253, &zgf_cp1253},
    {CodePage::Windows1254, &zgf_cp1254}, {CodePage::Windows1257, &zgf_cp1257},
    {CodePage::Iso8859_1, &zgf_iso8859_1}, {CodePage::Iso8859_2, &zgf_iso8859_2},
    {CodePage::Iso8859_5, &zgf_iso8859_5}, {CodePage::Iso8859_7, &zgf_iso8859_7},
    {CodePage::Iso8859_9, &zgf_iso8859_9}, {CodePage::Iso8859_15, &zgf_iso8859_15},
    {CodePage::Koi8R, &zgf_koi8_r},       {CodePage::Koi8U, &zgf_koi8_u},
    {CodePage::Cp437, &zgf_cp437},        {CodePage::Cp850, &zgf_cp850},
    {CodePage::Cp866, &zgf_cp866},
};

} // namespace

TEST(ZgfCodePages, EveryPageHasADeviceTable)
{
    ASSERT_EQ(std::size(kDevicePages), size_t(allCodePages().size()));
    for (qsizetype i = 0; i < allCodePages().size(); ++i)
        EXPECT_EQ(kDevicePages[i].page, allCodePages().at(i));
}

TEST(ZgfCodePages, EveryByteIsTheSystemsCharacter)
{
    for (const DevicePage &d : kDevicePages) {
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
    for (const DevicePage &d : kDevicePages) {
        for (uint32_t c = 0; c < 0x10000; ++c)
            ASSERT_EQ(zgf_codepage_byte(d.table, c), codePageCode(d.page, char32_t(c))) << codePageName(d.page).toStdString() << " " << c;
    }
}
