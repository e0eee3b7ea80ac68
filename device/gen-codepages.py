#!/usr/bin/env python3
"""Writes the code page tables from the system's iconv: device/zgf_<page>.c for the drawing
library and src/common/codepagetables.cpp for the program. Run from anywhere; the output is
committed, so building never needs it.

Unassigned bytes: those of 0x80-0x9F read as the C1 control of their own value (bytes survive a
read and a write), the others as U+FFFD, which no character encodes to."""
import os
import subprocess

# (C++ enumerator, iconv name, device symbol)
PAGES = [
    ("Windows1250", "CP1250", "cp1250"),
    ("Windows1251", "CP1251", "cp1251"),
    ("Windows1252", "CP1252", "cp1252"),
    ("Windows1253", "CP1253", "cp1253"),
    ("Windows1254", "CP1254", "cp1254"),
    ("Windows1257", "CP1257", "cp1257"),
    ("Iso8859_1", "ISO-8859-1", "iso8859_1"),
    ("Iso8859_2", "ISO-8859-2", "iso8859_2"),
    ("Iso8859_5", "ISO-8859-5", "iso8859_5"),
    ("Iso8859_7", "ISO-8859-7", "iso8859_7"),
    ("Iso8859_9", "ISO-8859-9", "iso8859_9"),
    ("Iso8859_15", "ISO-8859-15", "iso8859_15"),
    ("Koi8R", "KOI8-R", "koi8_r"),
    ("Koi8U", "KOI8-U", "koi8_u"),
    ("Cp437", "CP437", "cp437"),
    ("Cp850", "CP850", "cp850"),
    ("Cp866", "CP866", "cp866"),
]

HERE = os.path.dirname(os.path.abspath(__file__))
LICENSE = open(os.path.join(HERE, "zgfdraw.h")).read().split(" *\n", 1)[1].split(" *\n * C99")[0]


def characters(iconv_name):
    """The character of every byte, None where iconv has none."""
    out = []
    for b in range(256):
        r = subprocess.run(["iconv", "-f", iconv_name, "-t", "UTF-32BE"], input=bytes([b]),
                           capture_output=True)
        out.append(int.from_bytes(r.stdout, "big") if r.returncode == 0 and len(r.stdout) == 4 else None)
    return out


def read_as(b, c):
    if c is not None:
        return c
    return b if 0x80 <= b < 0xA0 else 0xFFFD


def rows(values, per_row, fmt):
    return ",\n".join("    " + ", ".join(fmt % v for v in values[i:i + per_row])
                      for i in range(0, len(values), per_row))


def device_source(symbol, iconv_name, chars):
    identity = [0] * 32
    listed = []
    for b, c in enumerate(chars):
        u = read_as(b, c)
        if u == b:
            identity[b // 8] |= 1 << (b % 8)
        elif u != 0xFFFD:
            listed.append((u, b))
    listed.sort()
    head = (f"/* zgf_{symbol}: the {iconv_name} code page for zgfdraw. Written by gen-codepages.py.\n"
            f" *\n{LICENSE} */\n"
            "#include \"zgfdraw.h\"\n\n")
    if listed:
        head += ("static const uint16_t unicode[] = {\n" + rows([u for u, _ in listed], 8, "0x%04X") + ",\n};\n\n"
                 "static const uint8_t bytes[] = {\n" + rows([b for _, b in listed], 8, "0x%02X") + ",\n};\n\n")
        lists = "    unicode,\n    bytes,\n    sizeof bytes\n"
    else:
        lists = "    NULL,\n    NULL,\n    0\n"  # every byte is its own character
    return (head + f"const zgf_codepage zgf_{symbol} = {{\n"
            "    {" + ", ".join("0x%02X" % v for v in identity[:16]) + ",\n"
            "     " + ", ".join("0x%02X" % v for v in identity[16:]) + "},\n" + lists + "};\n")


def host_source(tables):
    out = ["// Written by device/gen-codepages.py from the system's iconv: the characters of bytes",
           "// 0x80-0xFF of each code page, in the order of enum class CodePage. Bytes 0x00-0x7F are",
           "// ASCII in every one.",
           "#include \"codepagetables.h\"", "",
           "const char16_t kCodePageHighHalves[kCodePageCount][128] = {"]
    for (name, _, _), chars in tables:
        out.append(f"    {{ // {name}")
        high = [read_as(b, chars[b]) for b in range(0x80, 0x100)]
        out.append(rows(high, 8, "0x%04X").replace("    0x", "        0x") + ",")
        out.append("    },")
    out.append("};")
    return "\n".join(out) + "\n"


def main():
    tables = []
    for page in PAGES:
        chars = characters(page[1])
        assert all(chars[b] == b for b in range(0x80)), page[1] + " is not ASCII below 0x80"
        tables.append((page, chars))
        with open(os.path.join(HERE, f"zgf_{page[2]}.c"), "w") as f:
            f.write(device_source(page[2], page[1], chars))
    with open(os.path.join(HERE, "..", "src", "common", "codepagetables.cpp"), "w") as f:
        f.write(host_source(tables))


if __name__ == "__main__":
    main()
