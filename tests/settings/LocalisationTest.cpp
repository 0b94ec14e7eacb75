#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "common/Errors.h"
#include "settings/Localisation.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan {
namespace {

using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

ino_t InodeOf(const std::string& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(Localisation, FileFillsItselfAndTheUsersTextWins) {
    TempDirectory dir;
    std::string path = dir / "language.ini";
    {
        Localisation texts(path);
        EXPECT_EQ(texts.GetCaption("MainForm", "nSaveWorld", W1251("Сохранить мир ...")), W1251("Сохранить мир ..."));
        EXPECT_EQ(ReadFile(path), W1251("[MainForm]\r\nnSaveWorld=Сохранить мир ...\r\n"));
        // Outer blanks of a default survive the trip through the file.
        EXPECT_EQ(texts.GetCaption("MainForm", "Suffix", " F3"), " F3");
    }
    EXPECT_EQ(Localisation(path).GetCaption("MainForm", "Suffix", "other"), " F3");

    WriteFile(path, W1251("[MainForm]\r\nnSaveWorld=Save world ...\r\n"));
    ino_t before = InodeOf(path);
    Localisation texts(path);
    EXPECT_EQ(texts.GetCaption("mainform", "NSAVEWORLD", W1251("Сохранить мир ...")), "Save world ...");
    EXPECT_EQ(InodeOf(path), before);  // nothing new, nothing written
}

TEST(Localisation, BatchWritesOnceAtTheEnd) {
    TempDirectory dir;
    std::string path = dir / "language.ini";
    Localisation texts(path);
    {
        Localisation::Batch batch(texts);
        for (int i = 0; i < 100; ++i) texts.GetCaption("ConfigForm", "Key" + std::to_string(i), "Text");
        EXPECT_FALSE(std::filesystem::exists(path));
        {
            Localisation::Batch inner(texts);
            texts.GetCaption("ConfigForm", "Inner", "Text");
        }
        EXPECT_FALSE(std::filesystem::exists(path));
    }
    std::string written = ReadFile(path);
    EXPECT_NE(written.find("Key0=Text\r\n"), std::string::npos);
    EXPECT_NE(written.find("Key99=Text\r\nInner=Text\r\n"), std::string::npos);
}

TEST(Localisation, UnwritableFileFailsAtTheFirstLookUpThatWrites) {
    TempDirectory dir;
    WriteFile(dir / "blocker", "a plain file");
    std::string path = dir / "blocker/language.ini";
    std::string message = "Unable to write to " + path;

    Localisation texts(path);
    try {
        texts.GetCaption("MainForm", "nFile", W1251("Файл"));
        FAIL() << "no error";
    } catch (const FileWriteError& e) {
        EXPECT_EQ(std::string(e.what()), message);
    }

    texts.BeginBatch();
    EXPECT_EQ(texts.GetCaption("MainForm", "nHelp", W1251("Справка")), W1251("Справка"));
    EXPECT_THROW(texts.EndBatch(), FileWriteError);

    auto scoped = [&] {
        Localisation::Batch batch(texts);
        texts.GetCaption("MainForm", "nExit", W1251("Выход"));
    };
    EXPECT_THROW(scoped(), FileWriteError);

    // Unwinding for another error does not turn into a second exception.
    auto failing = [&] {
        Localisation::Batch batch(texts);
        texts.GetCaption("MainForm", "nAbout", "About");
        throw std::runtime_error("first");
    };
    EXPECT_THROW(failing(), std::runtime_error);
}

}  // namespace
}  // namespace trellan
