#include "view/MapPanel.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <algorithm>
#include <climits>
#include <cmath>
#include <exception>
#include <optional>

#include "mapping/LevelBounds.h"
#include "view/MapZoom.h"
#include "view/QtText.h"
#include "view/RoomNames.h"

namespace trellan {

namespace {

// The corner the horizontal bar leaves free beside the vertical one.
constexpr int kCorner = 16;
// How long the new zoom stays written in the map's corner.
constexpr int kZoomNoteMs = 1200;

}  // namespace

MapPanel::MapPanel(World& world, ViewState& view, SkinSet& skins, const MainSettings& settings,
                   const MappingConfig& config, QWidget* parent)
    : QWidget(parent), world_(world), view_(view), skins_(skins), settings_(settings), config_(config) {
    auto* strip = new QWidget(this);
    auto* stripLayout = new QHBoxLayout(strip);
    stripLayout->setContentsMargins(0, 0, 0, 0);
    levelUp_ = new QToolButton(strip);
    levelUp_->setObjectName("tbLevelUp");
    levelUp_->setArrowType(Qt::UpArrow);
    levelUp_->setToolTip(QString::fromUtf8("На уровень вверх"));
    levelDown_ = new QToolButton(strip);
    levelDown_->setObjectName("tbLevelDown");
    levelDown_->setArrowType(Qt::DownArrow);
    levelDown_->setToolTip(QString::fromUtf8("На уровень вниз"));
    chooser_ = new QComboBox(strip);
    chooser_->setObjectName("cbSkins");
    chooser_->setToolTip(QString::fromUtf8("Шкура"));
    chooser_->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    stripLayout->addWidget(levelUp_);
    stripLayout->addWidget(levelDown_);
    stripLayout->addWidget(chooser_);
    stripLayout->addStretch();

    panel_ = new BitmapPanel(this);
    panel_->setObjectName("PanelMain");
    panel_->setMinimumSize(64, 64);
    horizontal_ = new QScrollBar(Qt::Horizontal, this);
    horizontal_->setObjectName("SB2Horizontal");
    vertical_ = new QScrollBar(Qt::Vertical, this);
    vertical_->setObjectName("SB2Vertical");

    auto* grid = new QGridLayout;
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    grid->addWidget(panel_, 0, 0);
    grid->addWidget(vertical_, 0, 1);
    grid->addWidget(horizontal_, 1, 0);
    grid->setColumnMinimumWidth(1, kCorner);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    layout->addWidget(strip);
    layout->addLayout(grid, 1);

    panel_->OnPaint = [this](QPainter& painter) { PaintSurface(painter); };
    panel_->OnResize = [this] { SurfaceResized(); };
    panel_->OnWheel = [this](QWheelEvent* event) { return Wheel(event); };
    zoomNote_ = new QTimer(this);
    zoomNote_->setSingleShot(true);
    zoomNote_->setInterval(kZoomNoteMs);
    connect(zoomNote_, &QTimer::timeout, panel_, [this] { panel_->update(); });
    connect(horizontal_, &QScrollBar::valueChanged, this, [this] { Scrolled(); });
    connect(vertical_, &QScrollBar::valueChanged, this, [this] { Scrolled(); });
    connect(levelUp_, &QToolButton::clicked, this, [this] { ChangeLevel(+1); });
    connect(levelDown_, &QToolButton::clicked, this, [this] { ChangeLevel(-1); });
    connect(chooser_, &QComboBox::activated, this, [this](int line) { SelectSkin(line); });

    view_.RepaintRequested = [this] { ViewRefreshed(); };
    skins_.ChooserRefilled = [this] { RefillChooser(); };
    RefillChooser();
    SyncBars();
}

int MapPanel::CellSize() const {
    return ZoomedCellSize(skins_.CellSize(), zoom_);
}

RoomPaintContext MapPanel::PaintContext() {
    const SkinAtSize skin = zoomedSkin_.For(skins_.Active(), skins_.IconPoint, skins_.FillPoint, CellSize());
    return RoomPaintContext{skin.Slot,    skin.IconPoint,           skin.FillPoint,
                            config_.Dark, config_.DirectionPhrases, view_.RoomOrigin()};
}

MapPaintOptions MapPanel::PaintOptions() const {
    return PaintOptionsOf(settings_);
}

void MapPanel::RenderMap() {
    const QSize size = panel_->size();
    if (mapBuffer_.size() != size) mapBuffer_ = QImage(size, QImage::Format_RGB32);
    if (mapBuffer_.isNull()) return;
    panel_->ImageIndex = settings_.PanelBitmap;
    // Painting looks rooms up only inside the bounds; recomputing them is
    // free while the zone has not changed since they were last computed.
    view_.RecomputeBounds();
    MapCanvas canvas(mapBuffer_);
    PaintMap(canvas, world_, view_.Bounds, PaintOptions(), PaintContext());
}

void MapPanel::PaintSurface(QPainter& painter) {
    RenderMap();
    painter.drawImage(0, 0, mapBuffer_);
    if (RoomNamesShown()) {
        DrawRoomNames(painter, world_, view_.Bounds, view_.RoomOrigin(), CellSize(), mapBuffer_.size(),
                      RoomNameStyle::Shown);
    }
    if (zoomNote_->isActive()) {
        const QString text = QString::number(zoom_) + QStringLiteral(" %");
        const QRect box = painter.fontMetrics().boundingRect(text).adjusted(-6, -3, 6, 3).translated(12, 24);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 0, 0, 170));
        painter.drawRoundedRect(box, 4, 4);
        painter.setPen(Qt::white);
        painter.drawText(box, Qt::AlignCenter, text);
    }
}

