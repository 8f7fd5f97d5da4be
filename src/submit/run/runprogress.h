#pragma once

#include "submit/run/submissionrun.h"

#include <QString>

// The line that says how far a run has come: site n of m, the product, the
// time so far and an estimate of the time left from the pairs handled, and
// the outcomes so far.
namespace RunProgress {

// "m:ss", or "h:mm:ss" from an hour on.
QString duration(qint64 milliseconds);

// The time left, from the average time of the pairs handled so far; -1
// while none has been handled.
qint64 estimateLeft(const SubmissionRun::Progress &progress, qint64 elapsedMs);

QString text(const SubmissionRun::Progress &progress, const QString &product, qint64 elapsedMs);

} // namespace RunProgress
