#include "registratiemodel.h"

#include "windowhelpers.h"

#include <QFontMetrics>
#include <QHeaderView>
#include <QTableView>
#include <algorithm>

RegistratieModel::RegistratieModel(QList<Qt::Alignment> uitlijning, QObject* parent)
    : QAbstractTableModel(parent), m_uitlijning(std::move(uitlijning)), m_koppen(m_uitlijning.size())
{
}

void RegistratieModel::toonIn(QTableView* grid)
{
    grid->setModel(this);
    SetGridLook(grid, 0);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    setHighlight(grid->property("HighlightRow_plat").value<QColor>());
    connect(grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& huidig) { setHuidigeRij(huidig.row()); });
}

void RegistratieModel::setKoppen(const QStringList& koppen)
{
    for (int k = 0; k < m_koppen.size() && k < koppen.size(); ++k)
        m_koppen[k] = koppen[k];
    emit headerDataChanged(Qt::Horizontal, 0, int(m_koppen.size()) - 1);
}

void RegistratieModel::setRijen(QList<QStringList> rijen)
{
    beginResetModel();
    m_rijen = std::move(rijen);
    m_huidig = -1;
    endResetModel();
}

void RegistratieModel::setHuidigeRij(int rij)
{
    if (rij == m_huidig)
        return;
    const int vorige = m_huidig;
    m_huidig = rij;
    for (int r : {vorige, rij})
        if (r >= 0 && r < m_rijen.size())
            emit dataChanged(index(r, 0), index(r, columnCount() - 1), {Qt::BackgroundRole});
}

int RegistratieModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_rijen.size());
}

int RegistratieModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_uitlijning.size());
}

QVariant RegistratieModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || index.row() >= m_rijen.size() || index.column() >= m_uitlijning.size())
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return m_rijen[index.row()].value(index.column());
    case Qt::TextAlignmentRole:
        return QVariant::fromValue(m_uitlijning[index.column()] | Qt::AlignVCenter);
    case Qt::BackgroundRole:
        if (index.row() == m_huidig && m_highlight.isValid())
            return m_highlight;
        return {};
    default:
        return {};
    }
}

QVariant RegistratieModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && section >= 0 && section < m_koppen.size()) {
        if (role == Qt::DisplayRole)
            return m_koppen[section];
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(m_uitlijning[section] | Qt::AlignVCenter);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

void ZetKolomBreedte(QTableView* grid, int kolom, int breedte)
{
    const QString kop = grid->model()->headerData(kolom, Qt::Horizontal).toString();
    const int nodig = QFontMetrics(grid->horizontalHeader()->font()).horizontalAdvance(kop) + 16;
    grid->setColumnWidth(kolom, std::max(twips(breedte), nodig));
}
