#pragma once
// The settings and statistics store: the game's registry key, kept in a
// per-user file in the registry's export format. Each operation opens the
// key (creating it when it is missing), writes its values in a fixed order
// and closes it again; nothing stays open between operations.
//
// The store shows nothing itself. Every operation says what went wrong in
// its report, in Italian, for the main window to show under
// SettingsErrorCaption; the game goes on with the values it holds in memory.

#include <vector>

#include <QString>
#include <QStringList>

#include "core/settings.h"

namespace quintara {

class RegistryDocument;
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
    StoreReport LoadSettings(GameSettings &settings, GameStatistics &statistics);
    StoreReport SaveStatistics(const GameStatistics &statistics);
    StoreReport StoreDisplayOptions(const GameSettings &settings);
    // The picture's path, then ShowPicture.
    StoreReport StorePicturePath(const GameSettings &settings);
    // The suit order when it changed; the column spacing, in an opening of
    // its own, when that changed.
    StoreReport StoreSuitOrderAndSpacing(const GameSettings &settings, bool orderChanged,
                                         bool spacingChanged);
    StoreReport StoreSpeed(const GameSettings &settings);

private:
    // The stored values, in the order they are read and first written.
    enum ValueId : int {
        OrigCardSizeValue, TimeDisplayValue, TransferInfoValue, TransferDetailsValue,
        ShowPictureValue, SpeedSliderValue, PileSuit0Value, PileSuit1Value, PileSuit2Value,
        PileSuit3Value, GamesWonValue, GamesLostValue, StreakTypeValue, StreakWinsValue,
        StreakLossesValue, ColumnSpacingValue, SWBmpPathValue, ValueCount
    };
    using ValueIds = std::vector<ValueId>;
    struct Opening;

    std::int32_t IntValue(ValueId id) const;
    void SetIntValue(ValueId id, std::int32_t value);
    Opening Open(RegistryFile &file, StoreReport &report) const;
    void Write(RegistryFile &file, Opening &opening, ValueIds ids, const QString &what,
               StoreReport &report) const;
    StoreReport Store(const ValueIds &ids) const;
    ValueIds ReadValues(const RegistryDocument &document, StoreReport &report);
    void MendRange(ValueId id, std::int32_t low, std::int32_t high, ValueIds &mended,
                   StoreReport &report);

    QString FilePath;
    // What the key should hold as far as this copy of the game knows: the
    // values loaded, then each group as it is stored. A key that has gone
    // missing or had to be put aside is written again whole from these.
    GameSettings KnownSettings;
    GameStatistics KnownStatistics;
};

} // namespace quintara
