#include <QGuiApplication>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Fonts need a QGuiApplication; gtest_main has no place to create one, so an environment
// holds it for the whole run.
class GuiEnvironment : public testing::Environment
{
public:
    void SetUp() override { mApp = std::make_unique<QGuiApplication>(mArgc, mArgv); }
    void TearDown() override { mApp.reset(); }

private:
    int mArgc = 1;
    char mName[10] = "texeltest";
    char *mArgv[2] = {mName, nullptr};
    std::unique_ptr<QGuiApplication> mApp;
};

[[maybe_unused]] testing::Environment *const environment = testing::AddGlobalTestEnvironment(new GuiEnvironment);

} // namespace
