// The browser engine module's entry: the windows, the site check, the form
// reader and the command-line site check, all on Qt WebEngine.
#include "shell/sitescheckcommand.h"
#include "submit/browserengine.h"
#include "submit/browser/browserwindow.h"
#include "submit/sitecheckrun.h"
#include "submit/teachdialog.h"

namespace {

class WebEngine final : public BrowserEngine
{
public:
    SubmissionWindow *openWindow(BrowserWindowBook &book, int resultCode, SubmissionSource &source,
                                 Dialogs &dialogs, AddressHandler &addresses,
                                 const BrowserOptions &options, QWidget *owner) override
    {
        return openBrowserWindow(book, resultCode, source, dialogs, addresses, options, owner);
    }

    SubmissionWindow *preloadWindow(int siteRow, SubmissionSource &source, Dialogs &dialogs,
                                    AddressHandler &addresses, const BrowserOptions &options,
                                    QWidget *owner) override
    {
        return preloadBrowserWindow(siteRow, source, dialogs, addresses, options, owner);
    }

    SiteCheck *siteCheck(const QList<QStringList> &siteRecords, const FormWalk::Input &product,
                         const BrowserOptions &options, QWidget *parent) override
    {
        return new SiteCheckRun(siteRecords, product, options, parent);
    }

    QList<FormWalk::FieldMapEntry> readFormFromPage(const QStringList &siteRecord,
                                                    const BrowserOptions &options,
                                                    const FormWalk::LoginPair &login,
                                                    QWidget *parent) override
    {
        return TeachDialog::readFormFromPage(siteRecord, options, login, parent);
    }

    int sitesCheckCommand(const QStringList &args, const Commands::Context &context) override
    {
        return SitesCheckCommand::run(args, context);
    }
};

WebEngine &theEngine()
{
    static WebEngine engine;
    return engine;
}

// Linked into a program (the tests), the engine is there from the start.
const bool builtIn = (BrowserEngines::setBuiltIn(&theEngine()), true);

} // namespace

extern "C" Q_DECL_EXPORT const char *kelvane_browser_version()
{
    return KELVANE_VERSION_TEXT;
}

extern "C" Q_DECL_EXPORT BrowserEngine *kelvane_browser_engine()
{
    return &theEngine();
}
