#pragma once

#include "controlarray.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QPixmap>
#include <QString>
#include <QVariant>
#include <functional>

class QComboBox;
class QLineEdit;
class QKeyEvent;
class QTableView;

// The main window, once it exists (the windows take its icon and pictures,
// and write its status bar).
QWidget* MainWindow();
void SetMainWindow(QWidget* window);

// The shared pictures by key: "TessmarkLogo", "BraloLogoKnop",
// "BraloLogoKnopDown", "BraloChemicals", "DriehoekKnopje", "DeleteKnopje".
QPixmap Picture(const QString& key);

// Status text and pointer around loading and computing: mode -1..-5 the busy
// text 999100001..999100005 and the hourglass, 1 the hourglass, 0 both reset.
void ShowStatusLang(QWidget* window, qint32 mode, const QString& text = {});

// The busy text of mode and the busy pointer for as long as the work lasts,
// also when it fails.
class Bezig {
public:
    explicit Bezig(qint32 mode);
    ~Bezig();
    Bezig(const Bezig&) = delete;
    Bezig& operator=(const Bezig&) = delete;
};

// Runs a store's write while the saving text shows. A database error is shown
// as a critical message after the text foutTekst, and the window keeps what
// was typed. True when the write went through (schrijf may refuse by
// returning false, having said why).
bool SchrijfMetMelding(qint32 foutTekst, const std::function<bool()>& schrijf);

// Tells the user when the settings file could not be written (a full disk,
// a folder without write access) or, a case of its own, could not be read;
// the file then keeps what it held. Returns opgeslagen.
bool InstellingenOpgeslagen(bool opgeslagen);
void SetStatusPanel(QWidget* window, const QString& text, qint16 code);

// Caption or text of a label, button, frame or window.
void SetCaption(QWidget* control, const QString& text);
QString Caption(const QWidget* control);

// Sets the caption from a language text; 0, or 999 when it cannot be set.
qint16 SetCaptionLang(QWidget* control, qint32 id);
template <typename W> qint16 SetCaptionLang(const ControlArray<W>& array, int index, qint32 id)
{
    if (!array.contains(index))
        return 0; // a member that is not there is passed over
    return SetCaptionLang(array.at(index), id);
}

// Makes sure the member exists (loading it when missing); 0, or 999.
template <typename W> qint16 EnsureControlLoaded(ControlArray<W>& array, int index)
{
    try {
        array.load(index);
        return 0;
    } catch (...) {
        return 999;
    }
}

void PlaceLabelText(QWidget* w, int left, int top, int width, qint16 alignment, qint16 flat, QWidget* container);

// Loads the member when needed and places it (twips), visible, emptied and
// tagged "unload"; flat 1 gives the button-face look.
template <typename W>
void MakeLabelText(ControlArray<W>& array, int index, int left, int top, int width, qint16 alignment, qint16 flat,
                   QWidget* container = nullptr)
{
    try {
        EnsureControlLoaded(array, index);
        PlaceLabelText(array.at(index), left, top, width, alignment, flat, container);
    } catch (...) {
    }
}

// The window takes the main window's icon, its forward button the logo pictures.
void SetLogoButtons(QWidget* window);

// From now on only the box that has the keyboard shows a selected text: a
// text box of the active window that is left with a selection but without
// focus (a selection asked for while the focus was moving on) drops its
// selection once the event loop runs. A box keeps its selection while a
// dialog is in front.
void InstallSelectionFollowsFocus();

// Enter or the keypad's Enter, without Shift, Ctrl or Alt.
bool IsEnter(const QKeyEvent* key);

// Enter on a button presses it, as Space does; a button outside a dialog
// takes no Enter of its own. True when the key was such a press.
bool PressOnEnter(QWidget* focused, const QKeyEvent* key);

// The first control in the window that Tab stops at and that takes the
// keyboard now (shown and on), or null.
QWidget* FirstControl(QWidget* window);

// Selects the box's whole text once the click that gave it the focus has
// placed the caret; a box left by then is not selected. For a box that gets
// the focus.
void SelectAllOnceFocused(QLineEdit* box);

// A drop-down button beside the box that shows its choice opens its list
// under that box, as wide as box and button together (or wider when the list
// asks it), instead of from the narrow button out towards the screen's edge.
void OpenListUnderBox(QComboBox* button, QWidget* box);

// Centres the frame in the window, moved by the offsets (twips).
void CenterControl(QWidget* window, QWidget* frame, qint32 horizontalOffset, qint32 verticalOffset);
// The window's outer size (the frame of an MDI child included).
QSize OuterSize(const QWidget* window);

// Enabled exactly while the working set is open: a stored history set is shown read-only.
void SetArrayEnabled(QWidget* control);
template <typename W> void SetArrayEnabled(const ControlArray<W>& array)
{
    array.forEach([](int, W* w) { SetArrayEnabled(w); });
}

// Colours as the program stores them: red + green·256 + blue·65536;
// a negative value names a system colour.
qint32 TranslateColor(qint32 colour);
QVariant AdjustColor(qint32& colour, float& red, float& green, float& blue);
QColor ToQColor(qint32 colour);

// Model of an unbound grid: rows are fetched from the window when shown.
class UnboundGridModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using Fetch = std::function<QVariant(int row, int column, int role)>;
    using Store = std::function<bool(int row, int column, const QVariant& value)>;
    UnboundGridModel(QStringList headers, Fetch fetch, Store store = {}, QObject* parent = nullptr);

    void setRowCount(int rows);
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    QStringList m_headers;
    Fetch m_fetch;
    Store m_store;
    int m_rows = 0;
};

// The two standard looks of a grid: 0 the list look, 1 the edit look.
void SetGridLook(QTableView* grid, qint16 style);
// Refreshes an unbound grid to the row count, keeping the position where it can.
void RebindGrid(QTableView* grid, qint32 rowCount);
// Row of an unbound grid from a bookmark (the row number as text) and an offset; -9999 outside.
qint32 IndexFromBookmark(const QVariant& bookmark, qint32 offset, qint32 rowCount);
QVariant GetRelativeBookmark(const QVariant& bookmark, qint32 offset, qint32 rowCount);