void MapPanel::ZoomWasChanged() {
    // The surface is repainted by the refresh that follows every change.
    zoomNote_->start();
    if (ZoomChanged) ZoomChanged();
}

void MapPanel::SetZoom(int percent) {
    ApplyZoom(percent, QPoint(panel_->width() / 2, panel_->height() / 2));
}

void MapPanel::StepZoom(int steps, QPoint anchor) {
    ApplyZoom(trellan::StepZoom(zoom_, steps), anchor);
}

void MapPanel::StepZoom(int steps) {
    StepZoom(steps, QPoint(panel_->width() / 2, panel_->height() / 2));
}

void MapPanel::ApplyZoom(int percent, QPoint anchor) {
    percent = ClampZoom(percent);
    if (percent == zoom_) return;
    const GridCell under = CellAt(anchor.x(), anchor.y());
    zoom_ = percent;
    ZoomWasChanged();
    // The anchor's cell comes back under the anchor, as near as whole
    // cells allow.
    const double s = CellSize();
    const auto offset = [s](int from, int extent) {
        return static_cast<std::int64_t>(std::nearbyint((from - extent / 2.0) / s));
    };
    const auto clamp = [](std::int64_t v) {
        return static_cast<std::int32_t>(std::clamp<std::int64_t>(v, INT32_MIN, INT32_MAX));
    };
    view_.DY = clamp(std::int64_t{under.Y} - offset(anchor.x(), panel_->width()));
    view_.DX = clamp(std::int64_t{under.X} - offset(anchor.y(), panel_->height()));
    view_.Refresh();
}

void MapPanel::FitLevel() {
    const std::optional<MapBounds> level = LevelBounds(world_, view_.DL);
    if (!level) return;
    const int columns = level->MaxY - level->MinY + 1;
    const int rows = level->MaxX - level->MinX + 1;
    const int fitted = FitZoom(columns, rows, panel_->width(), panel_->height(), skins_.CellSize());
    if (fitted != zoom_) {
        zoom_ = fitted;
        ZoomWasChanged();
    }
    view_.DY = level->MiddleY();
    view_.DX = level->MiddleX();
    view_.Refresh();
}

bool MapPanel::Wheel(QWheelEvent* event) {
    if (!(event->modifiers() & Qt::ControlModifier)) return false;
    const int notches = event->angleDelta().y() / 120;
    if (notches == 0) return true;
    StepZoom(notches, event->position().toPoint());
    return true;
}

void MapPanel::SetShowRoomNames(bool show) {
    if (show == showNames_) return;
    showNames_ = show;
    panel_->update();
}

bool MapPanel::RoomNamesShown() const {
    return showNames_ && zoom_ >= kNamesZoom;
}

void MapPanel::SkinChanged() {
    zoomedSkin_.Invalidate();
    panel_->update();
}

GridCell MapPanel::CellAt(int x, int y) const {
    const double s = CellSize();
    // nearbyint rounds halves to even in the default rounding mode.
    const double column = std::nearbyint(x / s - panel_->width() / (2 * s) + horizontal_->value());
    const double row = std::nearbyint(y / s - panel_->height() / (2 * s) + vertical_->value());
    auto clamp = [](double v) { return static_cast<std::int32_t>(std::clamp(v, -2147483648.0, 2147483647.0)); };
    return {clamp(row), clamp(column), view_.DL};
}

void MapPanel::SyncBars() {
    syncing_ = true;
    // The ranges are the zone's bounds, widened to the position so that the
    // bar never moves the view by clamping it.
    horizontal_->setRange(std::min(view_.Bounds.MinY, view_.DY), std::max(view_.Bounds.MaxY, view_.DY));
    vertical_->setRange(std::min(view_.Bounds.MinX, view_.DX), std::max(view_.Bounds.MaxX, view_.DX));
    horizontal_->setValue(view_.DY);
    vertical_->setValue(view_.DX);
    syncing_ = false;
    levelUp_->setEnabled(view_.LevelUpEnabled());
    levelDown_->setEnabled(view_.LevelDownEnabled());
}

void MapPanel::ViewRefreshed() {
    SyncBars();
    panel_->update();
}

void MapPanel::CenterOnCurrentRoom() {
    view_.CenterOnCurrentRoom();
}

void MapPanel::ShowCurrentRoom() {
    MudRoom* current = world_.CurrentRoom;
    if (current != nullptr) {
        const std::string zone = world_.ZoneOf(current);
        if (!zone.empty() && zone != world_.ShownZone()) {
            if (ShowZone) {
                ShowZone(zone);
            } else {
                world_.ClearZone();
                world_.CurrentZone = zone;
                world_.LoadZone();
            }
        }
    }
    view_.CenterOnCurrentRoom();
}

void MapPanel::Scrolled() {
    if (syncing_) return;
    view_.DY = horizontal_->value();
    view_.DX = vertical_->value();
    view_.Refresh();
}

void MapPanel::ChangeLevel(int delta) {
    view_.DL += delta;
    view_.Refresh();
}

void MapPanel::SurfaceResized() {
    view_.Refresh();
}

void MapPanel::SelectSkin(int line) {
    try {
        skins_.SelectSkin(line);
        zoomedSkin_.Invalidate();
    } catch (const std::exception& error) {
        if (ErrorReported) ErrorReported(error.what());
    }
    if (chooser_->currentIndex() != skins_.ChooserIndex()) chooser_->setCurrentIndex(skins_.ChooserIndex());
    panel_->update();
}

void MapPanel::RefillChooser() {
    chooser_->clear();
    for (const std::string& line : skins_.ChooserLines()) {
        chooser_->addItem(ToQt(line));
    }
    chooser_->setCurrentIndex(skins_.ChooserIndex());
}

}  // namespace trellan
