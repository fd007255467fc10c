#include <gtest/gtest.h>

#include <QCoreApplication>

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    // The SQL drivers are plugins and need an application object to be found.
    QCoreApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
