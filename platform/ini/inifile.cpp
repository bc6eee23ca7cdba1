#include "inifile.h"

#include "file/savefile.h"
#include "text/windows1252.h"

#include <QFile>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>

namespace {

struct Lines {
    QStringList lines;
    QString eol = "\n";
    bool exists = false;
    bool windows1252 = false; // made on Windows: not valid UTF-8
    // There but not read (no permission, an I/O error): its lines are
    // unknown, and a write would save the one new key over all of them.
    bool unreadable = false;
};

Lines load(const QString& file)
{
    Lines out;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        out.unreadable = f.exists();
        return out;
    }
    out.exists = true;
    const QByteArray bytes = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        out.unreadable = true;
        return out;
    }
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8.decode(bytes);
    if (utf8.hasError()) {
        text = Windows1252::decode(bytes);
        out.windows1252 = true;
    }
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    if (text.contains("\r\n"))
        out.eol = "\r\n";
    text.replace("\r\n", "\n");
    out.lines = text.split('\n');
    if (!out.lines.isEmpty() && out.lines.last().isEmpty())
        out.lines.removeLast();
    return out;
}

// Name of the section a line opens, or a null string when it opens none.
QString sectionOf(const QString& line)
{
    const QString t = line.trimmed();
    if (t.startsWith('[')) {
        const int end = t.indexOf(']');
        if (end > 0)
            return t.mid(1, end - 1).trimmed();
    }
    return QString();
}

bool keyOf(const QString& line, QString& key, QString& value)
{
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(';') || t.startsWith('#'))
        return false;
    const int eq = t.indexOf('=');
    if (eq < 0)
        return false;
    key = t.left(eq).trimmed();
    value = t.mid(eq + 1).trimmed();
    return true;
}

// Index range [begin, end) of the section's body, or begin = -1 when it is missing.
void findSection(const QStringList& lines, const QString& section, int& header, int& end)
{
    header = -1;
    end = lines.size();
    for (int i = 0; i < lines.size(); ++i) {
        const QString s = sectionOf(lines[i]);
        if (s.isNull())
            continue;
        if (header >= 0) {
            end = i;
            return;
        }
        if (s.compare(section, Qt::CaseInsensitive) == 0)
            header = i;
    }
}

int findKey(const QStringList& lines, int header, int end, const QString& key, QString* value)
{
    for (int i = header + 1; i < end; ++i) {
        QString k, v;
        if (keyOf(lines[i], k, v) && k.compare(key, Qt::CaseInsensitive) == 0) {
            if (value)
                *value = v;
            return i;
        }
    }
    return -1;
}

bool holdsOneLine(const QString& text)
{
    return std::none_of(text.cbegin(), text.cend(), IniFile::breaksLine);
}

bool save(const QString& file, const Lines& l)
{
    const QString text = l.lines.join(l.eol) + l.eol;
    // The file goes back in the encoding it came in. A value the Windows code
    // page cannot hold would become "?" there; the file becomes UTF-8
    // instead, which keeps every value.
    if (l.windows1252 && Windows1252::missing(text).isEmpty())
        return WriteWholeFile(file, Windows1252::encode(text));
    return WriteWholeFile(file, text.toUtf8());
}

} // namespace

QString IniFile::read(const QString& file, const QString& section, const QString& key, const QString& defaultValue)
{
    const Lines l = load(file);
    int header = -1, end = 0;
    findSection(l.lines, section, header, end);
    if (header < 0)
        return defaultValue;
    QString value;
    if (findKey(l.lines, header, end, key, &value) < 0)
        return defaultValue;
    return value;
}

bool IniFile::contains(const QString& file, const QString& section, const QString& key)
{
    const Lines l = load(file);
    int header = -1, end = 0;
    findSection(l.lines, section, header, end);
    return header >= 0 && findKey(l.lines, header, end, key, nullptr) >= 0;
}

bool IniFile::unreadable(const QString& file)
{
    return load(file).unreadable;
}

bool IniFile::breaksLine(QChar c)
{
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

bool IniFile::write(const QString& file, const QString& section, const QString& key, const QString& value)
{
    if (!holdsOneLine(section) || !holdsOneLine(key) || !holdsOneLine(value))
        return false;
    Lines l = load(file);
    if (l.unreadable)
        return false;
    const QString entry = key + "=" + value.trimmed();
    int header = -1, end = 0;
    findSection(l.lines, section, header, end);
    if (header < 0) {
        if (!l.lines.isEmpty() && !l.lines.last().trimmed().isEmpty())
            l.lines << QString();
        l.lines << "[" + section + "]" << entry;
    } else {
        const int at = findKey(l.lines, header, end, key, nullptr);
        if (at >= 0) {
            QString current;
            findKey(l.lines, header, end, key, &current);
            if (current == value.trimmed())
                return true; // nothing to change: the file stays untouched
            // Keep the key as the file spells it.
            const QString t = l.lines[at];
            const int eq = t.indexOf('=');
            l.lines[at] = t.left(eq).trimmed() + "=" + value.trimmed();
        } else {
            // After the last non-empty line of the section.
            int insertAt = end;
            while (insertAt > header + 1 && l.lines[insertAt - 1].trimmed().isEmpty())
                --insertAt;
            l.lines.insert(insertAt, entry);
        }
    }
    return save(file, l);
}

bool IniFile::remove(const QString& file, const QString& section, const QString& key)
{
    Lines l = load(file);
    if (l.unreadable)
        return false;
    int header = -1, end = 0;
    findSection(l.lines, section, header, end);
    const int at = header >= 0 ? findKey(l.lines, header, end, key, nullptr) : -1;
    if (at < 0)
        return true;
    l.lines.removeAt(at);
    return save(file, l);
}
