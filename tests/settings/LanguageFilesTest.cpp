// The English interface file that comes with the program against the
// Russian defaults in the sources: every text looked up with a Russian
// default must have an English text in the same section, so that an English
// interface shows no Russian caption. A key added to the sources without its
// English text fails here.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <sstream>

#include "settings/HomeDirectory.h"
#include "settings/IniFile.h"
#include "settings/Localisation.h"
#include "settings/MainSettings.h"
#include "support/TempDirectory.h"
#include "text/W1251.h"

namespace trellan {
namespace {

namespace fs = std::filesystem;
using testing::ReadFile;
using testing::TempDirectory;
using testing::WriteFile;

const std::string kSourceDir = TRELLAN_SOURCE_DIR;
const std::string kEnglishFile = kSourceDir + "/packaging/language.en.ini";

struct Token {
    enum Kind { Literal, Name, Punct } kind;
    std::string text;  // a literal's value (adjacent literals joined), a name, one character
};

// C++ source as names, string literals and punctuation; comments and
// character literals dropped. Escapes in literals are kept as written, which
// is enough for keys and for telling Russian text.
std::vector<Token> Tokenize(const std::string& source) {
    std::vector<Token> tokens;
    std::size_t i = 0;
    auto isName = [](char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; };
    while (i < source.size()) {
        const char c = source[i];
        if (std::isspace(static_cast<unsigned char>(c))) {
            ++i;
        } else if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
        } else if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i);
            if (i != std::string::npos) i += 2;
        } else if (c == '"' || c == '\'') {
            std::string text;
            std::size_t j = i + 1;
            while (j < source.size() && source[j] != c) {
                if (source[j] == '\\') text += source[j++];
                if (j < source.size()) text += source[j++];
            }
            i = j + 1;
            if (c == '\'') continue;
            tokens.push_back({Token::Literal, text});
        } else if (isName(c)) {
            std::size_t j = i;
            while (j < source.size() && isName(source[j])) ++j;
            // A raw string's prefix: skip the raw string whole.
            if (j < source.size() && source[j] == '"' && source.compare(j - 1, 1, "R") == 0) {
                const std::size_t open = source.find('(', j);
                const std::string close = ")" + source.substr(j + 1, open - j - 1) + "\"";
                i = source.find(close, open);
                if (i != std::string::npos) i += close.size();
                continue;
            }
            tokens.push_back({Token::Name, source.substr(i, j - i)});
            i = j;
        } else {
            tokens.push_back({Token::Punct, std::string(1, c)});
            ++i;
        }
    }
    // Join adjacent literals ("a" "b" is one literal).
    std::vector<Token> joined;
    for (Token& token : tokens) {
        if (token.kind == Token::Literal && !joined.empty() && joined.back().kind == Token::Literal) {
            joined.back().text += token.text;
        } else {
            joined.push_back(std::move(token));
        }
    }
    return joined;
}

