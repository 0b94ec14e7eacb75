#include "app/window/HelpForm.h"

#include <QFile>
#include <QGuiApplication>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "settings/HomeDirectory.h"

namespace trellan {

HelpForm::HelpForm(const QString& html, QWidget* parent) : QDialog(parent) {
    setObjectName("HelpForm");
    setWindowTitle(QStringLiteral("Справка Trellan"));
    setModal(false);
    setAttribute(Qt::WA_DeleteOnClose, false);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    Browser = new QTextBrowser(this);
    Browser->setObjectName("HelpText");
    Browser->setOpenExternalLinks(false);
    Browser->setHtml(html);
    layout->addWidget(Browser);
    const QScreen* screen = parent != nullptr ? parent->screen() : QGuiApplication::primaryScreen();
    const QRect available = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    resize(std::min(760, available.width() * 9 / 10), std::min(700, available.height() * 9 / 10));
}

std::string HelpFileName(const std::string& language) {
    const std::string code = HomeDirectory::LanguageCode(language);
    return "help." + (code.empty() ? std::string("ru") : code) + ".html";
}

QString HelpPage(const std::string& path, const std::string& home) {
    QFile file(QString::fromStdString(path));
    if (path.empty() || !file.open(QIODevice::ReadOnly)) {
        return QStringLiteral("<h1>Справка Trellan</h1><p>Страница справки не найдена%1.</p>"
                              "<p>Она ставится вместе с программой (help.ru.html рядом с ней или в "
                              "/usr/share/trellan).</p>")
            .arg(path.empty() ? QString() : QStringLiteral(": ") + QString::fromStdString(path).toHtmlEscaped());
    }
    QString page = QString::fromUtf8(file.readAll());
    page.replace(QStringLiteral("{home}"), QString::fromStdString(home).toHtmlEscaped());
    return page;
}

}  // namespace trellan
