#pragma once
// The objects page in the main window: the tree and box bound to the base
// (ObjectsTreeView), find and replace (ObjectsFinder), the page's tool bar,
// the objects popup with its enabling rules, adding from a file, telling the
// group or clan, and the capture test that runs the debug pane's text
// through the tracker. The runtime must outlive it; the window too (the
// runner destroys this first).
#include <QObject>
#include <functional>
#include <memory>
#include <string>

namespace trellan {

class Dialogs;
class ObjectsFinder;
class ObjectsTreeView;
class TrellanForm;
class TrellanRuntime;

class ObjectsWiring final : public QObject {
    Q_OBJECT

public:
    // Call after the runtime started (the base shows its world at once).
    ObjectsWiring(TrellanForm& form, TrellanRuntime& runtime, Dialogs& dialogs);
    ~ObjectsWiring() override;

    ObjectsTreeView& View() { return *view_; }
    ObjectsFinder& Finder() { return *finder_; }

    // Where the errors of the page's commands go (the program-wide handler).
    std::function<void(const std::string& message)> ErrorReported;
    // The file to add nodes from (UTF-8 path), empty when the user cancels;
    // the file dialog unless replaced (tests).
    std::function<std::string()> ChooseFileToAdd;

    // The popup's items as the selection and the connection are now.
    void UpdatePopupItems();

    // The commands of the page.
    void SaveObjects();
    void DiscardObjects();
    void AddObjectsFromFile();
    // tbSave: the debug pane's text as if the MUD had sent it.
    void TestCapture();
    void Tell(bool clan);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ConnectCommands();
    // Runs a command; what it throws goes to ErrorReported.
    void Guarded(const std::function<void()>& command);
    std::string ChooseWithFileDialog();

    TrellanForm& form_;
    TrellanRuntime& runtime_;
    std::unique_ptr<ObjectsTreeView> view_;
    std::unique_ptr<ObjectsFinder> finder_;
};

}  // namespace trellan
