#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

// GUI tests build the real windows on the offscreen platform. They run inside
// the application's event loop, as the windows do in the tool, so that waits
// on the device keep the event loop turning as they do there.
int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // Tests close windows; the loop ends only when the tests are done.
    QApplication::setQuitOnLastWindowClosed(false);
    ::testing::InitGoogleTest(&argc, argv);
    int status = 1;
    QTimer::singleShot(0, &app, [&status] {
        status = RUN_ALL_TESTS();
        QApplication::exit(0);
    });
    QApplication::exec();
    return status;
}
