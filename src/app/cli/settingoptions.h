#pragma once

#include <QList>
#include <QString>

#include <optional>

class CommandLine;
class InfoReport;
class TexelFont;
struct Setting;

// The document's names and the settings of the two properties dialogs that are a flag, a
// number, a pair of numbers or a colour. One table row per setting declares its option
// (with the negative form of a flag), reads it with its range and reports it in info, so a
// new setting is one row.
class SettingOptions
{
public:
    static void declare(CommandLine &line);

    // Throws UsageError for a value outside its range, naming the range, for a flag given in
    // both forms, and for a name longer than its field holds.
    explicit SettingOptions(const CommandLine &line);

    bool isEmpty() const { return mGiven.isEmpty() && !mName && !mVariableName && !mGP32FileName; }

    // Applies the settings as the dialogs store them (applyPostprocessing, then
    // applyFontNaming). Throws UsageError for a setting that would not count, such as
    // --mask-inc on a font without a shadow mask (naming the option it needs), and for a
    // variable name that is no C identifier.
    void apply(TexelFont &font) const;

    // Adds every setting of the table to the report, under the document's member names.
    static void report(InfoReport &report, const TexelFont &font);

private:
    struct Given
    {
        const Setting *setting;
        int first;
        int second;
        // The option as given: a flag's negative form for false.
        QString option() const;
    };
    QList<Given> mGiven;
    std::optional<QString> mName;
    std::optional<QString> mVariableName;
    std::optional<QString> mGP32FileName;
};
