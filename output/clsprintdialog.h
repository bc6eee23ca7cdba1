#pragma once

#include <QAbstractPrintDialog>
#include <QString>
#include <array>
#include <functional>

class QPrinter;

// What a print dialog is asked to offer: the page limits (both 0 = none) and
// the choices it shows.
struct PrintDialogRequest {
    int minPage = 0;
    int maxPage = 0;
    QAbstractPrintDialog::PrintDialogOptions options;
};

// Shows the print dialog for the printer; true when the user confirmed, the
// printer then holding the choices (printer, range, copies, file). Qt's
// QPrintDialog unless a presenter is installed.
bool showPrintDialog(QPrinter& printer, const PrintDialogRequest& request);
// Tests answer the dialog here, so that nothing waits on a human; an empty
// function brings Qt's dialog back.
using PrintDialogPresenter = std::function<bool(QPrinter& printer, const PrintDialogRequest& request)>;
void setPrintDialogPresenter(PrintDialogPresenter presenter);

// The print dialog's flags, numbered as the program's callers know them.
namespace PrintDlgFlag {
constexpr qint32 Selection = 0x1;
constexpr qint32 PageNums = 0x2;
constexpr qint32 NoSelection = 0x4;
constexpr qint32 NoPageNums = 0x8;
constexpr qint32 Collate = 0x10;
constexpr qint32 PrintToFile = 0x20;
constexpr qint32 DisablePrintToFile = 0x80000;
constexpr qint32 HidePrintToFile = 0x100000;
constexpr qint32 CurrentPage = 0x400000;
constexpr qint32 NoCurrentPage = 0x800000;
} // namespace PrintDlgFlag

// A reusable print-setup object: page range and copies in, the chosen printer
// and copies out. Everything starts at 0 / empty.
class clsPrintDialog {
public:
    static constexpr int CancelErrorNumber = 32755;

    qint32 Flags = 0;
    bool CancelError = false; // a cancelled dialog throws instead of returning false

    // Page bounds. Setting one turns a value below 1 into 1 and moves the
    // others as far as needed to keep Min <= FromPage <= ToPage <= Max; the
    // value just set stays.
    qint16 Min() const { return m_pages[MinBound]; }
    qint16 FromPage() const { return m_pages[FromBound]; }
    qint16 ToPage() const { return m_pages[ToBound]; }
    qint16 Max() const { return m_pages[MaxBound]; }
    void setMin(qint16 value) { setBound(MinBound, value); }
    void setFromPage(qint16 value) { setBound(FromBound, value); }
    void setToPage(qint16 value) { setBound(ToBound, value); }
    void setMax(qint16 value) { setBound(MaxBound, value); }

    // The printer chosen at the last confirmed ShowPrinter, in upper case.
    QString DeviceName() const { return m_deviceName; }
    qint16 Copies() const { return m_copies; }

    // Shows the print dialog on the current printer with the page range,
    // copies and flags; true when the user confirmed, after which Flags,
    // FromPage, ToPage, DeviceName and Copies hold the choice. A cancelled
    // dialog returns false, or throws AppError 32755 ("Orvel PrintDialog",
    // "Cancel.") when CancelError is set; nothing changes then.
    bool ShowPrinter();

private:
    // The page bounds in the order they keep.
    enum Bound { MinBound, FromBound, ToBound, MaxBound };
    void setBound(Bound bound, qint16 value);

    std::array<qint16, 4> m_pages{};
    QString m_deviceName;
    qint16 m_copies = 0;
};
