#pragma once

#include <QDialog>
#include <QString>
#include <array>
#include <functional>
#include <optional>

class QCheckBox;
class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class SearchTableModel;
class THeaders;
class TSelectieIDs;
class TTekstRegels;

// The modal search window of the component: the rows of the client's query
// in a grid sorted by the client's headers or a clicked header, an
// incremental search on the sort column, single or multiple selection.
class frmTabel : public QDialog {
    Q_OBJECT

public:
    explicit frmTabel(QWidget* parent = nullptr);
    ~frmTabel() override;

    // Set by the component before every load.
    QString TabelDb;
    QString TabelQry;
    int TabelID = 0; // in: the row to show as current; out: the chosen ID, 0 after Cancel or without rows
    THeaders* GridHeaders = nullptr;
    TTekstRegels* TekstRegels = nullptr;
    TSelectieIDs* SelectieIDs = nullptr;
    int TabelSelectieAktief = 0; // 1: several rows may be selected

    // Loads the window and shows it modally; true when the user accepted a
    // row. Cancel (and a query without rows) leaves TabelID 0; a window closed
    // from its frame leaves TabelID as it was set.
    bool showModal();
    void s_Close();

    static constexpr int VersionMajor = 4;
    static constexpr int VersionMinor = 0;
    static constexpr int VersionRevision = 30;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    enum { Retry = 0, Leave = 999 };

    void LaadTabel();
    void takeTexts();
    void describeChkTekst();
    void loadRows();
    void setColumns();
    void showStartRow();
    void SorteerTabel();
    void ZoekRegel(int zoekType);
    QString ZoekWaarde() const;
    void KiesRegel();
    void MarkeerSelectie(int mode);
    int ErrorHandler(int number, const QString& description);
    // Runs a step under the error dialog: Retry runs it again; false when the user chose Cancel.
    bool underErrorDialog(const std::function<void()>& step);

    void giveFocusBack(QWidget* opener);
    void acceptRow();
    void cancelSearch();
    void headClick(int column);
    void rowColChange();
    // The box shows the current row's value after the row or the sort changed.
    void showRowValue();
    // Leaves the box as a search step leaves it, so that the next key replaces the selected part.
    void selectAfterPrefix();
    // Once the user clicks into the box or moves its caret or selection, the
    // box holds what the user works on: the held prefix no longer comes back.
    void dropHeldPrefix();
    void selChange();
    void chkTekstClick();
    bool searchBoxKey(QKeyEvent* key);
    bool gridKey(QKeyEvent* key);
    void toggleVersionCaption();
    void layoutControls();
    // The window's outer size in twips, its frame taken as the one the layout rules were drawn for.
    QSize outerSize() const;
    void setOuterSize(int width, int height);

    int searchColumn() const;
    int currentRow() const;
    void setCurrentRow(int row);
    QList<int> selectedRows() const;
    int caretPosition() const;
    // Sets the search box as the window does: no search runs, the caret goes to ZoekPositie.
    // Whatever text the window sets, a prefix held back for the next key is dropped.
    void setSearchText(const QString& text);
    void setBusy(bool busy);

    QGroupBox* fraTabvintop;
    QLabel* lblTabel;
    QCheckBox* chkTekst;
    QLineEdit* txtTabel;
    std::array<QPushButton*, 2> cmdTekst;
    QGroupBox* fraTabvinbottom;
    QLineEdit* txtSelectie;
    std::array<QPushButton*, 2> cmdTabel;
    QTableView* tdbTabel;
    SearchTableModel* m_model;

    int SortKolom = 0;
    // By code: 1 the search box's label, 2 the cancel button, 3 and 4 the
    // message and title without rows, 5 what the check box chkTekst does.
    std::array<QString, 11> Teksten;
    int ZoekPositie = 0;
    // What the user typed, while the box shows a row that does not start
    // with it (after Page Down, say): the next key typed goes on from this
    // prefix, not from the row's text.
    std::optional<QString> m_heldPrefix;

    bool m_closed = false; // set by s_Close: a window closed while loading is never shown
    bool m_accepted = false;
    bool m_busy = false;
};
