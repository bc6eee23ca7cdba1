#include "generalui.h"

#include "appstate.h"
#include "general.h"
#include "ui/dialogs.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QCoreApplication>
#include <QDateTime>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace {

void clearList(QWidget* list)
{
    if (auto* c = qobject_cast<QComboBox*>(list))
        c->clear();
    else if (auto* l = qobject_cast<QListWidget*>(list))
        l->clear();
}

void addEntry(QWidget* list, const QString& text, const QVariant& data)
{
    if (auto* c = qobject_cast<QComboBox*>(list)) {
        c->addItem(text, data);
    } else if (auto* l = qobject_cast<QListWidget*>(list)) {
        auto* item = new QListWidgetItem(text, l);
        item->setData(Qt::UserRole, data);
    }
}

int entryCount(QWidget* list)
{
    if (auto* c = qobject_cast<QComboBox*>(list))
        return c->count();
    if (auto* l = qobject_cast<QListWidget*>(list))
        return l->count();
    return 0;
}

QVariant entryData(QWidget* list, int i)
{
    if (auto* c = qobject_cast<QComboBox*>(list))
        return c->itemData(i);
    if (auto* l = qobject_cast<QListWidget*>(list))
        return l->item(i)->data(Qt::UserRole);
    return {};
}

void selectEntry(QWidget* list, int i)
{
    if (auto* c = qobject_cast<QComboBox*>(list))
        c->setCurrentIndex(i);
    else if (auto* l = qobject_cast<QListWidget*>(list))
        l->setCurrentRow(i);
}

// A field as the list shows it: text unchanged, numbers and dates as the user's locale writes them.
QString fieldText(const QVariant& v)
{
    switch (v.typeId()) {
    case QMetaType::QString:
        return v.toString();
    case QMetaType::Float:
        return QLocale().toString(v.toFloat(), 'g', QLocale::FloatingPointShortest).trimmed();
    case QMetaType::Double:
        return QLocale().toString(v.toDouble(), 'g', QLocale::FloatingPointShortest).trimmed();
    case QMetaType::QDateTime:
        return QLocale().toString(v.toDateTime(), QLocale::ShortFormat).trimmed();
    default:
        return v.toString().trimmed();
    }
}

bool g_insertMode = false;

} // namespace

void FillComboList(QWidget* list, Database& db, const QString& query, qint16& flag, const QVariantList& params)
{
    qint16& marker = appState().ZoekFoutMarker;
    clearList(list);
    if (flag == 1)
        addEntry(list, "<Geen selectie>", 0);

    marker = 9999;
    RecordSet rs;
    try {
        rs = db.openRecordset(query, params);
    } catch (const AppError& e) {
        ErrorHandler(marker, e);
    }
    if (marker != 9999) {
        MessageBox::show(query + " ,Query bestaat niet", MsgBox::OkOnly, "Vullen combo/list box");
    } else {
        marker = 0;
        const int n = rs.fieldCount() - 1;
        if (n < 1)
            return;
        for (int row = 0; row < rs.recordCount();) {
            try {
                rs.move(row);
                QString text;
                for (int f = 1; f <= n; ++f) {
                    if (!text.isEmpty())
                        text += ", ";
                    const QVariant v = rs.value(f);
                    if (!v.isNull())
                        text += fieldText(v);
                }
                addEntry(list, text, rs.value(0));
                ++row;
            } catch (const AppError& e) {
                ErrorHandler(marker, e);
                if (marker == 999) {
                    marker = 0;
                    flag = 0;
                    return;
                }
                marker = 0; // Retry: the same row again
            }
        }
    }
    marker = 0;
    if (entryCount(list) > 0)
        selectEntry(list, 0);
    flag = 1;
}

void SelectListItem(qint32 key, QWidget* list)
{
    const int n = entryCount(list);
    if (n == 0)
        return;
    for (int i = 0; i < n; ++i)
        if (entryData(list, i).toLongLong() == key) {
            selectEntry(list, i);
            return;
        }
    selectEntry(list, 0);
}

void ShowStatus(QWidget* window, const QString& text, int panel)
{
    if (auto* panels = dynamic_cast<StatusPanels*>(window))
        panels->setStatusPanelText(panel, text);
}

