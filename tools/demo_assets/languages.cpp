#include "languages.h"

#include <string>

#include "bitmap.h"
#include "platform/text/codepage.h"

namespace demo_assets {

namespace {

// One text of the game: its section and key, and its English and Russian wording (UTF-8).
struct Text {
  const char* section;
  const char* key;
  const char* english;
  const char* russian;
};

constexpr Text kTexts[] = {
    {"Default", "Title", "The Lantern Vault", "Фонарный склеп"},
    {"Pictures", "Banner", "pictures\\banner_eng.bmp", "pictures\\banner_rus.bmp"},
    {"Buttons", "Play", "Play", "Играть"},
    {"Buttons", "Settings", "Settings", "Настройки"},
    {"Buttons", "Back", "Back", "Назад"},
    {"Buttons", "Leave", "Leave", "Выйти"},
    {"Buttons", "English", "English", "English"},
    {"Buttons", "Russian", "Русский", "Русский"},
    {"Title", "Intro", "Somewhere under the hill a lantern has gone out. Find the way into its vault and bring the light back.",
     "Где-то под холмом погас фонарь. Найдите путь в его склеп и верните свет."},
    {"Settings", "Heading", "Settings", "Настройки"},
    {"Settings", "Language", "Language", "Язык"},
    {"Settings", "About", "Choose the language of the game. Your choice is kept for the next time you play.",
     "Выберите язык игры. Ваш выбор сохранится до следующего запуска."},
    {"Hall", "Bag", "Bag", "Сумка"},
    {"Hints", "Dark", "It is dark in the hall. Only the old lantern on the wall can be made out. Touch it to light it.",
     "В зале темно. Можно разглядеть только старый фонарь на стене. Коснитесь его, чтобы зажечь."},
    {"Hints", "TooDark", "It is too dark to see anything there. Light the lantern first.",
     "Слишком темно, ничего не видно. Сначала зажгите фонарь."},
    {"Hints", "Lit", "The lantern burns. By the wall stands a heavy crate; something may lie behind it.",
     "Фонарь горит. У стены стоит тяжёлый ящик; за ним может что-то лежать."},
    {"Hints", "Key", "A key glints on the floor where the crate stood. Take it.",
     "На полу, где стоял ящик, блестит ключ. Возьмите его."},
    {"Hints", "Bag", "The key is in your bag. Pick it out of the bag, then use it on the door.",
     "Ключ в сумке. Достаньте его из сумки и приложите к двери."},
    {"Hints", "Holding", "You hold the key. Touch the door to unlock it.",
     "Ключ у вас в руке. Коснитесь двери, чтобы отпереть её."},
    {"Hints", "Locked", "The door is locked. Its key must be somewhere in this hall.",
     "Дверь заперта. Ключ должен быть где-то в этом зале."},
    {"Hints", "Vault", "Three gems lie on the plinths. The window above shows the order in which they must be woken.",
     "На постаментах лежат три камня. Окно наверху показывает, в каком порядке их нужно разбудить."},
    {"Hints", "Good", "The gem wakes with a chime. Go on.", "Камень просыпается со звоном. Дальше."},
    {"Hints", "Wrong", "The gems go dark again. Watch the window and start over.",
     "Камни снова гаснут. Следите за окном и начните сначала."},
    {"Hints", "Chest", "The chest has opened. Take the lantern's golden heart.",
     "Сундук открылся. Возьмите золотое сердце фонаря."},
    {"Ending", "Thanks", "The heart is back in the lantern and the vault is full of light. Thank you for playing!",
     "Сердце вернулось в фонарь, и склеп полон света. Спасибо за игру!"},
};

// The file's lines, section by section in the order the texts first name them.
std::string LanguageFile(const char* Text::*wording) {
  std::string file;
  std::string section;
  for (const Text& t : kTexts) {
    if (section != t.section) {
      section = t.section;
      file += "[" + section + "]\r\n";
    }
    file += std::string(t.key) + "=" + ox::platform::Cp1251FromUtf8(t.*wording) + "\r\n";
  }
  return file;
}

}  // namespace

bool WriteLanguages(const std::filesystem::path& folder) {
  return WriteFile(folder / "eng.lng", LanguageFile(&Text::english)) &&
         WriteFile(folder / "rus.lng", LanguageFile(&Text::russian));
}

}  // namespace demo_assets
