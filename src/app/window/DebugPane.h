#pragma once
// The debug pane: the debug log's lines as text, at most as many as the log
// keeps, scrolled to the last line while the pane is shown.
#include <QPlainTextEdit>
#include <string_view>

namespace trellan {

class DebugLog;

class DebugPane final : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit DebugPane(QWidget* parent = nullptr);
    ~DebugPane() override;

    // Shows the log's lines and follows it from now on, until Unbind() or
    // destruction. The log must outlive the binding.
    void Bind(DebugLog& log);
    void Unbind();

    // One log entry (Windows-1251; line breaks inside start further lines).
    void AppendEntry(std::string_view entry);

    // A strip of a few lines under the pages, not half the window.
    QSize sizeHint() const override;

private:
    DebugLog* log_ = nullptr;
};

}  // namespace trellan
