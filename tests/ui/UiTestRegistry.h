// Every window test class registers itself under the name of its file (BoardTest.cpp: "BoardTest");
// the test binary runs the class named on its command line, and ctest has one entry per file.
#pragma once

#include <QTest>
#include <functional>
#include <map>
#include <string>

using TUiTestRun = std::function<int(int argc, char** argv)>;

inline std::map<std::string, TUiTestRun>& UiTests() {
    static std::map<std::string, TUiTestRun> tests;
    return tests;
}

struct TUiTestRegistration {
    TUiTestRegistration(const char* name, TUiTestRun run) { UiTests().emplace(name, std::move(run)); }
};

// Registers test class TName as "Name".
#define KALVON_UI_TEST(Class)                                                                    \
    static const TUiTestRegistration Class##Registration(#Class + 1, [](int argc, char** argv) { \
        Class test;                                                                              \
        return QTest::qExec(&test, argc, argv);                                                  \
    })
