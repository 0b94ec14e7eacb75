#include "app/config/ConfigPageParts.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace trellan {

QGroupBox* Group(const char* name, QLayout* into, QGridLayout*& grid) {
    auto* box = new QGroupBox;
    box->setObjectName(name);
    grid = new QGridLayout(box);
    grid->setContentsMargins(8, 6, 8, 8);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(4);
    if (into) into->addWidget(box);
    return box;
}

QLabel* Label(const char* name) {
    auto* label = new QLabel;
    label->setObjectName(name);
    return label;
}

QLineEdit* Edit(const char* name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QPlainTextEdit* Memo(const char* name, int lines) {
    auto* memo = new QPlainTextEdit;
    memo->setObjectName(name);
    memo->setLineWrapMode(QPlainTextEdit::NoWrap);
    memo->setTabChangesFocus(true);
    memo->setMinimumHeight(QFontMetrics(memo->font()).lineSpacing() * lines + 12);
    return memo;
}

QCheckBox* Check(const char* name) {
    auto* box = new QCheckBox;
    box->setObjectName(name);
    return box;
}

QLineEdit* Row(QGridLayout& grid, int row, const char* label, const char* edit, int span) {
    QLabel* caption = Label(label);
    QLineEdit* field = Edit(edit);
    caption->setBuddy(field);
    grid.addWidget(caption, row, 0);
    grid.addWidget(field, row, 1, 1, span);
    return field;
}

QWidget* Page(const char* name, QVBoxLayout*& column) {
    auto* page = new QWidget;
    page->setObjectName(name);
    column = new QVBoxLayout(page);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);
    return page;
}

QWidget* Finish(QWidget* page, QVBoxLayout* column) {
    column->addStretch(1);
    return page;
}

}  // namespace trellan
