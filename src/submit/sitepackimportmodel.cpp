#include "submit/sitepackimportmodel.h"

#include <algorithm>

SitePackImportModel::SitePackImportModel(const QList<QStringList> &packSites,
                                         const SitePack::Comparison &comparison, QObject *parent)
    : QAbstractTableModel(parent), m_packSites(packSites), m_comparison(comparison)
{
    m_chosen.reserve(m_comparison.sites.size());
    for (const SitePack::SiteComparison &site : std::as_const(m_comparison.sites))
        m_chosen.append(site.state != SitePack::State::Same);
}

int SitePackImportModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_comparison.sites.size());
}

int SitePackImportModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QString SitePackImportModel::stateText(SitePack::State state)
{
    switch (state) {
    case SitePack::State::New:
        return tr("new");
    case SitePack::State::Same:
        return tr("same");
    case SitePack::State::Differs:
        return tr("differs");
    }
    return QString();
}

QString SitePackImportModel::countsText(const SitePack::Comparison &comparison)
{
    return tr("%1 new, %2 same, %3 differ")
        .arg(comparison.newCount)
        .arg(comparison.sameCount)
        .arg(comparison.differsCount);
}

QVariant SitePackImportModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_comparison.sites.size())
        return {};
    const SitePack::SiteComparison &site = m_comparison.sites.at(index.row());
    if (role == Qt::CheckStateRole && index.column() == Name)
        return m_chosen.at(index.row()) ? Qt::Checked : Qt::Unchecked;
    if (role != Qt::DisplayRole)
        return {};
    switch (index.column()) {
    case Name:
        return site.name;
    case State:
        return stateText(site.state);
    case Ours:
        switch (site.ours) {
        case SitePack::Ours::None:
            return QString();
        case SitePack::Ours::Library:
            return tr("library site");
        case SitePack::Ours::User:
            return tr("your site");
        }
        return {};
    }
    return {};
}

bool SitePackImportModel::setData(const QModelIndex &index, const QVariant &value, int role)
{
    if (!index.isValid() || index.column() != Name || role != Qt::CheckStateRole)
        return false;
    setChosen(index.row(), value.toInt() == Qt::Checked);
    return true;
}

void SitePackImportModel::setChosen(int row, bool chosen)
{
    if (row < 0 || row >= m_chosen.size() || m_chosen.at(row) == chosen)
        return;
    m_chosen[row] = chosen;
    emit dataChanged(index(row, Name), index(row, Name), {Qt::CheckStateRole});
    emit chosenChanged();
}

Qt::ItemFlags SitePackImportModel::flags(const QModelIndex &index) const
{
    Qt::ItemFlags flags = QAbstractTableModel::flags(index);
    if (index.isValid() && index.column() == Name)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

QVariant SitePackImportModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Name:
        return tr("Web site");
    case State:
        return tr("State");
    case Ours:
        return tr("Compared with");
    }
    return {};
}

QList<QStringList> SitePackImportModel::chosenSites() const
{
    QList<QStringList> chosen;
    for (int row = 0; row < m_chosen.size(); ++row)
        if (m_chosen.at(row))
            chosen.append(m_packSites.value(row));
    return chosen;
}

int SitePackImportModel::chosenCount() const
{
    return int(std::count(m_chosen.cbegin(), m_chosen.cend(), true));
}
