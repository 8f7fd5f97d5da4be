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

    // An "http", "https" or "mailto" address: the only kinds that may come
    // from data the program did not write itself.
    static bool isWebOrMailAddress(const QString &address);
};
