#include "windowhelpers.h"

#include "appstate.h"
#include "generalui.h"
#include "programsettings.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QPainter>
#include <QPainterPath>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTableView>
#include <QTimer>
#include <QToolButton>
#include <cmath>

namespace {

bool g_busyCursor = false;

void setBusy(bool busy)
{
    // One flag, not a stack: any number of "busy" calls end with one "done".
    if (busy && !g_busyCursor) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        g_busyCursor = true;
    } else if (!busy && g_busyCursor) {
        while (QApplication::overrideCursor())
            QApplication::restoreOverrideCursor();
        g_busyCursor = false;
    }
}

QPixmap drawLogo(const QColor& leaf, const QColor& ground, int size)
{
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setBrush(ground);
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(1, 1, size - 2, size - 2), size / 6.0, size / 6.0);
    QPainterPath path;
    path.moveTo(size * 0.5, size * 0.15);
    path.cubicTo(size * 0.9, size * 0.3, size * 0.85, size * 0.75, size * 0.5, size * 0.85);
    path.cubicTo(size * 0.15, size * 0.75, size * 0.1, size * 0.3, size * 0.5, size * 0.15);
    p.setBrush(leaf);
    p.drawPath(path);
    p.setPen(QPen(ground, size / 16.0));
    p.drawLine(QPointF(size * 0.5, size * 0.25), QPointF(size * 0.5, size * 0.8));
    return pm;
}

} // namespace

QWidget* MainWindow()
{
    return qobject_cast<QWidget*>(appState().mainWindow.data());
}
void SetMainWindow(QWidget* window)
{
    appState().mainWindow = window;
}

QPixmap Picture(const QString& key)
{
    // Drawn rather than shipped as files.
    if (key == "TessmarkLogo" || key == "BraloChemicals")
        return drawLogo(QColor(46, 125, 50), QColor(232, 245, 233), 48);
    if (key == "BraloLogoKnop")
        return drawLogo(QColor(46, 125, 50), QColor(255, 255, 255), 32);
    if (key == "BraloLogoKnopDown")
        return drawLogo(QColor(27, 94, 32), QColor(200, 230, 201), 32);
    if (key == "DriehoekKnopje") {
        QPixmap pm(12, 12);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(Qt::black);
        p.drawPolygon(QPolygonF({QPointF(2, 3), QPointF(10, 3), QPointF(6, 9)}));
        return pm;
    }
    if (key == "DeleteKnopje") {
        QPixmap pm(12, 12);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(198, 40, 40), 2));
        p.drawLine(2, 2, 10, 10);
        p.drawLine(10, 2, 2, 10);
        return pm;
    }
    return {};
}

void SetStatusPanel(QWidget* window, const QString& text, qint16 code)
{
    QString t = text;
    int panel = code;
    if (code < 0) {
        t = code >= -5 ? GetLangStr(999100000 - code) : QString();
        panel = 1;
    }
    if (window)
        ShowStatus(window, t, panel);
}

void ShowStatusLang(QWidget* window, qint32 mode, const QString& text)
{
    if (mode == 0) {
        setBusy(false);
        if (window)
            ShowStatus(window, QString(), 1);
    } else if (mode == 1 || mode < 0) {
        setBusy(true);
        if (mode < 0)
            SetStatusPanel(window, QString(), qint16(std::max(mode, qint32(-32768))));
    }
    if (!text.isEmpty() && window)
        ShowStatus(window, text, 1);
}

void SetCaption(QWidget* control, const QString& text)
{
    if (auto* l = qobject_cast<QLabel*>(control))
        l->setText(text);
    else if (auto* b = qobject_cast<QAbstractButton*>(control))
        b->setText(text);
    else if (auto* g = qobject_cast<QGroupBox*>(control))
        g->setTitle(text);
    else if (auto* e = qobject_cast<QLineEdit*>(control))
        e->setText(text);
    else if (control)
        control->setWindowTitle(text);
}

QString Caption(const QWidget* control)
{
    if (auto* l = qobject_cast<const QLabel*>(control))
        return l->text();
    if (auto* b = qobject_cast<const QAbstractButton*>(control))
        return b->text();
    if (auto* g = qobject_cast<const QGroupBox*>(control))
        return g->title();
    if (auto* e = qobject_cast<const QLineEdit*>(control))
        return e->text();
    return control ? control->windowTitle() : QString();
}

