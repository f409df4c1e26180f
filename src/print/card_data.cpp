#include "print/card_data.h"

#include <QDate>
#include <QLocale>

namespace ksv::print {

QString currentDateText() {
    return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat);
}

} // namespace ksv::print
