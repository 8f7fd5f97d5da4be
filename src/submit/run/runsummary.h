#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

// What became of each pair of one submission run, in the order they were
// handled: the window that ends a run lists it, saves it as CSV and HTML, and
// marks the failed sites again from it.
class RunSummary
{
public:
    enum class Outcome {
        Ok,
        Failed,
        Cancelled,
        SkippedByCheck, // left out at the check before the run
    };
    struct Entry
    {
        int siteRow = 0;
        int softwareRow = 0;
        QString site;
        QString product;
        Outcome outcome = Outcome::Cancelled;
        // What was left to the user on the page (a file to choose, a picture
        // code), or that the site took an e-mail; "" otherwise.
        QString note;
    };

    void clear() { m_entries.clear(); }
    void add(Entry entry) { m_entries.append(std::move(entry)); }
    const QList<Entry> &entries() const { return m_entries; }
    bool isEmpty() const { return m_entries.isEmpty(); }
    int count(Outcome outcome) const;

    static QString outcomeText(Outcome outcome);
    // "3 ok, 1 failed, 1 cancelled, 0 skipped by the check".
    QString countsText() const;
    // The sites of the failed pairs, each once, in run order.
    QList<int> failedSiteRows() const;

    enum Column { Site, Product, OutcomeColumn, Note, ColumnCount };
    static QStringList headings();
    QString cell(int entry, int column) const;
    QByteArray csv() const;
    QByteArray html(const QString &title) const;

private:
    QList<QStringList> rows() const;

    QList<Entry> m_entries;
};
