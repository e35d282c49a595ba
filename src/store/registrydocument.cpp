#include "store/registrydocument.h"

#include <algorithm>

#include <QStringConverter>
#include <QStringDecoder>

namespace quintara {

namespace {

const QString HeaderLine = QStringLiteral("Windows Registry Editor Version 5.00");

bool SameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool IsSectionHeader(const QString &line)
{
    const QStringView text = QStringView(line).trimmed();
    return text.size() >= 2 && text.front() == u'[' && text.back() == u']';
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
        const QStringView digits = data.mid(dwordTag.size());
        if (digits.size() == 8 && std::all_of(digits.begin(), digits.end(), IsHexDigit)) {
            value.ValueKind = RegistryValue::Kind::Dword;
            value.Dword = digits.toUInt(nullptr, 16);
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

} // namespace

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
    // value on the next line.
    if (data.startsWith(QLatin1StringView("hex"), Qt::CaseInsensitive)) {
        while (QStringView(entry.Lines.back()).trimmed().endsWith(u'\\') && next < lines.size()
               && !IsSectionHeader(lines[next]))
            entry.Lines << lines[next++];
    }
    return entry;
}

std::optional<RegistryDocument> RegistryDocument::Parse(const QByteArray &bytes)
{
    // Only a byte-order mark can announce another encoding than UTF-8.
    QStringDecoder decoder(QStringConverter::encodingForData(bytes).value_or(QStringConverter::Utf8));
    const QString text = decoder.decode(bytes);
    if (decoder.hasError() || text.contains(QChar(u'\0')))
        return std::nullopt;
    if (text.trimmed().isEmpty())
        return RegistryDocument();

    QStringList lines = text.split(u'\n');
    if (lines.back().isEmpty())
        lines.removeLast();
    for (QString &line : lines) {
        if (line.endsWith(u'\r'))
            line.chop(1);
    }

    qsizetype next = 0;
    while (lines[next].trimmed().isEmpty())
        ++next;
    if (lines[next].trimmed() != HeaderLine)
        return std::nullopt;
    ++next;

    RegistryDocument document;
    document.Preamble.clear();
    while (next < lines.size()) {
        if (IsSectionHeader(lines[next])) {
            const QString &header = lines[next++];
            const QString bracketed = header.trimmed();
            document.Sections.push_back(Section{header, bracketed.mid(1, bracketed.size() - 2), {}});
            continue;
        }
        std::vector<Entry> &entries =
            document.Sections.empty() ? document.Preamble : document.Sections.back().Entries;
        entries.push_back(ReadEntry(lines, next));
    }
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
    Sections.push_back(Section{u'[' + key + u']', key, {std::move(entry), blankLine}});
}

} // namespace quintara
