// kalvon-ui-tools: work around the windows that is no test.
//   screenshots OUTDIR            the pictures of the user guide (run under xvfb-run for real fonts)
//   measure-load [GAMES] [ROUNDS] opening a generated base through its File menu item, against the
//                                 engine's LoadBase on the same file
//   measure-click [GAMES] [ROUNDS] [--browsers]
//                                 a click on the board that plays a move with "Statistic Show" on
//                                 (search, memo, labels, stone; with --browsers the navigator and the
//                                 listing window open and refreshed), against the engine's
//                                 MakeStatistic for the position after the move
//   measure-memory [GAMES]        the resident memory of the program: held after opening a generated
//                                 base through its File menu item (the search index built), and the
//                                 peaks of the opening, of saving the base and of the copy that
//                                 "Save as ..." makes, against the file's size
//   measure-listing [GAMES] [ROUNDS]
//                                 "Listing Games" on the empty board's selection (every game): from
//                                 the command to the end of the window's first paint, and the heap's
//                                 growth per listed game
//   measure-diagram [GAMES] [PNG] the diagram window ("Truncated") on the empty board's selection:
//                                 from opening it to its first paint, the heap's growth per listed
//                                 game, the popup of its list, and a game chosen from the middle;
//                                 with PNG, a picture of the window with the game chosen
#include <malloc.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QListView>
#include <QMouseEvent>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QThread>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "base/BaseFile.h"
#include "base/BaseUi.h"
#include "base/Symmetry.h"
#include "diagram/DiagramPictures.h"
#include "diagram/Fonts.h"
#include "generator/BaseGenerator.h"
#include "search/Statistic.h"
#include "ui/AboutDialog.h"
#include "ui/BoardArea.h"
#include "ui/BoardPainter.h"
#include "ui/DiagramWindow.h"
#include "ui/DialogService.h"
#include "ui/GameEntryDialog.h"
#include "ui/LetterMarksDialog.h"
#include "ui/ListingWindow.h"
#include "ui/MainWindow.h"
#include "ui/NavigatorWindow.h"
#include "ui/Program.h"
#include "ui/QueryDialog.h"
#include "ui/Session.h"
#include "ui/SettingsDialog.h"
#include "ui/VcfCommand.h"

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
    bool ConfirmDefaultNo(QWidget*, const QString& text) override {
        Print("question (answered No)", text);
        return false;
    }
    TAnswer Ask(QWidget*, const QString& text) override {
        Print("question (answered No)", text);
        return TAnswer::No;
    }
    int Choose(QWidget*, const QString& text, const QStringList& buttons, int) override {
        Print("question (answered with its last button)", text);
        return int(buttons.size()) - 1;
    }
    std::optional<int> ChooseItem(QWidget*, const QString&, const QString& text, const QStringList&,
                                  int) override {
        Print("list (cancelled)", text);
        return {};
    }
    std::optional<QString> InputText(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QString> SaveFileName(QWidget*, const QString&, const QString&, const QString&) override {
        return {};
    }
    std::optional<QStringList> OpenFileNames(QWidget*, const QString&, const QString&,
                                             const QString&) override {
        return {};
    }
    std::optional<QString> FolderName(QWidget*, const QString&, const QString&) override { return {}; }
    void OpenDocument(const QString&) override {}

private:
    static void Print(const char* kind, const QString& text) {
        std::fprintf(stderr, "%s: %s\n", kind, qPrintable(text));
    }
};

// Triggers the main window's command of that object name, as its menu item does.
void Command(QWidget& main, const char* name) {
    if (QAction* action = main.findChild<QAction*>(QLatin1String(name))) action->trigger();
}

// Puts the moves on the board as a continuation and replays them all, as "In End" does.
void ShowGame(TProgram& program, std::string_view moves) {
    program.Session.ClearBoard();
    for (size_t i = 0; i + 2 <= moves.size(); i += 2) program.Session.PlayMove(moves.substr(i, 2));
    program.Session.GoToStart();
    program.Session.GoToEnd();
}

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

