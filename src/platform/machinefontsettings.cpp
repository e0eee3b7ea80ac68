#include "machinefontsettings.h"

#include <fontconfig/fontconfig.h>

void ignoreMachineGlyphSettings()
{
    // Loaded after the machine's and the person's rules, so it is the one that holds.
    static const bool applied = [] {
        static const char rules[] = R"(<?xml version="1.0"?>
<fontconfig>
  <match target="font"><edit name="autohint" mode="assign"><bool>false</bool></edit></match>
</fontconfig>)";
        return FcInit()
            && FcConfigParseAndLoadFromMemory(FcConfigGetCurrent(), reinterpret_cast<const FcChar8 *>(rules), FcTrue);
    }();
    (void)applied;
}
