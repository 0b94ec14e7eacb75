#include "app/config/ConfigCaptions.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QLabel>
#include <QTabWidget>
#include <QWidget>
#include <map>
#include <utility>

#include "settings/Localisation.h"
#include "text/Cp1251.h"
#include "view/QtText.h"

namespace trellan {

namespace {

struct Key {
    const char* Name;
    const char* DefaultUtf8;
};

// In look-up order: the title, the tabs, then page by page.
constexpr Key kKeys[] = {
    {"Caption", " Параметры"},
    {"TabSheet1", "Соединение"},
    {"TabSheet2", "Движение"},
    {"TabSheet3", "Автоматика"},
    {"TabSheet4", "Сообщения"},
    {"TabSheet5", "Общие"},
    {"TabSheet6", "Следование"},
    {"TabSheet7", "Управление"},
    {"TabSheet8", "Познание"},
    {"gbClient", "Клиент"},
    {"lblClientName", "Имя (адрес)"},
    {"lblClientPort", "Порт"},
    {"gbServer", "Сервер"},
    {"lblServerName", "Имя (адрес)"},
    {"lblServerPort", "Порт"},
    {"lblServerEncoding", "Кодировка"},
    {"gbProcessing", "Обработка буквы \"я\" (байт 255)"},
    {"cbNoDoubleYa", "Сервер удваивает \"я\": убирать удвоение перед распознаванием"},
    {"cbAddDoubleYa", "Удваивать \"я\" в тексте, который посылается серверу"},
    {"cbAddDoubleYaLor", "Удваивать \"я\" в описаниях из базы объектов"},
    {"cbMCCPEnabled", "Разрешить использование сжатия mccp"},
    {"gbMoves", "Команды движения"},
    {"lblMoveN", "Север"},
    {"lblMoveS", "Юг"},
    {"lblMoveE", "Восток"},
    {"lblMoveW", "Запад"},
    {"lblMoveU", "Вверх"},
    {"lblMoveD", "Вниз"},
    {"lblMoveSneak", "Сник"},
    {"lblMoveFlick", "Флик"},
    {"gbTracing", "Трассировка"},
    {"lblTraceStart", "Оглядеться (начать трассировку)"},
    {"lblTraceStop", "Остановить трассировку"},
    {"lblTraceClear", "Очистить буфер команд"},
    {"gbRoom", "Описание комнаты: начало и конец"},
    {"lblRoomName", "Имя комнаты"},
    {"lblAutoexits", "Автовыходы"},
    {"cbUsePromptExit", "Брать выходы из строки статуса"},
    {"lblPromptExitLetters", "Буквы выходов в строке статуса (С|Ю|З|В|^|v)"},
    {"gbAutoexits", "Слова выходов"},
    {"cbExitsIgnoreCase", "Не различать заглавные и строчные буквы"},
    {"gbDark", "Темнота"},
    {"lblDarkHere", "Здесь темно"},
    {"lblNoExits", "Выходов нет"},
    {"gbMoveUnabled", "Движение невозможно"},
    {"gbFlick", "Побег с поля боя"},
    {"lblFlickMsg", "Сообщение"},
    {"gbBackground", "Поле"},
    {"btnColor", "Цвет..."},
    {"lblTexture", "Текстура"},
    {"gbFeatures", "Карта"},
    {"cbNoTransp", "Отключить прозрачность (чтоб не тормозило)"},
    {"cbRepos", "Центровать картинку на каждом шаге спидволка"},
    {"cbShowTopLevel", "Показывать верхний уровень"},
    {"cbShowBottomLevel", "Показывать нижние уровни"},
    {"cbSwapUpDown", "Инвертировать перемещение по уровням (Ctrl +/-)"},
    {"cbShowNote", "Показывать примечание в отдельном окне"},
    {"ScrollMult", "Скорость скроллинга с помощью мыши"},
    {"gbSkin", "Шкура"},
    {"lblSkinFile", "Имя файла шкуры:"},
    {"btnNoSkin", "Без шкуры"},
    {"lblRoomColors", "Замена цвета комнат:"},
    {"lblColorTo", "на"},
    {"btnReplaceColor", "Заменить"},
    {"gbLeader", "Лидер"},
    {"lblLeaderMoves", "Перемещение лидера"},
    {"gbFollow", "Следование"},
    {"lblFollow", "Сообщение о следовании"},
    {"cbFollowLine", "Направление следования в той же строке"},
    {"gbWalkMode", "Режим прогулка (Read Only)"},
    {"lblWalkOn", "Включить"},
    {"lblWalkOff", "Выключить"},
    {"gbSppedWalk", "Спидволк"},
    {"lblGoTo", "Команда \"Добежать до\""},
    {"lblReturn", "Команда \"Вернуться\""},
    {"lblStepCount", "Количество шагов за один цикл"},
    {"lblMaxSteps", "Максимальное количество шагов"},
    {"gbGroupMsg", "Группа и клан"},
    {"lblGroupTell", "Говорить группе"},
    {"lblClanTell", "Говорить клану"},
    {"lblGroupLore", "Лор группе"},
    {"lblClanLore", "Лор клану"},
    {"lblSetAlias", "Назначить алиас"},
    {"lblMapCommand", "Команды карты"},
    {"gbItems", "Предметы"},
    {"lblTemplate", "Шаблон описания"},
    {"lblOrder", "Порядок реквизитов"},
    {"gbMOBs", "Монстры"},
    {"gbRequestObj", "База объектов"},
    {"lblRequestCommand", "Команда запроса"},
    {"ButtonOk", "OK"},
    {"ButtonCancel", "Отмена"},
};

// Elements that show another label's text.
constexpr std::pair<const char*, const char*> kRepeats[] = {
    {"lblExitN", "lblMoveN"},           {"lblExitS", "lblMoveS"},          {"lblExitW", "lblMoveW"},
    {"lblExitE", "lblMoveE"},           {"lblExitU", "lblMoveU"},          {"lblExitD", "lblMoveD"},
    {"lblLeaderN", "lblMoveN"},         {"lblLeaderS", "lblMoveS"},        {"lblLeaderW", "lblMoveW"},
    {"lblLeaderE", "lblMoveE"},         {"lblLeaderU", "lblMoveU"},        {"lblLeaderD", "lblMoveD"},
    {"lblPromptExits", "lblAutoexits"}, {"lblMobTemplate", "lblTemplate"}, {"lblMobOrder", "lblOrder"},
};

QTabWidget* TabsOf(QWidget* page) {
    for (QWidget* w = page->parentWidget(); w; w = w->parentWidget()) {
        if (auto* tabs = qobject_cast<QTabWidget*>(w)) return tabs;
    }
    return nullptr;
}

void SetText(QWidget& dialog, const char* name, const QString& text) {
    for (QWidget* widget : dialog.findChildren<QWidget*>(QString::fromLatin1(name))) {
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setText(text);
        } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
            box->setTitle(text);
        } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
            button->setText(text);
        } else if (QTabWidget* tabs = TabsOf(widget); tabs && tabs->indexOf(widget) >= 0) {
            tabs->setTabText(tabs->indexOf(widget), text);
        }
    }
}

}  // namespace

std::string ConfigFormDefault(const std::string& key) {
    for (const Key& entry : kKeys) {
        if (key == entry.Name) return Utf8ToCp1251(entry.DefaultUtf8);
    }
    return {};
}

void LocaliseConfigForm(QWidget& dialog, Localisation& localisation) {
    std::map<std::string, QString> texts;
    Localisation::Batch batch(localisation);
    for (const Key& entry : kKeys) {
        const std::string text =
            localisation.GetCaption(ConfigFormSection, entry.Name, Utf8ToCp1251(entry.DefaultUtf8));
        texts[entry.Name] = ToQt(text);
    }
    batch.Finish();
    dialog.setWindowTitle(texts["Caption"]);
    for (const Key& entry : kKeys) SetText(dialog, entry.Name, texts[entry.Name]);
    for (const auto& [name, source] : kRepeats) SetText(dialog, name, texts[source]);
}

}  // namespace trellan
