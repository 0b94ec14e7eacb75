#include "app/window/StatusPanels.h"

#include <qdrawutil.h>

#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <algorithm>

#include "app/window/ToolIcons.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

constexpr int HintMaxWidth = 600;

}  // namespace

StatusPanels::StatusPanels(QWidget* parent) : QWidget(parent) {
    setObjectName("StatusBar1");
    texts_[0] = Utf8ToCp1251("Прогулка");
    texts_[1] = "none";
    texts_[2] = "----";
    setMouseTracking(false);
}

StatusPanels::~StatusPanels() {
    HideHint();
}

int StatusPanels::PanelWidth(int panel) const {
    if (panel == 0) return firstWidth_;
    if (panel < PanelCount - 1) return Widths[static_cast<std::size_t>(panel)];
    return std::max(0, width() - PanelLeft(panel));
}

int StatusPanels::PanelLeft(int panel) const {
    int left = 0;
    for (int i = 0; i < panel && i < PanelCount - 1; ++i) left += PanelWidth(i);
    return left;
}

void StatusPanels::SetText(int panel, const std::string& text) {
    if (panel < 0 || panel >= PanelCount || texts_[static_cast<std::size_t>(panel)] == text) return;
    texts_[static_cast<std::size_t>(panel)] = text;
    if (panel == 0) FitFirstPanel();
    update();
}

void StatusPanels::FitFirstPanel() {
    // The text starts 20 pixels in and keeps 4 from the panel's right edge.
    // The panel never narrows again, so the others do not jump about as
    // tracing goes on and off.
    const int needed = fontMetrics().horizontalAdvance(ToQt(texts_[0])) + 24;
    if (needed <= firstWidth_) return;
    firstWidth_ = needed;
    updateGeometry();
}

std::string StatusPanels::Text(int panel) const {
    if (panel < 0 || panel >= PanelCount) return {};
    return texts_[static_cast<std::size_t>(panel)];
}

void StatusPanels::SetTracing(bool tracing) {
    if (tracing_ == tracing) return;
    tracing_ = tracing;
    update();
}

void StatusPanels::SetLevel(int level, bool levelsAbove, bool levelsBelow) {
    level_ = level;
    levelsAbove_ = levelsAbove;
    levelsBelow_ = levelsBelow;
    update();
}

QSize StatusPanels::sizeHint() const {
    return QSize(PanelLeft(PanelCount - 1) + 150, std::max(18, fontMetrics().height() + 4));
}

void StatusPanels::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int h = height();
    const QFontMetrics metrics = fontMetrics();
    for (int panel = 0; panel < PanelCount; ++panel) {
        const int left = PanelLeft(panel);
        const int width = PanelWidth(panel);
        const QRect frame(left, 0, width - 2, h);
        qDrawShadePanel(&p, frame, palette(), true, 1);
        const QRect inside = frame.adjusted(3, 1, -3, -1);
        const QString text = ToQt(texts_[static_cast<std::size_t>(panel)]);
        p.setPen(palette().color(QPalette::WindowText));
        switch (panel) {
            case 0: {
                const int iconTop = (h - 16) / 2;
                p.drawPixmap(left + 2, iconTop,
                             ToolPixmap(tracing_ ? ToolIcon::TracingOn : ToolIcon::TracingOff, devicePixelRatioF()));
                p.drawText(QRect(left + 20, 0, width - 22, h), Qt::AlignVCenter | Qt::AlignLeft,
                           metrics.elidedText(text, Qt::ElideRight, width - 24));
                break;
            }
            case 3: {
                const QString levelText = QStringLiteral("Level: %1").arg(level_);
                p.drawText(QRect(left + 25 - 30, 0, 60, h), Qt::AlignCenter, levelText);
                ToolIcon icon = ToolIcon::LevelNone;
                if (levelsAbove_ && levelsBelow_) {
                    icon = ToolIcon::LevelBoth;
                } else if (levelsAbove_) {
                    icon = ToolIcon::LevelAbove;
                } else if (levelsBelow_) {
                    icon = ToolIcon::LevelBelow;
                }
                p.drawPixmap(left + 52, (h - 16) / 2, ToolPixmap(icon, devicePixelRatioF()));
                break;
            }
            case 1:
            case 2:
            case 4:
                p.drawText(inside, Qt::AlignCenter, metrics.elidedText(text, Qt::ElideRight, inside.width()));
                break;
            default:
                p.drawText(inside, Qt::AlignVCenter | Qt::AlignLeft,
                           metrics.elidedText(text, Qt::ElideRight, inside.width()));
                break;
        }
    }
}

void StatusPanels::mousePressEvent(QMouseEvent* event) {
    pressPos_ = event->position().toPoint();
    if (OverCompression(pressPos_.x())) ShowHint(event->globalPosition().toPoint());
    QWidget::mousePressEvent(event);
}

void StatusPanels::mouseReleaseEvent(QMouseEvent* event) {
    HideHint();
    const QPoint press = pressPos_;
    pressPos_ = QPoint(-1, -1);
    if (OverLevelIcon(press.x())) emit LevelIconClicked(press.y() < 11);
    QWidget::mouseReleaseEvent(event);
}

void StatusPanels::ShowHint(const QPoint& globalPos) {
    HideHint();
    const std::string text = CompressionHint ? CompressionHint() : std::string("Compression disabled");
    QString shown = ToQt(text);
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    hint_ = new QLabel(shown, this, Qt::ToolTip);
    hint_->setObjectName("CompressionHint");
    hint_->setMargin(3);
    hint_->setWordWrap(true);
    hint_->setMaximumWidth(HintMaxWidth);
    hint_->setAutoFillBackground(true);
    hint_->setPalette(QPalette(QColor(255, 255, 225)));
    hint_->adjustSize();
    // Left edge at the pointer, bottom edge ten pixels above it.
    hint_->move(globalPos.x(), globalPos.y() - 10 - hint_->height());
    hint_->show();
}

void StatusPanels::HideHint() {
    if (!hint_) return;
    hint_->hide();
    hint_->deleteLater();
    hint_ = nullptr;
}

QWidget* StatusPanels::Hint() const {
    return hint_;
}

}  // namespace trellan