// The diagram window over the real games, its letters window, and diagrams of three real games.
bool DiagramScreenshots(TProgram& program, const QString& out) {
    program.Session.Search();
    TDiagramWindow& window = program.DiagramWindow();
    window.Open();
    auto* games = window.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    auto choose = [&](int line) {
        games->setCurrentIndex(line);
        window.ChooseGame(line);
    };
    choose(11);
    bool ok = Save(&window, out + QStringLiteral("/diagram-window.png"));
    window.EditLetters();
    ok = Save(&program.LetterMarksDialog(), out + QStringLiteral("/letters.png")) && ok;
    program.LetterMarksDialog().Cancel();

    auto picture = [&](const QString& name) {
        const QImage image = DiagramImage(window.CurrentDiagram());
        const bool saved = image.save(out + QLatin1Char('/') + name);
        std::printf("%s %s/%s\n", saved ? "wrote" : "could not write", qPrintable(out), qPrintable(name));
        return saved;
    };
    ok = picture(QStringLiteral("diagram-cut.png")) && ok;
    choose(40);
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->click();
    ok = picture(QStringLiteral("diagram-full.png")) && ok;
    // The caption boxes go off first: once "Full Diagram" is off they are disabled, marks and all.
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox3"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox2"))->click();
    window.findChild<QCheckBox*>(QStringLiteral("CheckBox1"))->click();
    choose(7);
    window.findChild<QSpinBox*>(QStringLiteral("SpinEdit1"))->setValue(10);
    ok = picture(QStringLiteral("diagram-from-move-10.png")) && ok;
    window.hide();
    return ok;
}

// The statistics of a position of ten moves from real games, and the query dialog over them.
bool StatisticsScreenshots(const QString& out) {
    const QString real = QStringLiteral(KALVON_SHARED_DATA "/gomocup-standard-2021.bdt");
    if (!QFile::exists(real)) {
        std::printf("no statistics pictures: %s is missing\n", qPrintable(real));
        return false;
    }
    QFile::remove(QStringLiteral("gomocup-2021.bdt"));
    if (!QFile::copy(real, QStringLiteral("gomocup-2021.bdt"))) return false;
    TProgram program(QDir::currentPath(), Dialogs());
    TMainWindow& main = program.MainWindow();
    main.show();
    main.OpenBaseArgument(QStringLiteral("gomocup-2021.bdt"));

    // The ten-move opening of a game with the most different continuations in the base, searched in
    // a copy of the base with an index of its own.
    kalvon::TGameBase base = program.Session.Base();
    kalvon::TPositionIndex index;
    std::string position;
    size_t most = 0;
    for (const kalvon::TPartyRecord& party : base.PartyList) {
        if (kalvon::ValidMoveCount(party.Moves) <= 10) continue;
        base.CurrentMoves = party.Moves.substr(0, 20);
        const size_t next =
            kalvon::MakeStatistic(base, program.Session.Criteria(), index).NextMoveTable.size();
        if (next > most) {
            most = next;
            position = base.CurrentMoves;
        }
    }
    ShowGame(program, position);
    main.findChild<QAction*>(QStringLiteral("StatisticShow"))->trigger();
    bool ok = Save(&main, out + QStringLiteral("/statistics.png"));

    Command(main, "Execute1");
    QWidget* query = &program.QueryDialog();
    query->findChild<QCheckBox*>(QStringLiteral("cb2"))->click();
    query->findChild<QComboBox*>(QStringLiteral("cbTurn"))->setCurrentIndex(0);
    query->findChild<QCheckBox*>(QStringLiteral("cb3"))->click();
    query->findChild<QComboBox*>(QStringLiteral("cbPlayer"))->setEditText(QStringLiteral("EMBRYO21.S"));
    query->findChild<QRadioButton*>(QStringLiteral("rgColorBlack"))->click();
    ok = Save(query, out + QStringLiteral("/query.png")) && ok;
    query->hide();
    return DiagramScreenshots(program, out) && ok;
}

// The games of the real base after the two moves of its first game in the navigator and the listing window,
// and the entry dialog over the game opened from the navigator's second panel.
bool BrowsingScreenshots(const QString& out) {
    TProgram program(QDir::currentPath(), Dialogs());
    TMainWindow& main = program.MainWindow();
    main.show();
    main.OpenBaseArgument(QStringLiteral("gomocup-2021.bdt"));
    ShowGame(program, program.Session.Base().PartyList.front().Moves.substr(0, 4));
    program.Session.Search();
    Command(main, "NavigatorShow1");
    Command(main, "ListingGames1");
    program.NavigatorWindow().PanelClicked(2);
    bool ok = Save(&program.NavigatorWindow(), out + QStringLiteral("/navigator.png"));
    ok = Save(&program.ListingWindow(), out + QStringLiteral("/listing.png")) && ok;
    Command(main, "SaveGame1");
    ok = Save(&program.GameEntryDialog(), out + QStringLiteral("/entry-dialog.png")) && ok;
    return ok;
}

