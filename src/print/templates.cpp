#include "print/templates.h"

#include "print/codepage.h"

#include <QString>
#include <QStringList>
#include <array>

namespace ksv::print {

namespace {

// The pages as they print, one template line per source line, without the
// trailing spaces; every line is filled with spaces to its length below,
// because a value longer than its placeholder overwrites the characters after
// it, spaces included. The "L" of the channel table's head, the "c" after the
// group numbers and the "c" after the seconds of lines 15 and 21 of sheet 2
// are Latin letters; all other letters are Cyrillic.
constexpr const char* kSheet1 = R"page(

        Файл прошивки ППЗУ ПП
        $A
        Лист 1

        Таблица настройки каналов
        ┌─────┬───────────────┬───────────────┬────────────┬────────┬────────┐
        │     │  Частота,кГц  │   Субтон, Гц  │ Запрет ПРД │ Список │ Список │
        │Канал├───────┬───────┼───────┬───────┤ на занятом │ скан.  │ L      │
        │     │  ПРМ  │  ПРД  │  ПРМ  │  ПРД  │ канале     │        │        │
        ├─────┼───────┴───────┼───────┴───────┼────────────┼────────┼────────┤
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        │ $C  │ $D      $E    │ $F      $G    │ $H         │ $I     │ $J     │
        └─────┴───────────────┴───────────────┴────────────┴────────┴────────┘

         $K
)page";

constexpr std::array<int, 54> kSheet1Lengths = {
    8,  77, 66, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80,
    80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80,
    80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 80, 33,
};

constexpr const char* kSheet2 = R"page(

        Файл прошивки ППЗУ ПП
        $A
        Лист 2

        Таблица основных параметров
        ┌────────────────────────────────────────────────────────────────────┐
        │                                                                    │
        │    Группа каналов 1: c  $L  по $M                                  │
        │                                                                    │
        │    Группа каналов 2: c  $N  по $O                                  │
        │                                                                    │
        │                                                                    │
        │                    Прослушивание канала кнопкой "ШП" - $U          │
        │                         Время непрерывной работы ПРД - $V   c      │
        │            Отмена запрета передачи на занятом канале               │
        │                               при совпадении субтона - $W          │
        │                                                                    │
        │  Уровни выходной мощности передатчика, Вт - $X                     │
        │                                                                    │
        │              Задержка для возобновления сканирования - $R   c      │
        │Время анализа несущей на канале в режиме сканирования - $S   мс     │
        │      Выход в режим "Передача" из режима сканирования - $T          │
        │  $a                                                                │
        │  $b                                                                │
        │  $c                                                                │
        │                                                                    │
        │                                   $P                               │
        │             $Q                                                     │
        │                                                                    │
        │                              $Y                                    │
        │        $Z                                                          │
        │                                                                    │
        │                                   Заводской номер ПП - $1          │
        │                                 Номер версии ППЗУ ПП - $2          │
        │                                              $3                    │
        │                                                                    │
        └────────────────────────────────────────────────────────────────────┘

         $7
        Таблица тональных частот
        ┌───────┬──────────────┬────────────────┐
        │  Тон  │  Частота, Гц │ Длительность,с │
        ├───────┼──────────────┼────────────────┤
        $d
        $d
        $d
        $d
        $d
        $d
        $d

        $K
)page";

constexpr std::array<int, 53> kSheet2Lengths = {
    8,  77, 66, 16, 80, 80, 80, 80, 80, 80, 80, 80, 78, 80, 80, 80,  78, 78,
    80, 80, 80, 80, 78, 80, 80, 80, 80, 78, 80, 80, 80, 80, 80, 80,  80, 78,
    78, 78, 8,  49, 53, 51, 53, 51, 51, 51, 51, 51, 10, 53, 58, 102, 16,
};

template <std::size_t N> QByteArray build(const char* page, const std::array<int, N>& lengths) {
    QStringList lines = QString::fromUtf8(page).split(u'\n');
    // The raw literal starts and ends with a line break.
    lines.removeFirst();
    lines.removeLast();
    Q_ASSERT(lines.size() == int(N));
    QByteArray out;
    for (std::size_t i = 0; i < N; ++i) {
        const QString line = lines[int(i)].leftJustified(lengths[i], u' ');
        out += toCp866(line);
        out += "\r\n";
    }
    out += '\f';
    return out;
}

} // namespace

const QByteArray& l1_tmp() {
    static const QByteArray bytes = build(kSheet1, kSheet1Lengths);
    return bytes;
}

const QByteArray& l2_tmp() {
    static const QByteArray bytes = build(kSheet2, kSheet2Lengths);
    return bytes;
}

} // namespace ksv::print
