#include "shell/sitescheckcommand.h"

#include "catalogue/fieldcatalogue.h"
#include "catalogue/matchlists.h"
#include "platform/inibrowsersettingsstore.h"
#include "submit/sites/siterecord.h"
#include "shell/browsersettings.h"
#include "shell/workspace.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/sitecheckrun.h"

#include <QCoreApplication>
#include <QDir>
#include <QEventLoop>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>
#include <QSaveFile>

namespace SitesCheckCommand {

namespace {

using namespace Commands;

QString tr(const char *text)
{
    return QCoreApplication::translate("Commands", text);
}

QString saveReport(const QString &path, const QList<SiteCheckResult> &results)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    QByteArray bytes;
    if (suffix == QLatin1String("csv"))
        bytes = SiteCheckReport::csv(results);
    else if (suffix == QLatin1String("html") || suffix == QLatin1String("htm"))
        bytes = SiteCheckReport::html(results, SiteCheckRun::windowTitle());
    else
        return tr("--report takes a file ending in .csv or .html, not %1.").arg(path);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit())
        return tr("The report could not be written to %1: %2")
            .arg(QDir::toNativeSeparators(path), file.errorString());
    return QString();
}

} // namespace

int run(const QStringList &args, const Context &context)
{
    Io io(context);
    QCommandLineParser parser;
    parser.addOption(jsonOption());
    const QCommandLineOption report(QStringLiteral("report"),
                                    tr("Also saves the report as FILE (.csv or .html)."), tr("FILE"));
    const QCommandLineOption product(QStringLiteral("product"),
                                     tr("Plans each form for this product (the first one "
                                        "otherwise), as a run would fill it."),
                                     tr("NAME"));
    parser.addOptions({report, product});
    if (const int code = parse(parser, args,
                               {QStringLiteral("sites check"),
                                QStringLiteral("[SITE...] [--product NAME] [--report FILE.csv|FILE.html] [--json]"),
                                tr("Opens the submission page of each named site (every site "
                                   "when none is named), logging in where the site wants it, "
                                   "and reports what would stop a submission. Nothing is "
                                   "filled or sent. Exit code 1 when a site fails."),
                                0, -1},
                               io);
        code >= 0)
        return code;
    if (parser.isSet(report) && !QStringList{QStringLiteral("csv"), QStringLiteral("html"), QStringLiteral("htm")}
                                     .contains(QFileInfo(parser.value(report)).suffix().toLower()))
        return io.fail(tr("--report takes a file ending in .csv or .html, not %1.").arg(parser.value(report)));

    Workspace workspace(context.dataFolder, context.programFolder);
    workspace.labelSoftwareList();
    if (const Workspace::CatalogueLoad loaded = workspace.loadCatalogue(); !loaded.notices.isEmpty())
        return io.fail(loaded.notices.first().text);
    const Workspace::SitesLoad sites = workspace.loadSites();
    for (const Workspace::Notice &notice : sites.notices)
        io.err << notice.text << '\n';
    io.err.flush();
    if (!sites.loaded)
        return BadInput;
    workspace.loadCredentials();

    const Table &list = workspace.sites();
    QList<QStringList> records;
    const QStringList names = parser.positionalArguments();
    for (const QString &name : names) {
        const int row = list.findRow(SiteRecord::SiteName, name);
        if (row < 1)
            return io.fail(tr("No site named '%1' in the site list.").arg(name));
        records.append(FormWalk::siteRecordCells(list, row));
    }
    if (names.isEmpty() && !list.isEmpty())
        for (int row = 1; row < list.rowCount(); ++row)
            records.append(FormWalk::siteRecordCells(list, row));

    FormWalk::Input input;
    int productRow = workspace.software().isEmpty() ? -1 : 1;
    if (parser.isSet(product)) {
        const Lookup found = findProduct(workspace.software(), parser.value(product));
        if (found.row < 0)
            return io.fail(found.error);
        productRow = found.row;
    }
    input.softwareRecord = productRow < 0 ? QStringList(FieldCatalogue::FieldCount)
                                          : workspace.software().row(productRow);
    input.matchLists = MatchLists::build(input.softwareRecord);
    input.constants = workspace.constantValues();

    const IniBrowserSettingsStore store(IniBrowserSettingsStore::userPath());
    const BrowserChoices choices = BrowserChoices::read(store);
    BrowserOptions options;
    options.images = choices.images;
    options.scripts = choices.scripts;
    options.userAgentTokens = choices.userAgentTokens;

    SiteCheckRun check(records, input, options);
    check.setShowsProgress(false);
    QEventLoop loop;
    QObject::connect(&check, &SiteCheckRun::siteChecked, &check, [&](int index) {
        io.err << tr("Checked %1 of %2: %3").arg(index + 1).arg(records.size()).arg(records[index].value(SiteRecord::SiteName))
               << '\n';
        io.err.flush();
    });
    QObject::connect(&check, &SiteCheckRun::finished, &loop, &QEventLoop::quit);
    check.start();
    if (check.isRunning())
        loop.exec();

    const QList<SiteCheckResult> results = SiteCheckReport::ordered(check.results());
    if (parser.isSet(report))
        if (const QString problem = saveReport(parser.value(report), results); !problem.isEmpty())
            return io.fail(problem);
    bool failed = false;
    QJsonArray array;
    for (const SiteCheckResult &r : results) {
        failed |= SiteCheckReport::severity(r) == SiteCheckReport::Severity::Failed;
        if (parser.isSet(jsonOption())) {
            QJsonObject object;
            const QStringList headings = SiteCheckReport::headings();
            for (int c = 0; c < SiteCheckReport::ColumnCount; ++c)
                object.insert(headings[c], SiteCheckReport::cell(r, c));
            array.append(object);
        } else {
            io.out << SiteCheckReport::cell(r, SiteCheckReport::Status) << '\t' << r.siteName << '\t'
                   << SiteCheckReport::cell(r, SiteCheckReport::Problem) << '\n';
        }
    }
    if (parser.isSet(jsonOption()))
        io.json(array);
    return failed ? No : Success;
}

} // namespace SitesCheckCommand
