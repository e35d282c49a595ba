#include "support/screen.h"

#include <QFile>
#include <QString>
#include <QTemporaryDir>

namespace quintara::test {

bool UseOffscreenScreen(const QTemporaryDir &dir, int width, int height, double scale)
{
    const QString config = dir.filePath(QStringLiteral("screen.json"));
    QFile file(config);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(QStringLiteral(R"({"screens":[{"name":"s","x":0,"y":0,"width":%1,"height":%2,)"
                              R"("logicalDpiX":96,"logicalDpiY":96,"dpr":%3}]})")
                   .arg(width)
                   .arg(height)
                   .arg(scale)
                   .toUtf8());
    file.close();
    qputenv("QT_QPA_PLATFORM", ("offscreen:configfile=" + config).toLocal8Bit());
    return true;
}

} // namespace quintara::test