qint16 SetCaptionLang(QWidget* control, qint32 id)
{
    if (!control)
        return 999;
    SetCaption(control, GetLangStr(id));
    return 0;
}

void PlaceLabelText(QWidget* w, int left, int top, int width, qint16 alignment, qint16 flat, QWidget* container)
{
    if (container && w->parentWidget() != container)
        w->setParent(container);
    w->setGeometry(twips(left), twips(top), twips(width), w->height());
    const Qt::Alignment align = alignment == 1 ? Qt::AlignRight : alignment == 2 ? Qt::AlignHCenter : Qt::AlignLeft;
    if (auto* l = qobject_cast<QLabel*>(w)) {
        l->setAlignment(align | Qt::AlignVCenter);
        l->setText(QString());
    } else if (auto* e = qobject_cast<QLineEdit*>(w)) {
        e->setAlignment(align | Qt::AlignVCenter);
        e->setText(QString());
    }
    w->setProperty("Tag", "unload");
    if (flat == 1) {
        w->setAutoFillBackground(true);
        QPalette pal = w->palette();
        pal.setColor(QPalette::Window, QApplication::palette().color(QPalette::Button));
        pal.setColor(QPalette::Base, QApplication::palette().color(QPalette::Button));
        w->setPalette(pal);
        if (auto* e = qobject_cast<QLineEdit*>(w))
            e->setFrame(false);
        if (auto* f = qobject_cast<QFrame*>(w))
            f->setFrameShape(QFrame::NoFrame);
        QFont font = w->font();
        font.setPointSize(8);
        font.setBold(false);
        w->setFont(font);
    }
    w->setVisible(true);
}

void SetLogoButtons(QWidget* window)
{
    if (!window)
        return;
    if (QWidget* main = MainWindow())
        window->setWindowIcon(main->windowIcon());
    if (auto* forward = window->findChild<QAbstractButton*>("cmdControl_0")) {
        QIcon icon(Picture("BraloLogoKnop"));
        icon.addPixmap(Picture("BraloLogoKnopDown"), QIcon::Active);
        forward->setIcon(icon);
        forward->setIconSize(QSize(24, 24));
    }
}

QSize OuterSize(const QWidget* window)
{
    // From the window's own size, not its frame's: a window is also laid out
    // at sizes it only tries, to learn how much room it needs.
    if (auto* sub = qobject_cast<const QMdiSubWindow*>(window->parentWidget()))
        return window->size().grownBy(sub->contentsMargins());
    return window->frameGeometry().size();
}

void CenterControl(QWidget* window, QWidget* frame, qint32 horizontalOffset, qint32 verticalOffset)
{
    const QSize outer = OuterSize(window);
    frame->move(outer.width() / 2 - frame->width() / 2 + twips(horizontalOffset),
                outer.height() / 2 - frame->height() / 2 - twips(100) + twips(verticalOffset));
}

void SetArrayEnabled(QWidget* control)
{
    if (control)
        control->setEnabled(appState().ID_HISTORIE == 0);
}

namespace {

qint32 rgbOf(const QColor& c)
{
    return c.red() + c.green() * 256 + c.blue() * 65536;
}

} // namespace

QColor ToQColor(qint32 colour)
{
    const qint32 rgb = TranslateColor(colour);
    return QColor(rgb & 255, (rgb >> 8) & 255, (rgb >> 16) & 255);
}

qint32 TranslateColor(qint32 colour)
{
    if (colour >= 0)
        return colour & 0xFFFFFF;
    const QPalette pal = QApplication::palette();
    switch (colour & 0xFF) {
    case 0x00: // scroll bar
    case 0x0F: // button face
        return rgbOf(pal.color(QPalette::Button));
    case 0x05: // window background
        return rgbOf(pal.color(QPalette::Base));
    case 0x08: // window text
        return rgbOf(pal.color(QPalette::Text));
    case 0x0D: // highlight
        return rgbOf(pal.color(QPalette::Highlight));
    case 0x0E: // highlighted text
        return rgbOf(pal.color(QPalette::HighlightedText));
    case 0x10: // button shadow
        return rgbOf(pal.color(QPalette::Dark));
    case 0x12: // button text
        return rgbOf(pal.color(QPalette::ButtonText));
    case 0x14: // 3-D highlight
        return rgbOf(pal.color(QPalette::Light));
    default:
        return 0;
    }
}

