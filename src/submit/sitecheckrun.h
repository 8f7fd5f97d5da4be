#pragma once

#include "submit/browser/browserwindow.h"
#include "submit/browserengine.h"
#include "submit/browser/pageprobe.h"
#include "submit/formwalk/formwalkplanner.h"
#include "submit/run/sitecheckreport.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QProgressDialog>
#include <QStringList>

// "check marked sites...": each site's submission page opened in turn in one
// page, logged in where the site wants it, read and planned for the product,
// never filled or sent. The page shows inside the progress dialog, which says
// site n of m and can cancel (Cancel or Escape); the sites not reached then
// stay in the results as not checked.
class SiteCheckRun : public SiteCheck
{
    Q_OBJECT

public:
    // `product` carries the product's values, match lists, constants and
    // the default login; its site record is replaced per site.
    SiteCheckRun(const QList<QStringList> &siteRecords, const FormWalk::Input &product,
                 const BrowserOptions &options, QWidget *parent = nullptr,
                 int timeLimitMs = PageProbe::DefaultTimeLimitMs);
    ~SiteCheckRun() override;

    // Without a display (the command line): the dialog never shows.
    void setShowsProgress(bool shows);
    void start() override;
    void cancel();
    bool isRunning() const override { return m_running; }
    // In site order, one per site.
    const QList<SiteCheckResult> &results() const { return m_results; }
    QProgressDialog *progress() const { return m_progress; }

    static QString windowTitle();
    // What a probe of `site` found; a loaded page is planned for `product`
    // as the walk would fill it.
    static SiteCheckResult resultOf(const QStringList &site, const ProbeResult &probe,
                                    const FormWalk::Input &product);

private:
    void next();
    void probed(const ProbeResult &result);
    void end();

    QList<QStringList> m_sites;
    FormWalk::Input m_product;
    QList<SiteCheckResult> m_results;
    PageProbe *m_probe = nullptr;
    QPointer<QProgressDialog> m_progress;
    int m_current = -1;
    bool m_running = false;
    bool m_showsProgress = true;
};