bool IsInsertMode()
{
    return g_insertMode;
}
void SetInsertMode(bool on)
{
    g_insertMode = on;
}

namespace {

enum class ControlKind { Other, TextBox, Grid };

ControlKind kindOf(QWidget* control)
{
    if (qobject_cast<QLineEdit*>(control) || qobject_cast<QPlainTextEdit*>(control) ||
        qobject_cast<QTextEdit*>(control))
        return ControlKind::TextBox;
    if (qobject_cast<QAbstractItemView*>(control))
        return ControlKind::Grid;
    return ControlKind::Other;
}

} // namespace

void CheckKeyAscii(QWidget* control, int& keyAscii, const QVariant& mode, const QString& list, bool keypadDecimal)
{
    const ControlKind kind = kindOf(control);
    if (kind == ControlKind::Other)
        return;
    const QVariant m = mode.isValid() ? mode : control->property("Tag");
    bool numeric = false;
    int filterMode = m.toString().trimmed().toInt(&numeric);
    if (!numeric)
        filterMode = 0;

    int low = 0, high = 0;
    switch (filterMode) {
    case 0:
        low = 10;
        high = 255;
        break;
    case 1: {
        low = 48;
        high = 57;
        const QString sep = GetDecimalSeparator();
        if (keypadDecimal && !sep.isEmpty()) {
            keyAscii = sep[0].unicode();
            if (kind != ControlKind::Grid) {
                auto* edit = qobject_cast<QLineEdit*>(control);
                if (edit && edit->text().contains(sep))
                    keyAscii = 0;
            }
        }
        break;
    }
    case 2:
        for (const QString& piece : list.split(';', Qt::SkipEmptyParts))
            if (piece.trimmed().toInt() == keyAscii)
                return;
        break;
    default:
        break;
    }

    const bool inRange = keyAscii >= low && keyAscii <= high;
    const bool alwaysAccepted = keyAscii == 44 || keyAscii == 45 || keyAscii == 46 || keyAscii == 37;
    if (inRange || alwaysAccepted) {
        if (!IsInsertMode()) {
            // Overwrite: the typed character replaces the next one.
            if (auto* edit = qobject_cast<QLineEdit*>(control)) {
                const int start = edit->hasSelectedText() ? edit->selectionStart() : edit->cursorPosition();
                const int length = edit->selectedText().size() + 1;
                if (start + length <= edit->text().size())
                    edit->setSelection(start, length);
            }
        }
    } else if (keyAscii != 8 && keyAscii != 13 && keyAscii != 9) {
        keyAscii = 0;
        Beep::sound();
    }
    if (kind == ControlKind::Grid && keyAscii == 0)
        keyAscii = 1;
}

KeyAsciiFilter::KeyAsciiFilter(QObject* parent, QVariant mode, QString list)
    : QObject(parent), m_mode(std::move(mode)), m_list(std::move(list))
{
}

bool KeyAsciiFilter::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    auto* key = static_cast<QKeyEvent*>(event);
    if (key->key() == Qt::Key_Insert) {
        SetInsertMode(!IsInsertMode());
        return false;
    }
    auto* widget = qobject_cast<QWidget*>(watched);
    const QString text = key->text();
    // Esc is no character typed: it is the window's Stop or Cancel.
    if (!widget || text.size() != 1 || key->modifiers() & (Qt::ControlModifier | Qt::AltModifier) ||
        key->key() == Qt::Key_Escape)
        return false;
    const bool keypadDecimal =
        (key->modifiers() & Qt::KeypadModifier) && (key->key() == Qt::Key_Period || key->key() == Qt::Key_Comma);
    const int original = text[0].unicode();
    int code = original;
    CheckKeyAscii(widget, code, m_mode, m_list, keypadDecimal);
    if (code == 0 || code == 1)
        return true;
    if (code != original) {
        QKeyEvent replaced(QEvent::KeyPress, key->key(), key->modifiers(), QString(QChar(code)));
        QCoreApplication::sendEvent(watched, &replaced);
        return true;
    }
    return false;
}