QVariant AdjustColor(qint32& colour, float& red, float& green, float& blue)
{
    if (colour < 0)
        colour = TranslateColor(colour);
    int r = colour & 255;
    int g = (colour & 65280) / 256;
    int b = (colour & 16711680) / 65536;
    if (red + green + blue == 0) {
        r -= 15;
        g -= 15;
        b -= 15;
    } else {
        if (red == 0)
            red = 1;
        if (green == 0)
            green = 1;
        if (blue == 0)
            blue = 1;
        r = int(std::nearbyint(r * red));
        g = int(std::nearbyint(g * green));
        b = int(std::nearbyint(b * blue));
    }
    auto clamp = [](int c) { return std::clamp(c, 0, 255); };
    return QVariant(qint32(clamp(r) + clamp(g) * 256 + clamp(b) * 65536));
}

UnboundGridModel::UnboundGridModel(QStringList headers, Fetch fetch, Store store, QObject* parent)
    : QAbstractTableModel(parent), m_headers(std::move(headers)), m_fetch(std::move(fetch)), m_store(std::move(store))
{
}

void UnboundGridModel::setRowCount(int rows)
{
    beginResetModel();
    m_rows = std::max(rows, 0);
    endResetModel();
}

int UnboundGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_rows;
}
int UnboundGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_headers.size();
}

QVariant UnboundGridModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid() || !m_fetch)
        return {};
    return m_fetch(index.row(), index.column(), role);
}

bool UnboundGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || role != Qt::EditRole || !m_store || !m_store(index.row(), index.column(), value))
        return false;
    emit dataChanged(index, index);
    return true;
}

QVariant UnboundGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section < m_headers.size())
        return m_headers[section];
    return QAbstractTableModel::headerData(section, orientation, role);
}

Qt::ItemFlags UnboundGridModel::flags(const QModelIndex& index) const
{
    Qt::ItemFlags f = QAbstractTableModel::flags(index);
    if (m_store)
        f |= Qt::ItemIsEditable;
    return f;
}

void SetGridLook(QTableView* grid, qint16 style)
{
    if (!grid)
        return;
    const bool edit = style == 1;
    grid->horizontalHeader()->setVisible(true);
    grid->horizontalHeader()->setStretchLastSection(true); // the last column fills the width
    QFont head = grid->horizontalHeader()->font();
    head.setBold(true);
    grid->horizontalHeader()->setFont(head);
    grid->horizontalHeader()->setMinimumHeight(2 * QFontMetrics(head).height() + 4); // two heading lines
    grid->verticalHeader()->setVisible(edit);                                        // record selectors
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setSelectionBehavior(edit ? QAbstractItemView::SelectRows : QAbstractItemView::SelectItems);
    grid->setFrameShape(edit ? QFrame::StyledPanel : QFrame::NoFrame);
    grid->setShowGrid(edit);
    grid->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
    // A list hands Tab on to the buttons beside it; Tab moves from cell to cell only where cells are typed in.
    grid->setTabKeyNavigation(edit);
    if (edit)
        grid->verticalHeader()->setDefaultSectionSize(twips(325));
    // The highlighted row of the list look: the grid's background, darker by 15.
    qint32 base = rgbOf(grid->palette().color(QPalette::Base));
    float r = 0, g = 0, b = 0;
    grid->setProperty("HighlightRow_plat", ToQColor(AdjustColor(base, r, g, b).toInt()));
    grid->viewport()->update();
}

void RebindGrid(QTableView* grid, qint32 rowCount)
{
    if (!grid)
        return;
    const int row = grid->currentIndex().row();
    if (auto* model = qobject_cast<UnboundGridModel*>(grid->model())) {
        model->setRowCount(rowCount);
        if (rowCount > 0) {
            const int keep = row < 0 ? 0 : std::min(row, int(rowCount) - 1);
            grid->setCurrentIndex(model->index(keep, std::max(grid->currentIndex().column(), 0)));
        }
    }
    QCoreApplication::processEvents();
}

qint32 IndexFromBookmark(const QVariant& bookmark, qint32 offset, qint32 rowCount)
{
    qint32 row;
    if (bookmark.isNull() || !bookmark.isValid())
        row = offset >= 0 ? offset - 1 : rowCount + offset;
    else
        row = qint32(bookmark.toString().trimmed().toLongLong()) + offset;
    return row >= 0 && row < rowCount ? row : -9999;
}

QVariant GetRelativeBookmark(const QVariant& bookmark, qint32 offset, qint32 rowCount)
{
    const qint32 row = IndexFromBookmark(bookmark, offset, rowCount);
    if (row < 0 || row >= rowCount)
        return {};
    return QString(" ") + QString::number(row);
}

