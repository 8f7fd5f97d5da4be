#include "submit/sitecheckrun.h"

#include "submit/browser/pageprobe.h"
#include "submit/sites/siterecord.h"

#include <QLabel>
#include <QProgressBar>
#include <QProgressDialog>

#include <limits>

namespace {

// The progress dialog with the page being read between its text and its bar,
// so that no bare browser window stands on the screen. Escape cancels, as
// the button does.
class SiteCheckProgress : public QProgressDialog
{
public:
    SiteCheckProgress(QWidget *page, QWidget *parent) : QProgressDialog(parent), m_page(page)
    {
        m_page->setParent(this);
        setMinimumSize(560, 420);
    }

    void reject() override { emit canceled(); }

protected:
    void resizeEvent(QResizeEvent *event) override
    {
        QProgressDialog::resizeEvent(event);
        const auto *label = findChild<QLabel *>();
        const auto *bar = findChild<QProgressBar *>();
        if (!label || !bar)
            return;
        const int top = label->geometry().bottom() + 8;
        m_page->setGeometry(bar->x(), top, bar->width(), std::max(0, bar->y() - 8 - top));
    }

private:
    QWidget *m_page;
};

} // namespace

SiteCheckRun::SiteCheckRun(const QList<QStringList> &siteRecords, const FormWalk::Input &product,
                           const BrowserOptions &options, QWidget *parent, int timeLimitMs)
    : SiteCheck(parent), m_sites(siteRecords), m_product(product)
{
    for (const QStringList &site : m_sites)
        m_results.append(SiteCheckReport::cancelled(site));

    m_probe = new PageProbe(options, this);
    m_probe->setTimeLimit(timeLimitMs);
    connect(m_probe, &PageProbe::finished, this, &SiteCheckRun::probed);

    m_progress = new SiteCheckProgress(m_probe->view(), parent);
    m_progress->setObjectName(QStringLiteral("SiteCheckProgress"));
    m_progress->setWindowTitle(windowTitle());
    m_progress->setCancelButtonText(tr("Cancel"));
    m_progress->setRange(0, int(m_sites.size()));
    m_progress->setWindowModality(Qt::WindowModal);
    m_progress->setMinimumDuration(0);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    connect(m_progress, &QProgressDialog::canceled, this, &SiteCheckRun::cancel);
}

SiteCheckRun::~SiteCheckRun()
{
    m_probe->stop();
    // The probe's view lives in the dialog; the view goes before the probe's page.
    delete m_progress.data();
    delete m_probe;
}

QString SiteCheckRun::windowTitle()
{
    return tr("Site check");
}

void SiteCheckRun::setShowsProgress(bool shows)
{
    m_showsProgress = shows;
    // A progress dialog shows itself once its minimum duration has passed.
    m_progress->setMinimumDuration(shows ? 0 : std::numeric_limits<int>::max());
}

void SiteCheckRun::start()
{
    if (m_running)
        return;
    m_running = true;
    m_current = -1;
    if (m_showsProgress)
        m_progress->show();
    next();
}

void SiteCheckRun::next()
{
    while (m_running && ++m_current < m_sites.size()) {
        const QStringList &site = m_sites.at(m_current);
        m_progress->setValue(m_current);
        m_progress->setLabelText(tr("Site %1 of %2: %3")
                                     .arg(m_current + 1)
                                     .arg(m_sites.size())
                                     .arg(site.value(SiteRecord::SiteName)));
        // A modal progress dialog runs events in setValue: Cancel may have ended the check.
        if (!m_running)
            return;
        if (const std::optional<SiteCheckResult> skipped = SiteCheckReport::notCheckable(site)) {
            m_results[m_current] = *skipped;
            emit siteChecked(m_current);
            continue;
        }
        FormWalk::Input input = m_product;
        input.siteRecord = site;
        m_probe->open(input);
        return;
    }
    end();
}

SiteCheckResult SiteCheckRun::resultOf(const QStringList &site, const ProbeResult &probe,
                                       const FormWalk::Input &product)
{
    using Page = SiteCheckResult::Page;
    SiteCheckResult result = SiteCheckReport::cancelled(site);
    result.detail = probe.error;
    result.httpStatus = probe.httpStatus;
    switch (probe.status) {
    case ProbeResult::Status::Loaded: {
        if (probe.loginUserStep != FormWalkPlan::UserStep::None) {
            // The login form waits for the user: the submission page is out of reach.
            result.page = Page::Loaded;
            result.userStep = probe.loginUserStep;
            result.submitFound = true;
            return result;
        }
        // The walk's own plan of the page, with nothing of it applied.
        FormWalk::Input input = product;
        input.siteRecord = site;
        input.loggedIn = probe.loggedIn;
        input.autoSubmit = false;
        input.step = FormWalk::Step::NormalFill;
        return SiteCheckReport::loaded(site, FormWalk::plan(probe.snapshot, input));
    }
    case ProbeResult::Status::HttpError:
        result.page = Page::HttpError;
        break;
    case ProbeResult::Status::NetworkError:
        result.page = Page::NetworkError;
        break;
    case ProbeResult::Status::TimedOut:
        result.page = Page::TimedOut;
        break;
    case ProbeResult::Status::LoginFailed:
        result.page = Page::LoginFailed;
        break;
    case ProbeResult::Status::Unreadable:
        result.page = Page::Unreadable;
        break;
    }
    return result;
}

void SiteCheckRun::probed(const ProbeResult &probe)
{
    if (!m_running || m_current < 0 || m_current >= m_sites.size())
        return;
    m_results[m_current] = resultOf(m_sites.at(m_current), probe, m_product);
    emit siteChecked(m_current);
    next();
}

void SiteCheckRun::cancel()
{
    if (!m_running)
        return;
    m_probe->stop();
    end();
}

void SiteCheckRun::end()
{
    if (!m_running)
        return;
    m_running = false;
    m_progress->setValue(int(m_sites.size()));
    m_progress->hide();
    emit finished(m_results);
}
