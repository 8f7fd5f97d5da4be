#pragma once

#include "submit/formwalk/formwalkplan.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QFuture>
#include <QString>

namespace FormWalk {

// Reads the page snapshot's JSON text and plans the walk on a pool thread,
// so that a page of a million options never stops the window. The text and
// the input are copies: the caller may go away before the plan is ready.
QFuture<FormWalkPlan> planInBackground(const QString &snapshotJson, const Input &input);

} // namespace FormWalk
