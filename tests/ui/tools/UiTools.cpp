// kalvon-ui-tools: work around the windows that is no test.
//   screenshots OUTDIR            the pictures of the user guide (run under xvfb-run for real fonts)
//   measure-load [GAMES] [ROUNDS] opening a generated base through its File menu item, against the
//                                 engine's LoadBase on the same file
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "bench/generator/BaseGenerator.h"
#include "ui/DialogService.h"
#include "ui/Main.h"
#include "ui/Program.h"
#include "ui/Tools.h"
#include "ui/help.h"

namespace {

// Boxes would stop an unattended run: messages go to the terminal, questions answer No.
class TTerminalDialogs final : public IDialogService {
public:
    void Information(QWidget*, const QString& text) override { Print("information", text); }
    void Warning(QWidget*, const QString& text) override { Print("warning", text); }
    void Error(QWidget*, const QString& text) override { Print("error", text); }
    bool Confirm(QWidget*, const QString& text) override {
        Print("question (answered No)", text);
        return false;
    }
    std::optional<QString> InputText(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    void OpenDocument(const QString&) override {}

private:
    static void Print(const char* kind, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }
};

void Settle() {
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
        QThread::msleep(10);
    }
}

bool Save(QWidget* window, const QString& path) {
    Settle();
    const bool saved = window->grab().save(path);
    std::printf("%s %s\n", saved ? "wrote" : "could not write", qPrintable(path));
    return saved;
}

int Screenshots(const QString& outFolder) {
    QDir().mkpath(outFolder);
    const QString out = QDir(outFolder).absolutePath();
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    kalvon::bench::TGeneratorOptions options;
    options.Games = 2000;
    QFile sample(QStringLiteral("sample.bdt"));
    if (!sample.open(QIODevice::WriteOnly)) return 1;
    sample.write(QByteArray::fromStdString(kalvon::bench::GenerateBaseContent(options)));
    sample.close();

    TProgram program;
    TMainForm& main = *program.MainForm;
    main.show();
    main.BaseItems().first()->trigger();
    // The board shows the first twenty moves of a renju game of the base, replayed at once.
    std::string moves;
    for (const kalvon::TPartyRecord& party : program.Base.PartyList)
        if (party.Moves.size() >= 40 && party.Moves.compare(0, 2, "88") == 0) {
            moves = party.Moves.substr(0, 40);
            break;
        }
    program.Base.ForwardMoves = moves;
    main.N16Click();
    bool ok = Save(&main, out + QStringLiteral("/main-window.png"));

    main.Adjustment1Click();
    ok = Save(program.FormT.get(), out + QStringLiteral("/adjustment.png")) && ok;
    program.FormT->hide();
    main.About1Click();
    ok = Save(program.AboutBox.get(), out + QStringLiteral("/about.png")) && ok;
    return ok ? 0 : 1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

int MeasureLoad(size_t games, int rounds) {
    const std::string path = kalvon::bench::BenchBaseFile(games);
    std::printf("base: %s (%zu games), %d rounds\n", path.c_str(), games, rounds);

    // The base is listed in the File menu of a program started in a folder of its own.
    QTemporaryDir work;
    QDir::setCurrent(work.path());
    if (!QFile::link(QString::fromStdString(path), QStringLiteral("big.bdt"))) return 1;

    // The two ways alternate, so that the file cache and the memory allocator favour neither; each
    // round starts a new program, so that every opening is a first one.
    std::vector<double> engine, window;
    for (int round = 0; round < rounds; ++round) {
        {
            kalvon::TGameBase base;
            kalvon::TSilentUi silent;
            QElapsedTimer timer;
            timer.start();
            kalvon::LoadBase(base, path, silent);
            engine.push_back(timer.nsecsElapsed() / 1e6);
        }
        TProgram program;
        TMainForm& main = *program.MainForm;
        main.show();
        Settle();
        QAction* item = main.BaseItems().first();
        QElapsedTimer timer;
        timer.start();
        item->trigger();
        const bool titled = main.windowTitle() == QLatin1String("big.bdt");
        window.push_back(timer.nsecsElapsed() / 1e6);
        if (!titled || program.Base.PartyList.size() != games) {
            std::fprintf(stderr, "the base was not opened\n");
            return 1;
        }
        std::printf("round %d: engine %.1f ms, window %.1f ms\n", round + 1, engine.back(), window.back());
    }
    const double e = Median(engine), w = Median(window);
    std::printf("engine LoadBase:            median %8.1f ms\n", e);
    std::printf("menu item to title (window): median %8.1f ms\n", w);
    std::printf("ratio window / engine:       %.3f\n", w / e);
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    SetDialogService(std::make_unique<TTerminalDialogs>());
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("screenshots")) return Screenshots(args[2]);
    if (args.size() >= 2 && args[1] == QLatin1String("measure-load")) {
        const size_t games = args.size() >= 3 ? args[2].toULongLong() : 1'000'000;
        const int rounds = args.size() >= 4 ? args[3].toInt() : 5;
        if (games == 0 || rounds <= 0) return 2;
        return MeasureLoad(games, rounds);
    }
    std::fputs("usage: kalvon-ui-tools screenshots OUTDIR | measure-load [GAMES] [ROUNDS]\n", stderr);
    return 2;
}
