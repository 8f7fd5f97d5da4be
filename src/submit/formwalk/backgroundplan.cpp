#include "submit/formwalk/backgroundplan.h"

#include "submit/formwalk/pagesnapshot.h"

#include <QPromise>
#include <QThreadPool>

#include <memory>

namespace FormWalk {

QFuture<FormWalkPlan> planInBackground(const QString &snapshotJson, const Input &input)
{
    auto promise = std::make_shared<QPromise<FormWalkPlan>>();
    QFuture<FormWalkPlan> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start([promise, snapshotJson, input] {
        promise->addResult(plan(PageSnapshot::fromJson(snapshotJson.toUtf8()), input));
        promise->finish();
    });
    return future;
}

} // namespace FormWalk
