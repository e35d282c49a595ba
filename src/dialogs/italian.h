#pragma once
// Qt's own texts in Italian whatever the desktop's language: the buttons of
// the question boxes, the context menus of the edit fields, the names of the
// keys shown beside the menu items. Qt's translation file is taken when the
// machine has it; our own short list covers the rest when it has not.

#include <QString>
#include <QTranslator>

class QCoreApplication;

namespace quintara {

// The Qt texts that the game's windows can show, in Italian.
class QtTextsInItalian : public QTranslator {
public:
    using QTranslator::QTranslator;
    QString translate(const char *context, const char *sourceText, const char *disambiguation = nullptr,
                      int n = -1) const override;
    bool isEmpty() const override { return false; }
};

// Installs our list, then Qt's Italian file from `qtTranslations` over it if
// it is there (Qt asks the translator installed last first). Both belong to
// `app`. Also makes Italian the default locale.
void SpeakItalian(QCoreApplication &app, const QString &qtTranslations);

} // namespace quintara
