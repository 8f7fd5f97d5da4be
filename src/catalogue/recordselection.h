#pragma once

#include "catalogue/matchlists.h"

#include <functional>
#include <optional>

class Settings;
class Table;

// The record-selected step: remembers the selected software row in the
// settings file and rebuilds the match lists when the selection really changed.
class RecordSelection
{
public:
    RecordSelection(Settings &settings, const Table &software);

    // Hooks for the submit view's "select all soft products" mode: whether it
    // is on, and its action (which switches it off and restores the remembered row).
    std::function<bool()> selectAllProductsMode;
    std::function<void()> endSelectAllProductsMode;

    // Runs the step for the table's current row; `withSender` is false for
    // the program's own calls after start-up loading and after a store.
    // Returns true when the match lists were rebuilt.
    bool recordSelected(bool withSender, int currentRow);

    bool hasMatchLists() const { return m_lists.has_value(); }
    // The current set; empty lists before the first rebuild.
    const MatchLists &matchLists() const;
    // Drops the lists (main window close).
    void release() { m_lists.reset(); }

private:
    Settings &m_settings;
    const Table &m_software;
    std::optional<MatchLists> m_lists;
};
