#pragma once
// The Edit menu's undo and redo items: their texts name the step they would
// take ("Отменить: удаление поля"), they are disabled when there is none, and
// Ctrl+Z, Ctrl+Y and Ctrl+Shift+Z run them. A text field that has the focus
// keeps those keys for its own undo (Qt offers them to it first).
#include <functional>

namespace trellan {

class MainMenu;
class TrellanRuntime;

class UndoMenu {
public:
    // `menu` and `runtime` must outlive this object. `refreshed` is called
    // after a step was taken back or done again (tree, caption, status).
    UndoMenu(MainMenu& menu, TrellanRuntime& runtime, std::function<void()> refreshed);

    // Brings the items' texts and enabling up to date.
    void Update();

private:
    void Run(bool redo);

    MainMenu& menu_;
    TrellanRuntime& runtime_;
    std::function<void()> refreshed_;
};

}  // namespace trellan
