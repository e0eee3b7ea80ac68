#include "settingoptions.h"

#include "cidentifier.h"
#include "commandline.h"
#include "documentoptions.h"
#include "fontnaming.h"
#include "inforeport.h"
#include "postprocesssettings.h"
#include "spaces.h"
#include "texelfont.h"

#include <algorithm>
#include <limits>

enum class Kind { Flag, Number, Pair, Rgb };
// Which routine stores the setting: none (a plain value), applyFontNaming or applyPostprocessing.
enum class Group { Plain, Naming, Postprocessing };

struct Setting
{
    const char *option;
    const char *negative; // a flag's other form
    const char *valueName;
    const char *description;
    const char *negativeDescription;
    Kind kind;
    Group group;
    const char *keys[2];
    int minimum = 0;
    int maximum = 0;
    bool TexelFont::*flag = nullptr;
    qint16 TexelFont::*numbers[2] = {};
    qint32 TexelFont::*color = nullptr;
};

namespace {

constexpr int Low16 = std::numeric_limits<qint16>::min();
constexpr int High16 = std::numeric_limits<qint16>::max();

// In the order info reports them.
// clang-format off
const Setting kSettings[] = {
    {.option = "color", .valueName = "RRGGBB", .description = "Drawing colour, hexadecimal.",
     .kind = Kind::Rgb, .group = Group::Plain, .keys = {"Color"}, .color = &TexelFont::Color},
    {.option = "trans-color", .valueName = "RRGGBB", .description = "Transparent (background) colour, hexadecimal.",
     .kind = Kind::Rgb, .group = Group::Plain, .keys = {"TransColor"}, .color = &TexelFont::TransColor},
    {.option = "proportional", .negative = "fixed",
     .description = "Mark the font as proportionally spaced (the default).",
     .negativeDescription = "Mark the font as fixed-width; the widths stay as measured.",
     .kind = Kind::Flag, .group = Group::Naming, .keys = {"Proportional"}, .flag = &TexelFont::Proportional},
    {.option = "serif", .negative = "no-serif", .description = "Mark the font as one with serifs.",
     .negativeDescription = "Mark the font as one without serifs (the default).",
     .kind = Kind::Flag, .group = Group::Naming, .keys = {"Serif"}, .flag = &TexelFont::Serif},
    {.option = "script", .negative = "no-script", .description = "Mark the font as a script font.",
     .negativeDescription = "Mark the font as no script font (the default).",
     .kind = Kind::Flag, .group = Group::Naming, .keys = {"Script"}, .flag = &TexelFont::Script},
    {.option = "char-sep", .valueName = "N",
     .description = "Extra pixels between characters (-32768 to 32767; a ZGF font holds -128 to 127).",
     .kind = Kind::Number, .group = Group::Plain, .keys = {"CharSepExtra"}, .minimum = Low16, .maximum = High16,
     .numbers = {&TexelFont::CharSepExtra}},
    {.option = "line-sep", .valueName = "N",
     .description = "Extra pixels between lines (-32768 to 32767; a ZGF font holds -128 to 127).",
     .kind = Kind::Number, .group = Group::Plain, .keys = {"LineSepExtra"}, .minimum = Low16, .maximum = High16,
     .numbers = {&TexelFont::LineSepExtra}},
    {.option = "postprocessed", .negative = "no-postprocessed",
     .description = "The font is post-processed: bitmaps writes its images for editing, export reads them back.",
     .negativeDescription = "The font is not post-processed (the default); its increments and mask are dropped.",
     .kind = Kind::Flag, .group = Group::Postprocessing, .keys = {"Postprocessed"}, .flag = &TexelFont::Postprocessed},
    {.option = "char-inc", .valueName = "W,H",
     .description = "Post-processed characters are W pixels wider and H pixels taller (0 to 255 each).",
     .kind = Kind::Pair, .group = Group::Postprocessing, .keys = {"CharWidthInc", "CharHeightInc"}, .minimum = 0,
     .maximum = 255, .numbers = {&TexelFont::CharWidthInc, &TexelFont::CharHeightInc}},
    {.option = "masked", .negative = "no-masked", .description = "A post-processed font includes an alpha mask.",
     .negativeDescription = "No alpha mask (the default); the mask settings are dropped.",
     .kind = Kind::Flag, .group = Group::Postprocessing, .keys = {"Masked"}, .flag = &TexelFont::Masked},
    {.option = "shadow-mask", .negative = "generic-mask",
     .description = "The alpha mask is a shadow mask, with its own size, positions and colour.",
     .negativeDescription = "The alpha mask is a generic one (the default), which takes --smooth.",
     .kind = Kind::Flag, .group = Group::Postprocessing, .keys = {"ShadowMask"}, .flag = &TexelFont::ShadowMask},
    {.option = "invert-mask", .negative = "no-invert-mask",
     .description = "Invert the levels of the mask bitmap written for editing (the default).",
     .negativeDescription = "Keep the levels of the mask bitmap written for editing.",
     .kind = Kind::Flag, .group = Group::Postprocessing, .keys = {"InvertMask"}, .flag = &TexelFont::InvertMask},
    {.option = "mask-inc", .valueName = "W,H",
     .description = "Shadow masks are W pixels wider and H pixels taller than the characters (-32768 to 32767 each).",
     .kind = Kind::Pair, .group = Group::Postprocessing, .keys = {"MaskWidthInc", "MaskHeightInc"}, .minimum = Low16,
     .maximum = High16, .numbers = {&TexelFont::MaskWidthInc, &TexelFont::MaskHeightInc}},
    {.option = "shadow-neutral", .valueName = "X,Y",
     .description = "The neutral position of the shadow, just underneath the character (-32768 to 32767 each).",
     .kind = Kind::Pair, .group = Group::Postprocessing, .keys = {"ShadowOX", "ShadowOY"}, .minimum = Low16,
     .maximum = High16, .numbers = {&TexelFont::ShadowOX, &TexelFont::ShadowOY}},
    {.option = "shadow-default", .valueName = "X,Y",
     .description = "The default position of the shadow, from the neutral one (-32768 to 32767 each).",
     .kind = Kind::Pair, .group = Group::Postprocessing, .keys = {"ShadowXPos", "ShadowYPos"}, .minimum = Low16,
     .maximum = High16, .numbers = {&TexelFont::ShadowXPos, &TexelFont::ShadowYPos}},
    {.option = "shadow-color", .valueName = "RRGGBB", .description = "The default colour of the shadow, hexadecimal.",
     .kind = Kind::Rgb, .group = Group::Postprocessing, .keys = {"ShadowColor"}, .color = &TexelFont::ShadowColor},
};
// clang-format on

QString name(const char *text)
{
    return QLatin1String(text);
}

// The two numbers of "W,H", each within the setting's range.
std::pair<int, int> pairOption(const CommandLine &line, const Setting &s)
{
    const QString text = line.value(name(s.option));
    const QStringList parts = text.split(QLatin1Char(','));
    bool ok = parts.size() == 2;
    int numbers[2] = {};
    for (int i = 0; ok && i < 2; ++i) {
        numbers[i] = parts.at(i).trimmed().toInt(&ok);
        ok = ok && numbers[i] >= s.minimum && numbers[i] <= s.maximum;
    }
    if (!ok) {
        throw UsageError{QStringLiteral("--%1 takes two whole numbers %2 from %3 to %4, not '%5'.")
                             .arg(name(s.option), name(s.valueName))
                             .arg(s.minimum)
                             .arg(s.maximum)
                             .arg(text)};
    }
    return {numbers[0], numbers[1]};
}

// A flag given as "--serif" is 1, as "--no-serif" 0.
int flagOption(const CommandLine &line, const Setting &s)
{
    line.requireAtMostOne({name(s.option), name(s.negative)});
    return line.isSet(name(s.option)) ? 1 : 0;
}

void store(TexelFont &font, const Setting &s, int first, int second)
{
    switch (s.kind) {
    case Kind::Flag: font.*s.flag = first != 0; break;
    case Kind::Rgb: font.*s.color = first; break;
    case Kind::Pair: font.*s.numbers[1] = qint16(second); [[fallthrough]];
    case Kind::Number: font.*s.numbers[0] = qint16(first); break;
    }
}

bool storedAlike(const TexelFont &a, const TexelFont &b, const Setting &s)
{
    switch (s.kind) {
    case Kind::Flag: return a.*s.flag == b.*s.flag;
    case Kind::Rgb: return a.*s.color == b.*s.color;
    case Kind::Pair: return a.*s.numbers[0] == b.*s.numbers[0] && a.*s.numbers[1] == b.*s.numbers[1];
    case Kind::Number: return a.*s.numbers[0] == b.*s.numbers[0];
    }
    return true;
}

// What a post-processing setting that does not count needs.
QString neededOption(const PostprocessSettings &wanted)
{
    if (!wanted.incrementsCount())
        return QStringLiteral("a post-processed font (--postprocessed)");
    if (!wanted.maskCounts())
        return QStringLiteral("a font with an alpha mask (--masked)");
    return QStringLiteral("a font with a shadow mask (--shadow-mask)");
}

// The name as given, or refused when its field would not hold it.
std::optional<QString> nameOption(const CommandLine &line, const char *option, const QString &stored, qsizetype minimum,
                                  qsizetype maximum)
{
    if (!line.isSet(name(option)))
        return std::nullopt;
    if (stored.size() < minimum || stored.size() > maximum) {
        const QString range = minimum == 0 ? QStringLiteral("at most %1").arg(maximum)
                                           : QStringLiteral("%1 to %2").arg(minimum).arg(maximum);
        throw UsageError{
            QStringLiteral("--%1 takes %2 characters, not %3.").arg(name(option), range).arg(stored.size())};
    }
    return line.value(name(option));
}

} // namespace

