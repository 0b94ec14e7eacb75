#include "app/config/ConfigWidgets.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPainter>
#include <algorithm>

#include "view/BuiltinSkin.h"
#include "view/ColorRef.h"

namespace trellan {

namespace {

constexpr int kSampleWidth = 48;
constexpr int kSampleHeight = 20;

QIcon Sample(const QImage& texture, std::uint32_t colorRef) {
    QPixmap sample(kSampleWidth, kSampleHeight);
    QPainter painter(&sample);
    if (texture.isNull()) {
        painter.fillRect(sample.rect(), QColor::fromRgb(ColorRefToRgb(colorRef)));
    } else {
        painter.fillRect(sample.rect(), QBrush(texture));
    }
    painter.setPen(Qt::black);
    painter.drawRect(sample.rect().adjusted(0, 0, -1, -1));
    return QIcon(sample);
}

}  // namespace

ColorPreview::ColorPreview(QWidget* parent) : QWidget(parent) {
    setMinimumSize(64, 48);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void ColorPreview::SetColorRef(std::uint32_t colorRef) {
    colorRef_ = colorRef;
    update();
}

void ColorPreview::SetTexture(int texture) {
    texture_ = texture;
    update();
}

void ColorPreview::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QImage& texture = texture_ >= 0 ? BuiltinTexture(texture_) : QImage();
    if (texture_ >= 0 && !texture.isNull()) {
        painter.fillRect(rect(), QBrush(texture));
    } else {
        painter.fillRect(rect(), QColor::fromRgb(ColorRefToRgb(colorRef_)));
    }
    painter.setPen(palette().color(QPalette::Dark));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

ColorSwatch::ColorSwatch(QWidget* parent) : QPushButton(parent) {
    setFixedSize(40, 24);
}

void ColorSwatch::SetColorRef(std::uint32_t colorRef) {
    colorRef_ = colorRef;
    update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
    QPushButton::paintEvent(event);
    QPainter painter(this);
    const QRect inner = rect().adjusted(5, 5, -6, -6);
    painter.fillRect(inner, QColor::fromRgb(ColorRefToRgb(colorRef_)));
    painter.setPen(Qt::black);
    painter.drawRect(inner);
}

void FillTextureList(QComboBox& list, std::uint32_t colorRef) {
    const int selected = list.currentIndex();
    list.clear();
    list.setIconSize(QSize(kSampleWidth, kSampleHeight));
    list.addItem(Sample(QImage(), colorRef), QString());
    for (int i = 0; i < kBuiltinTextureCount; ++i) list.addItem(Sample(BuiltinTexture(i), colorRef), QString());
    if (selected >= 0 && selected < list.count()) list.setCurrentIndex(selected);
}

void AcceptDigitsOnly(QLineEdit& edit, int maxDigits) {
    // Filtered rather than limited by length, so that a pasted "1a2" keeps both digits.
    QObject::connect(&edit, &QLineEdit::textChanged, &edit, [&edit, maxDigits](const QString& text) {
        QString digits;
        int cursor = edit.cursorPosition();
        for (int i = 0; i < text.size(); ++i) {
            if (text[i] >= QLatin1Char('0') && text[i] <= QLatin1Char('9')) {
                digits += text[i];
            } else if (i < cursor) {
                --cursor;
            }
        }
        if (digits.size() > maxDigits) digits.truncate(maxDigits);
        cursor = std::min(cursor, static_cast<int>(digits.size()));
        if (digits == text) return;
        edit.setText(digits);
        edit.setCursorPosition(cursor);
    });
}

}  // namespace trellan
