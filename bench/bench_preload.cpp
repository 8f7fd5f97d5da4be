// A submission run over 50 loopback sites whose pages and answers each take
// 400 ms, with auto-submit on and each outcome confirmed as soon as the answer
// page shows: once with the next page loaded ahead, once without. The real
// main window, browser windows and headless WebEngine.
// Run with QT_QPA_PLATFORM=offscreen QTWEBENGINE_DISABLE_SANDBOX=1
// QTWEBENGINE_CHROMIUM_FLAGS=--disable-gpu on a machine without a display.
#include "benchreport.h"
#include "platform/datafiles.h"
#include "shell/submissioncontroller.h"
#include "submit/browser/browserwindow.h"
#include "submit/sitelistmodel.h"
#include "submit/sites/siterecord.h"
#include "submit/sites/submitlist.h"
#include "submit/sites/usersites.h"
#include "submit/submitview.h"
#include "support/fixtureserver.h"
#include "support/windowharness.h"

#include <QCheckBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <QPointer>
#include <QToolButton>

#include <cstdio>

namespace {

constexpr int Sites = 50;
constexpr int AnswerMs = 400;

// The program's own event loop until `done` holds: the browser engine's work
// runs on it, and a wait that sleeps between passes would slow every page.
template<typename Predicate>
bool runUntil(Predicate done, int timeoutMs)
{
    QEventLoop loop;
    QTimer poll;
    poll.setInterval(2);
    QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    QTimer::singleShot(timeoutMs, &loop, &QEventLoop::quit);
    if (done())
        return true;
    poll.start();
    loop.exec();
    return done();
}

class PreloadBench : public WindowHarness
{
public:
    explicit PreloadBench(FixtureServer &server) : m_server(server) {}

    // The whole run's time in milliseconds, or -1 when it did not finish.
    qint64 run(bool preload, const QByteArray &prefix, int count = Sites)
    {
        resetHarness();
        writeCatalogue({record(QStringLiteral("Bench Product"))});
        UserSites::File sites;
        QStringList names;
        for (int i = 1; i <= count; ++i) {
            const QByteArray page = prefix + "/site" + QByteArray::number(i);
            FixtureServer::Response form;
            form.delayMs = AnswerMs;
            form.body = "<html><head><title>Site</title></head><body><form method=post action="
                        + page + "/post><input name=user><input type=password name=pass>"
                          "<input name=program_name><input type=submit value=Go></form></body></html>";
            m_server.route(page, form);
            FixtureServer::Response answer;
            answer.delayMs = AnswerMs;
            answer.body = "<html><head><title>Thanks</title></head><body>Thank you, your "
                          "program was added.</body></html>";
            m_server.route(page + "/post", answer);
            const QString name = QStringLiteral("Bench%1").arg(i, 2, 10, QLatin1Char('0'));
            names.append(name);
            sites.setSite(name, {name, m_server.url(QString::fromLatin1(prefix)).toString(), "", "yes",
                                 m_server.url(QString::fromLatin1(page)).toString(), "0", "", "",
                                 "-2=user", "-1=pass", "0=program_name"});
        }
        if (!UserSites::save(sites, path(DataFiles::UserSitesName)).isEmpty())
            return -1;

        std::unique_ptr<TForm1> form = startWindow(QStringLiteral(KELVANE_PROGRAM_FOLDER));
        SubmissionController &controller = *form->submission();
        controller.setPreloadingNext(preload);
        form->show();
        form->activateWindow();
        if (!QTest::qWaitForWindowExposed(form.get()))
            return -1;
        form->findChild<QPushButton *>(QStringLiteral("Button_submit_list"))->click();
        Table &table = form->workspace().sites();
        for (const QString &name : names)
            Marks::set(table, table.findRow(SiteRecord::SiteName, name), true);
        Marks::set(form->workspace().software(), 1, true);
        form->submitView()->model()->marksChanged();
        form->findChild<QCheckBox *>(QStringLiteral("CheckBox_autosubmit"))->click();

        QElapsedTimer clock;
        clock.start();
        form->findChild<QPushButton *>(QStringLiteral("Button_submit_data"))->click();
        for (int done = 0; done < count; ++done) {
            QPointer<TForm2> window;
            QToolButton *ok = nullptr;
            if (!runUntil(
                    [&] {
                        const QList<SubmissionWindow *> open = controller.openWindows();
                        window = open.size() == 1 ? qobject_cast<TForm2 *>(open.first()) : nullptr;
                        ok = window ? window->findChild<QToolButton *>(QStringLiteral("Button_done")) : nullptr;
                        return ok && ok->isEnabled();
                    },
                    60000)) {
                std::fprintf(stderr, "site %d: no answer (%s; %s)\n", done + 1,
                             window ? qPrintable(window->statusText()) : "no window",
                             qPrintable(m_dialogs.messages().join(QLatin1Char(' '))));
                return -1;
            }
            ok->click();
        }
        if (!runUntil([&] { return !controller.run().isRunning(); }, 60000))
            return -1;
        const qint64 elapsed = clock.elapsed();
        m_dialogs.answers = {Dialogs::Answer::Ok};
        form.reset();
        return elapsed;
    }

private:
    FixtureServer &m_server;
};

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    FixtureServer server;
    if (!server.start())
        return 1;
    PreloadBench bench(server);
    // Once unmeasured, so the engine's own start is in neither run.
    bench.run(true, "/warm", 3);
    const qint64 without = bench.run(false, "/without");
    const qint64 with = bench.run(true, "/with");
    if (without <= 0 || with <= 0) {
        std::printf("a run did not finish (without %lld ms, with %lld ms)\n",
                    static_cast<long long>(without), static_cast<long long>(with));
        return 1;
    }
    std::printf("50 sites, pages and answers after %d ms: %lld ms without loading ahead, "
                "%lld ms with\n",
                AnswerMs, static_cast<long long>(without), static_cast<long long>(with));
    return report("run time, next page loaded ahead / not (ratio)", double(with) / double(without),
                  0.6)
               ? 0
               : 1;
}
