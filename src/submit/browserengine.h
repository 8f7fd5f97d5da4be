#pragma once

#include "platform/commandcontext.h"
#include "submit/browser/submissionwindow.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/run/sitecheckreport.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class AddressHandler;
class BrowserWindowBook;
class Dialogs;
class SubmissionSource;

// "check marked sites...", as the rest of the program sees it.
class SiteCheck : public QObject
{
    Q_OBJECT

public:
    using QObject::QObject;
    virtual void start() = 0;
    virtual bool isRunning() const = 0;

signals:
    // Site `index` (in site order) has its result.
    void siteChecked(int index);
    void finished(const QList<SiteCheckResult> &results);
};

// Everything that opens web pages. It lives in a module of its own, loaded
// when the first page opens, so that a start, the catalogue and the command
// line never load the browser engine.
class BrowserEngine
{
public:
    virtual ~BrowserEngine() = default;

    // A browser window for `resultCode`, counted, named and placed by `book`,
    // shown at once; see openBrowserWindow().
    virtual SubmissionWindow *openWindow(BrowserWindowBook &book, int resultCode,
                                         SubmissionSource &source, Dialogs &dialogs,
                                         AddressHandler &addresses, const BrowserOptions &options,
                                         QWidget *owner) = 0;
    // A submission window for `siteRow` kept hidden while its page loads
    // and is filled; nothing is sent before SubmissionWindow::reveal().
    virtual SubmissionWindow *preloadWindow(int siteRow, SubmissionSource &source,
                                            Dialogs &dialogs, AddressHandler &addresses,
                                            const BrowserOptions &options, QWidget *owner) = 0;
    // The site check of `siteRecords`, planned for `product`; start() begins it.
    virtual SiteCheck *siteCheck(const QList<QStringList> &siteRecords,
                                 const FormWalk::Input &product, const BrowserOptions &options,
                                 QWidget *parent) = 0;
    // "read form from page": the user's picks, or none when cancelled.
    virtual QList<FormWalk::FieldMapEntry> readFormFromPage(const QStringList &siteRecord,
                                                            const BrowserOptions &options,
                                                            const FormWalk::LoginPair &login,
                                                            QWidget *parent) = 0;
    // "sites check" on the command line.
    virtual int sitesCheckCommand(const QStringList &args, const Commands::Context &context) = 0;
};

namespace BrowserEngines {

// The module's file name; it is looked for where the site library checker is.
inline constexpr const char *ModuleFileName = "KelvaneSubmit-browser.so";
// The function the module exports, and the version it must report.
inline constexpr const char *EntryPoint = "kelvane_browser_engine";
inline constexpr const char *VersionPoint = "kelvane_browser_version";

// The engine, loaded at the first call; nullptr when it cannot be, with the
// reason in `error`.
BrowserEngine *get(QString *error);
// Whether the module is loaded (a program built with the engine linked in
// has it from the start).
bool isLoaded();
// An engine linked into the program (the tests') is used instead of the module.
void setBuiltIn(BrowserEngine *engine);

// "sites check" for the command line: the engine loaded, then its command.
int sitesCheckCommand(const QStringList &args, const Commands::Context &context);

} // namespace BrowserEngines
