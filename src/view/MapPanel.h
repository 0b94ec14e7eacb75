#pragma once
// The map panel: the map surface (PanelMain) with its two scroll bars, the
// level buttons and the skin chooser. It paints the shown zone into an
// off-screen buffer (MapBuffer) and copies it to the surface in one step;
// the scroll bars, level buttons and resizing move the view origin kept by
// the core's ViewState and refresh the view (Refresh).
//
// The panel installs itself as the view state's RepaintRequested hook and
// the skins' ChooserRefilled hook; the window keeps StatusRefreshRequested
// for the status bar and the skins' other hooks. It does not own
// the world, the view state, the skins, the settings or the mapping config;
// all must outlive it.
//
// The map zooms (Zoom, a percentage of the skin's tile size): the skin is
// scaled once per zoom (ZoomedSkin) and painted as at 100 %, every hit test
// and drag works in cells of CellSize(). From kNamesZoom on the panel can
// draw the rooms' names under them; a new zoom is written in the surface's
// corner for a moment. The level buttons and the chooser are children of the
// panel's own strip until the window moves them onto its tool bar.
#include <QImage>
#include <QWidget>
#include <cstdint>
#include <functional>
#include <string>

#include "mapping/MappingConfig.h"
#include "mapping/ViewState.h"
#include "model/World.h"
#include "settings/MainSettings.h"
#include "view/BitmapPanel.h"
#include "view/MapMouseHandler.h"
#include "view/MapPainter.h"
#include "view/SkinSet.h"
#include "view/ZoomedSkin.h"

class QComboBox;
class QScrollBar;
class QToolButton;
class QTimer;
class QWheelEvent;

namespace trellan {

// A grid cell of the viewed level.
struct GridCell {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    std::int32_t L = 0;
    bool operator==(const GridCell&) const = default;
};

class MapPanel : public QWidget {
    Q_OBJECT

public:
    MapPanel(World& world, ViewState& view, SkinSet& skins, const MainSettings& settings, const MappingConfig& config,
             QWidget* parent = nullptr);

    BitmapPanel* PanelMain() const { return panel_; }
    QScrollBar* HorizontalBar() const { return horizontal_; }
    QScrollBar* VerticalBar() const { return vertical_; }
    QToolButton* LevelUpButton() const { return levelUp_; }
    QToolButton* LevelDownButton() const { return levelDown_; }
    QComboBox* SkinChooser() const { return chooser_; }
    // The cell size of the map: the active skin's tile size at the zoom.
    int CellSize() const;

    // The zoom in percent, kMinZoom to kMaxZoom.
    int Zoom() const { return zoom_; }
    // Sets the zoom (clamped into its range) keeping the view's centre.
    void SetZoom(int percent);
    // `steps` steps along the zoom ladder, keeping the cell under the
    // surface point `anchor` under it.
    void StepZoom(int steps, QPoint anchor);
    void StepZoom(int steps);
    // The zoom and centre that show the viewed level of the zone whole.
    void FitLevel();
    // Ctrl+wheel zooms around the pointer; true when the event was used.
    bool Wheel(QWheelEvent* event);

    // The names under the rooms: the option, and whether the zoom lets it
    // show them now.
    bool ShowRoomNames() const { return showNames_; }
    void SetShowRoomNames(bool show);
    bool RoomNamesShown() const;
    // After the skin in the active slot was loaded again.
    void SkinChanged();

    // Mouse events of the map surface go here (not owned; may be null).
    void SetMouseHandler(MapMouseHandler* handler) { panel_->MouseHandler = handler; }

    // The painting context at the zoom: the skin scaled to CellSize().
    RoomPaintContext PaintContext();
    MapPaintOptions PaintOptions() const;
    // Paints the map into MapBuffer, resized to the surface first.
    void RenderMap();
    const QImage& MapBuffer() const { return mapBuffer_; }

    // The cell under a surface point: the view centre's cell at the middle,
    // halves rounded to even; the level is the one shown.
    GridCell CellAt(int x, int y) const;

    // Scroll bars and level buttons follow the view state, the surface is
    // repainted. The view state calls it after every refresh.
    void ViewRefreshed();

    // Centres on the current room (or the middle of the zone).
    void CenterOnCurrentRoom();
    // Shows the current room's zone first when another zone is shown, then
    // centres (F8).
    void ShowCurrentRoom();
    // The user scrolled.
    void Scrolled();
    // The level buttons: +1 up, -1 down.
    void ChangeLevel(int delta);
    void SurfaceResized();
    // The chooser's line was picked.
    void SelectSkin(int line);
    // Re-reads the chooser lines from the skins (after LoadSkin of line 0).
    void RefillChooser();

    // Shows another zone for ShowCurrentRoom; when empty the panel clears the
    // shown zone, sets CurrentZone and loads it itself.
    std::function<void(const std::string& zone)> ShowZone;
    // Every change of the zoom (a step, a fit, the wheel, SetZoom).
    std::function<void()> ZoomChanged;
    // Errors of skin loading started from the chooser (the event loop must
    // not see exceptions); the window passes them to the error handler.
    std::function<void(const std::string& message)> ErrorReported;

private:
    void SyncBars();
    void PaintSurface(QPainter& painter);
    void ApplyZoom(int percent, QPoint anchor);
    // Writes the new zoom in the corner for a moment, tells ZoomChanged.
    void ZoomWasChanged();

    World& world_;
    ViewState& view_;
    SkinSet& skins_;
    const MainSettings& settings_;
    const MappingConfig& config_;
    BitmapPanel* panel_;
    QScrollBar* horizontal_;
    QScrollBar* vertical_;
    QToolButton* levelUp_;
    QToolButton* levelDown_;
    QComboBox* chooser_;
    QImage mapBuffer_;
    bool syncing_ = false;
    int zoom_ = 100;
    QTimer* zoomNote_;
    bool showNames_ = false;
    ZoomedSkin zoomedSkin_;
};

}  // namespace trellan
