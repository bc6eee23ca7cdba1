#include "frmtabel.h"

#include "collections.h"
#include "db/database.h"
#include "numbers.h"
#include "searchtablemodel.h"
#include "ui/dialogs.h"
#include "ui/titlebar.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QStyledItemDelegate>
#include <QTableView>
#include <cmath>

namespace {

// Positions and sizes are defined in twips; 15 twips make one pixel.
constexpr int TwipsPerPixel = 15;
int px(double twips)
{
    return int(std::lround(twips / TwipsPerPixel));
}
int twips(int pixels)
{
    return pixels * TwipsPerPixel;
}
void place(QWidget* w, int left, int top, int width, int height)
{
    w->setGeometry(px(left), px(top), std::max(0, px(width)), std::max(0, px(height)));
}

constexpr int DesignWidth = 6640;
constexpr int DesignHeight = 6000;
// The layout rules take the window's outer size as the platform they were
// drawn for framed it: 4-pixel borders and a caption, 120 twips across and
// 395 down. Window managers draw frames of every size; the window takes its
// outer size as the client area plus this frame, so every control lies
// inside the client area, the lowest frame as near its edge as the others.
constexpr int FrameWidth = 120;
constexpr int FrameHeight = 395;
constexpr int ButtonWidth = 1215;
constexpr int FindButtonWidth = 375;
constexpr int CheckBoxWidth = 285;

// The current row shows in the selection colours whether or not it is selected.
class CurrentRowDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override
    {
        QStyledItemDelegate::initStyleOption(option, index);
        const auto* view = qobject_cast<const QAbstractItemView*>(option->widget);
        if (view && view->currentIndex().row() == index.row())
            option->state |= QStyle::State_Selected;
    }
};

bool typesText(const QKeyEvent* key)
{
    return !key->text().isEmpty() && key->text().at(0).isPrint();
}

// Enter, Esc and Tab keep their meaning for the window, and a modifier
// pressed alone does nothing yet, wherever the keyboard is.
bool keptForWindow(const QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Shift:
    case Qt::Key_Control:
    case Qt::Key_Alt:
    case Qt::Key_AltGr:
    case Qt::Key_Meta:
        return true;
    default:
        return false;
    }
}

// Select all, whatever text the desktop gives the key (Ctrl+A comes as a
// control character): a selection made by hand.
bool selectsAll(const QKeyEvent* key)
{
    return key->matches(QKeySequence::SelectAll);
}

// Keys that leave the search box as the window set it: the window answers
// them itself, or the keyboard leaves the box. Any other key works on the
// box's text and selection as the user sees them.
bool leavesBoxAsSet(const QKeyEvent* key)
{
    if (selectsAll(key))
        return false;
    switch (key->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Backspace:
        return true;
    default:
        return keptForWindow(key) || typesText(key);
    }
}

QString veldNaam(const SearchTableModel::Field& f)
{
    if (!f.sourceTable.isEmpty() && !f.sourceField.isEmpty())
        return f.sourceTable + "." + f.sourceField;
    return f.name;
}

} // namespace

