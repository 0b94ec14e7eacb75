#pragma once
// The status bar's six panels, drawn by the program so that their widths
// and the positions the mouse is tested against are exact:
//   0 (96)  tracing icon and text      3 (70)  "Level: n" and the level icon
//   1 (50)  the accepted MCCP version  4 (50)  "#" and the room number
//   2 (42)  the compression rate       5 (rest) the room name
// Panel 0 widens once its text needs more room (a font larger than the one
// the widths were made for), and the panels after it move along.
// Pressing the mouse over panels 1 and 2 shows the compression hint until
// the button is released. Texts are Windows-1251.
#include <QWidget>
#include <array>
#include <functional>
#include <string>

class QLabel;

namespace trellan {

class StatusPanels final : public QWidget {
    Q_OBJECT

public:
    static constexpr int PanelCount = 6;
    // The widths, panel 0's the least it has.
    static constexpr std::array<int, PanelCount - 1> Widths = {96, 50, 42, 70, 50};

    explicit StatusPanels(QWidget* parent = nullptr);
    ~StatusPanels() override;

    void SetText(int panel, const std::string& text);
    std::string Text(int panel) const;

    void SetTracing(bool tracing);
    bool Tracing() const { return tracing_; }

    // Panel 3: the level shown and whether there are levels above and below.
    void SetLevel(int level, bool levelsAbove, bool levelsBelow);

    // The hint's text at the moment of the press (Windows-1251).
    std::function<std::string()> CompressionHint;

    // The width and left edge of a panel in this widget's coordinates.
    int PanelWidth(int panel) const;
    int PanelLeft(int panel) const;
    // Panels 1 and 2: strictly between 98 and 187 while panel 0 has its
    // least width.
    bool OverCompression(int x) const { return x > 98 + Widened() && x < 187 + Widened(); }
    // The level icon of panel 3.
    bool OverLevelIcon(int x) const { return x >= 244 + Widened() && x <= 252 + Widened(); }

    // The hint window while it is shown, else nullptr (for tests).
    QWidget* Hint() const;

signals:
    // A click whose press was on the level icon; `upper` when the press was
    // in its upper half (y below 11).
    void LevelIconClicked(bool upper);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    QSize sizeHint() const override;

private:
    void ShowHint(const QPoint& globalPos);
    // How far panel 0 is wider than its least width.
    int Widened() const { return firstWidth_ - Widths[0]; }
    void FitFirstPanel();
    void HideHint();

    std::array<std::string, PanelCount> texts_;
    bool tracing_ = false;
    int level_ = 0;
    bool levelsAbove_ = false;
    bool levelsBelow_ = false;
    QLabel* hint_ = nullptr;
    QPoint pressPos_{-1, -1};
    int firstWidth_ = Widths[0];
};

}  // namespace trellan
