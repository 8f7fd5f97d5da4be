#pragma once

#include <QList>
#include <QString>

class Table;

// The PAD check of a submission run's products, shown once before its first
// window: a product that breaks the standard's rules may be dropped by sites.
namespace RunPadCheck {

// The list for the user: each product of `softwareRows` that breaks rules,
// by program name, with its broken rules; "" when every product keeps them.
QString listFor(const Table &software, const QList<int> &softwareRows);

QString title();

} // namespace RunPadCheck
