#include "store/store.h"

#include <algorithm>
#include <array>

#include <QStandardPaths>

#include "store/registryfile.h"

namespace quintara {

namespace {

const QString KeyPath = QStringLiteral("HKEY_CURRENT_USER\\Software\\Dadivira\\Vazavodo_ru 2.1R2");

constexpr std::array<const char *, 17> ValueNames = {
    "OrigCardSize", "TimeDisplay",   "TransferInfo", "TransferDetails", "ShowPicture",
    "SpeedSlider",  "PileSuit 0",    "PileSuit 1",   "PileSuit 2",      "PileSuit 3",
    "Games Won",    "Games Lost",    "Streak Type",  "Streak Wins",     "Streak Losses",
    "Column Spacing", "SWBmpPath",
};

QString Quoted(const QStringList &names)
{
    return u'"' + names.join(QStringLiteral("\", \"")) + u'"';
}

QString WriteFailure(const QString &what, const QString &file, const QString &why)
{
    return QStringLiteral("Non è stato possibile scrivere %1 in %2: %3.").arg(what, file, why);
}

} // namespace

struct SettingsStore::Opening {
    RegistryFile::Content Content = RegistryFile::Content::Missing;
    RegistryDocument Document;
    // Why the file must not be written; empty when it may.
    QString Blocked;
    // The system's word on a file that is there but cannot be read.
    QString ReadError;
};

SettingsStore::SettingsStore(QString path) : FilePath(std::move(path))
{
    static_assert(ValueNames.size() == ValueCount);
}

QString SettingsStore::DefaultPath()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation)
           + QStringLiteral("/quintara/registry.reg");
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
    case SWBmpPathValue:
    case ValueCount: break;
    }
    Q_UNREACHABLE();
}

SettingsStore::Opening SettingsStore::Open(RegistryFile &file, StoreReport &report) const
{
    Opening opening;
    QString why;
    opening.Content = file.Read(opening.Document, why);
    opening.ReadError = why;
    switch (opening.Content) {
    case RegistryFile::Content::Missing:
    case RegistryFile::Content::Read:
        opening.Blocked = file.LockProblem();
        break;
    case RegistryFile::Content::Unreadable:
        opening.Blocked = QStringLiteral("il file esistente non si può leggere (%1)").arg(why);
        break;
    case RegistryFile::Content::Damaged: {
        // Whatever the file still holds must survive for the player to recover by hand.
        const QString kept = file.Locked() ? file.KeepAside(why) : QString();
        if (kept.isEmpty()) {
            opening.Blocked = QStringLiteral("il file è danneggiato e non si può mettere da parte (%1)")
                                  .arg(file.Locked() ? why : file.LockProblem());
        } else {
            report.Problems << QStringLiteral("Il file %1 era danneggiato: è stato messo da parte come %2, "
                                              "da dove le statistiche si possono recuperare a mano, "
                                              "e al suo posto se ne scrive uno nuovo.")
                                   .arg(FilePath, kept);
        }
        break;
    }
    }
    return opening;
}

void SettingsStore::Write(RegistryFile &file, Opening &opening, ValueIds ids, const QString &what,
                          StoreReport &report) const
{
    QString why = opening.Blocked;
    if (why.isEmpty()) {
        // A key deleted or put aside meanwhile comes back whole, from what this copy knows.
        if (!opening.Document.HasKey(KeyPath)) {
            ids.clear();
            for (int i = 0; i < ValueCount; ++i)
                ids.push_back(ValueId(i));
        }
        for (const ValueId id : ids) {
            const QString name = QString::fromLatin1(ValueNames[id]);
            if (id == SWBmpPathValue)
                opening.Document.SetString(KeyPath, name, KnownSettings.SWBmpPath);
            else
                opening.Document.SetDword(KeyPath, name, IntValue(id));
        }
        if (file.Save(opening.Document, why))
            return;
    }
    report.Problems << WriteFailure(what, FilePath, why);
}

SettingsStore::ValueIds SettingsStore::ReadValues(const RegistryDocument &document, StoreReport &report)
{
    ValueIds mended;
    QStringList missing;
    QStringList mistyped;
    for (int i = 0; i < ValueCount; ++i) {
        const ValueId id = ValueId(i);
        const QString name = QString::fromLatin1(ValueNames[id]);
        const std::optional<RegistryValue> value = document.Value(KeyPath, name);
        if (id == SWBmpPathValue) {
            // No picture chosen yet is an ordinary state, not a fault.
            if (value && value->ValueKind == RegistryValue::Kind::String)
                KnownSettings.SWBmpPath = value->Text;
            else if (value)
                mistyped << name;
        } else if (!value) {
            missing << name;
            mended.push_back(id);
        } else if (value->ValueKind != RegistryValue::Kind::Dword) {
            // Left in the file as it is: the player may want to put it right by hand.
            mistyped << name;
        } else {
            SetIntValue(id, static_cast<std::int32_t>(value->Dword));
        }
    }
    if (missing.size() == 1)
        report.Problems << QStringLiteral("In %1 manca il valore %2: il gioco usa quello iniziale.")
                               .arg(FilePath, Quoted(missing));
    else if (!missing.isEmpty())
        report.Problems << QStringLiteral("In %1 mancano i valori %2: il gioco usa quelli iniziali.")
                               .arg(FilePath, Quoted(missing));
    if (mistyped.size() == 1)
        report.Problems << QStringLiteral("In %1 il valore %2 non è del tipo atteso: "
                                          "il gioco usa quello iniziale.")
                               .arg(FilePath, Quoted(mistyped));
    else if (!mistyped.isEmpty())
        report.Problems << QStringLiteral("In %1 i valori %2 non sono del tipo atteso: "
                                          "il gioco usa quelli iniziali.")
                               .arg(FilePath, Quoted(mistyped));

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

    std::sort(mended.begin(), mended.end());
    mended.erase(std::unique(mended.begin(), mended.end()), mended.end());
    return mended;
}

