#pragma once
// Qt's own texts (the standard buttons "Да", "Отмена", the file dialogs, the
// context menus of text fields) in the interface language: Qt's translation
// files from the system (Debian's qt6-translations-l10n), installed on the
// application. Without them Qt's texts stay English and the rest works.
#include <QString>
#include <memory>
#include <string>

class QCoreApplication;
class QTranslator;

namespace trellan {

// The Qt translation's locale for an interface language: "ru" for "" and
// "ru", the code itself otherwise; empty for English, which needs none.
QString QtTranslationLocale(const std::string& language);

// Loads Qt's base translation for `language` from `directory` (Qt's
// translations path when empty) and installs it on `app`. Returns the
// translator, which must live as long as it is installed, or nullptr when
// there is none to install.
std::unique_ptr<QTranslator> InstallQtTranslations(QCoreApplication& app, const std::string& language,
                                                   const QString& directory = {});

}  // namespace trellan
