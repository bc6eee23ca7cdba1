#pragma once

#include <QAbstractTableModel>
#include <QColor>
#include <QList>
#include <QStringList>

class QTableView;

// The rows of the order register's grids as text, one alignment per column;
// the grid's current row is drawn in the list look's highlight colour.
class RegistratieModel : public QAbstractTableModel {
public:
    RegistratieModel(QList<Qt::Alignment> uitlijning, QObject* parent = nullptr);

    // Shows the rows in the grid with the list look: whole rows are chosen,
    // nothing is edited, and the grid's current row is highlighted.
    void toonIn(QTableView* grid);

    void setKoppen(const QStringList& koppen);
    void setRijen(QList<QStringList> rijen);
    void setHuidigeRij(int rij);
    void setHighlight(const QColor& kleur) { m_highlight = kleur; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QList<Qt::Alignment> m_uitlijning;
    QStringList m_koppen;
    QList<QStringList> m_rijen;
    int m_huidig = -1;
    QColor m_highlight;
};

// Gives the grid's column its width in twips, or more when its heading would
// not fit: a caption cut at its first letters reads as another word.
void ZetKolomBreedte(QTableView* grid, int kolom, int breedte);
