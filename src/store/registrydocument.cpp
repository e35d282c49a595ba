#include "store/registrydocument.h"

#include <algorithm>
#include <limits>

#include <QStringConverter>
#include <QStringDecoder>

namespace quintara {

namespace {

const QString HeaderLine = QStringLiteral("Windows Registry Editor Version 5.00");

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// The key a section line opens, or nothing for any other line. A line that
// has lost one of its brackets still opens its key when what is left is
// plainly a key's path: an export never has another line that starts so.
std::optional<QString> SectionKey(QStringView line, bool &damaged)
{
    const QStringView text = line.trimmed();
    const bool opens = text.startsWith(u'[');
    const bool closes = text.endsWith(u']');
    damaged = opens != closes;
    if (opens && closes && text.size() >= 2)
        return text.mid(1, text.size() - 2).toString();
    if (!damaged)
        return std::nullopt;
    const QStringView inner = text.mid(opens ? 1 : 0, text.size() - 1).trimmed();
    QStringView path = inner;
    if (path.startsWith(u'-'))
        path = path.mid(1);
    if (!path.startsWith(QLatin1StringView("HKEY_"), Qt::CaseInsensitive))
        return std::nullopt;
    return inner.toString();
}

bool IsHexDigit(QChar c)
{
    const char16_t u = c.toLower().unicode();
    return (u >= u'0' && u <= u'9') || (u >= u'a' && u <= u'f');
}

// Reads the quoted text that starts at text[pos] and moves pos past its
// closing quote. Only \\ and \" are escapes; any other backslash stands for
// itself, so a hand-written "C:\pics\a.bmp" still reads as meant.
std::optional<QString> ReadQuoted(QStringView text, qsizetype &pos)
{
    if (pos >= text.size() || text[pos] != u'"')
        return std::nullopt;
    QString out;
    for (qsizetype i = pos + 1; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == u'"') {
            pos = i + 1;
            return out;
        }
        if (c == u'\\' && i + 1 < text.size() && (text[i + 1] == u'\\' || text[i + 1] == u'"'))
            ++i;
        out += text[i];
    }
    return std::nullopt;
}

RegistryValue ReadData(QStringView data)
{
    data = data.trimmed();
    RegistryValue value;
    const QLatin1StringView dwordTag("dword:");
    if (data.startsWith(dwordTag, Qt::CaseInsensitive)) {
        // The editor writes eight digits, but fewer or leading zeros read plainly too.
        const QStringView digits = data.mid(dwordTag.size()).trimmed();
        bool fits = false;
        const qulonglong number = digits.toULongLong(&fits, 16);
        if (fits && !digits.isEmpty() && std::all_of(digits.begin(), digits.end(), IsHexDigit)
            && number <= std::numeric_limits<std::uint32_t>::max()) {
            value.ValueKind = RegistryValue::Kind::Dword;
            value.Dword = static_cast<std::uint32_t>(number);
        }
        return value;
    }
    qsizetype pos = 0;
    if (std::optional<QString> text = ReadQuoted(data, pos); text && pos == data.size()) {
        value.ValueKind = RegistryValue::Kind::String;
        value.Text = std::move(*text);
    }
    return value;
}

QString Escaped(const QString &text)
{
    QString out = text;
    out.replace(u'\\', QStringLiteral("\\\\"));
    out.replace(u'"', QStringLiteral("\\\""));
    return out;
}

// A line that goes on hex data: digits, commas and blanks, perhaps a
// backslash at its end. A value the game adds can never look like one.
bool IsHexContinuation(QStringView line)
{
    QStringView text = line.trimmed();
    if (text.endsWith(u'\\'))
        text.chop(1);
    if (text.trimmed().isEmpty())
        return false;
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return IsHexDigit(c) || c == u',' || c.isSpace(); });
}

// Splits the bytes into lines in their encoding and decodes each line on its
// own, so a bad byte costs only its line's unreadable characters.
QStringList DecodeLines(const QByteArray &bytes, int &unreadable)
{
    const QStringConverter::Encoding encoding =
        QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8);
    const QByteArray lineEnd = QStringEncoder(encoding).encode(u"\n");
    const qsizetype width = lineEnd.size();
    QStringList lines;
    qsizetype start = 0;
    const auto take = [&](qsizetype end) {
        // Only the first line may begin with a byte-order mark; elsewhere it
        // is a character of the text.
        QStringDecoder decoder(encoding, start == 0 ? QStringConverter::Flag::Stateless
                                                    : QStringConverter::Flag::Stateless
                                                          | QStringConverter::Flag::ConvertInitialBom);
        QString line = decoder.decode(QByteArrayView(bytes).sliced(start, end - start));
        bool bad = decoder.hasError();
        for (qsizetype i = 0; i < line.size(); ++i) {
            const QChar c = line[i];
            const bool paired = c.isHighSurrogate() && i + 1 < line.size() && line[i + 1].isLowSurrogate();
            if (paired) {
                ++i;
            } else if (c.isNull() || c.isSurrogate()) {
                line[i] = QChar::ReplacementCharacter;
                bad = true;
            }
        }
        if (bad)
            ++unreadable;
        while (line.endsWith(u'\r'))
            line.chop(1);
        lines << line;
    };
    for (qsizetype at = 0; at + width <= bytes.size(); at += width) {
        if (QByteArrayView(bytes).sliced(at, width) == lineEnd) {
            take(at);
            start = at + width;
        }
    }
    if (start < bytes.size())
        take(bytes.size());
    return lines;
}

} // namespace

