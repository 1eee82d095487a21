#include <QCoreApplication>

#include <gtest/gtest.h>

// Integration tests drive Qt sockets and serial ports, which need an
// application object even when no event loop runs.
int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
