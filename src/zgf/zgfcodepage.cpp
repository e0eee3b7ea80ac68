#include "zgfcodepage.h"

#include "codepagetables.h"

#include <iterator>

const zgf_codepage &deviceCodePage(CodePage page)
{
    // In the order of enum class CodePage.
    static const zgf_codepage *const tables[] = {
        &zgf_cp1250,    &zgf_cp1251,    &zgf_cp1252,    &zgf_cp1253,    &zgf_cp1254,    &zgf_cp1257,
        &zgf_iso8859_1, &zgf_iso8859_2, &zgf_iso8859_5, &zgf_iso8859_7, &zgf_iso8859_9, &zgf_iso8859_15,
        &zgf_koi8_r,    &zgf_koi8_u,    &zgf_cp437,     &zgf_cp850,     &zgf_cp866,
    };
    static_assert(std::size(tables) == kCodePageCount);
    return *tables[int(page)];
}
