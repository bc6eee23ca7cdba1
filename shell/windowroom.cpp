#include "windowroom.h"

#include "controlarray.h"
#include "windowhelpers.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QResizeEvent>
#include <QScrollBar>
#include <QStyle>
#include <QStyleOption>
#include <QWheelEvent>
#include <algorithm>
#include <cstdlib>
#include <functional>
#include <utility>

namespace {

// Beyond this no window's layout asks for more room.
constexpr int kMost = 4000;
// A control may touch the button bar by its own edge: nothing it shows is
// under the bar. A room that cuts no more than that off a control is room
// enough; a window that is given more room is given all it needs.
constexpr QMargins kTouch(2, 2, 2, 2);

// A widget that shows when its window shows: the controls of a window not
// shown yet are hidden until then, but not hidden by choice.
bool showsWithWindow(const QWidget* w)
{
    if (w->isWindow())
        return false;
    if (!w->isHidden())
        return true;
    return !w->testAttribute(Qt::WA_WState_ExplicitShowHide) && !w->parentWidget()->isVisible();
}

// What a control draws, in its own coordinates: a label without a frame or
// a background of its own draws only its text, and its box may run on past
// it empty; a frame's caption is drawn above its controls.
QRect drawnPlace(const QWidget* w)
{
    if (const auto* label = qobject_cast<const QLabel*>(w); label && label->frameShape() == QFrame::NoFrame &&
                                                            !label->autoFillBackground() && label->pixmap().isNull() &&
                                                            !Qt::mightBeRichText(label->text())) {
        if (label->text().isEmpty())
            return {};
        const int flags = int(label->alignment()) | Qt::TextShowMnemonic | (label->wordWrap() ? Qt::TextWordWrap : 0);
        const QRect room = label->contentsRect().marginsRemoved(
            QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
        return label->style()->itemTextRect(label->fontMetrics(), room, flags, label->isEnabled(), label->text()) &
               label->rect();
    }
    return w->rect();
}

QRect captionPlace(const QWidget* w)
{
    const auto* frame = qobject_cast<const QGroupBox*>(w);
    if (!frame || frame->title().isEmpty())
        return {};
    QStyleOptionGroupBox option;
    option.initFrom(frame);
    option.text = frame->title();
    option.lineWidth = 1;
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.textAlignment = frame->alignment();
    return frame->style()->subControlRect(QStyle::CC_GroupBox, &option, QStyle::SC_GroupBoxLabel, frame);
}

bool forEachControl(const QWidget* parent, const QPoint& at, const QRect& clip,
                    const std::function<void(const QRect&)>& found);

// Calls found with the place of each control that w is or holds, with w's
// corner at corner, as far as clip lets it show.
void forEachControlOf(const QWidget* w, const QPoint& corner, const QRect& clip,
                      const std::function<void(const QRect&)>& found)
{
    const QRect place = QRect(corner, w->size()) & clip;
    if (const QRect caption = captionPlace(w).translated(corner) & place; !caption.isEmpty())
        found(caption);
    if (!forEachControl(w, corner, place, found))
        if (const QRect drawn = drawnPlace(w).translated(corner) & place; !drawn.isEmpty())
            found(drawn);
}

// Calls found with the place of each control in parent, as far as the frames
// around it let it show, with at the place of parent's corner. A control is a
// widget that shows and holds none that does, and a frame's caption. False
// when parent holds none.
bool forEachControl(const QWidget* parent, const QPoint& at, const QRect& clip,
                    const std::function<void(const QRect&)>& found)
{
    bool any = false;
    for (const QObject* child : parent->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w || !showsWithWindow(w) || (QRect(at + w->pos(), w->size()) & clip).isEmpty())
            continue;
        any = true;
        forEachControlOf(w, at + w->pos(), clip, found);
    }
    return any;
}

// Lays the window out at size as its own resize handling does it; a window
// that is not shown yet is told at once instead of when it shows.
void layOut(QWidget* window, const QSize& size)
{
    const QSize old = window->size();
    window->resize(size);
    if (!window->isVisible() && size != old) {
        QResizeEvent event(size, old);
        QCoreApplication::sendEvent(window, &event);
    }
}

// The least value from `from` up to kMost at which fits holds, 0 when there
// is none. A layout only spreads out with the room it gets, so halving finds it.
int least(int from, const std::function<bool(int)>& fits)
{
    from = std::max(from, 1);
    if (from > kMost || !fits(kMost))
        return 0;
    if (fits(from))
        return from;
    int low = from; // does not fit
    int high = kMost;
    while (high - low > 1) {
        const int middle = low + (high - low) / 2;
        (fits(middle) ? high : low) = middle;
    }
    return high;
}

// Whether the window shows every control, as far as edge lets them past its edges.
bool showsEveryControl(const QWidget* window, const QMargins& edge)
{
    const QRect anywhere(-kMost, -kMost, 3 * kMost, 3 * kMost);
    // The button bar stands above the controls and takes every click in its
    // room, between its buttons too.
    const auto* bar = window->findChild<const QWidget*>("fraControl", Qt::FindDirectChildrenOnly);
    const QRect buttons = bar && showsWithWindow(bar) ? bar->geometry() : QRect();
    bool shows = true;
    for (const QObject* child : window->children()) {
        const auto* w = qobject_cast<const QWidget*>(child);
        if (!w || !showsWithWindow(w))
            continue;
        const auto look = [&](const QRect& place) {
            if (!window->rect().marginsAdded(edge).contains(place) ||
                (w != bar && place.marginsRemoved(kTouch).intersects(buttons)))
                shows = false;
        };
        forEachControlOf(w, w->pos(), anywhere, look);
    }
    return shows;
}

class RoomKeeper : public QObject {
public:
    explicit RoomKeeper(QMdiSubWindow* sub)
        : QObject(sub), m_sub(sub), m_window(sub->widget()), m_view(sub->mdiArea()->viewport())
    {
        sub->installEventFilter(this);
        m_view->installEventFilter(this);
        m_window->installEventFilter(this);
        for (QObject* child : m_window->children())
            child->installEventFilter(this);
        for (QScrollBar* bar : {sub->mdiArea()->horizontalScrollBar(), sub->mdiArea()->verticalScrollBar()})
            connect(bar, &QScrollBar::actionTriggered, this, [this] { m_opening = false; });
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (!m_window || !m_view)
            return false;
        const QEvent::Type type = event->type();
        // The room changes also when a fitting brings the scroll bars or takes them away.
        if (watched == m_view) {
            if (type == QEvent::Resize)
                later();
            return false;
        }
        if (m_fitting) // the sizes it tries
            return false;
        if (watched == m_sub && type == QEvent::WindowStateChange) {
            if (!static_cast<QWindowStateChangeEvent*>(event)->isOverride()) {
                // The new state takes its place first, not held by what the
                // old one needed: a window that is minimised is a title bar.
                m_sub->setMinimumSize(0, 0);
                m_restored = !m_sub->isMinimized() && !m_sub->isMaximized();
                later();
            }
        } else if (watched == m_window && type == QEvent::ChildAdded) {
            static_cast<QChildEvent*>(event)->child()->installEventFilter(this);
        } else if (watched->parent() == m_window &&
                   (type == QEvent::Show || type == QEvent::Hide || type == QEvent::Resize)) {
            later();
        }
        return false;
    }

private:
    void later()
    {
        if (std::exchange(m_pending, true))
            return;
        QMetaObject::invokeMethod(this, &RoomKeeper::fit, Qt::QueuedConnection);
    }

