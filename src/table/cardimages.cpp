#include "cardimages.h"

#include <utility>

#include <dlfcn.h>

#include <QDir>

namespace quintara {

CardImageLibrary::CardImageLibrary(Shell &shell, QString fileName)
    : shell(shell), fileName(std::move(fileName))
{
}

CardImageLibrary::~CardImageLibrary()
{
    Release();
}

void CardImageLibrary::Load()
{
    if (module || failed || released)
        return;
    const QString currentDirectory = QDir::currentPath();

    // A plain file name goes through the ordinary library search, made on
    // behalf of the calling object: ours, whose RUNPATH names the program's
    // own folder. dlmopen into the program's namespace is dlopen without the
    // interposers that sanitizer runtimes put in front of dlopen, which would
    // make the search on their own behalf and miss that folder.
    module = dlmopen(LM_ID_BASE, fileName.toLocal8Bit().constData(), RTLD_NOW | RTLD_LOCAL);
    if (module) {
        bitmapFunction =
            reinterpret_cast<ZozaroBitmapFunction>(dlsym(module, ZOZARO_BITMAP_SYMBOL));
        shell.SetStatusText(1, QStringLiteral("Libreria usata: ZozAro2.DLL"));
        return;
    }
    shell.ShowNotice(QStringLiteral("Non riesco a caricare 'ZozAro2.DLL'."),
                     QStringLiteral(" Errore di caricamento della DLL"), NoticeIcon::Stop);
    failed = true;
    if (!currentDirectory.isEmpty())
        shell.ShowNotice(currentDirectory, QStringLiteral("Directory attuale"), NoticeIcon::None);
}

void CardImageLibrary::Release()
{
    released = true;
    for (QImage &image : decoded)
        image = QImage();
    bitmapFunction = nullptr;
    if (module) {
        dlclose(module);
        module = nullptr;
    }
}

QImage CardImageLibrary::Bitmap(int number)
{
    if (!Usable())
        return QImage();
    const bool known = number >= ZOZARO_FIRST_PICTURE && number <= ZOZARO_LAST_PICTURE;
    if (known && !decoded[number - ZOZARO_FIRST_PICTURE].isNull())
        return decoded[number - ZOZARO_FIRST_PICTURE];

    QImage image;
    const unsigned char *data = nullptr;
    int size = 0;
    if (bitmapFunction && bitmapFunction(number, &data, &size) && data && size > 0)
        image = QImage::fromData(data, size);
    if (image.isNull()) {
        failed = true;
        shell.ShowNotice(QStringLiteral("Errore di caricamento della DLL: numero di bitmap %1")
                             .arg(number),
                         QStringLiteral("ZozAro2.DLL"), NoticeIcon::Stop);
        return image;
    }
    if (known)
        decoded[number - ZOZARO_FIRST_PICTURE] = image;
    return image;
}

} // namespace quintara
