#pragma once

#include "texelfont.h"

#include <QByteArray>

#include <algorithm>
#include <string>
#include <vector>

// Every setting of a document as "Field=value" lines, so two documents compare with a
// readable difference. Texts are shown as UTF-8, Size with all its digits.
inline std::vector<std::string> documentState(const TexelFont &f)
{
    auto line = [](const char *field, const QString &value) {
        return std::string(field) + '=' + value.toStdString();
    };
    auto number = [](const char *field, double value) {
        return std::string(field) + '=' + QString::number(value, 'g', 17).toStdString();
    };
    return {
        line("Background", f.Background),
        number("CharHeightInc", f.CharHeightInc),
        number("CharSepExtra", f.CharSepExtra),
        number("CharWidthInc", f.CharWidthInc),
        number("Color", f.Color),
        number("CustomGP32FileName", f.CustomGP32FileName),
        number("CustomName", f.CustomName),
        number("CustomVariableName", f.CustomVariableName),
        number("InvertMask", f.InvertMask),
        number("LineSepExtra", f.LineSepExtra),
        number("Masked", f.Masked),
        number("MaskHeightInc", f.MaskHeightInc),
        number("MaskWidthInc", f.MaskWidthInc),
        number("Obsolete", f.Obsolete),
        number("Postprocessed", f.Postprocessed),
        number("Proportional", f.Proportional),
        line("SampleText", f.SampleText),
        number("Script", f.Script),
        number("Serif", f.Serif),
        number("ShadowColor", f.ShadowColor),
        number("ShadowMask", f.ShadowMask),
        number("ShadowOX", f.ShadowOX),
        number("ShadowOY", f.ShadowOY),
        number("ShadowXPos", f.ShadowXPos),
        number("ShadowYPos", f.ShadowYPos),
        number("TransColor", f.TransColor),
        number("Bold", f.Bold()),
        line("Chars", f.Chars()),
        line("Filename", f.Filename()),
        line("GP32FileName", f.GP32FileName()),
        number("Italic", f.Italic()),
        line("Name", f.Name()),
        number("Size", f.Size()),
        number("Strikethrough", f.Strikethrough()),
        line("TTFName", f.TTFName()),
        number("Underline", f.Underline()),
        line("VariableName", f.VariableName()),
    };
}

// The offset of the first byte where two files differ, or -1 when they are equal.
inline qsizetype firstDifference(const QByteArray &a, const QByteArray &b)
{
    const qsizetype common = std::min(a.size(), b.size());
    for (qsizetype i = 0; i < common; ++i) {
        if (a.at(i) != b.at(i))
            return i;
    }
    return a.size() == b.size() ? -1 : common;
}