frmTabel::frmTabel(QWidget* parent) : QDialog(parent)
{
    setFont(QFont("Arial", 9));
    Teksten[1] = "Zoektekst:";
    Teksten[2] = "&Annuleren";
    Teksten[5] = "Zoek overal in de tekst";

    fraTabvintop = new QGroupBox(this);
    fraTabvintop->setObjectName("fraTabvintop");
    lblTabel = new QLabel(Teksten[1], fraTabvintop);
    lblTabel->setObjectName("lblTabel");
    place(lblTabel, 150, 270, 1575, 255);
    chkTekst = new QCheckBox(fraTabvintop);
    chkTekst->setObjectName("chkTekst");
    place(chkTekst, 1050, 270, CheckBoxWidth, 255);
    describeChkTekst();
    txtTabel = new QLineEdit(fraTabvintop);
    txtTabel->setObjectName("txtTabel");
    place(txtTabel, 1380, 210, 2025, 375);
    const char* findCaptions[2] = {"=>", "<="};
    for (int i = 0; i < 2; ++i) {
        cmdTekst[i] = new QPushButton(findCaptions[i], fraTabvintop);
        cmdTekst[i]->setObjectName(QString("cmdTekst_%1").arg(i));
        QFont bold = cmdTekst[i]->font();
        bold.setBold(true);
        cmdTekst[i]->setFont(bold);
        cmdTekst[i]->setAutoDefault(false);
        cmdTekst[i]->hide();
    }
    place(cmdTekst[0], 3030, 240, FindButtonWidth, 315);
    place(cmdTekst[1], 2640, 240, FindButtonWidth, 315);

    fraTabvinbottom = new QGroupBox(this);
    fraTabvinbottom->setObjectName("fraTabvinbottom");
    txtSelectie = new QLineEdit("1234", fraTabvinbottom);
    txtSelectie->setObjectName("txtSelectie");
    txtSelectie->setReadOnly(true);
    place(txtSelectie, 120, 240, 555, 375);
    txtSelectie->hide();
    const QString buttonCaptions[2] = {Teksten[2], "&Ok"};
    for (int i = 0; i < 2; ++i) {
        cmdTabel[i] = new QPushButton(buttonCaptions[i], fraTabvinbottom);
        cmdTabel[i]->setObjectName(QString("cmdTabel_%1").arg(i));
    }
    place(cmdTabel[0], 1440, 240, ButtonWidth, 375);
    place(cmdTabel[1], 120, 240, ButtonWidth, 375);
    cmdTabel[1]->setDefault(true);

    m_model = new SearchTableModel(this);
    tdbTabel = new QTableView(this);
    tdbTabel->setObjectName("tdbTabel");
    tdbTabel->setModel(m_model);
    tdbTabel->setItemDelegate(new CurrentRowDelegate(tdbTabel));
    tdbTabel->setEditTriggers(QAbstractItemView::NoEditTriggers);
    tdbTabel->setSelectionBehavior(QAbstractItemView::SelectRows);
    tdbTabel->setSelectionMode(QAbstractItemView::NoSelection);
    tdbTabel->setTabKeyNavigation(false);
    tdbTabel->setWordWrap(false);
    tdbTabel->setCornerButtonEnabled(false);
    tdbTabel->horizontalHeader()->setSectionsMovable(false);
    tdbTabel->horizontalHeader()->setSectionsClickable(true);
    tdbTabel->horizontalHeader()->setHighlightSections(false);
    tdbTabel->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    tdbTabel->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
    // The highlight keeps the system colours when the grid has no focus.
    QPalette palette = tdbTabel->palette();
    for (const auto role : {QPalette::Highlight, QPalette::HighlightedText})
        palette.setBrush(QPalette::Inactive, role, palette.brush(QPalette::Active, role));
    tdbTabel->setPalette(palette);

    setTabOrder(txtTabel, tdbTabel);
    setTabOrder(tdbTabel, cmdTabel[1]);
    setTabOrder(cmdTabel[1], cmdTabel[0]);
    setTabOrder(cmdTabel[0], chkTekst);
    setOuterSize(DesignWidth, DesignHeight);

    txtTabel->installEventFilter(this);
    tdbTabel->installEventFilter(this);
    fraTabvinbottom->installEventFilter(this);
    connect(txtTabel, &QLineEdit::textEdited, this, [this] { underErrorDialog([this] { ZoekRegel(0); }); });
    connect(chkTekst, &QCheckBox::clicked, this, [this] { underErrorDialog([this] { chkTekstClick(); }); });
    for (int i = 0; i < 2; ++i)
        connect(cmdTekst[i], &QPushButton::clicked, this,
                [this, i] { underErrorDialog([this, i] { ZoekRegel(i + 1); }); });
    connect(cmdTabel[0], &QPushButton::clicked, this, &frmTabel::cancelSearch);
    connect(cmdTabel[1], &QPushButton::clicked, this, &frmTabel::acceptRow);
    connect(tdbTabel, &QTableView::doubleClicked, this, &frmTabel::acceptRow);
    connect(tdbTabel->horizontalHeader(), &QHeaderView::sectionClicked, this,
            [this](int c) { underErrorDialog([this, c] { headClick(c); }); });
    connect(tdbTabel->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this] { underErrorDialog([this] { rowColChange(); }); });
    connect(tdbTabel->selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] { selChange(); });
}

