#include "shell/installcheck.h"

#include "platform/installlayout.h"
#include "shell/helpfile.h"
#include "shell/workspace.h"
#include "submit/sites/sitelibrary.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("InstallCheck", text);
}

QString native(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

QString nativeList(const QStringList &folders)
{
    QStringList list;
    for (const QString &folder : folders)
        list.append(native(folder));
    return list.join(QStringLiteral(", "));
}

} // namespace

namespace InstallCheck {

Report run(const QString &dataFolder, const QString &programFolder)
{
    using InstallLayout::Kind;
    Report report;
    report.lines.append(tr("Data folder: %1").arg(native(dataFolder)));

    const QString checker = SiteLibrary::checkerPath();
    if (QFileInfo(checker).isExecutable()) {
        report.lines.append(tr("Site library checker: %1").arg(native(checker)));
    } else {
        report.problems.append(
            tr("Site library checker %1 not found in %2.")
                .arg(QString::fromLatin1(SiteLibrary::CheckerFileName),
                     nativeList(InstallLayout::folders(Kind::Checker, QString(), programFolder))));
    }

    // What a start would tell the user goes along as notes.
    Workspace workspace(dataFolder, programFolder);
    Workspace::Notices notices = workspace.settingsProblem();
    workspace.labelSoftwareList();
    notices += workspace.loadCatalogue().notices;
    const Workspace::SitesLoad sites = workspace.loadSites();
    if (sites.loaded) {
        report.lines.append(tr("Site library: %1").arg(native(sites.libraryPath)));
        notices += sites.notices;
    } else {
        QStringList why;
        for (const Workspace::Notice &notice : sites.notices)
            why.append(notice.text);
        report.problems.append(
            tr("Site library %1 not usable (looked in %2): %3")
                .arg(QString::fromLatin1(SiteLibrary::FileName),
                     nativeList(InstallLayout::folders(Kind::SiteLibrary, dataFolder,
                                                       programFolder)),
                     why.join(QLatin1Char(' '))));
    }
    for (const Workspace::Notice &notice : notices)
        report.lines.append(tr("Note: %1").arg(notice.text));

    const QString help = HelpFile::path(programFolder);
    if (QFileInfo(help).isFile()) {
        report.lines.append(tr("Help: %1").arg(native(help)));
    } else {
        report.problems.append(
            tr("Help file %1 not found in %2.")
                .arg(HelpFile::name(),
                     nativeList(InstallLayout::folders(Kind::Help, QString(), programFolder))));
    }

    // The title counts the empty row of an empty catalogue; this line does not.
    const int products = workspace.software().isEmpty() ? 0 : workspace.software().rowCount() - 1;
    report.lines.append(tr("Catalogue: %1 products, %2 sites")
                            .arg(products)
                            .arg(workspace.submitList().siteRowCount()));
    return report;
}

} // namespace InstallCheck
