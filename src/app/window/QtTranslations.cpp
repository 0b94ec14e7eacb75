#include "app/window/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "settings/HomeDirectory.h"

namespace trellan {

QString QtTranslationLocale(const std::string& language) {
    const QString code = QString::fromStdString(HomeDirectory::LanguageCode(language));
    if (code.isEmpty()) return QStringLiteral("ru");
    if (code == QStringLiteral("en") || code.startsWith(QStringLiteral("en_"))) return {};
    return code;
}

std::unique_ptr<QTranslator> InstallQtTranslations(QCoreApplication& app, const std::string& language,
                                                   const QString& directory) {
    const QString locale = QtTranslationLocale(language);
    if (locale.isEmpty()) return nullptr;
    const QString where = directory.isEmpty() ? QLibraryInfo::path(QLibraryInfo::TranslationsPath) : directory;
    auto translator = std::make_unique<QTranslator>();
    // qtbase_ru.qm holds the widgets' and dialogs' texts.
    if (!translator->load(QStringLiteral("qtbase_") + locale, where)) return nullptr;
    if (!app.installTranslator(translator.get())) return nullptr;
    return translator;
}

}  // namespace trellan
