#pragma once

#include <QList>
#include <QString>

// The fields a site's field map may name, as the user picks them: every
// software field a form could want, then the site's user name and password
// and the constant values. Never typed as numbers.
namespace FieldChoices {

struct Choice
{
    int field = 0;
    QString caption;   // "PAD file address : 57"
};

// In the order a choice list shows them.
QList<Choice> all();
// The caption of `field`, "" for a number no entry may name.
QString caption(int field);

} // namespace FieldChoices