namespace {

class SelectionFollowsFocus : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Polish)
            if (auto* box = qobject_cast<QLineEdit*>(watched); box && !box->property(HookedProperty).toBool()) {
                box->setProperty(HookedProperty, true);
                // Looked at once control returns to the event loop, so that code
                // that selects a text to replace it at once works as before.
                connect(
                    box, &QLineEdit::selectionChanged, box,
                    [box] {
                        if (box->hasSelectedText() && !box->hasFocus() && box->window()->isActiveWindow())
                            box->deselect();
                    },
                    Qt::QueuedConnection);
            }
        return QObject::eventFilter(watched, event);
    }

private:
    static constexpr const char* HookedProperty = "zv_selectionFollowsFocus";
};

} // namespace

namespace {

class ListUnderBox : public QObject {
public:
    ListUnderBox(QComboBox* button, QWidget* box) : QObject(button), m_button(button), m_box(box) {}

protected:
    // The list is placed before it shows, so it never shows elsewhere first.
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Show && m_box)
            if (auto* list = qobject_cast<QWidget*>(watched)) {
                const int left = m_box->mapToGlobal(QPoint(0, 0)).x();
                const int right = m_button->mapToGlobal(QPoint(m_button->width(), 0)).x();
                QRect place = list->geometry();
                place.setWidth(std::max(place.width(), right - left));
                place.moveLeft(left);
                if (const QScreen* screen = m_button->screen()) {
                    const QRect room = screen->availableGeometry();
                    if (place.right() > room.right())
                        place.moveRight(room.right());
                    if (place.left() < room.left())
                        place.moveLeft(room.left());
                }
                list->setGeometry(place);
            }
        return QObject::eventFilter(watched, event);
    }

private:
    QComboBox* m_button;
    QPointer<QWidget> m_box;
};

} // namespace

void OpenListUnderBox(QComboBox* button, QWidget* box)
{
    // The list's popup frame is the window the list view lives in.
    button->view()->window()->installEventFilter(new ListUnderBox(button, box));
}

void InstallSelectionFollowsFocus()
{
    static QPointer<SelectionFollowsFocus> filter;
    if (filter || !qApp)
        return;
    filter = new SelectionFollowsFocus(qApp);
    qApp->installEventFilter(filter);
}

bool IsEnter(const QKeyEvent* key)
{
    return (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) &&
           (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

bool PressOnEnter(QWidget* focused, const QKeyEvent* key)
{
    if (!IsEnter(key) || (!qobject_cast<QPushButton*>(focused) && !qobject_cast<QToolButton*>(focused)))
        return false;
    auto* button = static_cast<QAbstractButton*>(focused);
    if (button->isEnabled())
        button->click();
    return true;
}

QWidget* FirstControl(QWidget* window)
{
    for (QWidget* w = window->nextInFocusChain(); w && w != window; w = w->nextInFocusChain())
        if (window->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() && w->isEnabled())
            return w;
    return nullptr;
}

void SelectAllOnceFocused(QLineEdit* box)
{
    QTimer::singleShot(0, box, [box] {
        if (box->hasFocus())
            box->selectAll();
    });
}

Bezig::Bezig(qint32 mode)
{
    ShowStatusLang(MainWindow(), mode);
}

Bezig::~Bezig()
{
    ShowStatusLang(MainWindow(), 0);
}

bool SchrijfMetMelding(qint32 foutTekst, const std::function<bool()>& schrijf)
{
    QString fout;
    {
        Bezig bezig(-2);
        try {
            return schrijf();
        } catch (const AppError& e) {
            // The user reads the plain description; the statement and the
            // driver's text are for whoever finds out why.
            LogAppError(e);
            fout = e.description();
        }
    }
    // The message comes after the busy text is gone.
    MessageBox::show(GetLangStr(foutTekst) + "\n" + fout, MsgBox::Critical);
    return false;
}

bool InstellingenOpgeslagen(bool opgeslagen)
{
    if (opgeslagen)
        return true;
    // A file that cannot be read is refused before anything is written: the
    // disk is not to blame, and the user would look for room in vain.
    if (ProgramSettings::fileUnreadable())
        MessageBox::show(GetLangStr(999000073), MsgBox::Exclamation);
    else
        MessageBox::show(GetLangStr(999000072), MsgBox::Exclamation);
    return false;
}
