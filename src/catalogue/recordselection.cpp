#include "catalogue/recordselection.h"

#include "platform/settings.h"
#include "platform/table.h"

RecordSelection::RecordSelection(Settings &settings, const Table &software)
    : m_settings(settings), m_software(software)
{
}

bool RecordSelection::recordSelected(bool withSender, int currentRow)
{
    if (selectAllProductsMode && selectAllProductsMode()) {
        if (endSelectAllProductsMode)
            endSelectAllProductsMode();
        // Ending the mode puts the remembered row back as the current row.
        currentRow = m_settings.software(1);
    }

    // A click on the row already remembered changes nothing, not even the lists.
    if (withSender && m_settings.software(currentRow) == currentRow)
        return false;

    m_settings.setSoftware(currentRow);

    if (m_software.isEmpty())
        return false;
    m_lists.reset();
    m_lists = MatchLists::build(m_software.row(currentRow));
    return true;
}

const MatchLists &RecordSelection::matchLists() const
{
    static const MatchLists none;
    return m_lists ? *m_lists : none;
}
