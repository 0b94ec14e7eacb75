#pragma once
// The pieces the configuration pages are built from; each takes the object
// name it is found and localised by. Texts are set by the localisation.
#include <QGridLayout>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QVBoxLayout;

namespace trellan {

// A group box with a grid inside, added to `into` when given.
QGroupBox* Group(const char* name, QLayout* into, QGridLayout*& grid);
QLabel* Label(const char* name);
QLineEdit* Edit(const char* name);
// A multi-line field; `lines` rows high at least.
QPlainTextEdit* Memo(const char* name, int lines);
QCheckBox* Check(const char* name);
// A label in column 0 and a field in column 1 (spanning `span` columns) of row `row`.
QLineEdit* Row(QGridLayout& grid, int row, const char* label, const char* edit, int span = 1);
// A page whose content runs top to bottom; the stretch at the end is added by Finish.
QWidget* Page(const char* name, QVBoxLayout*& column);
QWidget* Finish(QWidget* page, QVBoxLayout* column);

}  // namespace trellan
