#include "storecheck.h"

#include <cstring>

#include <QDir>
#include <QFile>

#include "store/registrydocument.h"
#include "store/store.h"

namespace quintara {

namespace {

const QString Key = QStringLiteral("HKEY_CURRENT_USER\\Software\\Dadivira\\Vazavodo_ru 2.1R2");
const QStringList OurNames = {
    "OrigCardSize", "TimeDisplay", "TransferInfo", "TransferDetails", "ShowPicture", "SpeedSlider",
    "PileSuit 0",   "PileSuit 1",  "PileSuit 2",   "PileSuit 3",      "Games Won",   "Games Lost",
    "Streak Type",  "Streak Wins", "Streak Losses", "Column Spacing", "SWBmpPath",
};
constexpr qsizetype ChoiceBytes = 6;

bool Ours(const QString &key, const QString &name)
{
    return key.compare(Key, Qt::CaseInsensitive) == 0 && OurNames.contains(name, Qt::CaseInsensitive);
}

QByteArray Contents(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool Same(const std::optional<RegistryValue> &a, const std::optional<RegistryValue> &b)
{
    if (!a || !b)
        return !a && !b;
    return a->ValueKind == b->ValueKind && a->Dword == b->Dword && a->Text == b->Text;
}

QString Differences(const GameSettings &a, const GameStatistics &t, const GameSettings &b, const GameStatistics &u)
{
    QStringList out;
    const auto check = [&out](const char *what, auto x, auto y) {
        if (x != y)
            out << QString::fromLatin1(what);
    };
    check("OrigCardSize", a.OrigCardSize, b.OrigCardSize);
    check("TimeDisplay", a.TimeDisplay, b.TimeDisplay);
    check("TransferInfo", a.TransferInfo, b.TransferInfo);
    check("TransferDetails", a.TransferDetails, b.TransferDetails);
    check("ShowPicture", a.ShowPicture, b.ShowPicture);
    check("SpeedSlider", a.SpeedSlider, b.SpeedSlider);
    check("PileSuit", a.PileSuit, b.PileSuit);
    check("ColumnSpacing", a.ColumnSpacing, b.ColumnSpacing);
    check("SWBmpPath", a.SWBmpPath, b.SWBmpPath);
    check("GamesWon", t.GamesWon, u.GamesWon);
    check("GamesLost", t.GamesLost, u.GamesLost);
    check("StreakType", t.StreakType, u.StreakType);
    check("StreakWins", t.StreakWins, u.StreakWins);
    check("StreakLosses", t.StreakLosses, u.StreakLosses);
    return out.join(u' ');
}

// What the game stores, as the input chooses it.
struct Choice {
    int Operation = 0;
    std::int32_t Value = 0;
    QString Path;

    explicit Choice(const QByteArray &input)
    {
        const QByteArray head = input.left(ChoiceBytes).leftJustified(ChoiceBytes, '\0');
        Operation = static_cast<unsigned char>(head[0]) % 7;
        std::memcpy(&Value, head.constData() + 1, sizeof Value);
        const qsizetype pathSize = static_cast<unsigned char>(head[5]) % 32;
        Path = QString::fromUtf8(input.mid(ChoiceBytes, pathSize));
        Path.remove(u'\n').remove(u'\r').remove(QChar(u'\0'));
    }

    qsizetype Size() const { return ChoiceBytes + Path.toUtf8().size(); }

    // Changes the values as the player would, and stores them.
    StoreReport Store(SettingsStore &store, GameSettings &s, GameStatistics &t, bool again) const
    {
        const std::uint32_t v = static_cast<std::uint32_t>(Value);
        switch (Operation) {
        case 0:
        case 1:
            if (!again)
                CountGame(t, Operation == 0);
            return store.SaveStatistics(t);
        case 2:
            if (!again)
                t = GameStatistics();
            return store.SaveStatistics(t);
        case 3:
            if (!again) {
                s.TimeDisplay = v & 1;
                s.TransferInfo = v & 2;
                s.TransferDetails = v & 4;
                s.ShowPicture = v & 8;
            }
            return store.StoreDisplayOptions(s);
        case 4:
            if (!again) {
                s.SWBmpPath = Path;
                s.ShowPicture = v & 1;
            }
            return store.StorePicturePath(s);
        case 5: {
            if (!again) {
                // One of the 24 orders, picked by v.
                PileSuitOrder order{0, 1, 2, 3};
                std::uint32_t n = v % 24;
                for (std::uint32_t i = 0; i < 3; ++i) {
                    std::swap(order[i], order[i + n % (4 - i)]);
                    n /= 4 - i;
                }
                if (v & 0x10000)
                    s.PileSuit = order;
                if (v & 0x20000)
                    s.ColumnSpacing = 6 + static_cast<std::int32_t>((v >> 8) % 7);
            }
            return store.StoreSuitOrderAndSpacing(s, v & 0x10000, v & 0x20000);
        }
        default:
            if (!again)
                s.SpeedSlider = 1 + static_cast<std::int32_t>(v % 10);
            return store.StoreSpeed(s);
        }
    }
};

// Values not ours in `before` stand unchanged in `after`.
QString ForeignChanged(const RegistryDocument &before, const RegistryDocument &after)
{
    for (const auto &[key, name] : before.Names()) {
        if (!Ours(key, name) && !Same(before.Value(key, name), after.Value(key, name)))
            return QStringLiteral("value not ours changed: [%1] \"%2\"").arg(key, name);
    }
    return {};
}

} // namespace

QString CheckDocument(const QByteArray &input)
{
    const Choice choice(input);
    std::optional<RegistryDocument> document = RegistryDocument::Parse(input.mid(choice.Size()));
    if (!document)
        return {};
    const RegistryDocument original = *document;
    const auto setAll = [&choice](RegistryDocument &into) {
        for (qsizetype i = 0; i < OurNames.size(); ++i) {
            if (OurNames[i] == QLatin1String("SWBmpPath"))
                into.SetString(Key, OurNames[i], choice.Path);
            else
                into.SetDword(Key, OurNames[i], choice.Value ^ static_cast<std::int32_t>(i * 0x9E3779B9u));
        }
    };
    setAll(*document);
    const QByteArray written = document->Serialise();
    std::optional<RegistryDocument> after = RegistryDocument::Parse(written);
    if (!after)
        return QStringLiteral("the document written does not parse");
    for (qsizetype i = 0; i < OurNames.size(); ++i) {
        const std::optional<RegistryValue> value = after->Value(Key, OurNames[i]);
        const bool path = OurNames[i] == QLatin1String("SWBmpPath");
        if (!value || (path ? value->Text != choice.Path
                            : value->Number() != (choice.Value ^ static_cast<std::int32_t>(i * 0x9E3779B9u))))
            return QStringLiteral("value read back differs: ") + OurNames[i];
    }
    if (after->UnreadableLines() != 0 || after->KeyLineDamaged(Key))
        return QStringLiteral("the document written is not sound");
    if (const QString changed = ForeignChanged(original, *after); !changed.isEmpty())
        return changed;
    if (after->Serialise() != written)
        return QStringLiteral("the document written does not parse to itself");
    setAll(*after);
    if (after->Serialise() != written)
        return QStringLiteral("a second write gave other bytes");
    return {};
}

QString CheckStore(const QByteArray &input, const QString &folder)
{
    QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files | QDir::Hidden))
        dir.remove(name);
    const Choice choice(input);
    const QByteArray before = input.mid(choice.Size());
    const QString path = dir.filePath(QStringLiteral("registry.reg"));
    {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(before) != before.size() || !file.flush())
            return QStringLiteral("cannot set up the file");
    }

    SettingsStore store(path);
    GameSettings s;
    GameStatistics t;
    (void)store.LoadSettings(s, t);
    if (const StoreReport report = choice.Store(store, s, t, false); !report.Ok())
        return QStringLiteral("store failed: ") + report.Text();
    const QByteArray written = Contents(path);

    // What the game wrote reads back, without a word, as the game holds it.
    SettingsStore reader(path);
    GameSettings rs;
    GameStatistics rt;
    if (const StoreReport report = reader.LoadSettings(rs, rt); !report.Ok())
        return QStringLiteral("reading back: ") + report.Text();
    if (const QString diff = Differences(s, t, rs, rt); !diff.isEmpty())
        return QStringLiteral("values read back differ: ") + diff;
    if (Contents(path) != written)
        return QStringLiteral("reading back changed the file");

    const std::optional<RegistryDocument> after = RegistryDocument::Parse(written);
    if (!after || after->Serialise() != written)
        return QStringLiteral("the file written does not parse to itself");
    // Values not ours are as they were, unless the whole file was put aside.
    const std::optional<RegistryDocument> original = RegistryDocument::Parse(before);
    const QStringList files = dir.entryList(QDir::Files | QDir::Hidden);
    const bool putAside = !files.contains(QStringLiteral("registry.reg")) || !original || before.size() > (1 << 20);
    if (original && !putAside) {
        if (const QString changed = ForeignChanged(*original, *after); !changed.isEmpty())
            return changed;
    }
    // Nothing left behind but the file and copies of it as it was.
    for (const QString &name : files) {
        if (name == QLatin1String("registry.reg"))
            continue;
        if (!name.startsWith(QLatin1String("registry-danneggiato")))
            return QStringLiteral("left behind: ") + name;
        if (Contents(dir.filePath(name)) != before)
            return QStringLiteral("the kept copy is not the file as it was");
    }

    // A second write of the same values gives the same bytes.
    if (const StoreReport report = choice.Store(reader, rs, rt, true); !report.Ok())
        return QStringLiteral("second store failed: ") + report.Text();
    if (Contents(path) != written)
        return QStringLiteral("a second write gave other bytes");
    return {};
}

} // namespace quintara