void SettingsStore::MendRange(ValueId id, std::int32_t low, std::int32_t high, ValueIds &mended,
                              StoreReport &report)
{
    const std::int32_t value = IntValue(id);
    const std::int32_t sound = std::clamp(value, low, high);
    if (sound == value)
        return;
    report.Problems << QStringLiteral("In %1 il valore \"%2\" è %3, fuori dall'intervallo da %4 a %5: "
                                      "il gioco usa %6.")
                           .arg(FilePath, QString::fromLatin1(ValueNames[id]), QString::number(value),
                                QString::number(low), QString::number(high), QString::number(sound));
    SetIntValue(id, sound);
    mended.push_back(id);
}

StoreReport SettingsStore::LoadSettings(GameSettings &settings, GameStatistics &statistics)
{
    StoreReport report;
    KnownSettings = GameSettings();
    KnownStatistics = GameStatistics();
    RegistryFile file(FilePath);
    Opening opening = Open(file, report);
    if (opening.Content == RegistryFile::Content::Unreadable) {
        // Never replaced: a file that cannot be read may still hold the statistics.
        report.Problems << QStringLiteral("Il file %1 non si può leggere (%2): il gioco usa i valori iniziali.")
                               .arg(FilePath, opening.ReadError);
    } else if (!opening.Document.HasKey(KeyPath)) {
        Write(file, opening, {}, QStringLiteral("i valori iniziali"), report);
    } else {
        // What was missing or out of range goes back into the file, so the
        // player is told only once.
        const ValueIds mended = ReadValues(opening.Document, report);
        if (!mended.empty()) {
            QStringList names;
            for (const ValueId id : mended)
                names << QString::fromLatin1(ValueNames[id]);
            Write(file, opening, mended, Quoted(names), report);
        }
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

StoreReport SettingsStore::Store(const ValueIds &ids) const
{
    StoreReport report;
    QStringList names;
    for (const ValueId id : ids)
        names << QString::fromLatin1(ValueNames[id]);
    RegistryFile file(FilePath);
    Opening opening = Open(file, report);
    Write(file, opening, ids, Quoted(names), report);
    return report;
}

StoreReport SettingsStore::SaveStatistics(const GameStatistics &statistics)
{
    KnownStatistics = statistics;
    return Store({GamesWonValue, GamesLostValue, StreakTypeValue, StreakWinsValue, StreakLossesValue});
}

StoreReport SettingsStore::StoreDisplayOptions(const GameSettings &settings)
{
    KnownSettings.TimeDisplay = settings.TimeDisplay;
    KnownSettings.TransferInfo = settings.TransferInfo;
    KnownSettings.TransferDetails = settings.TransferDetails;
    KnownSettings.ShowPicture = settings.ShowPicture;
    return Store({TimeDisplayValue, TransferInfoValue, TransferDetailsValue, ShowPictureValue});
}

StoreReport SettingsStore::StorePicturePath(const GameSettings &settings)
{
    if (!RegistryDocument::CanHoldString(settings.SWBmpPath)) {
        return {{WriteFailure(QStringLiteral("\"SWBmpPath\", \"ShowPicture\""), FilePath,
                              QStringLiteral("il percorso dell'immagine contiene un a capo"))}};
    }
    KnownSettings.SWBmpPath = settings.SWBmpPath;
    KnownSettings.ShowPicture = settings.ShowPicture;
    return Store({SWBmpPathValue, ShowPictureValue});
}

StoreReport SettingsStore::StoreSuitOrderAndSpacing(const GameSettings &settings, bool orderChanged,
                                                    bool spacingChanged)
{
    StoreReport report;
    if (orderChanged) {
        KnownSettings.PileSuit = settings.PileSuit;
        report.Problems << Store({PileSuit0Value, PileSuit1Value, PileSuit2Value, PileSuit3Value}).Problems;
    }
    if (spacingChanged) {
        KnownSettings.ColumnSpacing = settings.ColumnSpacing;
        report.Problems << Store({ColumnSpacingValue}).Problems;
    }
    return report;
}

StoreReport SettingsStore::StoreSpeed(const GameSettings &settings)
{
    KnownSettings.SpeedSlider = settings.SpeedSlider;
    return Store({SpeedSliderValue});
}

} // namespace quintara
