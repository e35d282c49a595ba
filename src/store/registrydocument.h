#pragma once
// The registry's export format ("Windows Registry Editor Version 5.00"), as
// the game keeps its key in a file. A document remembers every line it was
// given, so sections and values that are not the game's come out again
// unchanged and in their place; only the values the game sets are rewritten.

#include <cstdint>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace quintara {

struct RegistryValue {
    // Other: anything but a dword or a well-formed string (hex data, a dword
    // beyond 32 bits, an unterminated string, a deletion mark).
    enum class Kind { Dword, String, Other };
    Kind ValueKind = Kind::Other;
    std::uint32_t Dword = 0;
    QString Text;

    // A dword, or a string that reads plainly as a whole number ("12", "-3")
    // within 32 bits; nothing otherwise.
    std::optional<std::int32_t> Number() const;
};

class RegistryDocument {
    class LineReader;

public:
    // Just the header line and a blank line: what an empty export holds.
    RegistryDocument();

    // Accepts UTF-8 (with or without BOM), UTF-16 with or without BOM or
    // UTF-32 with BOM, CRLF, LF or CR line ends, a missing last line end. Empty or blank text is an
    // empty document. A line with bytes that are no text (a stray Latin-1
    // letter, a NUL) is read with those characters replaced, the rest of the
    // file as it is. A missing header line is supplied. Nothing, when the
    // bytes are no export at all: no header line and no key.
    static std::optional<RegistryDocument> Parse(const QByteArray &bytes);

    // Reads a file too large to hold as it comes, keeping only the header and
    // the sections of one key: what the game needs of it, at any size.
    class KeyReader {
    public:
        explicit KeyReader(const QString &key);
        ~KeyReader();
        void Feed(QByteArrayView data);
        RegistryDocument Finish();

    private:
        static constexpr qsizetype MaxKeptLine = 16384;  // bytes
        static constexpr qsizetype MaxKeptChars = 256 * 1024;
        std::unique_ptr<LineReader> Lines;
        QStringList Kept;
        qsizetype KeptChars = 0;
        bool InKey = false;
    };

    // UTF-8, LF line ends, every line ended. Whatever was read, parsing this
    // text again gives the same document.
    QByteArray Serialise() const;

    // Lines that held bytes that are no text.
    int UnreadableLines() const { return Unreadable; }
    // A section line of the key that has lost one of its brackets. It still
    // opens the key, and is mended as soon as a value of the key is set.
    bool KeyLineDamaged(const QString &key) const;
    void MendKeyLines(const QString &key);
    // Whether a line that is no section line holds the text (a key's name in
    // a line too damaged to open the key, for instance).
    bool LineMentions(const QString &text) const;
    // Every value's key and name, in the file's order.
    std::vector<std::pair<QString, QString>> Names() const;

    // Key and value names compare without regard to case, as in the registry.
    bool HasKey(const QString &key) const;
    // The last occurrence wins, as when the export is imported.
    std::optional<RegistryValue> Value(const QString &key, const QString &name) const;

    // Replaces the value's last occurrence and drops earlier duplicates; a new
    // value goes after the last line of the key's last section, a new key at
    // the end of the document.
    void SetDword(const QString &key, const QString &name, std::int32_t value);
    // False for a text with a line break or a NUL: the format cannot hold them.
    static bool CanHoldString(const QString &text);
    void SetString(const QString &key, const QString &name, const QString &text);

private:
    // One logical line: a value with its continuation lines, or any other line.
    struct Entry {
        QStringList Lines;
        std::optional<QString> Name;
        RegistryValue Value;
    };
    struct Section {
        QString Header;  // the line as read, brackets included
        QString Key;
        std::vector<Entry> Entries;
        bool HeaderDamaged = false;
    };

    static std::optional<RegistryDocument> Read(const QStringList &lines, int unreadable);
    static Entry ReadEntry(const QStringList &lines, qsizetype &next);
    void Set(const QString &key, Entry entry);

    std::vector<Entry> Preamble;  // between the header line and the first section
    std::vector<Section> Sections;
    int Unreadable = 0;
};

} // namespace quintara
