#include "app/window/DebugPane.h"

#include <QScrollBar>

#include "proxy/DebugLog.h"
#include "view/QtText.h"

namespace trellan {

DebugPane::DebugPane(QWidget* parent) : QPlainTextEdit(parent) {
    setObjectName("MemoDebug");
    setReadOnly(true);
    setLineWrapMode(QPlainTextEdit::NoWrap);
    setMaximumBlockCount(static_cast<int>(DebugLog::MaxLines));
    setUndoRedoEnabled(false);
    setFocusPolicy(Qt::ClickFocus);
}

DebugPane::~DebugPane() {
    Unbind();
}

QSize DebugPane::sizeHint() const {
    return QSize(QPlainTextEdit::sizeHint().width(), fontMetrics().lineSpacing() * 6 + 8);
}

void DebugPane::Bind(DebugLog& log) {
    Unbind();
    log_ = &log;
    QString text;
    for (const std::string& line : log.Lines()) {
        if (!text.isEmpty()) text += QLatin1Char('\n');
        text += ToQt(line);
    }
    setPlainText(text);
    log.OnLine = [this](std::string_view entry) { AppendEntry(entry); };
}

void DebugPane::Unbind() {
    if (!log_) return;
    log_->OnLine = nullptr;
    log_ = nullptr;
}

void DebugPane::AppendEntry(std::string_view entry) {
    QString text = ToQt(entry);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    appendPlainText(text);
    if (isVisible()) verticalScrollBar()->setValue(verticalScrollBar()->maximum());
}

}  // namespace trellan