bool IsKeyName(const std::string& text) {
    if (text.empty() || !std::isalpha(static_cast<unsigned char>(text[0]))) return false;
    for (char c : text) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

bool HasCyrillic(const std::string& utf8) {
    for (unsigned char c : utf8) {
        if (c == 0xD0 || c == 0xD1) return true;
    }
    return false;
}

bool IsSectionName(const std::string& text) {
    static const std::set<std::string> sections = {"MainForm",     "SaveLoadForm",   "ConfigForm", "PropertyForm",
                                                   "AutomapForm",  "AboutForm",      "FindDialog", "ExitWizardForm"};
    return sections.count(text) > 0;
}

struct SourceFile {
    std::string path;
    std::vector<Token> tokens;
};

// NAME = "Section" in any source: the section constants by name. A name
// defined with two values (each dialog's own `Section`) is left out here
// and resolved per file.
std::map<std::string, std::string> SectionConstants(const std::vector<SourceFile>& files,
                                                    std::set<std::string>& ambiguous) {
    std::map<std::string, std::string> constants;
    for (const SourceFile& file : files) {
        const auto& t = file.tokens;
        for (std::size_t i = 0; i + 2 < t.size(); ++i) {
            if (t[i].kind == Token::Name && t[i + 1].text == "=" && t[i + 2].kind == Token::Literal &&
                IsSectionName(t[i + 2].text)) {
                auto [it, added] = constants.emplace(t[i].text, t[i + 2].text);
                if (!added && it->second != t[i + 2].text) ambiguous.insert(t[i].text);
            }
        }
    }
    for (const std::string& name : ambiguous) constants.erase(name);
    return constants;
}

// The file's own section: the one a constant defined in the file or its
// header names, else the one section the file speaks of by a literal or a
// constant; empty when that is not one.
std::string FileSection(const SourceFile& file, const SourceFile* header,
                        const std::map<std::string, std::string>& constants) {
    std::set<std::string> defined;
    for (const SourceFile* f : {&file, header}) {
        if (!f) continue;
        const auto& t = f->tokens;
        for (std::size_t i = 0; i + 2 < t.size(); ++i) {
            if (t[i].kind == Token::Name && t[i + 1].text == "=" && t[i + 2].kind == Token::Literal &&
                IsSectionName(t[i + 2].text)) {
                defined.insert(t[i + 2].text);
            }
        }
    }
    if (defined.size() == 1) return *defined.begin();
    std::set<std::string> seen;
    for (const SourceFile* f : {&file, header}) {
        if (!f) continue;
        for (const Token& token : f->tokens) {
            if (token.kind == Token::Literal && IsSectionName(token.text)) seen.insert(token.text);
            if (token.kind == Token::Name && constants.count(token.text)) seen.insert(constants.at(token.text));
        }
    }
    if (seen.size() == 1) return *seen.begin();
    // Texts for the player's client go through ClientText, which looks them
    // up in section MainForm.
    for (const Token& token : file.tokens) {
        if (token.kind == Token::Name && token.text == "ClientText") return "MainForm";
    }
    return std::string();
}

struct RussianText {
    std::string section, key, text, file;
};

// Every `"Key", "Русский текст"` of the sources (also with W1251( or
// Utf8ToCp1251( around the text), with the section named just before the key
// or else the file's own section.
std::vector<RussianText> RussianDefaults() {
    std::vector<SourceFile> files;
    for (const auto& entry : fs::recursive_directory_iterator(kSourceDir + "/src")) {
        const std::string ext = entry.path().extension().string();
        if (ext != ".cpp" && ext != ".h") continue;
        files.push_back({entry.path().string(), Tokenize(ReadFile(entry.path().string()))});
    }
    std::map<std::string, const SourceFile*> byPath;
    for (const SourceFile& file : files) byPath[file.path] = &file;
    std::set<std::string> ambiguous;
    const std::map<std::string, std::string> constants = SectionConstants(files, ambiguous);

    std::vector<RussianText> found;
    for (const SourceFile& file : files) {
        const std::string headerPath = fs::path(file.path).replace_extension(".h").string();
        const SourceFile* header = byPath.count(headerPath) ? byPath[headerPath] : nullptr;
        std::map<std::string, std::string> local = constants;
        for (const SourceFile* f : {&file, header}) {
            if (!f) continue;
            for (std::size_t i = 0; i + 2 < f->tokens.size(); ++i) {
                const auto& t = f->tokens;
                if (ambiguous.count(t[i].text) && t[i + 1].text == "=" && t[i + 2].kind == Token::Literal) {
                    local[t[i].text] = t[i + 2].text;
                }
            }
        }
        const std::string fileSection = FileSection(file, header, local);
        const auto& t = file.tokens;
        for (std::size_t i = 0; i + 2 < t.size(); ++i) {
            if (t[i].kind != Token::Literal || !IsKeyName(t[i].text) || t[i + 1].text != ",") continue;
            std::size_t textAt = i + 2;
            if (t[textAt].kind == Token::Name && (t[textAt].text == "W1251" || t[textAt].text == "Utf8ToCp1251") &&
                textAt + 2 < t.size() && t[textAt + 1].text == "(") {
                textAt += 2;
            }
            if (t[textAt].kind != Token::Literal || !HasCyrillic(t[textAt].text)) continue;
            std::string section = fileSection;
            if (i >= 2 && t[i - 1].text == ",") {
                const Token& before = t[i - 2];
                if (before.kind == Token::Literal && IsSectionName(before.text)) section = before.text;
                if (before.kind == Token::Name && local.count(before.text)) section = local.at(before.text);
            }
            found.push_back({section, t[i].text, t[textAt].text, fs::path(file.path).filename().string()});
        }
    }
    return found;
}

TEST(LanguageFiles, EveryRussianDefaultHasAnEnglishTextInItsSection) {
    const std::vector<RussianText> russian = RussianDefaults();
    // The main window alone has some seventy captions: a scan that finds few
    // texts has stopped seeing them.
    ASSERT_GT(russian.size(), 250u);
    const IniFile english = IniFile::Load(kEnglishFile);
    ASSERT_TRUE(english.HasSection("MainForm")) << kEnglishFile;
    for (const RussianText& text : russian) {
        ASSERT_FALSE(text.section.empty()) << "no section found for " << text.key << " in " << text.file;
        const std::optional<std::string> value = english.Find(text.section, text.key);
        EXPECT_TRUE(value && !value->empty())
            << "[" << text.section << "] " << text.key << " (" << text.text << ", " << text.file
            << ") has no English text";
    }
}

TEST(LanguageFiles, EnglishFileIsPlainAsciiCrLfWithKnownSections) {
    const std::string bytes = ReadFile(kEnglishFile);
    ASSERT_FALSE(bytes.empty());
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        ASSERT_LT(static_cast<unsigned char>(bytes[i]), 0x80u) << "byte " << i;
        if (bytes[i] == '\n') {
            ASSERT_TRUE(i > 0 && bytes[i - 1] == '\r') << "line end at byte " << i;
        }
    }
    const IniFile english = IniFile::FromBytes(bytes);
    for (const std::string& section : english.SectionNames()) {
        EXPECT_TRUE(IsSectionName(section)) << section;
        std::set<std::string> keys;
        for (const std::string& key : english.ReadSectionKeys(section)) {
            EXPECT_TRUE(keys.insert(key).second) << "[" << section << "] " << key << " twice";
        }
    }
}

