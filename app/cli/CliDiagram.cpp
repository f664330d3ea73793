#include "app/cli/CliDiagram.h"

#include <QGuiApplication>
#include <filesystem>
#include <iostream>

#include "app/cli/CliUsage.h"
#include "base/SafeFile.h"
#include "base/SettingsFile.h"
#include "base/TextPolicy.h"
#include "diagram/DiagramPictures.h"
#include "diagram/Fonts.h"
#include "diagram/LetterMarks.h"

namespace kalvon::cli {

namespace {

std::optional<long> Number(const std::string& text) {
    if (text.empty() || text.size() > 9 || text.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stol(text);
}

// The move diameter and font of the working folder's settings, as the window reads them at start;
// without a settings file the defaults.
TDisplaySettings WorkingFolderSettings() {
    TDisplaySettings settings;
    std::error_code ignored;
    if (!std::filesystem::exists(SettingsPath, ignored)) return settings;
    std::string error;
    const std::optional<TSettingsFile> file = ReadSettingsFile(SettingsPath, error);
    if (!file) return settings;
    TParameterList list = file->Section(ParametersSection);
    if (!ReadDisplaySettings(list, settings))
        std::cerr << "kalvon-cli: " << SettingsPath
                  << ": a number cannot be read; the values before it are used.\n";
    return settings;
}

}  // namespace

int RunDiagram(const TArguments& args) {
    std::vector<std::string> positional;
    TDiagramOptions options;
    std::string marks;
    std::optional<long> num;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--full") {
            options.Full = true;
        } else if (arg == "--caption") {
            options.Caption = true;
        } else if (arg == "--commentary") {
            options.Commentary = true;
        } else if (arg == "--num" || arg == "--marks") {
            if (i + 1 == args.size()) return BadArguments(arg + " needs a value");
            const std::string& value = args[++i];
            if (arg == "--num") {
                num = Number(value);
                if (!num) return BadArguments("--num takes a move number from 0: " + value);
            } else {
                std::string error;
                const std::optional<std::string> parsed = ParseLetterMarks(value, error);
                if (!parsed) return BadArguments("--marks: " + error);
                marks = *parsed;
            }
        } else if (arg.rfind("--", 0) == 0) {
            return BadArguments("unknown option " + arg);
        } else {
            positional.push_back(arg);
        }
    }
    if (positional.size() != 3) return BadArguments(Usage("diagram"));
    const std::string& out = positional[2];
    const std::optional<TPictureFormat> format = PictureFormatOf(QString::fromStdString(out));
    if (!format) return BadArguments("the picture must end in .bmp, .emf, .png or .svg: " + out);
    const std::optional<long> number = Number(positional[1]);
    if (!number) return BadArguments("NUMBER is a game's number in the base, from 1: " + positional[1]);

    TGameBase base;
    if (!LoadBaseForCommand(base, positional[0])) return ExitFailure;
    if (*number < 1 || size_t(*number) > base.PartyList.size())
        return BadArguments("the base has " + std::to_string(base.PartyList.size()) + " games, not game " +
                            positional[1]);

    TDiagram diagram = DiagramOfGame(base, *number - 1);
    const long moves = long(diagram.Moves.size() / 2);
    if (num && *num > moves)
        return BadArguments("--num " + std::to_string(*num) + " is beyond the game's " +
                            std::to_string(moves) + " moves");
    options.WithNum = num.value_or(1);
    diagram.Options = options;
    diagram.LetterMarks = marks;

    // Pictures are drawn without a display, with the faces the window uses.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt's notes on the offscreen platform and the runtime folder are no messages of the tool.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
        if (type == QtCriticalMsg || type == QtFatalMsg)
            std::cerr << "kalvon-cli: " << text.toStdString() << '\n';
    });
    int argc = 1;
    char name[] = "kalvon-cli";
    char* argv[] = {name, nullptr};
    QGuiApplication application(argc, argv);
    InstallFontSubstitutes();
    const TDisplaySettings settings = WorkingFolderSettings();
    diagram.Diameter = settings.DiameterMoves;
    diagram.MoveFont =
        QFont(QString::fromStdString(TextPolicy().ToUtf8(settings.FontMove)), settings.FontSize);
    diagram.MoveFont.setBold(settings.Bold);
    diagram.MoveFont.setItalic(settings.Italic);

    const QByteArray picture = DiagramPicture(diagram, *format);
    std::string error;
    if (!WriteFileReplacing(out, std::string_view(picture.constData(), size_t(picture.size())), error,
                            TReplaceOptions{.FollowLink = false}))
        return Failure("kalvon-cli: " + error);
    return ExitOk;
}

}  // namespace kalvon::cli