QString SettingOptions::Given::option() const
{
    return name(setting->kind == Kind::Flag && first == 0 ? setting->negative : setting->option);
}

void SettingOptions::declare(CommandLine &line)
{
    line.addValueOption({QStringLiteral("name")}, QStringLiteral("TEXT"),
                        QStringLiteral("The font's name (up to 32 characters); empty: the family's name again."));
    line.addValueOption({QStringLiteral("variable-name")}, QStringLiteral("NAME"),
                        QStringLiteral("The C variable name (a C identifier of up to 64 characters)."));
    line.addValueOption({QStringLiteral("gp32-name")}, QStringLiteral("NAME"),
                        QStringLiteral("The GP32 file name (1 to 8 characters, lower case)."));
    for (const Setting &s : kSettings) {
        if (s.kind == Kind::Flag) {
            line.addFlag(name(s.option), name(s.description));
            line.addFlag(name(s.negative), name(s.negativeDescription));
        } else {
            line.addValueOption({name(s.option)}, name(s.valueName), name(s.description));
        }
    }
}

SettingOptions::SettingOptions(const CommandLine &line)
{
    mName = nameOption(line, "name", trimSpaces(line.value(QStringLiteral("name"))), 0, FontNaming::MaxName);
    mVariableName = nameOption(line, "variable-name", withoutSpaces(line.value(QStringLiteral("variable-name"))), 1,
                               FontNaming::MaxVariableName);
    mGP32FileName = nameOption(line, "gp32-name", withoutSpaces(line.value(QStringLiteral("gp32-name"))), 1,
                               FontNaming::MaxGP32FileName);
    for (const Setting &s : kSettings) {
        const bool given = line.isSet(name(s.option)) || (s.negative && line.isSet(name(s.negative)));
        if (!given)
            continue;
        switch (s.kind) {
        case Kind::Flag: mGiven.append({&s, flagOption(line, s), 0}); break;
        case Kind::Number: mGiven.append({&s, line.intValue(name(s.option), s.minimum, s.maximum, 0), 0}); break;
        case Kind::Pair: {
            const auto [first, second] = pairOption(line, s);
            mGiven.append({&s, first, second});
            break;
        }
        case Kind::Rgb: mGiven.append({&s, colorOption(line, name(s.option)), 0}); break;
        }
    }
}

