// One QGuiApplication for the whole test program (fonts and QPainter on QImage need it). Created
// before the first test and destroyed after the last, on the offscreen platform.
#include <QGuiApplication>
#include <gtest/gtest.h>

namespace {

class QtTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override
    {
        if (QCoreApplication::instance())
            return;
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = new QGuiApplication(argc_, argv_);
    }
    void TearDown() override
    {
        delete app_;
        app_ = nullptr;
    }

private:
    int argc_ = 1;
    char name_[13] = "tests_output";
    char* argv_[2] = {name_, nullptr};
    QGuiApplication* app_ = nullptr;
};

[[maybe_unused]] ::testing::Environment* const registered =
    ::testing::AddGlobalTestEnvironment(new QtTestEnvironment);

} // namespace
