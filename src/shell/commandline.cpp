#include "shell/commandline.h"

#include "platform/datafolder.h"
#include "platform/versiontext.h"
#include "shell/installcheck.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

#include <cstring>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("CommandLine", text);
}

constexpr const char *OptionNames[] = {"-h", "--help", "-?", "--help-all", "-v", "--version",
                                       "--check-install"};

QCommandLineOption checkInstallOption()
{
    return QCommandLineOption(
        QStringLiteral("check-install"),
        QCoreApplication::translate(
            "CommandLine",
            "Report where the data folder, site library, its checker and the help file are "
            "found and the counts the main window title would show; exit code 0 when all "
            "are found, 1 otherwise (the missing one is named)."));
}

int checkInstall(const QString &initialTitle)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    const DataFolder::Choice data = DataFolder::forThisProgram();
    if (!data.message.isEmpty())
        out << data.message << '\n';
    const InstallCheck::Report report =
        InstallCheck::run(data.folder, QCoreApplication::applicationDirPath(), initialTitle);
    for (const QString &line : report.lines)
        out << line << '\n';
    out.flush();
    for (const QString &problem : report.problems)
        err << problem << '\n';
    return report.ok() ? 0 : 1;
}

} // namespace

namespace CommandLine {

bool asksForOption(int argc, const char *const argv[])
{
    for (int a = 1; a < argc; ++a)
        for (const char *name : OptionNames)
            if (std::strcmp(argv[a], name) == 0)
                return true;
    return false;
}

int handle(const QString &initialTitle)
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
    if (!parser.parse(QCoreApplication::arguments())) {
        err << parser.errorText() << '\n' << tr("Try --help.") << '\n';
        return 1;
    }
    if (!parser.positionalArguments().isEmpty()) {
        err << tr("The program takes no arguments: %1")
                   .arg(parser.positionalArguments().join(QLatin1Char(' ')))
            << '\n'
            << tr("Try --help.") << '\n';
        return 1;
    }
    if (parser.isSet(help) || parser.isSet(QStringLiteral("help-all"))) {
        out << parser.helpText();
        return 0;
    }
    if (parser.isSet(version)) {
        out << QCoreApplication::applicationName() << ' ' << VersionText::program() << '\n';
        return 0;
    }
    if (parser.isSet(checkInstallOption()))
        return checkInstall(initialTitle);
    return -1;
}

} // namespace CommandLine
