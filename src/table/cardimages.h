#pragma once
// The card-image module zozaro2.dll: loading it once, handing out its
// pictures by number, releasing it when the program ends. Every failure is
// told to the player once; from then on the table is drawn without cards.

#include <array>

#include <QImage>
#include <QString>

#include "cards/zozaro.h"
#include "core/shell.h"

namespace quintara {

inline constexpr char CardLibraryFile[] = "zozaro2.dll";

class CardImageLibrary {
public:
    explicit CardImageLibrary(Shell &shell,
                              QString fileName = QString::fromLatin1(CardLibraryFile));
    ~CardImageLibrary();
    CardImageLibrary(const CardImageLibrary &) = delete;
    CardImageLibrary &operator=(const CardImageLibrary &) = delete;

    // Loads the module unless it is loaded, has failed or has been released.
    void Load();
    // Unloads the module for good; nothing is drawn with it afterwards.
    void Release();

    bool Loaded() const { return module != nullptr; }
    bool LibraryFailed() const { return failed; }
    // Whether DrawCard may draw at all.
    bool Usable() const { return module != nullptr && !failed; }

    // Picture `number` of the module. A picture the module does not yield is
    // reported and marks the library failed; the result is then null.
    QImage Bitmap(int number);

private:
    Shell &shell;
    QString fileName;
    void *module = nullptr;
    ZozaroBitmapFunction bitmapFunction = nullptr;
    bool failed = false;
    bool released = false;
    // Decoded once, by number from 1: the pictures never change while the
    // module is loaded.
    std::array<QImage, ZOZARO_LAST_PICTURE> decoded;
};

} // namespace quintara
