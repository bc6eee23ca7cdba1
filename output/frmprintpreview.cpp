#include "frmprintpreview.h"

#include "clsprintdialog.h"
#include "documentrenderer.h"
#include "general.h"
#include "ui/dialogs.h"
#include "windowhelpers.h"
#include "zelvorageneral.h"

#include <QAction>
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QPrintPreviewWidget>
#include <QScreen>
#include <QToolBar>
#include <QVBoxLayout>

#include <algorithm>

namespace {

constexpr qint32 CaptionText = 722100000;
// The tools' captions, in the order of the bar, each with the letter it takes with Alt.
constexpr qint32 FirstToolText = 722100101;
constexpr int FileAccessError = 75;
constexpr int DiskFullError = 61; // as Basic numbers a full disk
constexpr qint32 DiskFullText = 999200005;
// A desktop's title bar and lower frame, at 96 dpi (Windows 10 and 11 the tallest).
constexpr int TitleBarAllowance = 40;
// And its frame's edges on either side.
constexpr int SideFrameAllowance = 16;

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

// Another name helps with a place that cannot be written, not with a full disk.
[[noreturn]] void notWritten(const QString& path, bool diskFull)
{
    if (diskFull)
        throw AppError(DiskFullError, "frmPrintPreview", GetLangStr(DiskFullText).arg(QDir::toNativeSeparators(path)));
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
    auto add = [&](const char* name, const QList<QKeySequence>& keys, auto slot) {
        QAction* a = bar->addAction(QString());
        a->setObjectName(name);
        a->setShortcuts(keys);
        connect(a, &QAction::triggered, this, slot);
        // A tool bar's buttons take no focus, so Tab would pass them by.
        bar->widgetForAction(a)->setFocusPolicy(Qt::StrongFocus);
        m_tools << a;
    };
    add("actPrint", {Qt::CTRL | Qt::Key_P}, [this] { printDocument(); });
    add("actPdf", {Qt::CTRL | Qt::Key_S}, [this] { saveAsPdf(); });
    bar->addSeparator();
    add("actFirst", {Qt::Key_Home}, [this] { m_preview->setCurrentPage(1); });
    add("actPrevious", {Qt::Key_PageUp}, [this] { m_preview->setCurrentPage(m_preview->currentPage() - 1); });
    add("actNext", {Qt::Key_PageDown}, [this] { m_preview->setCurrentPage(m_preview->currentPage() + 1); });
    add("actLast", {Qt::Key_End}, [this] { m_preview->setCurrentPage(m_preview->pageCount()); });
    bar->addSeparator();
    // Ctrl+= too: where "+" is the shifted "=", that is the key users press.
    add("actZoomIn", {Qt::CTRL | Qt::Key_Plus, Qt::CTRL | Qt::Key_Equal}, [this] { m_preview->zoomIn(); });
    add("actZoomOut", {Qt::CTRL | Qt::Key_Minus}, [this] { m_preview->zoomOut(); });
    add("actFitWidth", {}, [this] { m_preview->fitToWidth(); });
    add("actFitPage", {Qt::CTRL | Qt::Key_0}, [this] { m_preview->fitInView(); });
    bar->addSeparator();
    add("actClose", {Qt::CTRL | Qt::Key_W}, [this] { accept(); });

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

void frmPrintPreview::setToolCaptions()
{
    // Here rather than once at creation: the window outlives a change of language.
    for (qsizetype i = 0; i < m_tools.size(); ++i) {
        const QString caption = GetLangStr(FirstToolText + qint32(i));
        m_tools[i]->setText(caption);
        // A tool button shows the icon text, which without one of its own is
        // the caption stripped of its "&": the button would take no Alt+letter.
        m_tools[i]->setIconText(caption);
    }
}

void frmPrintPreview::keyPressEvent(QKeyEvent* event)
{
    // Enter presses the tool that has the focus, as Space does.
    if (!PressOnEnter(focusWidget(), event))
        QDialog::keyPressEvent(event);
}

int frmPrintPreview::previewPageCount() const
{
    return m_preview->pageCount();
}

void frmPrintPreview::showModal()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    setWindowTitle(GetLangStr(CaptionText));
    setToolCaptions();
    setWindowIcon(QApplication::windowIcon());
    fitScreen();
    refresh();
    m_preview->fitInView();
    QApplication::restoreOverrideCursor();
    exec();
}

void frmPrintPreview::fitScreen()
{
    // The desktop's title bar and frame come on top of the window's own height:
    // on a 768-pixel screen the lowest pixels, the scroll bar's arrow among
    // them, would fall off its edge.
    const QScreen* onScreen = screen();
    if (!onScreen)
        return;
    const int frame = TitleBarAllowance * logicalDpiY() / 96;
    const QSize room = onScreen->availableGeometry().size();
    resize(std::min(width(), room.width() - SideFrameAllowance * logicalDpiX() / 96),
           std::min(height(), room.height() - frame));
}

bool frmPrintPreview::writePdf(const QString& path, bool* diskFull) const
{
    return ::writePdf(vspBestelling, path, diskFull);
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
        bool diskFull = false;
        if (!::printDocument(vspBestelling, printer, &diskFull)) {
            if (!printer.outputFileName().isEmpty())
                notWritten(printer.outputFileName(), diskFull);
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
        bool diskFull = false;
        if (!writePdf(path, &diskFull))
            notWritten(path, diskFull);
    });
}
