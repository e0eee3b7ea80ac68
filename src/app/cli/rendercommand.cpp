#include "rendercommand.h"

#include "command.h"
#include "commandline.h"
#include "documentoptions.h"
#include "outputfile.h"
#include "terminalfeedback.h"
#include "zgffont.h"
#include "zgfpictures.h"

#include <QBuffer>
#include <QImage>
#include <QImageWriter>

namespace {

// The largest picture written, in pixels: 256 megabytes of 32-bit pixels.
constexpr qint64 MaxPixels = qint64(1) << 26;
// A few pages of text; longer ones are refused before they are laid out.
constexpr qsizetype MaxTextLength = 4096;

QImage picture(const ZgfFont &font, const std::optional<QString> &text, bool mask, std::optional<Color> background)
{
    if (text)
        return ZgfPictures::textImage(font, *text, background);
    if (!mask)
        return ZgfPictures::glyphImage(font);
    if (!font.hasMask())
        throw CommandFailure{QStringLiteral("The font has no mask.")};
    return ZgfPictures::maskImage(font);
}

QByteArray pngBytes(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, QByteArrayLiteral("png"));
    if (!writer.write(image))
        throw CommandFailure{QStringLiteral("The picture could not be coded as PNG: %1").arg(writer.errorString())};
    return buffer.data();
}

} // namespace

void RenderCommand::declare(CommandLine &line)
{
    line.addArgument(QStringLiteral("FONT.zgf"), QStringLiteral("The ZGF font to draw."));
    line.addValueOption({QStringLiteral("o"), QStringLiteral("output")}, QStringLiteral("OUT.png"),
                        QStringLiteral("The PNG picture to write (required)."));
    line.addValueOption({QStringLiteral("text")}, QStringLiteral("TEXT"),
                        QStringLiteral("Draw this text with the font, as a GP32 program would; "
                                       "line breaks start new lines. Without it, the glyph image."));
    declareCodePageOption(line,
                          QStringLiteral("The code page of the font's character codes, which --text is "
                                         "drawn through"));
    line.addFlag(QStringLiteral("mask"), QStringLiteral("Draw the mask image instead of the glyph image."));
    line.addValueOption({QStringLiteral("background")}, QStringLiteral("RRGGBB"),
                        QStringLiteral("A plain colour behind the text instead of a checker board."));
    line.addValueOption({QStringLiteral("scale")}, QStringLiteral("N"),
                        QStringLiteral("Enlarge every pixel to N x N (1 to 64)."));
    line.addFlag(QStringLiteral("force"), QStringLiteral("Overwrite an existing file."));
}

RenderCommand::RenderCommand(const CommandLine &line)
    : mFont(line.argument(0)),
      mOutput(line.value(QStringLiteral("output"))),
      mMask(line.isSet(QStringLiteral("mask"))),
      mScale(line.intValue(QStringLiteral("scale"), 1, ZgfPictures::MaxZoom, 1)),
      mForce(line.isSet(QStringLiteral("force"))),
      mCodePage(codePageOption(line).value_or(CodePage::Windows1252))
{
    if (mOutput.trimmed().isEmpty())
        throw UsageError{QStringLiteral("render needs -o OUT.png.")};
    line.requireAtMostOne({QStringLiteral("text"), QStringLiteral("mask")});
    if (line.isSet(QStringLiteral("text"))) {
        mText = line.value(QStringLiteral("text"));
        if (mText->size() > MaxTextLength)
            throw UsageError{QStringLiteral("--text takes at most %1 characters.").arg(MaxTextLength)};
    }
    if (line.isSet(QStringLiteral("background"))) {
        if (!mText)
            throw UsageError{QStringLiteral("--background goes with --text.")};
        mBackground = colorFromHex(line.value(QStringLiteral("background")));
        if (!mBackground) {
            throw UsageError{QStringLiteral("--background takes a colour as RRGGBB in hexadecimal, not '%1'.")
                                 .arg(line.value(QStringLiteral("background")))};
        }
    }
}

int RenderCommand::run(CommandEnvironment &environment)
{
    ZgfFont font = ZgfFont::readFile(mFont);
    font.setCodePage(mCodePage);
    refuseOutputs({{QStringLiteral("the font file"), mFont, false}, {QStringLiteral("the picture"), mOutput}}, mForce);

    const QImage image = picture(font, mText, mMask, mBackground);
    if (image.isNull() || image.width() == 0 || image.height() == 0)
        throw CommandFailure{QStringLiteral("Nothing to draw: the picture would be empty.")};
    const qint64 width = qint64(image.width()) * mScale;
    const qint64 height = qint64(image.height()) * mScale;
    if (width > 32767 || height > 32767 || width * height > MaxPixels) {
        throw CommandFailure{QStringLiteral("A picture of %1 x %2 pixels is too large; choose a smaller --scale.")
                                 .arg(width)
                                 .arg(height)};
    }
    writeOutputs(
        {{mOutput, pngBytes(ZgfPictures::zoomed(image, mScale)), mForce ? Existing::Replace : Existing::Keep}});
    return exitStatus(true, environment.feedback);
}
