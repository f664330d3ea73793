// The window tests: every test class of this folder, run in turn, offscreen.
#include <QApplication>

int RunStartupTest(int argc, char** argv);
int RunFileCommandsTest(int argc, char** argv);
int RunBoardTest(int argc, char** argv);
int RunMovesTest(int argc, char** argv);
int RunToolsTest(int argc, char** argv);
int RunStatisticTest(int argc, char** argv);
int RunQueryTest(int argc, char** argv);
int RunTransformTest(int argc, char** argv);

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    int failed = 0;
    for (auto run : {RunStartupTest, RunFileCommandsTest, RunBoardTest, RunMovesTest, RunToolsTest,
                     RunStatisticTest, RunQueryTest, RunTransformTest})
        failed += run(argc, argv);
    return failed == 0 ? 0 : 1;
}
