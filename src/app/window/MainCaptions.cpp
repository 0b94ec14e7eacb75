#include "app/window/MainCaptions.h"

#include "text/W1251.h"

namespace trellan {

namespace {

using Kind = CaptionKey::Kind;

}  // namespace

const std::vector<CaptionKey>& MainFormKeys() {
    static const std::vector<CaptionKey> keys = {
        {"nFile", "Файл", Kind::Caption},
        {"nWindow", "Окно", Kind::Caption},
        {"nHelp", "Справка", Kind::Caption},
        {"nHelpMain", "Справка", Kind::Caption},
        {"nAbout", "О программе ...", Kind::Caption},
        {"nNewWorld", "Новый мир", Kind::Caption},
        {"nLoadWorld", "Загрузить мир ...", Kind::Caption},
        {"nSaveWorld", "Сохранить мир ...", Kind::Caption},
        {"nUndoMap", "Отменить изменения в текущей карте", Kind::Caption},
        {"nSaveWorldAs", "Сохранить мир как ...", Kind::Caption},
        {"nNewZone", "Новая зона", Kind::Caption},
        {"nExportMudlet", "Экспорт карты для Mudlet…", Kind::Caption},
        {"nImportMudlet", "Импорт карты Mudlet…", Kind::Caption},
        {"nExportPicture", "Сохранить зону как картинку…", Kind::Caption},
        {"nConfig", "Параметры", Kind::Caption},
        {"nExit", "Выход", Kind::Caption},
        {"nCenter", "Центровать", Kind::Caption},
        {"nZoomIn", "Крупнее", Kind::Caption},
        {"nZoomOut", "Мельче", Kind::Caption},
        {"nZoom100", "Масштаб 100 %", Kind::Caption},
        {"nZoomFit", "Вся зона в окне", Kind::Caption},
        {"nRoomNames", "Названия комнат на карте (от 150 %)", Kind::Caption},
        {"nWalking", "Режим прогулки", Kind::Caption},
        {"nTracing", "Режим трассировки", Kind::Caption},
        {"nTraceText", "Трассировка", Kind::Caption},
        {"nShowTree", "Показывать дерево", Kind::Caption},
        {"nAutolink", "Автолинковка", Kind::Caption},
        {"nStayOnTop", "Поверх всех окон", Kind::Caption},
        {"nTransparency", "Прозрачность", Kind::Caption},
        {"tbLevelUp", "На уровень вверх", Kind::Hint},
        {"tbLevelDown", "На уровень вниз", Kind::Hint},
        {"nStopTrace", "Остановить трассировку", Kind::Caption},
        {"nnRenameZone", "Переименовать зону", Kind::Caption},
        {"nnDeleteZone", "Удалить зону", Kind::Caption},
        {"nSpeedWalk", "Спидволк до поля", Kind::Caption},
        {"nSpeedWalkNT", "Спидволк без разделителей в буфер обмена", Kind::Caption},
        {"nSpeedWalkNTD", "Спидволк с разделителями в буфер обмена", Kind::Caption},
        {"nSelectRoom", "Текущая позиция тут", Kind::Caption},
        {"nnShowOnMap", "Показать на карте", Kind::Caption},
        {"nAddToQuickList", "Включить в список", Kind::Caption},
        {"nRemoveRoom", "Убрать из списка", Kind::Caption},
        {"nEditRoom", "Редактировать поле", Kind::Caption},
        {"nProps", "Свойства поля", Kind::Caption},
        {"nColor", "Цвет", Kind::Caption},
        {"nDT", "ДТ", Kind::Caption},
        {"nFlyDT", "Флай ДТ", Kind::Caption},
        {"nAgro", "Агромобская", Kind::Caption},
        {"nNoStep", "Непроходимая", Kind::Caption},
        {"nDeleteRoom", "Удалить поле", Kind::Caption},
        {"nDeleteLink", "Удалить коридор", Kind::Caption},
        {"nAddRoom", "Добавить поле", Kind::Caption},
        {"toNorth", "... на север", Kind::Caption},
        {"toSouth", "... на юг", Kind::Caption},
        {"toEast", "... на восток", Kind::Caption},
        {"toWest", "... на запад", Kind::Caption},
        {"toUp", "... вверх", Kind::Caption},
        {"toDown", "... вниз", Kind::Caption},
        {"nShiftRoom", "Сдвинуть поле", Kind::Caption},
        {"nLong", "Коридор", Kind::Caption},
        {"nDoor", "Дверь", Kind::Caption},
        {"nStartNewZone", "Начать новую зону", Kind::Caption},
        {"nMerge", "Присоединить зону", Kind::Caption},
        {"nShowZone", "Показать зону", Kind::Caption},
        {"tabMap", "Карта", Kind::Tab},
        {"tabObjects", "Объекты", Kind::Tab},
        {"nAddNode", "Добавить узел", Kind::Caption},
        {"nAddChild", "Добавить ветку", Kind::Caption},
        {"nSort", "Отсортировать", Kind::Caption},
        {"nDeleteNode", "Удалить", Kind::Caption},
        {"nSearch", "Найти...", Kind::Caption},
        {"nReplace", "Заменить...", Kind::Caption},
        {"nAddFromFile", "Добавить из файла...", Kind::Caption},
        {"nGroupTell", "Сообщить группе", Kind::Caption},
        {"nClanTell", "Сообщить клану", Kind::Caption},
        {"tbSaveObjects", "Сохранить изменения", Kind::Hint},
        {"tbDiscard", "Отменить все изменения", Kind::Hint},
        {"tbExpand", "Развернуть все", Kind::Hint},
        {"tbCollapse", "Свернуть все", Kind::Hint},
        {"tbSearch", "Поиск / замена (Ctrl+R)", Kind::Hint},
        {"tbReplace", "Замена (Ctrl+R)", Kind::Hint},
        // Texts the window shows beyond the classic list, so that nothing
        // visible escapes translation.
        {"nMode", "Режим", Kind::Caption},
        {"nEdit", "Правка", Kind::Caption},
        {"nUndo", "Отменить", Kind::Caption},
        {"nRedo", "Повторить", Kind::Caption},
        {"nnLoadZone", "Загрузить зону", Kind::Caption},
        {"nnLockZone", "Запретить изменение зоны", Kind::Caption},
        {"nPicture", "Картинка", Kind::Caption},
        {"tbFind", "Найти комнату...", Kind::Hint},
        {"nFindByName", "Найти по имени", Kind::Caption},
        {"nFindByDesc", "Найти по описанию", Kind::Caption},
    };
    return keys;
}

std::string MainFormDefault(const std::string& key) {
    for (const CaptionKey& entry : MainFormKeys()) {
        if (key == entry.Key) return W1251(entry.DefaultUtf8);
    }
    return {};
}

std::string MainCaption(const std::string& world, const std::string& zone) {
    std::string caption = "[" + world;
    if (!zone.empty()) caption += "." + zone;
    return caption + "] " + ProgramName + " v. " + ProgramVersion;
}

std::string TransparencyItemText(const std::string& transparencyCaption, int percent) {
    return transparencyCaption + " " + std::to_string(percent) + "%";
}

std::string HintWithKey(const std::string& caption, const char* key) {
    return caption + " " + key;
}

}  // namespace trellan
