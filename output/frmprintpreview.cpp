#include "frmprintpreview.h"

#include "clsprintdialog.h"
#include "documentrenderer.h"
#include "general.h"
#include "ui/dialogs.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrintPreviewWidget>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

constexpr qint32 CaptionText = 722100000;
constexpr int FileAccessError = 75;

frmPrintPreview*& theInstance()
{
    static frmPrintPreview* p = nullptr;
    return p;
}

// Qt's own wording, in the program's language when Qt's translations are loaded.
QString qtText(const char* context, const char* text)
{
    return QCoreApplication::translate(context, text);
}

[[noreturn]] void notWritable(const QString& path)
{
    throw AppError(FileAccessError, "frmPrintPreview",
                   qtText("QPrintDialog", "File %1 is not writable.\nPlease choose a different file name.")
                       .arg(QDir::toNativeSeparators(path)));
}

} // namespace

frmPrintPreview& frmPrintPreview::instance()
{
    if (!theInstance()) {
        theInstance() = new frmPrintPreview;
        // Before the application's widgets go, so the window never outlives it.
        qAddPostRoutine(&frmPrintPreview::release);
    }
    return *theInstance();
}

void frmPrintPreview::release()
{
    delete theInstance();
    theInstance() = nullptr;
}

frmPrintPreview::frmPrintPreview(QWidget* parent) : QDialog(parent)
{
    setObjectName("frmPrintPreview");
    setModal(true);
    m_printer.setFullPage(true);
    m_preview = new QPrintPreviewWidget(&m_printer, this);
    m_preview->setObjectName("vspBestelling");
    connect(m_preview, &QPrintPreviewWidget::paintRequested, this,
            [this](QPrinter* printer) { renderDocument(*printer, vspBestelling); });

    auto* bar = new QToolBar(this);
    auto add = [&](const char* name, const char* context, const char* text, auto slot) {
        QAction* a = bar->addAction(qtText(context, text));
        a->setObjectName(name);
        connect(a, &QAction::triggered, this, slot);
        return a;
    };
    add("actPrint", "QPrintPreviewDialog", "Print", [this] { printDocument(); });
    add("actPdf", "QPrintDialog", "Print to File (PDF)", [this] { saveAsPdf(); });
    bar->addSeparator();
    add("actFirst", "QPrintPreviewDialog", "First page", [this] { m_preview->setCurrentPage(1); });
    add("actPrevious", "QPrintPreviewDialog", "Previous page",
        [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); });
    add("actNext", "QPrintPreviewDialog", "Next page",
        [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); });
    add("actLast", "QPrintPreviewDialog", "Last page", [this] { m_preview->setCurrentPage(m_preview->pageCount()); });
    bar->addSeparator();
    add("actZoomIn", "QPrintPreviewDialog", "Zoom in", [this] { m_preview->zoomIn(); });
    add("actZoomOut", "QPrintPreviewDialog", "Zoom out", [this] { m_preview->zoomOut(); });
    add("actFitWidth", "QPrintPreviewDialog", "Fit width", [this] { m_preview->fitToWidth(); });
    add("actFitPage", "QPrintPreviewDialog", "Fit page", [this] { m_preview->fitInView(); });
    bar->addSeparator();
    add("actClose", "QDialogButtonBox", "Close", [this] { accept(); });

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(bar);
    layout->addWidget(m_preview, 1);
    resize(1000, 760);
}

void frmPrintPreview::refresh()
{
    m_printer.setPageLayout(documentPageLayout(vspBestelling));
    m_preview->updatePreview();
}

int frmPrintPreview::previewPageCount() const
{
    return m_preview->pageCount();
}

void frmPrintPreview::showModal()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle(GetLangStr(CaptionText));
    setWindowIcon(QApplication::windowIcon());
    refresh();
    m_preview->fitInView();
    QApplication::restoreOverrideCursor();
    exec();
}

bool frmPrintPreview::writePdf(const QString& path) const
{
    return ::writePdf(vspBestelling, path);
}

void frmPrintPreview::printDocument()
{
    RunUserAction([this] {
        QPrinter printer(QPrinter::HighResolution);
        PrintDialogRequest request;
        request.options = QAbstractPrintDialog::PrintToFile | QAbstractPrintDialog::PrintPageRange |
                          QAbstractPrintDialog::PrintCollateCopies | QAbstractPrintDialog::PrintShowPageSize;
        request.minPage = 1;
        request.maxPage = std::max(1, vspBestelling.pageCount());
        if (!showPrintDialog(printer, request))
            return;
        if (!::printDocument(vspBestelling, printer)) {
            if (!printer.outputFileName().isEmpty())
                notWritable(printer.outputFileName());
            throw AppError(FileAccessError, "frmPrintPreview",
                           qtText("QPrintDialog", "Print") + ": " + printer.printerName());
        }
    });
}

void frmPrintPreview::saveAsPdf()
{
    RunUserAction([this] {
        QString path =
            FileDialog::saveFileName(qtText("QPrintDialog", "Print to File (PDF)"), QDir::homePath(), "PDF (*.pdf)");
        if (path.isEmpty())
            return;
        if (QFileInfo(path).suffix().isEmpty())
            path += ".pdf";
        if (!writePdf(path))
            notWritable(path);
    });
}