std::optional<std::int32_t> RegistryValue::Number() const
{
    if (ValueKind == Kind::Dword)
        return static_cast<std::int32_t>(Dword);
    if (ValueKind != Kind::String)
        return std::nullopt;
    const QStringView text = QStringView(Text).trimmed();
    const QStringView digits = text.startsWith(u'-') || text.startsWith(u'+') ? text.mid(1) : text;
    if (digits.isEmpty() || digits.size() > 10
        || !std::all_of(digits.begin(), digits.end(), [](QChar c) { return c >= u'0' && c <= u'9'; }))
        return std::nullopt;
    const qint64 value = (text.startsWith(u'-') ? -1 : 1) * digits.toLongLong();
    if (value < std::numeric_limits<std::int32_t>::min() || value > std::numeric_limits<std::int32_t>::max())
        return std::nullopt;
    return static_cast<std::int32_t>(value);
}

RegistryDocument::RegistryDocument()
{
    Preamble.push_back(Entry{{QString()}, std::nullopt, {}});
}

RegistryDocument::Entry RegistryDocument::ReadEntry(const QStringList &lines, qsizetype &next)
{
    Entry entry;
    entry.Lines << lines[next++];
    const QStringView head = QStringView(entry.Lines.front()).trimmed();
    std::optional<QString> name;
    QStringView data;
    if (head.startsWith(u'@')) {
        data = head.mid(1).trimmed();  // the key's default value, never one of ours
    } else {
        qsizetype pos = 0;
        name = ReadQuoted(head, pos);
        if (!name)
            return entry;
        data = head.mid(pos).trimmed();
    }
    if (!data.startsWith(u'='))
        return entry;
    data = data.mid(1).trimmed();
    entry.Name = std::move(name);
    entry.Value = ReadData(data);

    // Hex data goes on over several lines, each but the last ending in a
    // backslash. Nothing else does, so a broken string cannot swallow the
    // value on the next line; and only lines of hex digits go on, so a last
    // line left with its backslash cannot swallow a value set after it.
    if (data.startsWith(QLatin1StringView("hex"), Qt::CaseInsensitive)) {
        while (QStringView(entry.Lines.back()).trimmed().endsWith(u'\\') && next < lines.size()
               && IsHexContinuation(lines[next]))
            entry.Lines << lines[next++];
    }
    return entry;
}

std::optional<RegistryDocument> RegistryDocument::Parse(const QByteArray &bytes)
{
    int unreadable = 0;
    QStringList lines = DecodeLines(bytes, unreadable);
    qsizetype next = 0;
    while (next < lines.size() && lines[next].trimmed().isEmpty())
        ++next;
    if (next == lines.size())
        return RegistryDocument();
    const bool headed = lines[next].trimmed() == HeaderLine;
    // Without its header a file is still read for its keys; the line it has
    // in its place stays, and the header goes above it.
    if (headed)
        ++next;
    else
        next = 0;

    RegistryDocument document;
    document.Preamble.clear();
    document.Unreadable = unreadable;
    while (next < lines.size()) {
        bool damaged = false;
        if (std::optional<QString> key = SectionKey(lines[next], damaged)) {
            document.Sections.push_back(Section{lines[next++], *key, {}, damaged});
            continue;
        }
        std::vector<Entry> &entries =
            document.Sections.empty() ? document.Preamble : document.Sections.back().Entries;
        entries.push_back(ReadEntry(lines, next));
    }
    if (!headed && document.Sections.empty())
        return std::nullopt;
    return document;
}

QByteArray RegistryDocument::Serialise() const
{
    QString out = HeaderLine + u'\n';
    const auto put = [&out](const std::vector<Entry> &entries) {
        for (const Entry &entry : entries) {
            for (const QString &line : entry.Lines)
                out += line + u'\n';
        }
    };
    put(Preamble);
    for (const Section &section : Sections) {
        out += section.Header + u'\n';
        put(section.Entries);
    }
    return out.toUtf8();
}

bool RegistryDocument::HasKey(const QString &key) const
{
    return std::any_of(Sections.begin(), Sections.end(),
                       [&key](const Section &section) { return SameName(section.Key, key); });
}

bool RegistryDocument::KeyLineDamaged(const QString &key) const
{
    return std::any_of(Sections.begin(), Sections.end(), [&key](const Section &section) {
        return section.HeaderDamaged && SameName(section.Key, key);
    });
}

