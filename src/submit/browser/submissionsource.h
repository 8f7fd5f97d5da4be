#pragma once

#include "catalogue/matchlists.h"
#include "submit/formwalk/formwalkplanner.h"

#include <QString>
#include <QStringList>

#include <functional>

class Table;

// What a browser window reads from the main window's tables, at the moment
// it needs it: the run may move the selected record between two pages.
class SubmissionSource
{
public:
    virtual ~SubmissionSource() = default;
    // The site's cells from column 0 up to the last one before the mark column.
    virtual QStringList siteRecord(int siteRow) const = 0;
    // The selected software record, fields 0..104.
    virtual QStringList softwareRecord() const = 0;
    virtual MatchLists matchLists() const = 0;
    virtual QStringList constants() const = 0;
    // The options view's login user name and password.
    virtual FormWalk::LoginPair defaultLogin() const = 0;
    // The "auto-submit" check box.
    virtual bool autoSubmit() const = 0;
};

// Fixed values: for tests, benchmarks and a window that needs no live tables.
class FixedSubmissionSource : public SubmissionSource
{
public:
    QList<QStringList> sites;   // index = site row (row 0 unused)
    QStringList software;
    MatchLists lists;
    QStringList constantValues;
    FormWalk::LoginPair login;
    bool autoSubmitOn = false;

    QStringList siteRecord(int siteRow) const override { return sites.value(siteRow); }
    QStringList softwareRecord() const override { return software; }
    MatchLists matchLists() const override { return lists; }
    QStringList constants() const override { return constantValues; }
    FormWalk::LoginPair defaultLogin() const override { return login; }
    bool autoSubmit() const override { return autoSubmitOn; }
};

// The main window's live tables: the submit list and the software list are
// read by reference, the rest through the callbacks (each may be left empty).
class TableSubmissionSource : public SubmissionSource
{
public:
    TableSubmissionSource(const Table &submitList, const Table &software);

    std::function<int()> currentSoftwareRow;
    std::function<MatchLists()> currentMatchLists;
    std::function<QStringList()> constantValues;
    std::function<FormWalk::LoginPair()> login;
    std::function<bool()> autoSubmitChecked;

    QStringList siteRecord(int siteRow) const override;
    QStringList softwareRecord() const override;
    MatchLists matchLists() const override;
    QStringList constants() const override;
    FormWalk::LoginPair defaultLogin() const override;
    bool autoSubmit() const override;

private:
    const Table &m_submitList;
    const Table &m_software;
};
