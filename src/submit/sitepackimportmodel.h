#pragma once

#include "submit/sites/sitepack.h"

#include <QAbstractTableModel>
#include <QList>
#include <QStringList>

// The sites of a pack for the import window: name (with the check box that
// chooses it), state against the program's sites, and what it is compared
// with. New and differing sites start chosen, same ones not.
class SitePackImportModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { Name, State, Ours, ColumnCount };

    SitePackImportModel(const QList<QStringList> &packSites, const SitePack::Comparison &comparison,
                        QObject *parent = nullptr);

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    bool setData(const QModelIndex &index, const QVariant &value, int role = Qt::EditRole) override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    QVariant headerData(int section, Qt::Orientation orientation,
                        int role = Qt::DisplayRole) const override;

    const SitePack::SiteComparison &site(int row) const { return m_comparison.sites.at(row); }
    bool isChosen(int row) const { return m_chosen.value(row); }
    void setChosen(int row, bool chosen);
    // The chosen pack sites, in pack order.
    QList<QStringList> chosenSites() const;
    int chosenCount() const;

    static QString stateText(SitePack::State state);
    // "3 new, 1 same, 2 differ".
    static QString countsText(const SitePack::Comparison &comparison);

signals:
    void chosenChanged();

private:
    QList<QStringList> m_packSites;
    SitePack::Comparison m_comparison;
    QList<bool> m_chosen;
};