// With the English file chosen, a text comes from the user's own
// language.en.ini first, then from the file that comes with the program,
// then from the built-in default; whatever was shown lands in the user's
// file, which never touches the program's.
TEST(LanguageFiles, TheShippedTextsStandInForMissingKeysAndAreCopiedHome) {
    TempDirectory dir;
    const std::string shipped = dir / "program/language.en.ini";
    WriteFile(shipped, "[MainForm]\r\nnFile=File\r\nnExit=Exit\r\n");
    HomeDirectory home(dir / "home");
    fs::create_directories(home.Root());
    EXPECT_EQ(home.LanguageIniPath("en"), dir / "home/language.en.ini");
    EXPECT_EQ(home.LanguageIniPath("ru"), dir / "home/language.ini");
    EXPECT_EQ(home.LanguageIniPath(""), dir / "home/language.ini");
    EXPECT_EQ(home.LanguageIniPath("../x"), dir / "home/language.ini");

    WriteFile(home.LanguageIniPath("en"), "[MainForm]\r\nnExit=Quit\r\n");
    Localisation captions(home.LanguageIniPath("en"), shipped);
    EXPECT_EQ(captions.GetCaption("MainForm", "nExit", W1251("Выход")), "Quit");
    EXPECT_EQ(captions.GetCaption("MainForm", "nFile", W1251("Файл")), "File");
    EXPECT_EQ(captions.GetCaption("MainForm", "nWindow", W1251("Окно")), W1251("Окно"));
    EXPECT_EQ(ReadFile(home.LanguageIniPath("en")),
              "[MainForm]\r\nnExit=Quit\r\nnFile=File\r\nnWindow=" + W1251("Окно") + "\r\n");
    EXPECT_EQ(ReadFile(shipped), "[MainForm]\r\nnFile=File\r\nnExit=Exit\r\n");
}

TEST(LanguageFiles, TheMainSettingLanguageIsReadButNeverWritten) {
    const IniFile withLanguage = IniFile::FromBytes("[Options]\r\nLanguage=en\r\n");
    EXPECT_EQ(ReadMainSettings(withLanguage, false).Language, "en");
    EXPECT_EQ(ReadMainSettings(IniFile(), false).Language, "");

    IniFile written;
    MainSettings settings;
    settings.Language = "en";
    WriteMainSettings(written, settings, false, true);
    EXPECT_EQ(written.ToBytes().find("Language"), std::string::npos);
}

}  // namespace
}  // namespace trellan
