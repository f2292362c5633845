// Runs the tool's tests inside a windowless QGuiApplication, which SVG text rendering needs.
#include <QGuiApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    // Test discovery runs this program at build time too, outside the test environment.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QGuiApplication App(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