// The rules on the board: black's forbidden points, each with its red cross, and white's threat (the
// VCF white would have if it were to move) marked by numbers.
bool RulesScreenshot(TProgram& program, const QString& out) {
    TMainWindow& main = program.MainWindow();
    ShowGame(program, "7811983189518A71B391C3B1D3D1E413E515E6172D193DF94DFB6DFD7DFF");
    Command(main, "FindThreat1");
    while (const TVcfCommand* search = main.findChild<TVcfCommand*>()) {
        if (!search->Running()) break;
        Settle();
    }
    return Save(&main, out + QStringLiteral("/rules.png"));
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

    TProgram program(QDir::currentPath(), Dialogs());
    TMainWindow& main = program.MainWindow();
    main.show();
    main.BaseItems().first()->trigger();
    // The board shows the first twenty moves of a renju game of the base, replayed at once.
    std::string moves;
    for (const kalvon::TPartyRecord& party : program.Session.Base().PartyList)
        if (party.Moves.size() >= 40 && party.Moves.compare(0, 2, "88") == 0) {
            moves = party.Moves.substr(0, 40);
            break;
        }
    ShowGame(program, moves);
    bool ok = Save(&main, out + QStringLiteral("/main-window.png"));

    Command(main, "Adjustment1");
    ok = Save(&program.SettingsDialog(), out + QStringLiteral("/adjustment.png")) && ok;
    program.SettingsDialog().hide();
    Command(main, "About1");
    ok = Save(&program.AboutDialog(), out + QStringLiteral("/about.png")) && ok;
    program.AboutDialog().hide();
    ok = RulesScreenshot(program, out) && ok;
    ok = StatisticsScreenshots(out) && ok;
    return BrowsingScreenshots(out) && ok ? 0 : 1;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Works in the folder work with the generated base at path as big.bdt: linked, or copied where the
// program writes to it.
bool EnterWithBase(const QTemporaryDir& work, const std::string& path, bool copy = false) {
    QDir::setCurrent(work.path());
    const QString from = QString::fromStdString(path), to = QStringLiteral("big.bdt");
    return copy ? QFile::copy(from, to) : QFile::link(from, to);
}

// Shows the main window, opens big.bdt through the File menu and selects every game of it, as the
// statistic of the empty board does.
void OpenAndListEveryGame(TProgram& program) {
    TMainWindow& main = program.MainWindow();
    main.show();
    main.BaseItems().first()->trigger();
    Settle();
    program.Session.Search();
}

int MeasureLoad(size_t games, int rounds) {
    const std::string path = kalvon::bench::BenchBaseFile(games);
    std::printf("base: %s (%zu games), %d rounds\n", path.c_str(), games, rounds);

    // The base is listed in the File menu of a program started in a folder of its own.
    QTemporaryDir work;
    if (!EnterWithBase(work, path)) return 1;

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
        TProgram program(QDir::currentPath(), Dialogs());
        TMainWindow& main = program.MainWindow();
        main.show();
        Settle();
        QAction* item = main.BaseItems().first();
        QElapsedTimer timer;
        timer.start();
        item->trigger();
        const bool titled = main.windowTitle() == QLatin1String("big.bdt");
        window.push_back(timer.nsecsElapsed() / 1e6);
        if (!titled || program.Session.Base().PartyList.size() != games) {
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

// A field of /proc/self/status in kilobytes ("VmRSS", "VmHWM").
long StatusKilobytes(const char* field) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(line.indexOf(':') + 1).trimmed().split(' ').first().toLong();
    return -1;
}

// Starts the peak of the resident size over from the present size.
void ResetPeak() {
    QFile refs(QStringLiteral("/proc/self/clear_refs"));
    if (refs.open(QIODevice::WriteOnly)) refs.write("5");
}

int MeasureMemory(size_t games) {
    const std::string path = kalvon::bench::BenchBaseFile(games);
    const double file = double(QFileInfo(QString::fromStdString(path)).size()) / 1024;
    std::printf("base: %s (%zu games, %.0f KB)\n", path.c_str(), games, file);
    QTemporaryDir work;
    if (!EnterWithBase(work, path, true)) return 1;

    TProgram program(QDir::currentPath(), Dialogs());
    TMainWindow& main = program.MainWindow();
    main.show();
    Settle();
    const long before = StatusKilobytes("VmRSS");
    ResetPeak();
    main.BaseItems().first()->trigger();
    if (program.Session.Base().PartyList.size() != games ||
        !program.Session.Index().IsBuiltFor(program.Session.Base())) {
        std::fprintf(stderr, "the base was not opened with its index\n");
        return 1;
    }
    const long held = StatusKilobytes("VmRSS") - before, loadPeak = StatusKilobytes("VmHWM") - before;
    auto line = [&](const char* what, long kilobytes) {
        std::printf("%-38s %9ld KB  %.2f x the file\n", what, kilobytes, double(kilobytes) / file);
    };
    std::printf("program before opening:                %9ld KB\n", before);
    line("held after opening (index included):", held);
    line("peak of the opening, over the start:", loadPeak);

    kalvon::TSilentUi silent;
    ResetPeak();
    const long beforeSave = StatusKilobytes("VmRSS");
    if (!kalvon::SaveBase(program.Session.Base(), "big.bdt", silent)) return 1;
    line("peak of saving, over what is held:", StatusKilobytes("VmHWM") - beforeSave);
    ResetPeak();
    const long beforeCopy = StatusKilobytes("VmRSS");
    std::string error;
    if (!kalvon::CopyBaseFile("big.bdt", "copy.bdt", error)) return 1;
    line("peak of the \"Save as ...\" copy, over it:", StatusKilobytes("VmHWM") - beforeCopy);
    line("whole program's peak:", StatusKilobytes("VmHWM"));
    return 0;
}

// A press and a release of the left button at the point, delivered as the window system delivers them.
void ClickPoint(TProgram& program, std::string_view code) {
    TMainWindow& main = program.MainWindow();
    TBoardArea* box = main.findChild<TBoardArea*>(QStringLiteral("PaintBox1"));
    const std::optional<TBoardPoint> point = PointOfCode(code);
    const TBoardGeometry geometry(program.Session.Settings().MoveDiameter);
    const QPointF at(geometry.X(point->Column), geometry.Y(point->Row));
    const QPointF global = box->mapToGlobal(at);
    QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(box, &press);
    QApplication::sendEvent(box, &release);
}

int MeasureClick(size_t games, int rounds, bool browsers) {
    const std::string path = kalvon::bench::BenchBaseFile(games);
    std::printf("base: %s (%zu games), %d rounds, median of each\n", path.c_str(), games, rounds);
    QTemporaryDir work;
    if (!EnterWithBase(work, path)) return 1;

    TProgram program(QDir::currentPath(), Dialogs());
    TMainWindow& main = program.MainWindow();
    main.show();
    Settle();
    main.findChild<QAction*>(QStringLiteral("StatisticShow"))->trigger();
    main.BaseItems().first()->trigger();
    const kalvon::TGameBase& base = program.Session.Base();
    if (base.PartyList.size() != games) {
        std::fprintf(stderr, "the base was not opened\n");
        return 1;
    }
    if (browsers) {
        Command(main, "NavigatorShow1");
        Command(main, "ListingGames1");
        Settle();
        if (!program.NavigatorWindow().isVisible() || !program.ListingWindow().isVisible()) {
            std::fprintf(stderr, "the browsing windows did not open\n");
            return 1;
        }
        std::printf("navigator (%d panels) and listing window open\n",
                    program.NavigatorWindow().PanelCount());
    }

    // One game of the base, stepped through as a player would.
    std::string game;
    for (size_t k = 0; k < base.PartyList.size() && game.empty(); ++k) {
        const std::string_view moves =
            base.PartyList[(base.PartyList.size() / 3 + k * 7919) % base.PartyList.size()].Moves;
        if (kalvon::ValidMoveCount(moves) >= 26) game = moves.substr(0, 52);
    }

    std::printf("%6s %9s %13s %12s %12s %8s %14s %8s\n", "moves", "games", "labels", "engine ms", "click ms",
                "ratio", "+repaint ms", "ratio");
    for (const size_t moves : {1, 2, 3, 5, 9, 15, 25}) {
        const std::string before = game.substr(0, 2 * moves - 2), after = game.substr(0, 2 * moves);
        std::vector<double> engine, click, painted;
        size_t listed = 0, labels = 0, labelsBefore = 0;
        // The board shows the position before the move with its labels, as after the last click.
        auto prepare = [&] {
            program.Session.ClearBoard();
            ShowGame(program, before);
            program.Session.Search();
            QApplication::processEvents();
        };
        for (int round = 0; round < rounds; ++round) {
            // Each of the two starts from the same state, the window's own search data having just
            // served the position before the move, so that neither finds the caches warmer.
            prepare();
            QElapsedTimer timer;
            {
                // The session's own move and search, unheard by the windows.
                const QSignalBlocker unheard(program.Session);
                timer.start();
                program.Session.PlayMove(std::string_view(after).substr(2 * moves - 2));
                engine.push_back(timer.nsecsElapsed() / 1e6);
            }
            const kalvon::TListing listing = base.Listing;

            prepare();
            labelsBefore = program.Session.AlfMoves().size() / 2;
            timer.restart();
            ClickPoint(program, std::string_view(after).substr(2 * moves - 2));

            click.push_back(timer.nsecsElapsed() / 1e6);
            QApplication::processEvents();
            painted.push_back(timer.nsecsElapsed() / 1e6);
            if (base.CurrentMoves != after) {
                std::fprintf(stderr, "the click did not play the move\n");
                return 1;
            }
            if (base.Listing != listing) {
                std::fprintf(stderr, "the window and the engine disagree\n");
                return 1;
            }
            listed = listing.size();
            labels = program.Session.AlfMoves().size() / 2;
        }
        const double e = Median(engine), c = Median(click), p = Median(painted);
        std::printf("%6zu %9zu %6zu->%-5zu %12.3f %12.3f %8.2f %14.3f %8.2f\n", moves, listed, labelsBefore,
                    labels, e, c, c / e, p, p / e);
    }
    return 0;
}

// The heap in use: the allocator's arenas and its mapped blocks.
size_t HeapInUse() {
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

int MeasureListing(size_t games, int rounds) {
    const std::string path = kalvon::bench::BenchBaseFile(games);
    std::printf("base: %s (%zu games), %d rounds\n", path.c_str(), games, rounds);
    QTemporaryDir work;
    if (!EnterWithBase(work, path)) return 1;

    TProgram program(QDir::currentPath(), Dialogs());
    TMainWindow& main = program.MainWindow();
    OpenAndListEveryGame(program);
    const size_t listed = program.Session.Base().Listing.size();
    QAction* command = main.findChild<QAction*>(QStringLiteral("ListingGames1"));
    TListingWindow& listing = program.ListingWindow();
    QListView* view = listing.findChild<QListView*>(QStringLiteral("clbPartys"));
    QWidget* lines = view->viewport();

    struct TPaintSeen final : QObject {
        bool Seen = false;
        bool eventFilter(QObject*, QEvent* event) override {
            if (event->type() == QEvent::Paint) Seen = true;
            return false;
        }
    } paint;
    lines->installEventFilter(&paint);
    std::vector<double> times, laid, bytes;
    for (int round = 0; round < rounds; ++round) {
        // Every round is a first opening: the window gives back what the last one took.
        listing.hide();
        Settle();
        paint.Seen = false;
        const size_t heap = HeapInUse();
        QElapsedTimer timer;
        timer.start();
        command->trigger();
        while (!paint.Seen) QApplication::processEvents();
        times.push_back(timer.nsecsElapsed() / 1e6);
        // The rest of the lines are laid out in batches while the window already shows.
        QScrollBar* bar = view->verticalScrollBar();
        const QModelIndex last = view->model()->index(int(listed) - 1, 0);
        while (view->visualRect(last).isEmpty() ||
               bar->maximum() < int(listed) - view->viewport()->height() / 14)
            QApplication::processEvents();
        laid.push_back(timer.nsecsElapsed() / 1e6);
        bytes.push_back((double(HeapInUse()) - double(heap)) / double(listed));
        std::printf("round %d: %.1f ms to the first paint, %.1f ms to the last line, %+.2f bytes per game\n",
                    round + 1, times.back(), laid.back(), bytes.back());
    }
    std::printf("listed games:                 %zu\n", listed);
    std::printf("command to first paint:       median %8.1f ms\n", Median(times));
    std::printf("command to last line laid out: median %7.1f ms\n", Median(laid));
    std::printf("heap growth per listed game:  median %8.2f bytes, first round %.2f bytes\n", Median(bytes),
                bytes.front());
    return 0;
}

int MeasureDiagram(size_t games, const QString& picture) {
    const std::string path = kalvon::bench::BenchBaseFile(games);
    std::printf("base: %s (%zu games)\n", path.c_str(), games);
    QTemporaryDir work;
    if (!EnterWithBase(work, path)) return 1;
    TProgram program(QDir::currentPath(), Dialogs());
    OpenAndListEveryGame(program);
    const size_t listed = program.Session.Base().Listing.size();
    TDiagramWindow& form = program.DiagramWindow();
    auto* list = form.findChild<QComboBox*>(QStringLiteral("ComboBox1"));
    const size_t heap = HeapInUse();
    QElapsedTimer timer;
    timer.start();
    form.Open();
    Settle();
    const double opened = timer.nsecsElapsed() / 1e6;
    const double bytes = (double(HeapInUse()) - double(heap)) / double(listed);
    timer.restart();
    list->showPopup();
    Settle();
    const double popup = timer.nsecsElapsed() / 1e6;
    if (!picture.isEmpty()) {
        // The screen with the list dropped down, beside the picture of the window.
        const QRect area = form.frameGeometry().united(list->view()->window()->geometry());
        QString shown = picture;
        shown.insert(shown.lastIndexOf(QLatin1Char('.')), QStringLiteral("-list"));
        if (!QGuiApplication::primaryScreen()
                 ->grabWindow(0, area.x(), area.y(), area.width(), area.height())
                 .save(shown))
            return 1;
    }
    list->hidePopup();
    const int middle = list->count() / 2;
    list->setCurrentIndex(middle);
    form.ChooseGame(middle);
    Settle();
    std::printf("listed games:              %zu, lines in the list: %d\n", listed, list->count());
    std::printf("opening to first paint:    %8.1f ms\n", opened);
    std::printf("heap growth per game:      %8.2f bytes\n", bytes);
    std::printf("popup of the list:         %8.1f ms\n", popup);
    std::printf("chosen line %d:            %s\n", middle,
                form.findChild<QLabel*>(QStringLiteral("Label2"))->text().toUtf8().constData());
    if (!picture.isEmpty() && !form.grab().save(picture)) return 1;
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Kalvon"));
    InstallFontSubstitutes();
    SetDialogService(std::make_unique<TTerminalDialogs>());
    const QStringList args = QApplication::arguments();
    if (args.size() >= 3 && args[1] == QLatin1String("screenshots")) return Screenshots(args[2]);
    if (args.size() >= 2 && args[1] == QLatin1String("measure-load")) {
        const size_t games = args.size() >= 3 ? args[2].toULongLong() : 1'000'000;
        const int rounds = args.size() >= 4 ? args[3].toInt() : 5;
        if (games == 0 || rounds <= 0) return 2;
        return MeasureLoad(games, rounds);
    }
    if (args.size() >= 2 && args[1] == QLatin1String("measure-click")) {
        const size_t games = args.size() >= 3 ? args[2].toULongLong() : 1'000'000;
        const int rounds = args.size() >= 4 ? args[3].toInt() : 51;
        if (games == 0 || rounds <= 0) return 2;
        return MeasureClick(games, rounds, args.contains(QLatin1String("--browsers")));
    }
    if (args.size() >= 2 && args[1] == QLatin1String("measure-memory")) {
        const size_t games = args.size() >= 3 ? args[2].toULongLong() : 1'000'000;
        return games == 0 ? 2 : MeasureMemory(games);
    }
    if (args.size() >= 2 && args[1] == QLatin1String("measure-listing")) {
        const size_t games = args.size() >= 3 ? args[2].toULongLong() : 1'000'000;
        const int rounds = args.size() >= 4 ? args[3].toInt() : 5;
        if (games == 0 || rounds <= 0) return 2;
        return MeasureListing(games, rounds);
    }
    if (args.size() >= 2 && args[1] == QLatin1String("measure-diagram")) {
        const size_t games = args.size() >= 3 ? args[2].toULongLong() : 1'000'000;
        return games == 0 ? 2 : MeasureDiagram(games, args.size() >= 4 ? args[3] : QString());
    }
    std::fputs(
        "usage: kalvon-ui-tools screenshots OUTDIR | measure-load [GAMES] [ROUNDS] | "
        "measure-click [GAMES] [ROUNDS] [--browsers] | measure-memory [GAMES] | measure-listing [GAMES] "
        "[ROUNDS] | "
        "measure-diagram [GAMES] [PNG]\n",
        stderr);
    return 2;
}