void RegistryDocument::MendKeyLines(const QString &key)
{
    for (Section &section : Sections) {
        if (section.HeaderDamaged && SameName(section.Key, key)) {
            section.Header = u'[' + section.Key + u']';
            section.HeaderDamaged = false;
        }
    }
}

bool RegistryDocument::LineMentions(const QString &text) const
{
    const auto mentions = [&text](const std::vector<Entry> &entries) {
        return std::any_of(entries.begin(), entries.end(), [&text](const Entry &entry) {
            return std::any_of(entry.Lines.begin(), entry.Lines.end(),
                               [&text](const QString &line) { return line.contains(text, Qt::CaseInsensitive); });
        });
    };
    return mentions(Preamble)
           || std::any_of(Sections.begin(), Sections.end(),
                          [&mentions](const Section &section) { return mentions(section.Entries); });
}

std::vector<std::pair<QString, QString>> RegistryDocument::Names() const
{
    std::vector<std::pair<QString, QString>> names;
    for (const Section &section : Sections) {
        for (const Entry &entry : section.Entries) {
            if (entry.Name)
                names.emplace_back(section.Key, *entry.Name);
        }
    }
    return names;
}

std::optional<RegistryValue> RegistryDocument::Value(const QString &key, const QString &name) const
{
    std::optional<RegistryValue> found;
    for (const Section &section : Sections) {
        if (!SameName(section.Key, key))
            continue;
        for (const Entry &entry : section.Entries) {
            if (entry.Name && SameName(*entry.Name, name))
                found = entry.Value;
        }
    }
    return found;
}

bool RegistryDocument::CanHoldString(const QString &text)
{
    return !text.contains(u'\n') && !text.contains(u'\r') && !text.contains(QChar(u'\0'));
}

void RegistryDocument::SetDword(const QString &key, const QString &name, std::int32_t value)
{
    Entry entry;
    entry.Name = name;
    entry.Value.ValueKind = RegistryValue::Kind::Dword;
    entry.Value.Dword = static_cast<std::uint32_t>(value);
    entry.Lines << QStringLiteral("\"%1\"=dword:%2")
                       .arg(Escaped(name), QString::number(entry.Value.Dword, 16).rightJustified(8, u'0'));
    Set(key, std::move(entry));
}

void RegistryDocument::SetString(const QString &key, const QString &name, const QString &text)
{
    Q_ASSERT(CanHoldString(text));
    Entry entry;
    entry.Name = name;
    entry.Value.ValueKind = RegistryValue::Kind::String;
    entry.Value.Text = text;
    entry.Lines << QStringLiteral("\"%1\"=\"%2\"").arg(Escaped(name), Escaped(text));
    Set(key, std::move(entry));
}

void RegistryDocument::Set(const QString &key, Entry entry)
{
    const QString &name = *entry.Name;
    const auto named = [&name](const Entry &e) { return e.Name && SameName(*e.Name, name); };
    const auto blank = [](const Entry &e) { return e.Lines.size() == 1 && e.Lines.front().trimmed().isEmpty(); };

    MendKeyLines(key);
    std::ptrdiff_t keySection = -1;
    std::ptrdiff_t valueSection = -1;
    std::ptrdiff_t valueEntry = -1;
    for (std::ptrdiff_t i = 0; i < std::ssize(Sections); ++i) {
        if (!SameName(Sections[i].Key, key))
            continue;
        keySection = i;
        for (std::ptrdiff_t j = 0; j < std::ssize(Sections[i].Entries); ++j) {
            if (named(Sections[i].Entries[j])) {
                valueSection = i;
                valueEntry = j;
            }
        }
    }

    if (valueSection >= 0) {
        Sections[valueSection].Entries[valueEntry] = std::move(entry);
        for (std::ptrdiff_t i = 0; i < std::ssize(Sections); ++i) {
            if (!SameName(Sections[i].Key, key))
                continue;
            std::vector<Entry> &entries = Sections[i].Entries;
            for (std::ptrdiff_t j = std::ssize(entries); j-- > 0;) {
                if ((i != valueSection || j != valueEntry) && named(entries[j]))
                    entries.erase(entries.begin() + j);
            }
        }
        return;
    }

    if (keySection >= 0) {
        std::vector<Entry> &entries = Sections[keySection].Entries;
        auto at = entries.end();
        while (at != entries.begin() && blank(*(at - 1)))
            --at;
        entries.insert(at, std::move(entry));
        return;
    }

    // A new key, set off from what comes before by a blank line, as exports are.
    const Entry blankLine{{QString()}, std::nullopt, {}};
    std::vector<Entry> &before = Sections.empty() ? Preamble : Sections.back().Entries;
    if (before.empty() || !blank(before.back()))
        before.push_back(blankLine);
    Sections.push_back(Section{u'[' + key + u']', key, {std::move(entry), blankLine}, false});
}

} // namespace quintara
