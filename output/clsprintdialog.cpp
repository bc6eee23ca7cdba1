#include "clsprintdialog.h"

#include "db/apperror.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrinter>
#include <algorithm>

namespace {

PrintDialogPresenter& presenter()
{
    static PrintDialogPresenter p;
    return p;
}

qint16 to16(int value)
{
    return qint16(std::clamp(value, 0, 32767));
}

} // namespace

bool showPrintDialog(QPrinter& printer, const PrintDialogRequest& request)
{
    if (presenter())
        return presenter()(printer, request);
    QPrintDialog dialog(&printer, QApplication::activeWindow());
    dialog.setOptions(request.options);
    if (request.maxPage > 0 && request.maxPage >= request.minPage)
        dialog.setMinMax(std::max(1, request.minPage), request.maxPage);
    return dialog.exec() == QDialog::Accepted;
}

void setPrintDialogPresenter(PrintDialogPresenter p)
{
    presenter() = std::move(p);
}

void clsPrintDialog::setBound(Bound bound, qint16 value)
{
    m_pages[bound] = std::max<qint16>(value, 1);
    for (int b = bound + 1; b <= MaxBound; ++b)
        m_pages[b] = std::max(m_pages[b], m_pages[b - 1]);
    for (int b = bound - 1; b >= MinBound; --b)
        m_pages[b] = std::min(m_pages[b], m_pages[b + 1]);
}

bool clsPrintDialog::ShowPrinter()
{
    using namespace PrintDlgFlag;
    QPrinter printer(QPrinter::HighResolution);

    PrintDialogRequest request;
    request.options = QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintSelection |
                      QAbstractPrintDialog::PrintPageRange | QAbstractPrintDialog::PrintCollateCopies |
                      QAbstractPrintDialog::PrintCurrentPage | QAbstractPrintDialog::PrintShowPageSize;
    if (Flags & NoSelection)
        request.options &= ~QAbstractPrintDialog::PrintSelection;
    if (Flags & NoPageNums)
        request.options &= ~QAbstractPrintDialog::PrintPageRange;
    if (Flags & NoCurrentPage)
        request.options &= ~QAbstractPrintDialog::PrintCurrentPage;
    if (Flags & (DisablePrintToFile | HidePrintToFile))
        request.options &= ~QAbstractPrintDialog::PrintToFile;
    request.minPage = Min();
    request.maxPage = Max();

    printer.setPrintRange(Flags & Selection     ? QPrinter::Selection
                          : Flags & PageNums    ? QPrinter::PageRange
                          : Flags & CurrentPage ? QPrinter::CurrentPage
                                                : QPrinter::AllPages);
    if (FromPage() > 0 && ToPage() >= FromPage())
        printer.setFromTo(FromPage(), ToPage());
    printer.setCopyCount(std::max<int>(m_copies, 1));
    printer.setCollateCopies(Flags & Collate);

    if (!showPrintDialog(printer, request)) {
        if (CancelError)
            throw AppError(CancelErrorNumber, "Orvel PrintDialog", "Cancel.");
        return false;
    }

    qint32 flags = Flags & ~(Selection | PageNums | CurrentPage | Collate | PrintToFile);
    switch (printer.printRange()) {
    case QPrinter::Selection:
        flags |= Selection;
        break;
    case QPrinter::PageRange:
        flags |= PageNums;
        break;
    case QPrinter::CurrentPage:
        flags |= CurrentPage;
        break;
    case QPrinter::AllPages:
        break;
    }
    if (printer.collateCopies())
        flags |= Collate;
    if (!printer.outputFileName().isEmpty())
        flags |= PrintToFile;
    Flags = flags;
    // An unchosen range leaves the pages as they were set.
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        m_pages[FromBound] = to16(printer.fromPage());
        m_pages[ToBound] = to16(printer.toPage());
    }
    m_deviceName = printer.printerName().toUpper();
    m_copies = to16(printer.copyCount());
    return true;
}
