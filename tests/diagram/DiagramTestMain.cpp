// The diagram tests draw real pictures: an application object on the offscreen platform, with the
// faces the program gives its substitutes.
#include <gtest/gtest.h>

#include <QGuiApplication>

#include "diagram/Fonts.h"

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
