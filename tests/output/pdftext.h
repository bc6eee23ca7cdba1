#pragma once

#include <QProcess>
#include <QString>
#include <QStringList>
#include <QtTest>

// Reads a PDF file back with poppler's tools (absolute paths: nothing is
// looked up on PATH).
namespace PdfText {

inline QString run(const QString& program, const QStringList& arguments)
{
    QProcess p;
    p.start(program, arguments);
    if (!p.waitForFinished(60000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0) {
        qWarning() << program << arguments << p.readAllStandardError();
        return {};
    }
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The text of one page (1-based; 0 = every page) as pdftotext -layout lays it out.
inline QString layout(const QString& pdf, int page = 0)
{
    QStringList args{"-layout"};
    if (page > 0)
        args << "-f" << QString::number(page) << "-l" << QString::number(page);
    return run("/usr/bin/pdftotext", args << pdf << "-");
}

inline int pages(const QString& pdf)
{
    const QString info = run("/usr/bin/pdfinfo", {pdf});
    const QRegularExpressionMatch m = QRegularExpression("Pages:\\s+(\\d+)").match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

// The line of the text that holds `what`.
inline QString lineWith(const QString& text, const QString& what)
{
    for (const QString& line : text.split('\n'))
        if (line.contains(what))
            return line;
    return {};
}

} // namespace PdfText
