#pragma once
// Small widgets of the configuration dialog: the map background preview,
// the room colour swatches, the texture samples and the digits-only fields.
#include <QPushButton>
#include <QWidget>
#include <cstdint>

class QComboBox;
class QLineEdit;

namespace trellan {

// Shows the map panel's background as the dialog would set it: the plain
// colour, or a built-in texture tiled over the whole area.
class ColorPreview final : public QWidget {
    Q_OBJECT

public:
    explicit ColorPreview(QWidget* parent = nullptr);

    // The stored form (0x00BBGGRR or a system colour), kept as it is so an
    // untouched colour is written back unchanged.
    void SetColorRef(std::uint32_t colorRef);
    std::uint32_t ColorRef() const { return colorRef_; }
    // A built-in texture number, or -1 for none (the plain colour).
    void SetTexture(int texture);
    int Texture() const { return texture_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t colorRef_ = 0x808080;
    int texture_ = -1;
};

// A button filled with a room colour.
class ColorSwatch final : public QPushButton {
    Q_OBJECT

public:
    explicit ColorSwatch(QWidget* parent = nullptr);

    void SetColorRef(std::uint32_t colorRef);
    std::uint32_t ColorRef() const { return colorRef_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    std::uint32_t colorRef_ = 0xC0C0C0;
};

// Fills the texture list: entry 0 the plain colour, entry i + 1 the built-in
// texture i, each drawn as a sample.
void FillTextureList(QComboBox& list, std::uint32_t colorRef);

// Keeps `edit` to at most `maxDigits` decimal digits: anything else typed or
// pasted is taken out at once, and the cursor stays where the user typed.
void AcceptDigitsOnly(QLineEdit& edit, int maxDigits);

}  // namespace trellan
