#pragma once

#include <QGuiApplication>

#include <memory>

// Qt's GUI layer, started only by the commands that draw text: the tool runs without a
// display, so it starts on the offscreen platform unless QT_QPA_PLATFORM names another.
// Commands that only read and write files never pay for it.
class GuiSession
{
public:
    explicit GuiSession(const char *programPath);
    ~GuiSession();
    GuiSession(const GuiSession &) = delete;
    GuiSession &operator=(const GuiSession &) = delete;

    // Starts the GUI layer the first time; later calls do nothing.
    void start();

private:
    // QGuiApplication keeps references to these for its lifetime. Only the program's name
    // is handed over, so Qt never takes one of the tool's own options for its own.
    int mArgc = 1;
    char *mArgv[2];
    std::unique_ptr<QGuiApplication> mApplication;
};
