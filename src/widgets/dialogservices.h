#pragma once

class Choosers;
class Feedback;
class SettingsStore;

// What the windows ask of the program: the settings store, the choosers (file, font and
// colour dialogs, the question about unsaved changes) and the Feedback of long operations
// and messages. The program builds one set in main and hands it to every window; tests hand
// in doubles. It must outlive the windows.
struct DialogServices
{
    SettingsStore &store;
    Choosers &choosers;
    Feedback &feedback;
};