    void fit()
    {
        m_pending = false;
        const QWidget* main = MainWindow();
        // Nothing is laid out then; a minimised window is its title bar.
        if (!m_window || !m_view || m_sub->isMinimized() || (main && main->isMinimized()))
            return;
        m_fitting = true;
        const QMargins frame = m_sub->contentsMargins();
        const QSize need =
            m_sub->isMaximized() ? RoomNeeded(m_window, m_view->size().shrunkBy(frame)) : DesignedSize(m_window);
        m_sub->setMinimumSize(need.grownBy(frame));
        if (m_sub->isMaximized())
            m_sub->resize(m_view->size()); // and smaller again when it needs less
        else if (std::exchange(m_restored, false))
            restore(need.grownBy(frame));
        m_fitting = false;
        // A step that opens went to its first control before it had its
        // size, and the scroll bars take room from the area as it is fitted:
        // the control is brought in sight again each time the room changes,
        // until the user scrolls. A fit for a control that shows or hides
        // leaves the view as it was.
        if (!m_opening || !m_sub->isVisible() || std::exchange(m_room, m_view->size()) == m_view->size())
            return;
        if (QWidget* focus = QApplication::focusWidget(); focus && m_window->isAncestorOf(focus))
            ShowInWorkArea(m_sub->mdiArea(), focus);
    }

    // At its designed size, where it was when it stands there whole, else in
    // the area's corner: the place the area first gave it was chosen for the
    // bare title bar.
    void restore(const QSize& size)
    {
        QRect place(m_sub->pos(), size);
        if (!m_view->rect().contains(place))
            place.moveTopLeft(QPoint(0, 0));
        m_sub->setGeometry(place);
    }

