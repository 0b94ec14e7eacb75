#pragma once
// The texts the user interface shows around the objects base, each looked
// up in the localisation file (section MainForm) with its Russian default.
// Every text is Windows-1251.
#include <string>
#include <string_view>

namespace trellan {

class Localisation;

class ObjectsMessages {
public:
    // `captions` may be null (tests, headless): the defaults are used.
    explicit ObjectsMessages(Localisation* captions = nullptr) : captions_(captions) {}

    // The question on closing with a changed base.
    std::string ObjectsChanged() const;
    // "Строка не найдена: <text>"
    std::string StringNotFound(std::string_view findText) const;
    // "Заменить: 'a' >> 'b' во всех описаниях?"
    std::string ReplaceAllQuestion(std::string_view findText, std::string_view replacement) const;
    // "Найдено и заменено вхождений: 3."
    std::string FoundAndReplaced(int count) const;
    // The title of every box: the program's name.
    static std::string Title() { return "Trellan"; }

private:
    std::string Caption(std::string_view key, std::string_view defaultUtf8) const;

    Localisation* captions_;
};

}  // namespace trellan
