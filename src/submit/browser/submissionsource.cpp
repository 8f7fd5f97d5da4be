#include "submit/browser/submissionsource.h"

#include "catalogue/pseudofields.h"
#include "platform/table.h"

TableSubmissionSource::TableSubmissionSource(const Table &submitList, const Table &software)
    : m_submitList(submitList), m_software(software)
{
}

QStringList TableSubmissionSource::siteRecord(int siteRow) const
{
    if (siteRow < 1 || siteRow >= m_submitList.rowCount())
        return QStringList();
    return FormWalk::siteRecordCells(m_submitList, siteRow);
}

QStringList TableSubmissionSource::softwareRecord() const
{
    const int row = currentSoftwareRow ? currentSoftwareRow() : 1;
    if (row < 1 || row >= m_software.rowCount())
        return QStringList();
    return m_software.row(row);
}

MatchLists TableSubmissionSource::matchLists() const
{
    return currentMatchLists ? currentMatchLists() : MatchLists::build(softwareRecord());
}

QStringList TableSubmissionSource::constants() const
{
    return constantValues ? constantValues() : PseudoFields::constantValueList();
}

FormWalk::LoginPair TableSubmissionSource::defaultLogin() const
{
    return login ? login() : FormWalk::LoginPair();
}

bool TableSubmissionSource::autoSubmit() const
{
    return autoSubmitChecked && autoSubmitChecked();
}
