#include "submit/browser/loadproblem.h"

#include <QCoreApplication>

namespace {

struct Known
{
    int code;
    const char *words;
};

// The engine's network errors a user meets, from its list of error numbers.
constexpr Known Table[] = {
    {-3, QT_TRANSLATE_NOOP("LoadProblem", "the load was stopped")},
    {-7, QT_TRANSLATE_NOOP("LoadProblem", "the site took too long to answer")},
    {-100, QT_TRANSLATE_NOOP("LoadProblem", "the site closed the connection")},
    {-101, QT_TRANSLATE_NOOP("LoadProblem", "the connection to the site was reset")},
    {-102, QT_TRANSLATE_NOOP("LoadProblem", "the site refused the connection")},
    {-104, QT_TRANSLATE_NOOP("LoadProblem", "the site could not be connected to")},
    {-105, QT_TRANSLATE_NOOP("LoadProblem", "the site's address could not be found")},
    {-106, QT_TRANSLATE_NOOP("LoadProblem", "there is no connection to the Internet")},
    {-109, QT_TRANSLATE_NOOP("LoadProblem", "the site cannot be reached")},
    {-118, QT_TRANSLATE_NOOP("LoadProblem", "the connection to the site timed out")},
    {-137, QT_TRANSLATE_NOOP("LoadProblem", "the site's address could not be found")},
    {-310, QT_TRANSLATE_NOOP("LoadProblem", "the site sends the browser from page to page without end")},
    {-324, QT_TRANSLATE_NOOP("LoadProblem", "the site closed the connection without an answer")},
};

} // namespace

namespace LoadProblem {

QString plainWords(int engineCode, const QString &engineText)
{
    QString words;
    for (const Known &known : Table) {
        if (known.code == engineCode)
            words = QCoreApplication::translate("LoadProblem", known.words);
    }
    // The engine numbers its certificate problems from -200 to -299.
    if (words.isEmpty() && engineCode <= -200 && engineCode > -300)
        words = QCoreApplication::translate("LoadProblem",
                                            "the site's security certificate is not valid");
    if (words.isEmpty())
        words = QCoreApplication::translate("LoadProblem", "the page could not be loaded");
    const QString code = engineText.trimmed().isEmpty()
                             ? QCoreApplication::translate("LoadProblem", "error %1").arg(engineCode)
                             : engineText.trimmed();
    return words + QStringLiteral(" (") + code + QLatin1Char(')');
}

} // namespace LoadProblem
