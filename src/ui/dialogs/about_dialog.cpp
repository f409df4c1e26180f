#include "ui/dialogs/about_dialog.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#ifndef KSV_VERSION
#define KSV_VERSION "1.2"
#endif

namespace ksv {

QString AboutDialog::version() {
    return QStringLiteral(KSV_VERSION);
}

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint) {
    setWindowTitle(QStringLiteral("О программе..."));
    setFixedSize(468, 294);

    auto* panel = new QFrame(this);
    panel->setFrameShape(QFrame::StyledPanel);
    panel->setFrameShadow(QFrame::Sunken);

    auto* name = new QLabel(QStringLiteral("Программа KSV717N"), panel);
    QFont big = name->font();
    big.setBold(true);
    big.setPointSizeF(big.pointSizeF() * 1.4);
    name->setFont(big);

    auto* ver = new QLabel(QStringLiteral("Версия %1").arg(version()), panel);

    auto* purpose = new QLabel(
        QStringLiteral("Программирование радиостанций семейства «Тарвен»:<br>"
                       "<table cellspacing=\"0\" cellpadding=\"1\">"
                       "<tr><td>диапазон МВ:&nbsp;&nbsp;</td><td>Тарвен-51 (стационарная), "
                       "Тарвен-52 (возимая),<br>Тарвен-53 (ретранслятор)</td></tr>"
                       "<tr><td>диапазон ДМВ:&nbsp;&nbsp;</td><td>Тарвен-61 (стационарная), "
                       "Тарвен-62 (возимая),<br>Тарвен-63 (ретранслятор)</td></tr></table>"),
        panel);
    purpose->setTextFormat(Qt::RichText);

    auto* libraries = new QLabel(
        QStringLiteral("Использует библиотеку Qt 6 (лицензия GNU LGPL v3) и шрифт Terminus "
                       "(лицензия SIL Open Font License 1.1) для печати карты "
                       "программирования."),
        panel);
    libraries->setWordWrap(true);

    auto* inner = new QVBoxLayout(panel);
    inner->setContentsMargins(14, 12, 14, 12);
    inner->setSpacing(6);
    inner->addWidget(name);
    inner->addWidget(ver);
    inner->addSpacing(6);
    inner->addWidget(purpose);
    inner->addStretch();
    inner->addWidget(libraries);

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setDefault(true);
    ok->setMinimumWidth(88);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(ok);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 8, 8, 8);
    layout->addWidget(panel, 1);
    layout->addLayout(buttons);
}

void AboutDialog::showAbout() {
    if (const QScreen* s = screen()) {
        const QRect area = s->availableGeometry();
        move(area.center() - QPoint(width() / 2, height() / 2));
    }
    exec();
}

} // namespace ksv