frmTabel::~frmTabel()
{
    setBusy(false);
}

bool frmTabel::showModal()
{
    const QPointer<QWidget> opener = QApplication::focusWidget();
    m_closed = false;
    m_accepted = false;
    setBusy(true);
    LaadTabel();
    setBusy(false);
    if (!m_closed)
        exec();
    giveFocusBack(opener);
    // Cancel set TabelID to 0; a window closed from its frame leaves it as
    // the client set it.
    return m_accepted;
}

void frmTabel::giveFocusBack(QWidget* opener)
{
    // Whatever the window system activates once this window is gone, the
    // keyboard is back on the control that opened the search, so the next
    // key acts there and not on the first control of the client's window
    // (a wizard step's forward button).
    if (!opener || !opener->isVisible() || !opener->isEnabled())
        return;
    opener->activateWindow();
    opener->setFocus(Qt::ActiveWindowFocusReason);
}

void frmTabel::s_Close()
{
    m_closed = true;
    done(m_accepted ? Accepted : Rejected);
}

void frmTabel::setBusy(bool busy)
{
    if (busy == m_busy)
        return;
    m_busy = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

int frmTabel::ErrorHandler(int number, const QString& description)
{
    setBusy(false);
    const QString text = "Nummer: " + QString(number >= 0 ? " " : "") + QString::number(number) + "\n\n" + description;
    const int answer = MessageBox::show(text, MsgBox::RetryCancel | MsgBox::Exclamation, "Melding");
    return answer == MsgBox::Retry ? Retry : Leave;
}

bool frmTabel::underErrorDialog(const std::function<void()>& step)
{
    for (;;) {
        int foutVlag;
        try {
            step();
            return true;
        } catch (const AppError& e) {
            LogAppError(e);
            foutVlag = ErrorHandler(e.number(), e.description());
        } catch (const std::exception& e) {
            foutVlag = ErrorHandler(JetError::GeneralSql, QString::fromLocal8Bit(e.what()));
        }
        if (foutVlag == Leave)
            return false;
    }
}

// Loading -------------------------------------------------------------------

void frmTabel::LaadTabel()
{
    if (!underErrorDialog([this] { takeTexts(); }) || !underErrorDialog([this] { loadRows(); }))
        return;
    if (m_model->rowCount() == 0) {
        setBusy(false);
        if (!Teksten[3].isEmpty())
            MessageBox::show(Teksten[3], MsgBox::OkOnly, Teksten[4]);
        else
            MessageBox::show("Er zijn nog geen tabelgegevens bekend", MsgBox::OkOnly, "Zoeken gegevens");
        cancelSearch();
        return;
    }
    if (!underErrorDialog([this] { setColumns(); }) || !underErrorDialog([this] { SorteerTabel(); }) ||
        !underErrorDialog([this] { showStartRow(); }))
        return;
    if (TabelSelectieAktief == 1 && SelectieIDs->Count() > 0)
        underErrorDialog([this] { MarkeerSelectie(0); });
}

void frmTabel::takeTexts()
{
    for (int i = 1; i <= TekstRegels->Count(); ++i) {
        const TTekst* t = TekstRegels->tekst(i);
        if (t->Kode < 0 || t->Kode >= int(Teksten.size()))
            throw AppError(9, "Tabvin", "Subscript out of range");
        Teksten[t->Kode] = t->Oms;
    }
    if (!Teksten[1].isEmpty())
        lblTabel->setText(Teksten[1]);
    if (!Teksten[2].isEmpty())
        cmdTabel[0]->setText(Teksten[2]);
    describeChkTekst();
}

void frmTabel::describeChkTekst()
{
    // The check box has no caption of its own: this says what it does.
    chkTekst->setToolTip(Teksten[5]);
    chkTekst->setAccessibleName(Teksten[5]);
}

void frmTabel::loadRows()
{
    TabelQry = TabelQry.trimmed();
    if (TabelQry.endsWith(';'))
        TabelQry.chop(1);
    m_model->clear();
    selChange();
    tdbTabel->setSelectionMode(TabelSelectieAktief == 1 ? QAbstractItemView::MultiSelection
                                                        : QAbstractItemView::NoSelection);
    Database db(TabelDb);
    // The search only reads; a statement that would write is refused by the engine.
    db.execute("PRAGMA query_only = ON");
    RecordSet rs = db.openRecordset(TabelQry);
    m_model->load(rs);
}

void frmTabel::setColumns()
{
    const int headers = GridHeaders->Count();
    const auto& fields = m_model->fields();
    if (headers >= fields.size())
        throw AppError(JetError::ItemNotFound, "Tabvin", "Item not found in this collection.");
    // Everything is worked out before anything changes, so a retry starts from the same values.
    QVector<int> widths;
    int total = 0;
    for (int i = 1; i <= headers; ++i) {
        const TColHead* h = GridHeaders->header(i);
        // An empty caption has no width of its own to measure: the font's average stands in.
        const int charWidth = h->Naam.isEmpty() ? twips(fontMetrics().averageCharWidth())
                                                : twips(fontMetrics().horizontalAdvance(h->Naam)) / int(h->Naam.size());
        widths << Numbers::toInt16(double(charWidth) * h->characters());
        total = Numbers::toInt16(double(total) + widths.last());
    }

    m_model->setShownColumns(headers + 1);
    tdbTabel->setColumnHidden(0, true);
    for (int i = 1; i <= headers; ++i) {
        TColHead* h = GridHeaders->header(i);
        h->VeldNaam = veldNaam(fields[i]);
        h->setShownWidth(widths[i - 1]);
        m_model->setCaption(i, h->Naam);
        tdbTabel->setColumnWidth(i, px(widths[i - 1]));
    }
    int width = total > 3000 ? total + 700 : 3000;
    // The title says what is being chosen: it shows whole, as far as the screen allows.
    width = std::max(width, twips(TitleBarWidth(this)));
    if (const QScreen* s = screen(); s && twips(s->geometry().width()) - 200 < width)
        width = twips(s->geometry().width()) - 200;
    setOuterSize(width, outerSize().height());
}

void frmTabel::showStartRow()
{
    const int row = m_model->findRecord(TabelID);
    if (row < 0) {
        setCurrentRow(0);
        setSearchText("");
    } else {
        setCurrentRow(row);
        setSearchText(ZoekWaarde());
        txtTabel->selectAll();
    }
}

// Sorting -------------------------------------------------------------------

void frmTabel::SorteerTabel()
{
    // The query's own order stands.
    if (TabelQry.toUpper().contains("ORDER BY"))
        return;
    QVector<SearchTableModel::SortKey> keys;
    SortKolom = 0;
    for (int i = 1; i <= GridHeaders->Count(); ++i) {
        const TColHead* h = GridHeaders->header(i);
        if (h->Sort == 1 || h->Sort == 2) {
            if (SortKolom == 0)
                SortKolom = i;
            keys.push_back({i, h->Sort == 2});
        }
    }
    if (keys.isEmpty()) {
        GridHeaders->header(1)->Sort = 1;
        SortKolom = 1;
        keys.push_back({1, false});
    }
    const TColHead* marked = GridHeaders->header(SortKolom);
    m_model->sort(keys);
    m_model->setMarkedColumn(SortKolom);
    m_model->setCaption(SortKolom, marked->Naam + (marked->Sort == 2 ? " (Z)" : " (A)"));
    if (currentRow() < 0)
        setCurrentRow(0);
    tdbTabel->scrollTo(tdbTabel->currentIndex());
    showRowValue();
}

void frmTabel::headClick(int column)
{
    if (column < 1)
        return;
    for (int i = 1; i <= GridHeaders->Count(); ++i) {
        TColHead* h = GridHeaders->header(i);
        if (i == column) {
            h->Sort = h->Sort == 0 ? 1 : h->Sort == 1 ? 2 : h->Sort == 2 ? 1 : 0;
        } else {
            h->Sort = 0;
            m_model->setCaption(i, h->Naam);
        }
    }
    SorteerTabel();
}

// Searching -----------------------------------------------------------------

int frmTabel::searchColumn() const
{
    // A query with its own order has no sort column: the first shown column is searched.
    return SortKolom >= 1 && SortKolom < m_model->columnCount() ? SortKolom : 1;
}

void frmTabel::ZoekRegel(int zoekType)
{
    m_heldPrefix.reset(); // the search goes on from what the box holds now
    const int caret = caretPosition();
    if (caret == 0) {
        txtTabel->setCursorPosition(ZoekPositie);
        return;
    }
    ZoekPositie = caret;
    const bool anywhere = chkTekst->isChecked();
    const QString prefix = txtTabel->text().left(ZoekPositie);
    const int current = currentRow();
    const int from = zoekType == 0 ? 0 : zoekType == 1 ? current + 1 : current - 1;
    const int found = m_model->find(searchColumn(), prefix, anywhere, from, zoekType == 2 ? -1 : 1);
    if (found >= 0) {
        setCurrentRow(found);
        if (!anywhere)
            setSearchText(m_model->text(found, searchColumn()));
        selectAfterPrefix();
    }
    // Without a match the text stays as typed and the caret after the typed
    // character: put back before it, every next character would land in
    // front of the last one and reverse the word.
}

QString frmTabel::ZoekWaarde() const
{
    if (chkTekst->isChecked())
        return txtTabel->text();
    const int row = currentRow();
    return row < 0 ? QString() : m_model->text(row, searchColumn());
}

void frmTabel::chkTekstClick()
{
    setSearchText("");
    cmdTekst[0]->setVisible(chkTekst->isChecked());
    cmdTekst[1]->setVisible(chkTekst->isChecked());
}

// Choosing ------------------------------------------------------------------

void frmTabel::KiesRegel()
{
    const int row = currentRow();
    if (row < 0)
        throw AppError(JetError::NoCurrentRecord, "Tabvin", "No current record.");
    const int id = Numbers::toInt32(m_model->recordNumber(row));
    QVector<int> selected;
    for (int r : selectedRows())
        selected << Numbers::toInt32(m_model->recordNumber(r));

    TabelID = id;
    while (SelectieIDs->Count() > 0)
        SelectieIDs->Remove(1);
    for (int s : selected)
        SelectieIDs->Add(s);
}

void frmTabel::MarkeerSelectie(int mode)
{
    if (mode != 0)
        return;
    setBusy(true);
    // The record ID is field 0 of every query, so that is where the IDs are looked for.
    QVector<double> ids;
    for (int i = 1; i <= SelectieIDs->Count(); ++i)
        ids << SelectieIDs->id(i);
    QItemSelection selection;
    const int last = m_model->columnCount() - 1;
    for (int row : m_model->rowsOfRecords(ids))
        selection.select(m_model->index(row, 0), m_model->index(row, last));
    tdbTabel->selectionModel()->select(selection, QItemSelectionModel::Select);
    setBusy(false);
}

void frmTabel::acceptRow()
{
    if (!underErrorDialog([this] { KiesRegel(); }))
        return;
    m_accepted = true;
    s_Close();
}

void frmTabel::cancelSearch()
{
    TabelID = 0;
    s_Close();
}

// Grid and search box events ---------------------------------------------------

void frmTabel::rowColChange()
{
    tdbTabel->viewport()->update();
    showRowValue();
}

void frmTabel::showRowValue()
{
    // What the user typed: the box's first ZoekPositie characters, unless a
    // row shown before has already covered them. A prefix shorter than
    // ZoekPositie (the box was emptied) is all there is to go on from.
    const QString typed = m_heldPrefix.value_or(txtTabel->text().left(ZoekPositie));
    ZoekPositie = int(typed.size());
    setSearchText(ZoekWaarde());
    const int row = currentRow();
    if (row >= 0 && !chkTekst->isChecked() && !typed.isEmpty() && !m_model->startsWith(row, searchColumn(), typed))
        m_heldPrefix = typed;
    selectAfterPrefix();
}

void frmTabel::selectAfterPrefix()
{
    // A row that does not start with the typed prefix is replaced whole by
    // the next key: the prefix and that key are searched.
    if (m_heldPrefix) {
        txtTabel->selectAll();
        return;
    }
    const int length = int(txtTabel->text().size());
    const int start = std::min(ZoekPositie, length);
    txtTabel->setSelection(start, length - start);
}

void frmTabel::selChange()
{
    const int n = int(selectedRows().size());
    txtSelectie->setText(QString::number(n));
    txtSelectie->setVisible(n > 0);
}

void frmTabel::dropHeldPrefix()
{
    if (!m_heldPrefix)
        return;
    // The user took the box as it shows the row: the letters typed before
    // are given up, and the next search goes on from what the user types.
    m_heldPrefix.reset();
    ZoekPositie = 0;
}

bool frmTabel::searchBoxKey(QKeyEvent* key)
{
    if (!leavesBoxAsSet(key))
        dropHeldPrefix();
    // The shown row's text gives way to the typed prefix before the key edits the box.
    if (m_heldPrefix && (typesText(key) || key->key() == Qt::Key_Backspace)) {
        const QString typed = *m_heldPrefix; // setting the text drops the held prefix
        setSearchText(typed);
    }
    switch (key->key()) {
    case Qt::Key_Down:
    case Qt::Key_Up:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
        tdbTabel->setFocus();
        return true;
    case Qt::Key_Backspace: {
        // Backspace widens the completed part by one character instead of deleting.
        const int caret = caretPosition();
        if (caret == 0)
            return false;
        txtTabel->setSelection(caret - 1, int(txtTabel->text().size()) - caret + 1);
        return true;
    }
    default:
        return false;
    }
}

bool frmTabel::gridKey(QKeyEvent* key)
{
    switch (key->key()) {
    case Qt::Key_Space:
    case Qt::Key_PageUp:
    case Qt::Key_PageDown:
    case Qt::Key_Up:
    case Qt::Key_Down:
        return false;
    default:
        if (keptForWindow(key))
            return false;
        break;
    }
    // Any other key goes back to the search box; a typed character goes on
    // into it. Leaving the box dropped its selection: it is put back, so the
    // character replaces the completed part instead of landing after it.
    // Select all goes on into the box too, where it selects by hand.
    txtTabel->setFocus();
    selectAfterPrefix();
    if (typesText(key) || selectsAll(key)) {
        QKeyEvent typed(key->type(), key->key(), key->modifiers(), key->text());
        QCoreApplication::sendEvent(txtTabel, &typed);
    }
    return true;
}

void frmTabel::toggleVersionCaption()
{
    if (fraTabvinbottom->title().isEmpty())
        fraTabvinbottom->setTitle(QString("%1.%2.%3")
                                      .arg(VersionMajor)
                                      .arg(VersionMinor, 2, 10, QChar('0'))
                                      .arg(VersionRevision, 2, 10, QChar('0')));
    else
        fraTabvinbottom->setTitle(QString());
}

bool frmTabel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        bool handled = false;
        if (watched == txtTabel)
            underErrorDialog([&] { handled = searchBoxKey(key); });
        else if (watched == tdbTabel)
            underErrorDialog([&] { handled = gridKey(key); });
        return handled;
    }
    // A click places the caret or starts a selection by hand.
    if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
        watched == txtTabel)
        dropHeldPrefix();
    if (event->type() == QEvent::MouseButtonDblClick && watched == fraTabvinbottom) {
        toggleVersionCaption();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void frmTabel::keyPressEvent(QKeyEvent* event)
{
    // Esc answers for the cancel button; only the window's frame closes it
    // without an answer.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        cancelSearch();
        return;
    }
    QDialog::keyPressEvent(event);
}