void SettingOptions::apply(TexelFont &font) const
{
    TexelFont wanted(font);
    bool postprocessing = false;
    for (const Given &given : mGiven) {
        store(given.setting->group == Group::Plain ? font : wanted, *given.setting, given.first, given.second);
        postprocessing = postprocessing || given.setting->group == Group::Postprocessing;
    }
    if (postprocessing) {
        const PostprocessSettings settings = PostprocessSettings::of(wanted);
        TexelFont stored(font);
        applyPostprocessing(stored, settings);
        for (const Given &given : mGiven) {
            if (given.setting->group == Group::Postprocessing && !storedAlike(stored, wanted, *given.setting)) {
                throw UsageError{
                    QStringLiteral("--%1 counts only for %2.").arg(given.option(), neededOption(settings))};
            }
        }
        font = stored;
    }
    const bool naming = mName || mVariableName || mGP32FileName
        || std::any_of(mGiven.begin(), mGiven.end(), [](const Given &g) { return g.setting->group == Group::Naming; });
    if (naming)
        applyFontNaming(font, {mName, mVariableName, mGP32FileName, wanted.Proportional, wanted.Serif, wanted.Script});
    if (mVariableName && !isCIdentifier(font.VariableName())) {
        throw UsageError{QStringLiteral("--variable-name: the variable name \"%1\" cannot be written into C: %2.")
                             .arg(font.VariableName(), cIdentifierRule())};
    }
}

void SettingOptions::report(InfoReport &report, const TexelFont &font)
{
    for (const Setting &s : kSettings) {
        switch (s.kind) {
        case Kind::Flag: report.add(name(s.keys[0]), font.*s.flag); break;
        case Kind::Rgb: {
            const Color color = font.*s.color;
            report.add(name(s.keys[0]), color, QStringLiteral("#%1 (%2)").arg(colorToHex(color)).arg(color));
            break;
        }
        case Kind::Pair:
        case Kind::Number:
            for (int i = 0; i < (s.kind == Kind::Pair ? 2 : 1); ++i)
                report.add(name(s.keys[i]), font.*s.numbers[i]);
            break;
        }
    }
}
