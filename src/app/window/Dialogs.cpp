#include "app/window/Dialogs.h"

#include <QMessageBox>

#include "app/window/MainCaptions.h"
#include "view/QtText.h"

namespace trellan {

namespace {

// Messages keep CR LF between lines; Qt shows LF.
QString MessageText(const std::string& text) {
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return shown;
}

}  // namespace

void MessageBoxDialogs::Information(const std::string& text) {
    QMessageBox::information(parent_, ProgramName, MessageText(text));
}

void MessageBoxDialogs::Error(const std::string& text) {
    QMessageBox::critical(parent_, ProgramName, MessageText(text));
}

bool MessageBoxDialogs::Question(const std::string& text) {
    return QMessageBox::question(parent_, ProgramName, MessageText(text), QMessageBox::Yes | QMessageBox::No) ==
           QMessageBox::Yes;
}

}  // namespace trellan
