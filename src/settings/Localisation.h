#pragma once
// Every visible text is looked up in "language.ini" by section (the window)
// and key (the element or message name), with a built-in Russian default.
// A missing key is written to the file with its default, so the file fills
// itself with every text the program has shown, ready for translation; a
// value the user has changed wins from then on. For a language other than
// Russian the texts that come with the program (language.en.ini beside it)
// stand in for the missing keys, and are copied into the user's file the same
// way.
#include <string>
#include <string_view>

#include "settings/IniFile.h"

namespace trellan {

class Localisation {
public:
    // Reads the file now; a missing file is created at the first look-up.
    // `shippedPath`, when not empty, is read too (never written): its texts
    // come before the built-in defaults.
    explicit Localisation(std::string path, const std::string& shippedPath = {});

    const std::string& Path() const { return ini_.Path(); }

    // The text of the key, or `defaultValue` (Windows-1251) when the file has
    // none. Outside a batch the file is written as soon as a key was added;
    // throws FileWriteError when it cannot be.
    std::string GetCaption(std::string_view section, std::string_view key, std::string_view defaultValue);

    // Inside a batch (they nest) added keys are written once, when the
    // outermost batch ends; EndBatch throws FileWriteError when that fails.
    void BeginBatch();
    void EndBatch();

    // Ends the batch when it goes out of scope; during stack unwinding a
    // failed write is not thrown again. Call Finish() to see the error.
    class Batch {
    public:
        explicit Batch(Localisation& localisation);
        ~Batch() noexcept(false);
        Batch(const Batch&) = delete;
        Batch& operator=(const Batch&) = delete;
        void Finish();

    private:
        Localisation* localisation_;
        int uncaught_;
    };

private:
    IniFile ini_;
    IniFile shipped_;
    int batchDepth_ = 0;
};

}  // namespace trellan
