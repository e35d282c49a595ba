#include "store/store.h"

#include <algorithm>
#include <array>
#include <limits>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/registrydocument.h"
#include "store/registryfile.h"

namespace quintara {

namespace {

const QString KeyPath = QStringLiteral("HKEY_CURRENT_USER\\Software\\Dadivira\\Vazavodo_ru 2.1R2");

constexpr std::array<const char *, 20> ValueNames = {
    "OrigCardSize", "TimeDisplay",   "TransferInfo", "TransferDetails", "ShowPicture",
    "SpeedSlider",  "PileSuit 0",    "PileSuit 1",   "PileSuit 2",      "PileSuit 3",
    "Games Won",    "Games Lost",    "Streak Type",  "Streak Wins",     "Streak Losses",
    "Column Spacing", "SWBmpPath",   "CardFollowsPointer", "UndoToDeal",
    "Last Counted",
};

QString Quoted(const QStringList &names)
{
    return u'"' + names.join(QStringLiteral("\", \"")) + u'"';
}

// `stands`: there is a file, and it is left as it was.
QString WriteFailure(const QString &what, const QString &file, const QString &why, bool stands)
{
    return QStringLiteral("Non è stato possibile scrivere %1 in %2: %3.").arg(what, file, why)
           + (stands ? QStringLiteral(" Il file resta com'era.") : QString());
}

std::int32_t Saturated(std::int64_t value)
{
    return static_cast<std::int32_t>(std::clamp<std::int64_t>(value, std::numeric_limits<std::int32_t>::min(),
                                                              std::numeric_limits<std::int32_t>::max()));
}

} // namespace

struct SettingsStore::Opening {
    RegistryFile::Content Content = RegistryFile::Content::Missing;
    QByteArray Bytes;
    RegistryDocument Document;
    // Why the file must not be written; empty when it may.
    QString Blocked;
    // The system's word on a file that is there but cannot be read.
    QString ReadError;
    // The file holds something the game cannot read: a copy of it is kept
    // before it is first written over.
    bool Damaged = false;
    // Values read but not used: the file as it was is kept all the same.
    bool KeepFirst = false;
    QString Kept;
    // The file was put aside with values of the game in it: they go into a
    // new file at once.
    bool Rewrite = false;
};

SettingsStore::SettingsStore(QString path) : FilePath(std::move(path))
{
    static_assert(ValueNames.size() == ValueCount);
}

QString SettingsStore::DefaultPath()
{
    // A relative XDG_CONFIG_HOME is invalid and ignored: the statistics would
    // otherwise follow the folder the game was started from.
    QString base = QFile::decodeName(qgetenv("XDG_CONFIG_HOME"));
    if (!QDir::isAbsolutePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/quintara/registry.reg");
}

std::int32_t SettingsStore::IntValue(ValueId id) const
{
    const GameSettings &s = KnownSettings;
    const GameStatistics &t = KnownStatistics;
    switch (id) {
    case OrigCardSizeValue: return s.OrigCardSize;
    case TimeDisplayValue: return s.TimeDisplay;
    case TransferInfoValue: return s.TransferInfo;
    case TransferDetailsValue: return s.TransferDetails;
    case ShowPictureValue: return s.ShowPicture;
    case SpeedSliderValue: return s.SpeedSlider;
    case PileSuit0Value:
    case PileSuit1Value:
    case PileSuit2Value:
    case PileSuit3Value: return s.PileSuit[id - PileSuit0Value];
    case GamesWonValue: return t.GamesWon;
    case GamesLostValue: return t.GamesLost;
    case StreakTypeValue: return t.StreakType;
    case StreakWinsValue: return t.StreakWins;
    case StreakLossesValue: return t.StreakLosses;
    case ColumnSpacingValue: return s.ColumnSpacing;
    case CardFollowsPointerValue: return s.CardFollowsPointer;
    case UndoToDealValue: return s.UndoToDeal;
    case LastCountedValue: return static_cast<std::int32_t>(t.LastCounted);
    case SWBmpPathValue:
    case ValueCount: break;
    }
    Q_UNREACHABLE();
}

void SettingsStore::SetIntValue(ValueId id, std::int32_t value)
{
    GameSettings &s = KnownSettings;
    GameStatistics &t = KnownStatistics;
    switch (id) {
    case OrigCardSizeValue: s.OrigCardSize = value != 0; return;
    case TimeDisplayValue: s.TimeDisplay = value != 0; return;
    case TransferInfoValue: s.TransferInfo = value != 0; return;
    case TransferDetailsValue: s.TransferDetails = value != 0; return;
    case ShowPictureValue: s.ShowPicture = value != 0; return;
    case SpeedSliderValue: s.SpeedSlider = value; return;
    case PileSuit0Value:
    case PileSuit1Value:
    case PileSuit2Value:
    case PileSuit3Value: s.PileSuit[id - PileSuit0Value] = value; return;
    case GamesWonValue: t.GamesWon = value; return;
    case GamesLostValue: t.GamesLost = value; return;
    case StreakTypeValue: t.StreakType = value; return;
    case StreakWinsValue: t.StreakWins = value; return;
    case StreakLossesValue: t.StreakLosses = value; return;
    case ColumnSpacingValue: s.ColumnSpacing = value; return;
    case CardFollowsPointerValue: s.CardFollowsPointer = value != 0; return;
    case UndoToDealValue: s.UndoToDeal = value != 0; return;
    case LastCountedValue: t.LastCounted = static_cast<std::uint32_t>(value); return;
    case SWBmpPathValue:
    case ValueCount: break;
    }
    Q_UNREACHABLE();
}

bool SettingsStore::Traces(const RegistryDocument &document) const
{
    // Our key's path in a line too damaged to open it, or the statistics'
    // values, whose names only the game uses, left under another key.
    if (document.LineMentions(KeyPath))
        return true;
    const auto statisticsName = [](const QString &name) {
        return std::any_of(ValueNames.begin() + GamesWonValue, ValueNames.begin() + StreakLossesValue + 1,
                           [&name](const char *ours) { return name.compare(QLatin1String(ours), Qt::CaseInsensitive) == 0; });
    };
    const std::vector<std::pair<QString, QString>> names = document.Names();
    return std::any_of(names.begin(), names.end(), [&](const auto &value) { return statisticsName(value.second); });
}

SettingsStore::Opening SettingsStore::Open(RegistryFile &file, StoreReport &report) const
{
    Opening opening;
    QString why;
    RegistryDocument::KeyReader large(KeyPath);
    opening.Content = file.Read(opening.Bytes, why, [&large](QByteArrayView piece) { large.Feed(piece); });
    switch (opening.Content) {
    case RegistryFile::Content::Missing:
        opening.Blocked = file.LockProblem();
        return opening;
    case RegistryFile::Content::Unreadable:
        opening.ReadError = why;
        opening.Blocked = QStringLiteral("il file esistente non si può leggere (%1)").arg(why);
        return opening;
    case RegistryFile::Content::Read:
        if (std::optional<RegistryDocument> parsed = RegistryDocument::Parse(opening.Bytes)) {
            opening.Document = std::move(*parsed);
            const RegistryDocument &document = opening.Document;
            opening.Blocked = file.LockProblem();
            opening.Damaged = document.UnreadableLines() > 0 || document.KeyLineDamaged(KeyPath)
                              || (!document.HasKey(KeyPath) && Traces(document));
            return opening;
        }
        break;
    case RegistryFile::Content::TooLarge:
        // Far more than the game's key: the key is taken from it, and the
        // file goes aside whole, as it is, for the rest to be had back.
        opening.Document = large.Finish();
        break;
    case RegistryFile::Content::NotAFile:
        break;
    }
    // No export at all: whatever the file still holds must survive for the
    // player to recover by hand.
    const QString kept = file.Locked() ? file.KeepAside(why) : QString();
    if (kept.isEmpty()) {
        opening.Blocked = QStringLiteral("il file è danneggiato e non si può mettere da parte (%1)")
                              .arg(file.Locked() ? why : file.LockProblem());
    } else if (opening.Content == RegistryFile::Content::TooLarge) {
        opening.Content = RegistryFile::Content::Missing;
        opening.Rewrite = true;
        report.Problems << QStringLiteral("Il file %1 era troppo grande: è stato messo da parte così com'era come %2, "
                                          "e al suo posto se ne scrive uno con i soli valori del gioco.")
                               .arg(FilePath, kept);
    } else {
        opening.Content = RegistryFile::Content::Missing;
        report.Problems << QStringLiteral("Il file %1 era danneggiato: è stato messo da parte come %2, "
                                          "da dove le statistiche si possono recuperare a mano, "
                                          "e al suo posto se ne scrive uno nuovo.")
                               .arg(FilePath, kept);
    }
    return opening;
}

bool SettingsStore::AddedLater(int id)
{
    return id >= CardFollowsPointerValue;
}

bool SettingsStore::Readable(ValueId id, const RegistryValue &value)
{
    return id == SWBmpPathValue ? value.ValueKind == RegistryValue::Kind::String : value.Number().has_value();
}

bool SettingsStore::Write(RegistryFile &file, Opening &opening, ValueIds ids, const QString &what,
                          StoreReport &report) const
{
    RegistryDocument &document = opening.Document;
    QString why = opening.Blocked;
    if (why.isEmpty()) {
        // A key deleted or put aside meanwhile comes back whole, from what this copy knows.
        if (!document.HasKey(KeyPath)) {
            ValueIds all;
            for (int i = 0; i < ValueCount; ++i) {
                if (!AddedLater(i) || std::find(ids.begin(), ids.end(), ValueId(i)) != ids.end())
                    all.push_back(ValueId(i));
            }
            ids = std::move(all);
        }
        for (const ValueId id : ids) {
            const std::optional<RegistryValue> old = document.Value(KeyPath, QString::fromLatin1(ValueNames[id]));
            if (old && !Readable(id, *old))
                opening.Damaged = true;
        }
        if ((opening.Damaged || opening.KeepFirst) && opening.Kept.isEmpty()) {
            opening.Kept = file.KeepCopy(opening.Bytes, why);
            if (opening.Kept.isEmpty())
                why = QStringLiteral("prima ci vuole una copia di quello che il gioco non legge, "
                                     "e non si può fare (%1)").arg(why);
            else
                report.Problems << QStringLiteral("Il file com'era è conservato in %1.").arg(opening.Kept);
        }
    }
    if (why.isEmpty()) {
        document.MendKeyLines(KeyPath);
        for (const ValueId id : ids) {
            const QString name = QString::fromLatin1(ValueNames[id]);
            if (id == SWBmpPathValue)
                document.SetString(KeyPath, name, KnownSettings.SWBmpPath);
            else
                document.SetDword(KeyPath, name, IntValue(id));
        }
        if (file.Save(document.Serialise(), why))
            return true;
    }
    report.Problems << WriteFailure(what, FilePath, why, opening.Content != RegistryFile::Content::Missing);
    return false;
}

SettingsStore::ValueIds SettingsStore::ReadValues(const RegistryDocument &document, StoreReport &report,
                                                  bool &outOfRange)
{
    ValueIds mended;
    QStringList missing;
    QStringList mistyped;
    for (int i = 0; i < ValueCount; ++i) {
        const ValueId id = ValueId(i);
        const QString name = QString::fromLatin1(ValueNames[id]);
        const std::optional<RegistryValue> value = document.Value(KeyPath, name);
        if (!value) {
            // No picture chosen yet is an ordinary state, not a fault; nor
            // is a file written before a value was added.
            if (id != SWBmpPathValue && !AddedLater(id)) {
                missing << name;
                mended.push_back(id);
            }
        } else if (!Readable(id, *value)) {
            // Written over at once: the file as it was is kept beside it.
            mistyped << name;
            mended.push_back(id);
        } else if (id == SWBmpPathValue) {
            KnownSettings.SWBmpPath = value->Text;
        } else {
            SetIntValue(id, *value->Number());
            // A number stored as text goes back as the number it is.
            if (value->ValueKind != RegistryValue::Kind::Dword)
                mended.push_back(id);
        }
    }
    if (missing.size() == 1)
        report.Problems << QStringLiteral("In %1 manca il valore %2: il gioco usa quello iniziale.")
                               .arg(FilePath, Quoted(missing));
    else if (!missing.isEmpty())
        report.Problems << QStringLiteral("In %1 mancano i valori %2: il gioco usa quelli iniziali.")
                               .arg(FilePath, Quoted(missing));
    if (mistyped.size() == 1)
        report.Problems << QStringLiteral("Il valore %1 non si legge: il gioco usa quello iniziale.")
                               .arg(Quoted(mistyped));
    else if (!mistyped.isEmpty())
        report.Problems << QStringLiteral("I valori %1 non si leggono: il gioco usa quelli iniziali.")
                               .arg(Quoted(mistyped));

    // A speed outside 1..10 would give no pause or a very long one per flight step.
    MendRange(SpeedSliderValue, SpeedLow, SpeedHigh, mended, report);
    MendRange(ColumnSpacingValue, SpacingLow, SpacingHigh, mended, report);
    PileSuitOrder order = KnownSettings.PileSuit;
    std::sort(order.begin(), order.end());
    if (order != DefaultPileSuit) {
        // Otherwise some ace could never go home and the game could not be won.
        KnownSettings.PileSuit = GameSettings().PileSuit;
        report.Problems << QStringLiteral("In %1 i valori da \"PileSuit 0\" a \"PileSuit 3\" non danno "
                                          "a ogni fila un seme diverso: il gioco usa l'ordine iniziale.")
                               .arg(FilePath);
        for (int i = PileSuit0Value; i <= PileSuit3Value; ++i)
            mended.push_back(ValueId(i));
    }
    // A count out of range is the statistics' own damage: the file as it
    // was is kept before it is written over.
    const std::size_t settingsMended = mended.size();
    // Counts no game can have made (ffffffff read as -1): shown as they are,
    // they would be nonsense, and a percentage of them worse.
    constexpr std::int32_t most = std::numeric_limits<std::int32_t>::max();
    for (const ValueId id : {GamesWonValue, GamesLostValue, StreakWinsValue, StreakLossesValue})
        MendRange(id, 0, most, mended, report);
    const std::int32_t streak = KnownStatistics.StreakWins > 0 ? 1 : KnownStatistics.StreakLosses > 0 ? 2 : 0;
    MendRange(StreakTypeValue, 0, 2, mended, report, streak);

    outOfRange = mended.size() > settingsMended;

    std::sort(mended.begin(), mended.end());
    mended.erase(std::unique(mended.begin(), mended.end()), mended.end());
    return mended;
}

void SettingsStore::MendRange(ValueId id, std::int32_t low, std::int32_t high, ValueIds &mended,
                              StoreReport &report, std::optional<std::int32_t> instead)
{
    const std::int32_t value = IntValue(id);
    if (value >= low && value <= high)
        return;
    const std::int32_t sound = instead.value_or(std::clamp(value, low, high));
    const QString name = QString::fromLatin1(ValueNames[id]);
    if (high == std::numeric_limits<std::int32_t>::max())
        report.Problems << QStringLiteral("In %1 il valore \"%2\" è %3, ma non può essere negativo: il gioco usa %4.")
                               .arg(FilePath, name, QString::number(value), QString::number(sound));
    else
        report.Problems << QStringLiteral("In %1 il valore \"%2\" è %3, fuori dall'intervallo da %4 a %5: "
                                          "il gioco usa %6.")
                               .arg(FilePath, name, QString::number(value), QString::number(low),
                                    QString::number(high), QString::number(sound));
    SetIntValue(id, sound);
    mended.push_back(id);
}

StoreReport SettingsStore::LoadSettings(GameSettings &settings, GameStatistics &statistics)
{
    StoreReport report;
    KnownSettings = GameSettings();
    KnownStatistics = GameStatistics();
    StoredRunWon = 0;
    StoredRunLost = 0;
    ResetPending = false;
    RegistryFile file(FilePath);
    Opening opening = Open(file, report);
    const RegistryDocument &document = opening.Document;
    if (opening.Content == RegistryFile::Content::Unreadable) {
        // Never replaced: a file that cannot be read may still hold the statistics.
        report.Problems << QStringLiteral("Il file %1 non si può leggere (%2): il gioco usa i valori iniziali.")
                               .arg(FilePath, opening.ReadError);
    } else {
        // Told in one go: the file first, then each thing found in it.
        StoreReport damage;
        if (document.UnreadableLines() > 0)
            damage.Problems << QStringLiteral("Alcune righe non si leggevano: il gioco ha letto quello che poteva.");
        if (!document.HasKey(KeyPath)) {
            if (Traces(document))
                damage.Problems << QStringLiteral("La chiave del gioco non si riconosce più: "
                                                  "il gioco usa i valori iniziali.");
            Write(file, opening, {}, QStringLiteral("i valori iniziali"), damage);
        } else {
            if (document.KeyLineDamaged(KeyPath))
                damage.Problems << QStringLiteral("La riga della chiave del gioco era rovinata: "
                                                  "il gioco ha ripreso i valori sotto di essa.");
            // What was missing, unreadable or out of range goes back into the
            // file at once, so the player is told only once.
            bool outOfRange = false;
            const ValueIds mended = ReadValues(document, damage, outOfRange);
            // What was out of range is kept as it was before it is written over.
            opening.KeepFirst = outOfRange;
            if (!mended.empty() || opening.Damaged || opening.Rewrite) {
                QStringList names;
                for (const ValueId id : mended)
                    names << QString::fromLatin1(ValueNames[id]);
                Write(file, opening, mended, names.isEmpty() ? QStringLiteral("il file") : Quoted(names), damage);
            }
        }
        if (opening.Damaged)
            report.Problems << QStringLiteral("Il file %1 era in parte rovinato.").arg(FilePath);
        report.Problems << damage.Problems;
    }

    settings = KnownSettings;
    settings.FlightDelay = FlightDelayFor(settings.SpeedSlider);
    settings.PictureFileOk = false;
    settings.PrefsChanged = false;
    statistics = KnownStatistics;
    statistics.RunWon = 0;
    statistics.RunLost = 0;
    return report;
}

bool SettingsStore::Store(const ValueIds &ids, StoreReport &report) const
{
    QStringList names;
    for (const ValueId id : ids)
        names << QString::fromLatin1(ValueNames[id]);
    RegistryFile file(FilePath);
    Opening opening = Open(file, report);
    return Write(file, opening, ids, Quoted(names), report);
}

GameStatistics SettingsStore::Merged(const RegistryDocument &document, const GameStatistics &statistics) const
{
    // What the file holds now; where it holds nothing readable, what this
    // copy last knew of it.
    GameStatistics stored = ResetPending ? GameStatistics() : KnownStatistics;
    const auto take = [&](ValueId id, std::int32_t &field) {
        const std::optional<RegistryValue> value = document.Value(KeyPath, QString::fromLatin1(ValueNames[id]));
        if (!ResetPending && value && value->Number())
            field = *value->Number();
    };
    take(GamesWonValue, stored.GamesWon);
    take(GamesLostValue, stored.GamesLost);
    take(StreakTypeValue, stored.StreakType);
    take(StreakWinsValue, stored.StreakWins);
    take(StreakLossesValue, stored.StreakLosses);

    const std::int64_t won = std::max<std::int64_t>(0, std::int64_t(statistics.RunWon) - StoredRunWon);
    const std::int64_t lost = std::max<std::int64_t>(0, std::int64_t(statistics.RunLost) - StoredRunLost);
    GameStatistics merged = stored;
    merged.RunWon = statistics.RunWon;
    merged.RunLost = statistics.RunLost;
    // The last game this copy counted: the one whose count this write stores.
    if (statistics.LastCounted != 0)
        merged.LastCounted = statistics.LastCounted;
    merged.GamesWon = Saturated(std::int64_t(stored.GamesWon) + won);
    merged.GamesLost = Saturated(std::int64_t(stored.GamesLost) + lost);
    const bool winning = statistics.StreakType == 1;
    if (won + lost == 0 || (!winning && statistics.StreakType != 2))
        return merged;
    // This copy's streak: when it is longer than its games still to store,
    // it began before them and goes on from the streak in the file, if that
    // is of the same kind; otherwise it began among them.
    const std::int64_t own = winning ? statistics.StreakWins : statistics.StreakLosses;
    std::int64_t length = own;
    if (own >= won + lost) {
        const std::int64_t before = stored.StreakType != statistics.StreakType ? 0
                                    : winning                                  ? stored.StreakWins
                                                                               : stored.StreakLosses;
        length = std::max<std::int64_t>(0, before) + won + lost;
    }
    merged.StreakType = statistics.StreakType;
    merged.StreakWins = winning ? Saturated(length) : 0;
    merged.StreakLosses = winning ? 0 : Saturated(length);
    return merged;
}

StoreReport SettingsStore::SaveStatistics(GameStatistics &statistics)
{
    StoreReport report;
    const bool reset = statistics == GameStatistics();
    RegistryFile file(FilePath);
    Opening opening = Open(file, report);
    KnownStatistics = reset ? GameStatistics() : Merged(opening.Document, statistics);
    statistics = KnownStatistics;
    ValueIds ids = {GamesWonValue, GamesLostValue, StreakTypeValue, StreakWinsValue, StreakLossesValue};
    if (KnownStatistics.LastCounted != 0)
        ids.push_back(LastCountedValue);
    const bool stored = Write(file, opening, ids, QStringLiteral("le statistiche"), report);
    if (stored || reset) {
        StoredRunWon = statistics.RunWon;
        StoredRunLost = statistics.RunLost;
    }
    ResetPending = reset ? !stored : ResetPending && !stored;
    return report;
}

StoreReport SettingsStore::StoreDisplayOptions(const GameSettings &settings)
{
    KnownSettings.TimeDisplay = settings.TimeDisplay;
    KnownSettings.TransferInfo = settings.TransferInfo;
    KnownSettings.TransferDetails = settings.TransferDetails;
    KnownSettings.ShowPicture = settings.ShowPicture;
    ValueIds ids = {TimeDisplayValue, TransferInfoValue, TransferDetailsValue, ShowPictureValue};
    if (KnownSettings.CardFollowsPointer != settings.CardFollowsPointer) {
        KnownSettings.CardFollowsPointer = settings.CardFollowsPointer;
        ids.push_back(CardFollowsPointerValue);
    }
    StoreReport report;
    Store(ids, report);
    return report;
}

StoreReport SettingsStore::StorePicturePath(const GameSettings &settings)
{
    if (!RegistryDocument::CanHoldString(settings.SWBmpPath)) {
        return {{WriteFailure(QStringLiteral("\"SWBmpPath\", \"ShowPicture\""), FilePath,
                              QStringLiteral("il percorso dell'immagine contiene un a capo"),
                              QFileInfo::exists(FilePath))}};
    }
    KnownSettings.SWBmpPath = settings.SWBmpPath;
    KnownSettings.ShowPicture = settings.ShowPicture;
    StoreReport report;
    Store({SWBmpPathValue, ShowPictureValue}, report);
    return report;
}

StoreReport SettingsStore::StoreSuitOrderAndSpacing(const GameSettings &settings, bool orderChanged,
                                                    bool spacingChanged)
{
    StoreReport report;
    if (orderChanged) {
        KnownSettings.PileSuit = settings.PileSuit;
        Store({PileSuit0Value, PileSuit1Value, PileSuit2Value, PileSuit3Value}, report);
    }
    if (spacingChanged) {
        KnownSettings.ColumnSpacing = settings.ColumnSpacing;
        Store({ColumnSpacingValue}, report);
    }
    return report;
}

StoreReport SettingsStore::StoreSpeed(const GameSettings &settings)
{
    KnownSettings.SpeedSlider = settings.SpeedSlider;
    StoreReport report;
    Store({SpeedSliderValue}, report);
    return report;
}

StoreReport SettingsStore::StoreUndoToDeal(const GameSettings &settings)
{
    KnownSettings.UndoToDeal = settings.UndoToDeal;
    StoreReport report;
    Store({UndoToDealValue}, report);
    return report;
}

} // namespace quintara
