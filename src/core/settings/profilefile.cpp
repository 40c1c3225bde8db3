#include "settings/profilefile.h"

#include "files/safefile.h"
#include "settings/codepage.h"

#include <QFile>
#include <QFileInfo>
#include <QList>

#include <optional>

namespace mv {

namespace {

const QByteArray kBom("\xEF\xBB\xBF");

// The blanks the platform strips around names and values (not BEL, not NBSP).
bool isBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == ' ' || (u >= '\t' && u <= '\r');
}

QString trimBlanks(const QString& s) {
    qsizetype b = 0, e = s.size();
    while (b < e && isBlank(s[b]))
        ++b;
    while (e > b && isBlank(s[e - 1]))
        --e;
    return s.mid(b, e - b);
}

// Values are C strings on the platform: an embedded NUL ends them.
QString cutAtNul(const QString& s) {
    const qsizetype i = s.indexOf(QChar(0));
    return i < 0 ? s : s.left(i);
}

// At most max characters, never half of a surrogate pair.
QString cutTo(const QString& s, qsizetype max) {
    if (max <= 0)
        return {};
    if (s.size() <= max)
        return s;
    qsizetype len = max;
    if (s[len - 1].isHighSurrogate())
        --len;
    return s.left(len);
}

bool sameName(const QString& a, const QString& b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

enum class Kind { Blank, Comment, Header, Key, Bare };

struct Line {
    QByteArray raw; // as in the file, without line end
    Kind kind = Kind::Bare;
    QString name;  // section name or key name, trimmed
    QString value; // key value, trimmed
    QString text;  // the trimmed line
};

Line classify(QByteArray raw, const QString& decoded) {
    Line l;
    l.raw = std::move(raw);
    l.text = trimBlanks(decoded);
    if (l.text.isEmpty()) {
        l.kind = Kind::Blank;
    } else if (l.text.startsWith(u'[') && l.text.lastIndexOf(u']') > 0) {
        l.kind = Kind::Header;
        l.name = trimBlanks(l.text.mid(1, l.text.lastIndexOf(u']') - 1));
    } else if (l.text.startsWith(u';')) {
        l.kind = Kind::Comment;
    } else if (const qsizetype eq = l.text.indexOf(u'='); eq >= 0) {
        l.kind = Kind::Key;
        l.name = trimBlanks(l.text.left(eq));
        l.value = trimBlanks(l.text.mid(eq + 1));
    }
    return l;
}

// The file as lines. Lines the program does not change are written back byte for byte.
struct Document {
    bool utf8 = false;
    QList<Line> lines;

    QString decode(const QByteArray& b) const {
        return utf8 ? QString::fromUtf8(b) : fromCp1252(b);
    }
    QByteArray encode(const QString& s) const { return utf8 ? s.toUtf8() : toCp1252(s); }

    void append(const QString& text) { insert(lines.size(), text); }
    void insert(qsizetype at, const QString& text) {
        QByteArray raw = encode(text);
        lines.insert(at, classify(raw, decode(raw)));
    }

    // [begin, end) of the section starting at header index h; end is the next header.
    qsizetype sectionEnd(qsizetype h) const {
        qsizetype e = h + 1;
        while (e < lines.size() && lines[e].kind != Kind::Header)
            ++e;
        return e;
    }
    // End after the last non-blank line, so blank separators stay where they are.
    qsizetype contentEnd(qsizetype h) const {
        qsizetype e = sectionEnd(h);
        while (e > h + 1 && lines[e - 1].kind == Kind::Blank)
            --e;
        return e;
    }
    std::optional<qsizetype> findSection(const QString& name, qsizetype from = 0) const {
        const QString n = trimBlanks(name);
        for (qsizetype i = from; i < lines.size(); ++i) {
            if (lines[i].kind == Kind::Header && sameName(lines[i].name, n))
                return i;
        }
        return std::nullopt;
    }
    std::optional<qsizetype> findKey(qsizetype h, const QString& key) const {
        const QString k = trimBlanks(key);
        const qsizetype e = sectionEnd(h);
        for (qsizetype i = h + 1; i < e; ++i) {
            if (lines[i].kind == Kind::Key && sameName(lines[i].name, k))
                return i;
        }
        return std::nullopt;
    }

    QByteArray serialize() const {
        QByteArray out;
        if (utf8)
            out = kBom;
        for (const Line& l : lines) {
            out += l.raw;
            out += "\r\n";
        }
        return out;
    }
};

enum class LoadStatus { Ok, Missing, Unreadable };

LoadStatus load(const QString& path, Document& doc) {
    QFile f(path);
    if (!f.exists())
        return LoadStatus::Missing;
    if (!f.open(QIODevice::ReadOnly))
        return LoadStatus::Unreadable;
    QByteArray data = f.readAll();
    if (f.error() != QFileDevice::NoError)
        return LoadStatus::Unreadable;
    if (data.startsWith(kBom)) {
        doc.utf8 = true;
        data.remove(0, kBom.size());
    }
    QList<QByteArray> raws = data.split('\n');
    if (!raws.isEmpty() && raws.last().isEmpty())
        raws.removeLast(); // the line end of the last line
    doc.lines.reserve(raws.size());
    for (QByteArray& r : raws) {
        if (r.endsWith('\r'))
            r.chop(1);
        const QString decoded = doc.decode(r);
        doc.lines.append(classify(std::move(r), decoded));
    }
    return LoadStatus::Ok;
}

bool hasLineBreakOrNul(const QString& s) {
    for (QChar c : s) {
        if (c == u'\r' || c == u'\n' || c.isNull())
            return true;
    }
    return false;
}

// A section name or key must read back as the same name.
bool validSectionName(const QString& s) {
    return !trimBlanks(s).isEmpty() && !hasLineBreakOrNul(s) && !s.contains(u']');
}
bool validKeyName(const QString& s) {
    const QString t = trimBlanks(s);
    return !t.isEmpty() && !hasLineBreakOrNul(s) && !s.contains(u'=') && !t.startsWith(u'[') &&
           !t.startsWith(u';');
}
// A section line must read back as a line of this section, not as a header or comment.
bool validSectionLine(const QString& s) {
    if (hasLineBreakOrNul(s))
        return false;
    const Kind k = classify(QByteArray(), s).kind;
    return k == Kind::Key || k == Kind::Bare;
}

std::optional<QStringList> blockLines(const QString& block) {
    QStringList out;
    qsizetype pos = 0;
    while (pos < block.size()) {
        const qsizetype nul = block.indexOf(QChar(0), pos);
        const qsizetype end = nul < 0 ? block.size() : nul;
        if (end == pos)
            break; // the closing NUL
        const QString line = block.mid(pos, end - pos);
        if (!validSectionLine(line))
            return std::nullopt;
        out.append(line);
        pos = end + 1;
    }
    return out;
}

int save(const QString& path, const Document& doc, bool isNew) {
    return atomicWrite(path, doc.serialize(), isNew) ? 1 : 0;
}

} // namespace

ProfileFile::ProfileFile(QString path) : path_(std::move(path)) {}

QString ProfileFile::readKey(const QString& section, const QString& key, const QString& def,
                             int n) const {
    Document doc;
    QString value = def;
    if (load(path_, doc) == LoadStatus::Ok) {
        if (const auto h = doc.findSection(section)) {
            if (const auto k = doc.findKey(*h, key))
                value = doc.lines[*k].value;
        }
    }
    return cutTo(cutAtNul(value), qsizetype(n) - 1);
}

int ProfileFile::writeKey(const QString& section, const QString& key, const QString& value) {
    if (!validSectionName(section) || !validKeyName(key) || hasLineBreakOrNul(value))
        return 0;
    Document doc;
    const LoadStatus st = load(path_, doc);
    if (st == LoadStatus::Unreadable)
        return 0;
    const QString line = trimBlanks(key) + u'=' + value;
    if (const auto h = doc.findSection(section)) {
        if (const auto k = doc.findKey(*h, key)) {
            doc.lines.removeAt(*k);
            doc.insert(*k, line);
        } else {
            doc.insert(doc.contentEnd(*h), line);
        }
    } else {
        if (!doc.lines.isEmpty() && doc.lines.last().kind != Kind::Blank)
            doc.append(QString());
        doc.append(u'[' + trimBlanks(section) + u']');
        doc.append(line);
    }
    return save(path_, doc, st == LoadStatus::Missing);
}

int ProfileFile::deleteSection(const QString& section) {
    Document doc;
    const LoadStatus st = load(path_, doc);
    if (st == LoadStatus::Unreadable)
        return 0;
    bool changed = false;
    while (const auto h = doc.findSection(section)) {
        doc.lines.remove(*h, doc.sectionEnd(*h) - *h);
        changed = true;
    }
    return changed ? save(path_, doc, false) : 1;
}

QString ProfileFile::readSection(const QString& section) const {
    Document doc;
    if (load(path_, doc) != LoadStatus::Ok)
        return {};
    const auto h = doc.findSection(section);
    if (!h)
        return {};
    QString out;
    const qsizetype e = doc.sectionEnd(*h);
    for (qsizetype i = *h + 1; i < e; ++i) {
        const Line& l = doc.lines[i];
        if (l.kind != Kind::Key && l.kind != Kind::Bare)
            continue;
        const QString text = cutAtNul(l.text);
        if (text.isEmpty())
            continue;
        out += text;
        out += QChar(0);
    }
    return out;
}

namespace {

int putSection(const QString& path, const QString& section, const QString& block, bool all) {
    if (!validSectionName(section))
        return 0;
    const auto newLines = blockLines(block);
    if (!newLines)
        return 0;
    Document doc;
    const LoadStatus st = load(path, doc);
    if (st == LoadStatus::Unreadable)
        return 0;
    if (const auto h = doc.findSection(section)) {
        // Duplicates of the section go as well when it is replaced as a whole.
        if (all) {
            while (const auto d = doc.findSection(section, *h + 1))
                doc.lines.remove(*d, doc.sectionEnd(*d) - *d);
        }
        doc.lines.remove(*h + 1, doc.contentEnd(*h) - *h - 1);
        for (qsizetype i = 0; i < newLines->size(); ++i)
            doc.insert(*h + 1 + i, newLines->at(i));
    } else {
        if (!doc.lines.isEmpty() && doc.lines.last().kind != Kind::Blank)
            doc.append(QString());
        doc.append(u'[' + trimBlanks(section) + u']');
        for (const QString& l : *newLines)
            doc.append(l);
    }
    return save(path, doc, st == LoadStatus::Missing);
}

} // namespace

int ProfileFile::writeSection(const QString& section, const QString& block) {
    return putSection(path_, section, block, false);
}

int ProfileFile::replaceSection(const QString& section, const QString& block) {
    return putSection(path_, section, block, true);
}

} // namespace mv
