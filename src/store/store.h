#pragma once
// The settings and statistics store: the game's registry key, kept in a
// per-user file in the registry's export format. Each operation opens the
// key (creating it when it is missing), writes its values in a fixed order
// and closes it again; nothing stays open between operations.
//
// The store shows nothing itself. Every operation says what went wrong in
// its report, in Italian, for the main window to show under
// SettingsErrorCaption; the game goes on with the values it holds in memory.

#include <cstdint>
#include <optional>
#include <vector>

#include <QString>
#include <QStringList>

#include "core/settings.h"

namespace quintara {

class RegistryDocument;
struct RegistryValue;
class RegistryFile;

inline constexpr char SettingsErrorCaption[] = " Errore delle impostazioni";

struct [[nodiscard]] StoreReport {
    QStringList Problems;
    bool Ok() const { return Problems.isEmpty(); }
    QString Text() const { return Problems.join(u'\n'); }
};

class SettingsStore {
public:
    explicit SettingsStore(QString path = DefaultPath());
    // $XDG_CONFIG_HOME/quintara/registry.reg, ~/.config/... when it is not set.
    static QString DefaultPath();
    const QString &Path() const { return FilePath; }

    // Fills both records; on the first run writes all values with their
    // defaults. A value that is missing, of another kind or out of range is
    // replaced by a sound one and reported; loading always goes on.
    //
    // Nothing the file held is lost: a value that reads plainly as a number
    // is used whatever its kind; what cannot be read is kept in a copy beside
    // the file before the file is first written over, and the report says
    // where.
    StoreReport LoadSettings(GameSettings &settings, GameStatistics &statistics);
    // Stores the games this copy of the game finished since its last save
    // (as counted by RunWon and RunLost) on top of the statistics the file
    // holds now, so another running copy's games count too; the streak
    // follows the game that ended last. A record all zero is the player's
    // reset, and is stored as it is. `statistics` comes back with the totals
    // stored, also when the write failed; games not stored go with the next
    // save.
    StoreReport SaveStatistics(GameStatistics &statistics);
    StoreReport StoreDisplayOptions(const GameSettings &settings);
    // The picture's path, then ShowPicture.
    StoreReport StorePicturePath(const GameSettings &settings);
    // The suit order when it changed; the column spacing, in an opening of
    // its own, when that changed.
    StoreReport StoreSuitOrderAndSpacing(const GameSettings &settings, bool orderChanged,
                                         bool spacingChanged);
    StoreReport StoreSpeed(const GameSettings &settings);
    // "Cancella più mosse".
    StoreReport StoreUndoToDeal(const GameSettings &settings);

private:
    // The stored values, in the order they are read and first written.
    enum ValueId : int {
        OrigCardSizeValue, TimeDisplayValue, TransferInfoValue, TransferDetailsValue,
        ShowPictureValue, SpeedSliderValue, PileSuit0Value, PileSuit1Value, PileSuit2Value,
        PileSuit3Value, GamesWonValue, GamesLostValue, StreakTypeValue, StreakWinsValue,
        StreakLossesValue, ColumnSpacingValue, SWBmpPathValue, CardFollowsPointerValue, UndoToDealValue,
        LastCountedValue, ValueCount
    };
    using ValueIds = std::vector<ValueId>;
    struct Opening;

    std::int32_t IntValue(ValueId id) const;
    void SetIntValue(ValueId id, std::int32_t value);
    bool Traces(const RegistryDocument &document) const;
    Opening Open(RegistryFile &file, StoreReport &report) const;
    static bool Readable(ValueId id, const RegistryValue &value);
    // Values this game added to the key later: a file may lack them without
    // fault, and only the player's choice writes them, so a first file stays
    // the same for every build, older ones included.
    static bool AddedLater(int id);
    bool Write(RegistryFile &file, Opening &opening, ValueIds ids, const QString &what,
               StoreReport &report) const;
    bool Store(const ValueIds &ids, StoreReport &report) const;
    GameStatistics Merged(const RegistryDocument &document, const GameStatistics &statistics) const;
    // `outOfRange`: a count of the statistics read had to be set right.
    ValueIds ReadValues(const RegistryDocument &document, StoreReport &report, bool &outOfRange);
    // `instead`: the value used when it is out of range, the nearest bound by default.
    void MendRange(ValueId id, std::int32_t low, std::int32_t high, ValueIds &mended,
                   StoreReport &report, std::optional<std::int32_t> instead = {});

    QString FilePath;
    // What the key should hold as far as this copy of the game knows: the
    // values loaded, then each group as it is stored. A key that has gone
    // missing or had to be put aside is written again whole from these.
    GameSettings KnownSettings;
    GameStatistics KnownStatistics;
    // The run's counts as far as they are in the file: the games after them
    // are still to be stored.
    std::int32_t StoredRunWon = 0;
    std::int32_t StoredRunLost = 0;
    // A reset whose write failed: the next save starts from zero.
    bool ResetPending = false;
};

} // namespace quintara
