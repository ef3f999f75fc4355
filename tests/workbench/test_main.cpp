// Test entry of the desktop program's tests: a QApplication on the offscreen
// platform with a fixed screen, then every test.
#include <gtest/gtest.h>

#include "workbench/workbench_app.h"

int main(int argc, char** argv) {
    // Test discovery runs the program without the tests' environment.
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" WORKBENCH_SCREEN_CONFIG);
    gramarbor::TWorkbenchApp app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
