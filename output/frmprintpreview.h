#pragma once

#include "printdocument.h"

#include <QDialog>
#include <QPrinter>

class QAction;
class QPrintPreviewWidget;

// The program-wide print preview. The reports draw on its document
// `vspBestelling` (a new document replaces what it held); the caller then shows
// the window modally, and from it the user prints or saves the document as a
// PDF file.
class frmPrintPreview : public QDialog {
    Q_OBJECT

public:
    // The one instance, created on first use; it goes when the application does.
    static frmPrintPreview& instance();
    static void release();

    PrintDocument vspBestelling;

    // Shows the held document and returns when the user closes the window.
    void showModal();
    // Writes the held document as a PDF file without showing anything; false
    // when the file cannot be written (an existing file then stays as it was),
    // and diskFull, when given, says whether the disk had no room for it.
    bool writePdf(const QString& path, bool* diskFull = nullptr) const;
    // Redraws the preview from the document.
    void refresh();
    int previewPageCount() const;

public slots:
    // Print dialog, then the chosen printer; a failure goes to the error dialog.
    void printDocument();
    // Asks for a file name (the file dialog service) and writes the PDF there;
    // a failure goes to the error dialog, a cancelled choice does nothing.
    void saveAsPdf();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    explicit frmPrintPreview(QWidget* parent = nullptr);
    void setToolCaptions();
    void fitScreen();

    QPrinter m_printer;
    QPrintPreviewWidget* m_preview = nullptr;
    QList<QAction*> m_tools; // in the order of the bar
};
