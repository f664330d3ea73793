// kalvon: the desktop program. It works in the folder it is started from; a base file named on the
// command line is opened at start-up as its File menu item would open it.

#include <QApplication>
#include <QDir>
#include <QStringList>
#include <cstdio>

#include "diagram/Fonts.h"
#include "kalvon/Version.h"
#include "ui/DialogService.h"
#include "ui/Icons.h"
#include "ui/MainWindow.h"
#include "ui/Program.h"

namespace {

constexpr const char* Usage =
    "usage: kalvon [FILE.bdt]\n"
    "Opens the program in the current folder, which holds the base files, ini/Tools.ini and the\n"
    "folders add/, update/, Outpbm/, Out/ and help/. FILE.bdt is opened at start-up.\n";

}  // namespace

int main(int argc, char* argv[]) {
    // The usage needs no display: it is answered before the toolkit looks for one.
    QStringList files;
    for (int i = 1; i < argc; ++i) files.append(QString::fromLocal8Bit(argv[i]));
    if (files.contains(QStringLiteral("--help")) || files.contains(QStringLiteral("-h"))) {
        std::fputs(Usage, stdout);
        return 0;
    }
    if (files.contains(QStringLiteral("--version"))) {
        std::puts("kalvon " KALVON_VERSION);
        return 0;
    }
    if (files.size() > 1) {
        std::fprintf(stderr, "kalvon: only one base file can be opened at a time\n%s", Usage);
        return 2;
    }

    QApplication application(argc, argv);
    // No display name: the toolkit would append it to every window title.
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    QApplication::setApplicationVersion(QStringLiteral(KALVON_VERSION));
    QApplication::setWindowIcon(ProgramIcon());
    InstallFontSubstitutes();

    TProgram program(QDir::currentPath(), Dialogs());
    QObject::connect(&program.MainWindow(), &TMainWindow::Closed, &application, &QApplication::quit,
                     Qt::QueuedConnection);
    program.MainWindow().show();
    if (!files.isEmpty()) program.MainWindow().OpenBaseArgument(files.first());
    return QApplication::exec();
}
