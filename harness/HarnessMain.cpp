// Test entry: a QApplication on the offscreen platform with the Chinese UI
// font, so that every test can create widgets and dispatch events.

#include <QApplication>
#include <QFont>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    QApplication::setFont(QFont(QStringLiteral("WenQuanYi Zen Hei"), 10));
    return RUN_ALL_TESTS();
}
