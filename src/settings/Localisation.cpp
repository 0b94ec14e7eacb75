#include "settings/Localisation.h"

#include <exception>

namespace trellan {

Localisation::Localisation(std::string path) : ini_(IniFile::Load(path)) {}

std::string Localisation::GetCaption(std::string_view section, std::string_view key, std::string_view defaultValue) {
    // A key that is there is only read: writing its value back unchanged
    // would rewrite the file at every look-up for nothing.
    if (std::optional<std::string> value = ini_.Find(section, key)) return std::move(*value);
    ini_.WriteString(section, key, defaultValue);
    if (batchDepth_ == 0) ini_.SaveIfChanged();
    return std::string(defaultValue);
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
