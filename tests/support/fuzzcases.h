#pragma once

// How much the fuzz tests do: their quick share in the test suite, or what bench/fuzz.sh asks
// for through the environment (TEXEL_FUZZ_CASES cases from seed TEXEL_FUZZ_SEED), so one
// harness serves both.

#include <QString>

// The number of mutated inputs to run, quick when the environment does not say.
inline int fuzzCases(int quick)
{
    const int asked = qEnvironmentVariableIntValue("TEXEL_FUZZ_CASES");
    return asked > 0 ? asked : quick;
}

// The seed of the mutations: the suite's own unless the environment gives another.
inline quint32 fuzzSeed(quint32 own)
{
    bool given = false;
    const quint32 asked = qEnvironmentVariable("TEXEL_FUZZ_SEED").toUInt(&given);
    return given ? asked : own;
}
