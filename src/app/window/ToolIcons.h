#pragma once
// The main window's tool and status icons, drawn in code so that they stay
// crisp at any scale and need no image files.
#include <QIcon>
#include <QPixmap>

namespace trellan {

enum class ToolIcon {
    SaveWorld,
    UndoMap,
    Config,
    Center,
    ShowTree,
    StayOnTop,
    Steps,        // walking mode: the map is only read
    StopTrace,
    LevelUp,
    LevelDown,
    TracingOff,   // status panel 0 while walking
    TracingOn,    // status panel 0 while tracing
    AutolinkOn,   // short mode off: rooms are looked up by name
    AutolinkOff,  // short mode on
    LevelBoth,    // status panel 3: levels above and below
    LevelAbove,
    LevelBelow,
    LevelNone,
    SaveObjects,
    Discard,
    Expand,
    Collapse,
    Search,
    Replace,
    TestCapture,
    ZoomFit,    // the whole level in the window
    RoomNames,  // names under the rooms
};

// A 16 x 16 picture (twice that on a high-density screen).
QPixmap ToolPixmap(ToolIcon icon, qreal devicePixelRatio = 1.0);
QIcon ToolIconSet(ToolIcon icon);

}  // namespace trellan
