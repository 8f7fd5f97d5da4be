#pragma once

#include <QString>
#include <QStringList>

// "--check-install": what a start would find (the data folder, the site
// library, its checker, the help) and the products and sites it would show, without
// a window. For users and packagers checking an installed copy.
namespace InstallCheck {

struct Report
{
    // One "what: where" line each, then the counts.
    QStringList lines;
    // What is missing or refused, one line each; empty when all was found.
    QStringList problems;
    bool ok() const { return problems.isEmpty(); }
};

// Runs the start-up's own loading steps: a waiting library update is swapped
// in, as the next start would do.
Report run(const QString &dataFolder, const QString &programFolder);

} // namespace InstallCheck
