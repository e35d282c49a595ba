#include "store/registrydocument.h"

#include <algorithm>
#include <functional>
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
    // Blanks inside the brackets are no part of a key's name.
    if (opens && closes && text.size() >= 2)
        return text.mid(1, text.size() - 2).trimmed().toString();
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

// UTF-16 without its byte-order mark, as some editors save: the header's
// letters leave every other byte zero. Nothing else the game reads does.
std::optional<QStringConverter::Encoding> Utf16WithoutMark(QByteArrayView data)
{
    const qsizetype pairs = std::min<qsizetype>(data.size(), 256) / 2;
    qsizetype evenZeros = 0;
    qsizetype oddZeros = 0;
    for (qsizetype i = 0; i < pairs; ++i) {
        evenZeros += data[2 * i] == 0;
        oddZeros += data[2 * i + 1] == 0;
    }
    if (pairs < 2 || (evenZeros == 0) == (oddZeros == 0))
        return std::nullopt;
    const qsizetype zeros = std::max(evenZeros, oddZeros);
    if (zeros * 2 < pairs)
        return std::nullopt;
    return oddZeros > 0 ? QStringConverter::Utf16LE : QStringConverter::Utf16BE;
}

} // namespace

// Splits bytes into lines in their encoding and decodes each line on its
// own, so a bad byte costs only its line's unreadable characters. A line
// ends at LF, CRLF or a CR alone, as old Mac files have it.
class RegistryDocument::LineReader {
public:
    // Lines of more than `longest` bytes (0: no limit) are left out whole.
    explicit LineReader(std::function<void(QString)> take, qsizetype longest = 0)
        : Take(std::move(take)), Longest(longest)
    {
    }

    void Feed(QByteArrayView data)
    {
        Pending += data;
        if (!Encoding && Pending.size() < 256)
            return;
        Split(false);
    }
    void Finish() { Split(true); }
    int Unreadable() const { return Bad; }

private:
    void Split(bool last)
    {
        if (!Encoding) {
            Encoding = QStringConverter::encodingForData(Pending)
                           .value_or(Utf16WithoutMark(Pending).value_or(QStringConverter::Utf8));
            QStringEncoder encoder(*Encoding);
            Lf = encoder.encode(u"\n");
            Cr = encoder.encode(u"\r");
        }
        const qsizetype width = Lf.size();
        const QByteArrayView bytes(Pending);
        const auto unit = [&](qsizetype at) { return bytes.sliced(at, width); };
        qsizetype start = 0;
        // What was scanned before is not scanned again: a line may come in
        // many pieces.
        qsizetype at = Scanned;
        for (; at + width <= bytes.size(); at += width) {
            if (unit(at) == Lf) {
                Emit(bytes.sliced(start, at - start));
                start = at + width;
            } else if (unit(at) == Cr) {
                // CRs right before an LF belong to its line end; any other
                // CR ends a line of its own.
                qsizetype after = at + width;
                while (after + width <= bytes.size() && unit(after) == Cr)
                    after += width;
                if (after + width > bytes.size() && !last)
                    break;
                if (after + width <= bytes.size() && unit(after) == Lf) {
                    at = after - width;
                    continue;
                }
                Emit(bytes.sliced(start, at - start));
                start = at + width;
            }
        }
        if (last && start < bytes.size())
            Emit(bytes.sliced(start));
        Scanned = last ? 0 : at - start;
        Pending = last ? QByteArray() : Pending.mid(start);
        if (Longest > 0 && Scanned > Longest) {
            // Only its end is still to be found.
            Skipping = true;
            Pending = Pending.mid(Scanned);
            Scanned = 0;
        }
    }

    void Emit(QByteArrayView raw)
    {
        if (Skipping) {
            Skipping = false;
            return;
        }
        // Only the first line may begin with a byte-order mark; elsewhere it
        // is a character of the text.
        QStringDecoder decoder(*Encoding, First ? QStringConverter::Flag::Stateless
                                                : QStringConverter::Flag::Stateless
                                                      | QStringConverter::Flag::ConvertInitialBom);
        First = false;
        QString line = decoder.decode(raw);
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
            ++Bad;
        while (line.endsWith(u'\r'))
            line.chop(1);
        if (Longest == 0 || raw.size() <= Longest)
            Take(std::move(line));
    }

    std::function<void(QString)> Take;
    qsizetype Longest = 0;
    std::optional<QStringConverter::Encoding> Encoding;
    QByteArray Lf;
    QByteArray Cr;
    QByteArray Pending;
    qsizetype Scanned = 0;
    bool Skipping = false;
    bool First = true;
    int Bad = 0;
};

RegistryDocument::KeyReader::KeyReader(const QString &key)
    // The game's values are short lines: a long one in the key is no value
    // of ours, and stays with the rest of the file.
    : Lines(std::make_unique<LineReader>(
          [this, key](QString line) {
              bool damaged = false;
              if (const std::optional<QString> opened = SectionKey(line, damaged))
                  InKey = SameName(*opened, key);
              if (InKey && KeptChars < MaxKeptChars) {
                  KeptChars += line.size();
                  Kept << std::move(line);
              }
          },
          MaxKeptLine))
{
}

RegistryDocument::KeyReader::~KeyReader() = default;

void RegistryDocument::KeyReader::Feed(QByteArrayView data)
{
    Lines->Feed(data);
}

RegistryDocument RegistryDocument::KeyReader::Finish()
{
    Lines->Finish();
    // Set off from the header line by a blank line, as exports are.
    Kept.prepend(QString());
    return Read(Kept, Lines->Unreadable()).value_or(RegistryDocument());
}

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
    QStringList lines;
    LineReader reader([&lines](QString line) { lines << std::move(line); });
    reader.Feed(bytes);
    reader.Finish();
    return Read(lines, reader.Unreadable());
}

std::optional<RegistryDocument> RegistryDocument::Read(const QStringList &lines, int unreadable)
{
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
