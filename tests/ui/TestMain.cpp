// The window tests, offscreen: "kalvon_ui_tests NAME [Qt Test options]" runs the test class of
// NAME.cpp; without a name every class runs in turn. The offscreen platform gets the screens of
// Screens.json: a primary screen of 1280 x 1024 and a smaller one of 1024 x 768 right of it.
#include <QApplication>
#include <QSettings>
#include <QStandardPaths>
#include <cstdio>
#include <cstring>
#include <vector>

#include "diagram/Fonts.h"
#include "tests/ui/UiTestRegistry.h"

int main(int argc, char** argv) {
    const QByteArray platform = qgetenv("QT_QPA_PLATFORM");
    if (platform.isEmpty() || platform == "offscreen")
        qputenv("QT_QPA_PLATFORM", QByteArray("offscreen:configfile=") + KALVON_UI_SCREENS);
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    InstallFontSubstitutes();
    // No test reads or writes the user's own settings.
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation));

    std::vector<char*> options(argv, argv + argc);
    std::vector<std::string> names;
    if (argc > 1 && argv[1][0] != '-') {
        names.push_back(argv[1]);
        options.erase(options.begin() + 1);
    } else {
        for (const auto& [name, run] : UiTests()) names.push_back(name);
    }
    int failed = 0;
    for (const std::string& name : names) {
        const auto test = UiTests().find(name);
        if (test == UiTests().end()) {
            // A test file whose class never registered would otherwise pass without running.
            std::fprintf(stderr, "kalvon_ui_tests: no test class registered as %s\n", name.c_str());
            return 1;
        }
        failed += test->second(int(options.size()), options.data());
    }
    return failed == 0 ? 0 : 1;
}
