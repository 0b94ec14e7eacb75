#pragma once
// The help window: the page shipped with the program (help.<language>.html
// beside it or in its data directory, the Russian page when there is none
// for the language), with the home directory filled in where the page says
// {home}. Not modal: the player reads it while playing.
#include <QDialog>
#include <QString>
#include <string>

class QTextBrowser;

namespace trellan {

class HelpForm final : public QDialog {
    Q_OBJECT

public:
    explicit HelpForm(const QString& html, QWidget* parent = nullptr);

    QTextBrowser* Browser = nullptr;
};

// The help page's file name for an interface language ("" and "ru" give
// help.ru.html).
std::string HelpFileName(const std::string& language);

// The page's text from `path` (UTF-8 HTML), {home} replaced by `home`; when
// the file cannot be read, a short page that says which file is missing.
QString HelpPage(const std::string& path, const std::string& home);

}  // namespace trellan
