#include "shell/commandline.h"

#include "platform/datafolder.h"
#include "platform/versiontext.h"
#include "shell/commands/commands.h"
#include "shell/installcheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>

#include <cstring>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

// Qt's own window options, with and without a value: a start with only
// these opens the window.
constexpr const char *WindowOptionsWithValue[] = {
    "-platform", "-platformpluginpath", "-platformtheme", "-plugin", "-style", "-stylesheet",
    "-display", "-geometry", "-qwindowgeometry", "-qwindowtitle", "-qwindowicon", "-name",
    "-title", "-session"};
constexpr const char *WindowFlags[] = {"-reverse", "-widgetcount", "-nograb", "-dograb", "-sync"};

template <std::size_t N>
bool oneOf(const char *arg, const char *const (&names)[N])
{
    for (const char *name : names)
        if (std::strcmp(arg, name) == 0)
            return true;
    return false;
}

QCommandLineOption checkInstallOption()
{
    return QCommandLineOption(
        QStringLiteral("check-install"),
        QCoreApplication::translate(
            "CommandLine",
            "Report where the data folder, site library, its checker and the help file are "
            "found and how many products and sites there are; exit code 0 when all "
            "are found, 1 otherwise (the missing one is named)."));
}

int checkInstall()
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const DataFolder::Choice data = DataFolder::forThisProgram();
    if (!data.message.isEmpty())
        out << data.message << '\n';
    const InstallCheck::Report report =
        InstallCheck::run(data.folder, QCoreApplication::applicationDirPath());
    for (const QString &line : report.lines)
        out << line << '\n';
    out.flush();
    for (const QString &problem : report.problems)
        err << problem << '\n';
    return report.ok() ? 0 : 1;
}

} // namespace

namespace CommandLine {

Mode modeFor(int argc, const char *const argv[])
{
    for (int a = 1; a < argc; ++a) {
        if (oneOf(argv[a], WindowOptionsWithValue)) {
            ++a;
            continue;
        }
        if (oneOf(argv[a], WindowFlags))
            continue;
        return Commands::opensPages(QString::fromLocal8Bit(argv[a])) ? Mode::AnswerPages
                                                                     : Mode::Answer;
    }
    return Mode::Window;
}

int handle()
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        tr("Keeps a catalogue of your software products in PAD terms and submits them to "
           "download sites."));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addOption(checkInstallOption());

    QTextStream out(stdout);
    QTextStream err(stderr);
    const QStringList arguments = QCoreApplication::arguments();
    if (Commands::isCommand(arguments.value(1))) {
        QFile standardOutput;
        QFile standardError;
        standardOutput.open(stdout, QIODevice::WriteOnly);
        standardError.open(stderr, QIODevice::WriteOnly);
        Commands::Context context;
        context.dataFolder = DataFolder::forThisProgram().folder;
        context.programFolder = QCoreApplication::applicationDirPath();
        context.out = &standardOutput;
        context.err = &standardError;
        return Commands::run(arguments.mid(1), context);
    }
    if (!parser.parse(arguments)) {
        err << parser.errorText() << '\n' << tr("Try --help.") << '\n';
        return Commands::BadInput;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << tr("Unknown command '%1'.").arg(parser.positionalArguments().first()) << '\n'
            << tr("Try --help.") << '\n';
        return Commands::BadInput;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        out << parser.helpText() << '\n' << Commands::overview();
        return 0;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << VersionText::program() << '\n';
        return 0;
    }
    if (parser.isSet(checkInstallOption()))
        return checkInstall();
    return -1;
}

} // namespace CommandLine