    QMdiSubWindow* m_sub;
    QPointer<QWidget> m_window;
    QPointer<QWidget> m_view; // the work area's, where the child windows stand
    bool m_fitting = false;
    bool m_pending = false;
    bool m_restored = false; // it has just been restored, and takes its designed size
    bool m_opening = true;   // until the user scrolls
    QSize m_room;            // the area's room at the last fit on the screen
};

class KeyboardFollower : public QObject {
public:
    explicit KeyboardFollower(QMdiArea* area) : m_area(area) { qApp->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::KeyPress:
            m_byKeyboard = true;
            break;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::TabletPress:
        case QEvent::TouchBegin:
            m_byKeyboard = false;
            break;
        case QEvent::Wheel:
            m_byKeyboard = false;
            return m_area && watched == m_area->viewport() && wheelAcross(static_cast<QWheelEvent*>(event));
        case QEvent::FocusIn:
            if (auto* w = qobject_cast<QWidget*>(watched); w && m_area && m_area->viewport()->isAncestorOf(w)) {
                const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
                if (reason == Qt::TabFocusReason || reason == Qt::BacktabFocusReason ||
                    reason == Qt::ShortcutFocusReason || (reason == Qt::OtherFocusReason && m_byKeyboard))
                    ShowInWorkArea(m_area, w);
            }
            break;
        default:
            break;
        }
        return false;
    }

private:
    // The area would give the wheel to its up-and-down scroll bar, also
    // where that has nowhere to go.
    bool wheelAcross(QWheelEvent* wheel) const
    {
        const QScrollBar* down = m_area->verticalScrollBar();
        QScrollBar* across = m_area->horizontalScrollBar();
        if (down->maximum() > down->minimum() || across->maximum() == across->minimum() ||
            std::abs(wheel->angleDelta().y()) < std::abs(wheel->angleDelta().x()))
            return false;
        QCoreApplication::sendEvent(across, wheel);
        return true;
    }

    QPointer<QMdiArea> m_area;
    bool m_byKeyboard = false; // the last input was a key
};

} // namespace

bool ShowsEveryControl(const QWidget* window)
{
    return showsEveryControl(window, QMargins());
}

QSize RoomNeeded(QWidget* window, const QSize& room)
{
    const QSize own = window->size();
    const auto fits = [window](int width, int height) {
        layOut(window, QSize(width, height));
        return ShowsEveryControl(window);
    };
    layOut(window, room);
    QSize need = room;
    if (!showsEveryControl(window, kTouch)) {
        // The least width that does with all the height it wants, then the
        // least height for that width (the button bar ends up below the
        // controls); or the other way round (the bar beside them).
        QSize below, beside;
        if (const int width = least(room.width(), [&](int w) { return fits(w, kMost); }))
            below = QSize(width, least(room.height(), [&](int h) { return fits(width, h); }));
        if (const int height = least(room.height(), [&](int h) { return fits(kMost, h); }))
            beside = QSize(least(room.width(), [&](int w) { return fits(w, height); }), height);
        const auto area = [](const QSize& s) { return qint64(s.width()) * s.height(); };
        if (!below.isEmpty() && (beside.isEmpty() || area(below) <= area(beside)))
            need = below;
        else if (!beside.isEmpty())
            need = beside;
    }
    layOut(window, own);
    return need;
}

QSize DesignedSize(QWidget* window)
{
    return RoomNeeded(window, QSize(twips(15000), twips(9600)));
}

void KeepEveryControlInReach(QMdiSubWindow* sub)
{
    new RoomKeeper(sub);
}

void ShowInWorkArea(QMdiArea* area, QWidget* control)
{
    QWidget* view = area->viewport();
    if (!control || !control->isVisible() || !view->isAncestorOf(control))
        return;
    // With a little room around it, so that a box is seen whole, frame and all.
    const QRect place = QRect(control->mapTo(view, QPoint(0, 0)), control->size()).marginsAdded(QMargins(4, 4, 4, 4));
    const auto bringIn = [](QScrollBar* bar, int start, int end, int length) {
        int by = std::max(0, end - length);
        if (start - by < 0) // its start rather than its end, when it is longer than the view
            by = start;
        bar->setValue(bar->value() + by);
    };
    bringIn(area->horizontalScrollBar(), place.left(), place.right() + 1, view->width());
    bringIn(area->verticalScrollBar(), place.top(), place.bottom() + 1, view->height());
}

QObject* FollowTheKeyboard(QMdiArea* area)
{
    return new KeyboardFollower(area);
}
