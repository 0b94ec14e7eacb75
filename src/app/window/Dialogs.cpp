#include "app/window/Dialogs.h"

#include <QMessageBox>

#include "app/window/MainCaptions.h"
#include "text/Cp1251.h"

namespace trellan {

namespace {

QString ToQt(const std::string& text) {
    QString shown = QString::fromStdString(Cp1251ToUtf8(text));
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

void MessageBoxDialogs::Information(const std::string& text) {
    QMessageBox::information(parent_, ProgramName, ToQt(text));
}

void MessageBoxDialogs::Error(const std::string& text) {
    QMessageBox::critical(parent_, ProgramName, ToQt(text));
}

bool MessageBoxDialogs::Question(const std::string& text) {
    return QMessageBox::question(parent_, ProgramName, ToQt(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace trellan
