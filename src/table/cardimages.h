#pragma once
// The card-image module zozaro2.dll: opening it once, handing out its
// pictures by number, releasing it when the program ends. The module is a
// data file read with bounds checks (cards/moduleformat.h), never code that
// runs. Every failure is told to the player once; from then on the table is
// drawn without cards.

#include <array>

#include <QFile>
#include <QImage>
#include <QString>

#include "core/shell.h"
#include "moduleformat.h"

namespace quintara {

inline constexpr char CardLibraryFile[] = "zozaro2.dll";

class CardImageLibrary {
public:
    // A relative `fileName` names a file in the program's own folder: never
    // one found in the current folder or on a search path.
    explicit CardImageLibrary(Shell &shell,
                              const QString &fileName = QString::fromLatin1(CardLibraryFile));
    CardImageLibrary(const CardImageLibrary &) = delete;
    CardImageLibrary &operator=(const CardImageLibrary &) = delete;

    // Opens the module unless it is open, has failed or has been released.
    void Load();
    // Closes the module for good; nothing is drawn with it afterwards.
    void Release();

    bool Loaded() const { return file.isOpen(); }
    bool LibraryFailed() const { return failed; }
    // Whether DrawCard may draw at all.
    bool Usable() const { return Loaded() && !failed; }

    // Picture `number` in the given size and detail, its device pixel ratio
    // set to the scale. A picture the module does not yield as it should is
    // reported and marks the library failed; the result is then null.
    QImage Bitmap(int number, cardmodule::CardSize size = cardmodule::CardSize::Normal,
                  int scale = 1);

private:
    QImage Decode(const cardmodule::Key &key, const cardmodule::Span &span);

    Shell &shell;
    QFile file;
    cardmodule::Table table{};
    bool failed = false;
    bool released = false;
    // Decoded on first use only: the pictures never change while the module
    // is open.
    std::array<QImage, cardmodule::SlotCount> decoded;
    int decodedScale = 1;
};

} // namespace quintara
