#pragma once

#include "db/database.h"

#include <QObject>
#include <QString>
#include <QVariant>

class QWidget;

// The window side of the general library: list filling, list selection,
// status text and the key filter of input boxes.

// Fills a combo box or list widget from a query whose field 0 is the item
// data and fields 1.. the text. flag: in 1 = first add "<Geen selectie>";
// out 1 = finished, 0 = the user cancelled after an error. params are the
// values of the query's "?" placeholders.
void FillComboList(QWidget* list, Database& db, const QString& query, qint16& flag, const QVariantList& params = {});

// Selects the entry whose item data equals the key, else the first entry.
void SelectListItem(qint32 key, QWidget* list);

// Windows with status panels (the main window) implement this.
class StatusPanels {
public:
    virtual ~StatusPanels() = default;
    virtual void setStatusPanelText(int panel, const QString& text) = 0;
};
void ShowStatus(QWidget* window, const QString& text, int panel);

// Key filter of text boxes and grids. keyAscii is the character code and is
// changed in place: 0 refuses the key (with a beep), another code replaces
// it. Mode 0 any key, 1 numbers with the locale's decimal separator, 2 the
// ";"-separated codes of list. Without a mode the box's "Tag" property gives it.
void CheckKeyAscii(QWidget* control, int& keyAscii, const QVariant& mode = {}, const QString& list = {},
                   bool keypadDecimal = false);

// The Insert key toggles between insert and overwrite; it starts off.
bool IsInsertMode();
void SetInsertMode(bool on);

// Runs every key press of the watched boxes through CheckKeyAscii, and keeps
// the Insert toggle.
class KeyAsciiFilter : public QObject {
    Q_OBJECT
public:
    explicit KeyAsciiFilter(QObject* parent = nullptr, QVariant mode = {}, QString list = {});
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QVariant m_mode;
    QString m_list;
};
