#include "dialogs/italian.h"

#include <cstring>

#include <QCoreApplication>
#include <QLocale>

namespace quintara {

namespace {

struct Text {
    const char *source;
    const char *italian;
};

// The standard buttons of message boxes and button rows.
constexpr Text ButtonTexts[] = {
    {"OK", "OK"},
    {"Save", "Salva"},
    {"Save All", "Salva tutto"},
    {"Open", "Apri"},
    {"&Yes", "&Sì"},
    {"Yes to &All", "Sì a &tutto"},
    {"&No", "&No"},
    {"N&o to All", "N&o a tutto"},
    {"Abort", "Interrompi"},
    {"Retry", "Riprova"},
    {"Ignore", "Ignora"},
    {"Close", "Chiudi"},
    {"Cancel", "Annulla"},
    {"Discard", "Scarta"},
    {"Help", "Aiuto"},
    {"Apply", "Applica"},
    {"Reset", "Ripristina"},
    {"Restore Defaults", "Ripristina i valori predefiniti"},
};

// The context menus of the edit fields, the spin boxes and the read-only texts.
constexpr Text EditingTexts[] = {
    {"&Undo", "&Annulla"},
    {"&Redo", "&Ripeti"},
    {"Cu&t", "&Taglia"},
    {"&Copy", "&Copia"},
    {"Copy &Link Location", "Copia l'&indirizzo del collegamento"},
    {"&Paste", "I&ncolla"},
    {"Delete", "Elimina"},
    {"Select All", "Seleziona tutto"},
    {"&Select All", "&Seleziona tutto"},
    {"&Step up", "&Aumenta"},
    {"Step &down", "&Diminuisci"},
};

template <std::size_t N>
QString Find(const Text (&texts)[N], const char *source)
{
    for (const Text &t : texts) {
        if (std::strcmp(t.source, source) == 0)
            return QString::fromUtf8(t.italian);
    }
    return {};
}

bool IsOneOf(const char *context, std::initializer_list<const char *> names)
{
    for (const char *name : names) {
        if (std::strcmp(context, name) == 0)
            return true;
    }
    return false;
}

} // namespace

QString QtTextsInItalian::translate(const char *context, const char *sourceText, const char *, int) const
{
    if (!context || !sourceText)
        return {};
    if (std::strcmp(context, "QPlatformTheme") == 0)
        return Find(ButtonTexts, sourceText);
    if (IsOneOf(context, {"QLineEdit", "QWidgetTextControl", "QAbstractSpinBox"}))
        return Find(EditingTexts, sourceText);
    return {};
}

void SpeakItalian(QCoreApplication &app, const QString &qtTranslations)
{
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    QCoreApplication::installTranslator(new QtTextsInItalian(&app));
    auto *qtFile = new QTranslator(&app);
    if (qtFile->load(QLocale(QLocale::Italian), QStringLiteral("qtbase"), QStringLiteral("_"), qtTranslations))
        QCoreApplication::installTranslator(qtFile);
    else
        delete qtFile;
}

} // namespace quintara
