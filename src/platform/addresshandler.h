#pragma once

#include <QString>

// Hands a web or "mailto:" address to the desktop's own handler. The address
// goes over exactly as the caller built it; the call returns at once and
// reports nothing, whether a handler took it or not.
class AddressHandler
{
public:
    virtual ~AddressHandler() = default;
    virtual void open(const QString &address) = 0;
};
