#include "settings/Localisation.h"

#include <exception>

namespace trellan {

Localisation::Localisation(std::string path, const std::string& shippedPath)
    : ini_(IniFile::Load(path)), shipped_(shippedPath.empty() ? IniFile() : IniFile::Load(shippedPath)) {}

std::string Localisation::GetCaption(std::string_view section, std::string_view key, std::string_view defaultValue) {
    // A key that is there is only read: writing its value back unchanged
    // would rewrite the file at every look-up for nothing.
    if (std::optional<std::string> value = ini_.Find(section, key)) return std::move(*value);
    std::string text = shipped_.Find(section, key).value_or(std::string(defaultValue));
    ini_.WriteString(section, key, text);
    if (batchDepth_ == 0) ini_.SaveIfChanged();
    return text;
}

void Localisation::BeginBatch() {
    ++batchDepth_;
}

void Localisation::EndBatch() {
    if (batchDepth_ == 0) return;
    if (--batchDepth_ == 0) ini_.SaveIfChanged();
}

Localisation::Batch::Batch(Localisation& localisation)
    : localisation_(&localisation), uncaught_(std::uncaught_exceptions()) {
    localisation_->BeginBatch();
}

Localisation::Batch::~Batch() noexcept(false) {
    if (!localisation_) return;
    Localisation* localisation = localisation_;
    localisation_ = nullptr;
    if (std::uncaught_exceptions() > uncaught_) {
        try {
            localisation->EndBatch();
        } catch (...) {
            // The exception already on its way matters more.
        }
        return;
    }
    localisation->EndBatch();
}

void Localisation::Batch::Finish() {
    if (!localisation_) return;
    Localisation* localisation = localisation_;
    localisation_ = nullptr;
    localisation->EndBatch();
}

}  // namespace trellan
