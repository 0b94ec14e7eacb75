#include "app/window/Transparency.h"

#include <QAction>
#include <QGuiApplication>
#include <QMenu>
#include <QSignalBlocker>
#include <QSlider>
#include <QWidget>
#include <algorithm>

#include "view/QtText.h"

namespace trellan {

int TransparencyAlpha(int position) {
    position = std::clamp(position, 0, Transparency::MaxPosition);
    // Integer arithmetic gives the exact product; cutting its fraction is what
    // the 2.55 factor did (90 * 2.55 = 229.5 gives 229, 67 * 2.55 = 170.85
    // gives 170, and 100 * 2.55 stays 255).
    return (100 - position) * 255 / 100;
}

bool WindowOpacityAvailable() {
    const QString platform = QGuiApplication::platformName();
    return platform == QLatin1String("xcb") || platform == QLatin1String("windows") ||
           platform == QLatin1String("cocoa");
}

int TransparencyBand(int position) {
    position = std::clamp(position, 0, Transparency::MaxPosition);
    return (position + 4) / 10 * 10;
}

Transparency::Transparency(QWidget& window, QSlider& slider, QMenu& menu, std::array<QAction*, ItemCount> items,
                           std::function<std::string()> caption, QObject* parent)
    : QObject(parent),
      window_(window),
      slider_(slider),
      menu_(menu),
      items_(items),
      caption_(std::move(caption)) {
    slider_.setRange(0, MaxPosition);
    slider_.setTickInterval(5);
    slider_.setSingleStep(1);
    slider_.setPageStep(10);
    connect(&slider_, &QSlider::valueChanged, this, [this](int) { Apply(); });
    for (QAction* item : items_) {
        item->setCheckable(true);
        connect(item, &QAction::triggered, this, [this, item] { OnMenuItem(item); });
    }
}

void Transparency::SetPosition(int position) {
    {
        const QSignalBlocker blocker(slider_);
        slider_.setValue(std::clamp(position, 0, MaxPosition));
    }
    Apply();
}

int Transparency::Position() const {
    return slider_.value();
}

void Transparency::OnMenuItem(QAction* item) {
    SetPosition(item->data().toInt());
}

void Transparency::Apply() {
    const int position = slider_.value();
    slider_.setToolTip(ToQt(caption_() + " " + std::to_string(position) + "%"));
    if (available_) {
        slider_.setEnabled(true);
        menu_.setEnabled(true);
        alpha_ = TransparencyAlpha(position);
        window_.setWindowOpacity(alpha_ / 255.0);
    } else {
        slider_.setEnabled(false);
        menu_.setEnabled(false);
        const QSignalBlocker blocker(slider_);
        slider_.setValue(0);
        alpha_ = 255;
        window_.setWindowOpacity(1.0);
    }
    const int band = TransparencyBand(slider_.value());
    for (QAction* item : items_) item->setChecked(item->data().toInt() == band);
}

}  // namespace trellan
