// Font files drawn from their own data, whatever families are installed; damaged files and
// missing families refused with the file's name.
#include "fontfamilies.h"
#include "fontfiles.h"
#include "rastersurface.h"
#include "sfntbytes.h"
#include "testfiles.h"

#include <QDir>
#include <QImage>
#include <QTemporaryDir>

#include <sys/stat.h>

namespace {

const QString kLiberation = QStringLiteral("/usr/share/fonts/truetype/liberation/");

QByteArray fontBytes(const QString &name)
{
    return readFile(kLiberation + name);
}

// The text drawn in the font on a fresh surface.
QImage drawn(const SurfaceFont &font, const QString &text = QStringLiteral("Hamburg 0123"))
{
    RasterSurface surface;
    surface.setSize(220, 60);
    surface.clear();
    surface.setFont(font);
    surface.drawText(text);
    return surface.image();
}

SurfaceFont fontOf(const QString &family, float size, const QString &file = QString(), bool bold = false)
{
    SurfaceFont font{family, size, bold};
    font.file = file;
    return font;
}

// A BDF font of 8 pixels whose glyph A is described by the given lines after its widths.
QByteArray bdfFont(const QByteArray &glyphA)
{
    return "STARTFONT 2.1\nFONT -Test-Rows-Medium-R-Normal--8-60-96-96-C-50-ISO10646-1\nSIZE 6 96 96\n"
           "FONTBOUNDINGBOX 5 8 0 -1\nSTARTPROPERTIES 2\nFONT_ASCENT 7\nFONT_DESCENT 1\nENDPROPERTIES\nCHARS 2\n"
           "STARTCHAR A\nENCODING 65\nSWIDTH 625 0\nDWIDTH 5 0\n"
        + glyphA
        + "ENDCHAR\nSTARTCHAR g\nENCODING 103\nSWIDTH 625 0\nDWIDTH 5 0\nBBX 2 4 1 -1\nBITMAP\nC0\n40\n40\nC0\n"
          "ENDCHAR\nENDFONT\n";
}

class FontFiles : public ::testing::Test
{
protected:
    QString path(const QString &name) const { return dir.filePath(name); }
    QTemporaryDir dir;
};

// A copy of an installed face is drawn from the copy: its own weight shows, and its pixels are
// the installed face's; the installed namesake's other faces are never drawn in its place.
TEST_F(FontFiles, AFileWithOneFaceDrawsThatFace)
{
    const QString bold =
        writeFile(path(QStringLiteral("serif-bold.ttf")), fontBytes(QStringLiteral("LiberationSerif-Bold.ttf")));
    const QString regular =
        writeFile(path(QStringLiteral("sans.ttf")), fontBytes(QStringLiteral("LiberationSans-Regular.ttf")));
    const QString serif = QStringLiteral("Liberation Serif"), sans = QStringLiteral("Liberation Sans");

    RasterSurface surface;
    surface.setFont(fontOf(serif, 12.0f, bold));
    EXPECT_EQ(surface.font().name, serif);
    EXPECT_EQ(surface.font().file, bold);
    EXPECT_TRUE(surface.font().bold) << "the face is bold";
    EXPECT_EQ(drawn(fontOf(serif, 12.0f, bold)), drawn(fontOf(serif, 12.0f, QString(), true)));
    EXPECT_NE(drawn(fontOf(serif, 12.0f, bold)), drawn(fontOf(serif, 12.0f)));
    EXPECT_EQ(drawn(fontOf(sans, 9.0f, regular)), drawn(fontOf(sans, 9.0f)));

    // A style the face lacks is synthesised, and said to be.
    EXPECT_TRUE(synthesisedStyleNote(bold, serif, true, false).isEmpty());
    EXPECT_TRUE(synthesisedStyleNote(regular, sans, true, false).contains(QStringLiteral("synthesises bold")));
    EXPECT_NE(drawn(fontOf(sans, 9.0f, regular, true)), drawn(fontOf(sans, 9.0f, regular)));

    // The program's own names for the files are never offered as installed families.
    for (const QString &family : installedFontFamilies())
        EXPECT_FALSE(isDrawingFamily(family)) << family.toStdString();
}

// Each family of a collection is drawn from its own face; a collection cut short is refused
// whole, naming the file and what is wrong, even where its first face is still there.
TEST_F(FontFiles, CollectionsOfferEveryFamilyAndCutOnesAreRefused)
{
    const QByteArray both = fontCollection({fontBytes(QStringLiteral("LiberationMono-Regular.ttf")),
                                            fontBytes(QStringLiteral("LiberationSerif-Regular.ttf"))});
    const QString whole = writeFile(path(QStringLiteral("two.ttc")), both);
    const QStringList families{QStringLiteral("Liberation Mono"), QStringLiteral("Liberation Serif")};
    EXPECT_EQ(fontFileFaces(whole).families, families);
    for (const QString &family : families)
        EXPECT_EQ(drawn(fontOf(family, 12.0f, whole)), drawn(fontOf(family, 12.0f))) << family.toStdString();
    EXPECT_TRUE(
        missingFamilyMessage(whole, QStringLiteral("DejaVu Sans"))
            .endsWith(QStringLiteral("holds no family DejaVu Sans; it holds Liberation Mono, Liberation Serif.")));

    for (const int percent : {30, 60, 99}) {
        SCOPED_TRACE(percent);
        const QString cut =
            writeFile(path(QStringLiteral("cut%1.ttc").arg(percent)), both.left(both.size() * percent / 100));
        const FontFileFaces faces = fontFileFaces(cut);
        EXPECT_TRUE(faces.families.isEmpty());
        const QString message = unreadableFontFileMessage(cut);
        EXPECT_TRUE(message.startsWith(QStringLiteral("The font file %1 cannot be read: its face ").arg(cut)));
        EXPECT_TRUE(message.contains(QStringLiteral("past the end of the file"))) << message.toStdString();
        RasterSurface surface;
        surface.setFont(fontOf(families[1], 12.0f, cut));
        EXPECT_TRUE(surface.font().file.isEmpty()) << "not drawn from";
    }
}

// Files that are no fonts, or no regular files, are refused unread.
TEST_F(FontFiles, SpecialAndDamagedFilesAreRefused)
{
    const QString fifo = path(QStringLiteral("fifo.ttf"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString text = writeFile(path(QStringLiteral("notes.ttf")), "not a font\n");
    const QString bdf = writeFile(path(QStringLiteral("cut.bdf")), "STARTFONT 2.1\nFONT x\nSIZE 8 96 96\nCHARS 1\n");
    const QString rowless = writeFile(path(QStringLiteral("rowless.bdf")), bdfFont("BBX 3 3 1 0\n"));
    const QString short_ = writeFile(path(QStringLiteral("short.bdf")), bdfFont("BBX 3 3 1 0\nBITMAP\n40\n"));
    QByteArray garbage = fontBytes(QStringLiteral("LiberationSans-Regular.ttf"));
    const auto [glyphs, length] = sfntTable(garbage, "glyf");
    garbage.replace(glyphs, length, QByteArray(length, '\xff'));
    const QString outlines = writeFile(path(QStringLiteral("garbage.ttf")), garbage);
    for (const auto &[file, problem] : {std::pair{fifo, QStringLiteral("is not a regular file")},
                                        {text, QStringLiteral("holds no font that can be read")},
                                        {outlines, QStringLiteral(": its face cannot draw the glyph of U+0021.")},
                                        {bdf, QStringLiteral("it ends before its ENDFONT line")},
                                        {rowless, QStringLiteral("its glyph \"A\" has 0 of its 3 bitmap rows")},
                                        {short_, QStringLiteral("its glyph \"A\" has 1 of its 3 bitmap rows")}}) {
        EXPECT_TRUE(fontFileFaces(file).families.isEmpty());
        EXPECT_TRUE(unreadableFontFileMessage(file).contains(problem)) << unreadableFontFileMessage(file).toStdString();
    }
}

// A glyph of no width or height needs no bitmap rows (a space): the font is read and drawn.
TEST_F(FontFiles, BdfGlyphsWithoutInkNeedNoRows)
{
    int round = 0;
    for (const QByteArray &glyph : {QByteArray("BBX 0 0 0 0\n"), QByteArray("BBX 0 0 0 0\nBITMAP\n"),
                                    QByteArray("BBX 3 0 0 0\nBITMAP\n"), QByteArray("BBX 0 3 0 0\nBITMAP\n")}) {
        SCOPED_TRACE(glyph.constData());
        const QString file = writeFile(path(QStringLiteral("space%1.bdf").arg(++round)), bdfFont(glyph));
        const QStringList families = fontFileFaces(file).families;
        ASSERT_EQ(families.size(), 1) << unreadableFontFileMessage(file).toStdString();
        const SurfaceFont font = fontOf(families.first(), 6.0f, file);
        EXPECT_NE(drawn(font, QStringLiteral("AgA")), drawn(font, QStringLiteral("AA"))) << "g is drawn";
    }
}

} // namespace
