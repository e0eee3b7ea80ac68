#pragma once

#include "dialogservices.h"
#include "recordingfeedback.h"
#include "scriptedchoosers.h"
#include "settingsstore.h"

// The windows' services for a test: a store in the file given (under a temporary folder),
// choosers that answer from a script and a Feedback that records.
struct TestServices
{
    explicit TestServices(const QString &storeFile) : store(storeFile) {}

    SettingsStore store;
    ScriptedChoosers choosers;
    RecordingFeedback feedback;
    DialogServices services{store, choosers, feedback};
};
