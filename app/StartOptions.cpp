// SPDX-License-Identifier: MIT
#include "StartOptions.h"

#include <QCommandLineParser>
#include <QCoreApplication>

#include <cstdio>
#include <vector>

namespace {

// Help and version as options of our own: Qt's --help-all would list the
// window system's options, which a core application does not know. A word
// after one dash is one option, as Qt's own are: "-reverse" is no -r -e -v.
struct Parser {
    QCommandLineParser parser;
    QCommandLineOption help{{QStringLiteral("h"), QStringLiteral("help")}, QStringLiteral("Show this help and exit.")};
    QCommandLineOption version{{QStringLiteral("v"), QStringLiteral("version")},
                               QStringLiteral("Show the version and exit.")};
    QCommandLineOption font{QStringLiteral("font"), QStringLiteral("The window's font family."),
                            QStringLiteral("FAMILY")};

    Parser()
    {
        parser.setApplicationDescription(
            QStringLiteral("Lists and searches the cards of a two-sided card game, read from the\n"
                           "data files corp.txt and runner.txt (Shift-JIS, or UTF-8) in DIR, in a\n"
                           "Japanese window."));
        parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
        parser.addOption(help);
        parser.addOption(version);
        font.setFlags(QCommandLineOption::HiddenFromHelp);
        parser.addOption(font);
        parser.addPositionalArgument(
            QStringLiteral("DIR"),
            QStringLiteral("The folder that holds corp.txt and runner.txt, or one of these files. "
                           "Default: the current folder when it holds either file, else the folder "
                           "opened last time (ファイル > データフォルダを開く), else the sample cards "
                           "installed with the program, else the current folder."),
            QStringLiteral("[DIR]"));
    }
};

}  // namespace

std::optional<int> StartOptions::answerWithoutWindow(int argc, char** argv)
{
    // Named "voxtarn" whatever the path it was started by: the usage line
    // ends up in the manual page.
    char name[] = "voxtarn";
    std::vector<char*> args{name};
    if (argc > 1)
        args.insert(args.end(), argv + 1, argv + argc);
    int count = static_cast<int>(args.size());
    QCoreApplication core(count, args.data());
    // Qt's own options are unknown here: only help and version count.
    const StartOptions options = parse(QCoreApplication::arguments());
    if (options.help) {
        // UTF-8 on every system, as voxtarn-find writes: Windows' local
        // 8-bit encoding is the ANSI code page, which may not hold Japanese.
        std::fputs(Parser().parser.helpText().toUtf8().constData(), stdout);
        return 0;
    }
    if (options.version) {
        std::printf("%s %s\n", name, VOXTARN_VERSION);
        return 0;
    }
    return std::nullopt;
}

StartOptions StartOptions::parse(const QStringList& arguments)
{
    StartOptions options;
    Parser p;
    const bool parsed = p.parser.parse(arguments);
    options.help = p.parser.isSet(p.help);
    options.version = p.parser.isSet(p.version);
    if (!parsed) {
        options.error = p.parser.errorText();
        return options;
    }
    options.font = p.parser.value(p.font);
    const QStringList positional = p.parser.positionalArguments();
    if (positional.size() > 1)
        options.error = QStringLiteral("only one DIR can be given, not %1").arg(positional.size());
    else
        options.dataFolder = positional.value(0);
    return options;
}
