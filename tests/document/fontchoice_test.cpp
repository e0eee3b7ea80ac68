#include "documenttesting.h"
#include "failure.h"
#include "fontchoice.h"
#include "testsurface.h"

#include <cmath>

namespace {

// A renderer that realises sizes on whole pixels, has no bold face of "Light" and refuses
// sizes above 500 points.
class RealisingSurface : public TestSurface
{
public:
    void setFont(const SurfaceFont &font) override
    {
        if (font.size > 500)
            throw Failure(Failure::Overflow, QStringLiteral("Overflow: too large"));
        SurfaceFont realised = font;
        realised.size = float(std::round(font.size * 96.0 / 72.0) * 72.0 / 96.0);
        realised.bold = font.bold && font.name != QLatin1String("Light");
        TestSurface::setFont(realised);
    }
};

// TTFName, FontFile, Size, Bold, Name and VariableName.
std::string chosen(const TexelFont &f)
{
    return QStringLiteral("%1 %2 %3 %4 %5 %6")
        .arg(f.TTFName(), f.FontFile())
        .arg(double(f.Size()))
        .arg(QLatin1String(f.Bold() ? "bold" : "-"), f.Name(), f.VariableName())
        .toStdString();
}

} // namespace

// The main window and the command line apply a choice of font through one routine: what the
// renderer realises, then the names that follow.
TEST(FontChoiceTest, RealisedValuesAndDerivedNames)
{
    struct Case
    {
        const char *what;
        FontSelection choice;
        bool customName;
        std::string expected;
    };
    const Case cases[] = {
        {"a new family realises its style",
         {QStringLiteral("Light"), QString(), {}, true},
         false,
         "Light  9.75 - Light light10"},
        {"a new size is realised on whole pixels", {{}, {}, 11.0f}, false, "Arial  11.25 - Arial arial11"},
        {"a custom name stays", {QStringLiteral("Verdana"), QString()}, true, "Verdana  9.75 - Mine mine10"},
        {"a font file and its family",
         {QStringLiteral("Face"), QStringLiteral("/f.ttf"), 24.0f},
         false,
         "Face /f.ttf 24 - Face face24"},
        {"a style alone is not realised", {{}, {}, {}, true}, false, "Arial  9.75 bold Arial arial10b"},
    };
    for (const Case &c : cases) {
        RealisingSurface renderer;
        TexelFont font;
        if (c.customName) {
            font.setName(QStringLiteral("Mine"));
            font.setVariableName(font.CalculateVariableName());
        }
        applyFontChoice(font, c.choice, renderer);
        EXPECT_EQ(chosen(font), c.expected) << c.what;
        EXPECT_EQ(font.GP32FileName(), font.CalculateGP32FileName()) << c.what;
    }
}

// A font the renderer refuses changes nothing, not even the family chosen with it.
TEST(FontChoiceTest, RefusedChoiceLeavesTheDocument)
{
    RealisingSurface renderer;
    TexelFont font;
    const auto before = documentState(font);
    EXPECT_THROW(applyFontChoice(font, {QStringLiteral("Light"), QString(), 600.0f}, renderer), Failure);
    EXPECT_EQ(documentState(font), before);
}
