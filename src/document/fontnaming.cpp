#include "fontnaming.h"

#include "spaces.h"
#include "texelfont.h"

void applyFontNaming(TexelFont &font, const FontNaming &naming)
{
    if (naming.proportional)
        font.Proportional = *naming.proportional;
    if (naming.script)
        font.Script = *naming.script;
    if (naming.serif)
        font.Serif = *naming.serif;
    if (naming.name) {
        const QString name = trimSpaces(*naming.name);
        font.setName(name.isEmpty() ? font.familyName() : name);
    }
    if (naming.variableName) {
        const QString name = withoutSpaces(*naming.variableName);
        font.setVariableName(name.isEmpty() ? font.VariableName() : name);
    } else if (!font.CustomVariableName) {
        font.setVariableName(font.CalculateVariableName());
    }
    if (naming.gp32FileName) {
        const QString name = withoutSpaces(*naming.gp32FileName).toLower();
        font.setGP32FileName(name.isEmpty() ? font.GP32FileName() : name);
    } else if (!font.CustomGP32FileName) {
        font.setGP32FileName(font.CalculateGP32FileName());
    }
}