// Layout --------------------------------------------------------------------

void frmTabel::resizeEvent(QResizeEvent* event)
{
    QDialog::resizeEvent(event);
    layoutControls();
}

void frmTabel::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    tdbTabel->viewport()->update();
    txtTabel->setFocus();
}

QSize frmTabel::outerSize() const
{
    return {twips(width()) + FrameWidth, twips(height()) + FrameHeight};
}

void frmTabel::setOuterSize(int width, int height)
{
    resize(std::max(0, px(width - FrameWidth)), std::max(0, px(height - FrameHeight)));
}

void frmTabel::layoutControls()
{
    const int w = outerSize().width();
    const int h = outerSize().height();
    place(fraTabvintop, 20, 0, w - 160, 735);
    place(fraTabvinbottom, 20, h - 1150, w - 160, 735);
    const int boxWidth = w - 1320 - CheckBoxWidth;
    place(txtTabel, 1380, 210, boxWidth, 375);
    place(tdbTabel, 20, 800, w - 180, h - 1960);
    const int acceptLeft = int(std::lround(double(w - 100 - 2 * ButtonWidth - 50))) / 2;
    place(cmdTabel[1], acceptLeft, 240, ButtonWidth, 375);
    place(cmdTabel[0], acceptLeft + ButtonWidth + 50, 240, ButtonWidth, 375);
    const int nextLeft = 1380 + boxWidth - FindButtonWidth - 20;
    place(cmdTekst[0], nextLeft, 240, FindButtonWidth, 315);
    place(cmdTekst[1], nextLeft - FindButtonWidth - 20, 240, FindButtonWidth, 315);
}

// Helpers -------------------------------------------------------------------

int frmTabel::currentRow() const
{
    return tdbTabel->currentIndex().row();
}

void frmTabel::setCurrentRow(int row)
{
    if (row < 0 || row >= m_model->rowCount())
        return;
    const int column = std::max(1, tdbTabel->currentIndex().column());
    const QModelIndex index = m_model->index(row, std::min(column, m_model->columnCount() - 1));
    tdbTabel->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
    tdbTabel->scrollTo(index);
}

QList<int> frmTabel::selectedRows() const
{
    QList<int> rows;
    QSet<int> seen;
    for (const QItemSelectionRange& range : tdbTabel->selectionModel()->selection())
        for (int r = range.top(); r <= range.bottom(); ++r)
            if (!seen.contains(r)) {
                seen.insert(r);
                rows << r;
            }
    return rows;
}

int frmTabel::caretPosition() const
{
    return txtTabel->hasSelectedText() ? txtTabel->selectionStart() : txtTabel->cursorPosition();
}

void frmTabel::setSearchText(const QString& text)
{
    m_heldPrefix.reset();
    if (txtTabel->text() == text)
        return;
    txtTabel->setText(text);
    txtTabel->setCursorPosition(ZoekPositie);
}
