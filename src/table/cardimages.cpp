#include "cardimages.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QImageReader>

#include <unistd.h>

#include "core/plainfile.h"

namespace quintara {

namespace {

QString BesideTheProgram(const QString &fileName)
{
    // applicationDirPath() follows /proc/self/exe, so a program reached
    // through a symlink still finds the module in its real folder.
    return QDir(QCoreApplication::applicationDirPath()).absoluteFilePath(fileName);
}

} // namespace

CardImageLibrary::CardImageLibrary(Shell &shell, const QString &fileName)
    : shell(shell), file(BesideTheProgram(fileName))
{
}

void CardImageLibrary::Load()
{
    if (Loaded() || failed || released)
        return;
    int error = 0;
    // A module replaced by a FIFO or a device would block a plain open for ever.
    const int fd = OpenPlainFile(file.fileName(), error);
    if (fd >= 0 && file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        if (const auto read = cardmodule::ReadTable(file)) {
            table = *read;
            shell.SetStatusText(1, QStringLiteral("Libreria usata: ZozAro2.DLL"));
            return;
        }
        file.close();
    } else if (fd >= 0) {
        ::close(fd);
    }
    shell.ShowNotice(QStringLiteral("Non riesco a caricare 'ZozAro2.DLL'."),
                     QStringLiteral(" Errore di caricamento della DLL"), NoticeIcon::Stop);
    failed = true;
    // Where the module was looked for: the program's own folder, whatever
    // the current one.
    shell.ShowNotice(QFileInfo(file.fileName()).absolutePath(), QStringLiteral("Directory attuale"),
                     NoticeIcon::None);
}

void CardImageLibrary::Release()
{
    released = true;
    decoded.fill(QImage());
    file.close();
}

QImage CardImageLibrary::Bitmap(int number, cardmodule::CardSize size, int scale)
{
    if (!Usable())
        return QImage();
    const cardmodule::Key key{number, size, scale};
    // A screen shows one detail at a time: moved to another screen, the
    // pictures of the former detail are let go.
    if (scale != decodedScale) {
        decoded.fill(QImage());
        decodedScale = scale;
    }
    QImage image;
    if (cardmodule::Listed(key)) {
        QImage &known = decoded[cardmodule::Slot(key)];
        if (known.isNull())
            known = Decode(key, table[cardmodule::Slot(key)]);
        image = known;
    }
    if (image.isNull()) {
        failed = true;
        decoded.fill(QImage());
        shell.ShowNotice(QStringLiteral("Errore di caricamento della DLL: numero di bitmap %1")
                             .arg(number),
                         QStringLiteral("ZozAro2.DLL"), NoticeIcon::Stop);
    }
    return image;
}

QImage CardImageLibrary::Decode(const cardmodule::Key &key, const cardmodule::Span &span)
{
    if (!file.seek(span.offset))
        return QImage();
    QByteArray bytes = file.read(span.length);
    if (bytes.size() != span.length || !bytes.startsWith("\x89PNG\r\n\x1a\n"))
        return QImage();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer, "png");
    // The size is known before a pixel is decoded: a picture of any other
    // size is refused without allocating room for it.
    const QSize expected = cardmodule::PictureSize(key);
    QImage image;
    if (reader.size() != expected || !reader.read(&image) || image.size() != expected)
        return QImage();
    image.setDevicePixelRatio(key.scale);
    return image;
}

} // namespace quintara
