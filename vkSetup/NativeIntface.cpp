#include "vkSetup/NativeIntface.h"

namespace vk::setup {

namespace {

const TUninstallText kRussian{
    "Удаление Vorkel",
    "Удаление программы",
    "Удалить программу Vorkel из папки?",
    "Удалить все данные по складу",
    "Удалить",
    "Отмена",
    "Выход",
    "Закрытие программы...",
    "Удаление ярлыков на рабочем столе...",
    "Удаление группы программ в меню пуск...",
    "Удаление данных склада...",
    "Удаление папок экспорта-импорта...",
    "Удаление файлов программы...",
    "Удаление записи в реестре Windows...",
    "Не удалось закрыть работающую программу",
    "Не удалось удалить файл",
    "Не удалось удалить папку",
    "Не удалось удалить ключ реестра",
    "Удаление не завершено, произошли ошибки:",
    "Невозможно удалить Vorkel из папки",
    "Не найдено записи о программе в реестре Windows",
};

const TUninstallText kUkrainian{
    "Видалення Vorkel",
    "Видалення програми",
    "Видалити програму Vorkel з папки?",
    "Видалити всі дані по складу",
    "Видалити",
    "Відміна",
    "Вихід",
    "Закриття програми...",
    "Видалення ярликів на робочому столі...",
    "Видалення групи програм в меню пуск...",
    "Видалення даних по складу...",
    "Видалення папок експорту-імпорту...",
    "Видалення файлів програми...",
    "Видалення запису в реєстрі Windows...",
    "Не вдалося закрити працюючу програму",
    "Не вдалося видалити файл",
    "Не вдалося видалити папку",
    "Не вдалося видалити ключ реєстру",
    "Видалення не закінчено, виникли помилки:",
    "Неможливо видалити Vorkel з папки",
    "Не знайдено запису про програму в реєстрі Windows",
};

const TUninstallText kEnglish{
    "Uninstall Vorkel",
    "Uninstall Vorkel",
    "Remove Vorkel software from folder?",
    "Remove all warehouse data",
    "Remove",
    "Cancel",
    "Exit",
    "Closing program...",
    "Removing shortcuts on Desktop...",
    "Removing program group in the Start Menu...",
    "Removing warehouse data...",
    "Removing export-import folders...",
    "Removing program files...",
    "Removing the entry in Windows Registry...",
    "Couldn't close the active program",
    "Couldn't remove file",
    "Couldn't remove folder",
    "Couldn't remove register key",
    "Uninstall is not complete, some errors occured:",
    "Couldn't remove Vorkel from the folder",
    "Not found the entry in Windows Registry",
};

}  // namespace

const TUninstallText& UninstallTextOf(uint32_t language) {
  switch (language) {
    case 0: return kRussian;
    case 1: return kUkrainian;
    default: return kEnglish;
  }
}

}  // namespace vk::setup
