#include "ui/main/command_icons.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QStyle>
#include <array>

namespace ksv {

namespace {

const std::array<const char*, kCommandIconCount> kThemeNames = {
    "document-new", "document-open", "document-save", "document-print",   "network-wired",
    "go-down",      "go-up",         "help-contents", "application-exit",
};

bool themeHasAll() {
    static const bool all = [] {
        for (const char* name : kThemeNames)
            if (!QIcon::hasThemeIcon(QString::fromLatin1(name)))
                return false;
        return true;
    }();
    return all;
}

// Draws a small picture at the given size; used for the two commands the
// style has no standard picture for.
using Painter = void (*)(QPainter&, qreal);

void paintPrinter(QPainter& p, qreal s) {
    const qreal u = s / 16.0;
    p.setPen(QPen(QColor(60, 60, 60), 1.0 * u));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4 * u, 1.5 * u, 8 * u, 5 * u)); // paper in
    p.setBrush(QColor(150, 155, 165));
    p.drawRoundedRect(QRectF(1.5 * u, 6 * u, 13 * u, 6 * u), 1.5 * u, 1.5 * u); // body
    p.setBrush(Qt::white);
    p.drawRect(QRectF(4 * u, 10 * u, 8 * u, 4.5 * u)); // paper out
    p.setPen(QPen(QColor(90, 90, 90), 0.8 * u));
    p.drawLine(QPointF(5.5 * u, 12 * u), QPointF(10.5 * u, 12 * u));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 170, 60));
    p.drawEllipse(QPointF(12.5 * u, 8 * u), 0.9 * u, 0.9 * u);
}

void paintSerialPort(QPainter& p, qreal s) {
    const qreal u = s / 16.0;
    QPainterPath shell;
    shell.moveTo(1.5 * u, 4.5 * u);
    shell.lineTo(14.5 * u, 4.5 * u);
    shell.lineTo(12.5 * u, 11.5 * u);
    shell.lineTo(3.5 * u, 11.5 * u);
    shell.closeSubpath();
    p.setPen(QPen(QColor(50, 60, 80), 1.0 * u));
    p.setBrush(QColor(110, 140, 190));
    p.drawPath(shell);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 240, 240));
    for (int i = 0; i < 5; ++i)
        p.drawEllipse(QPointF((4 + 2 * i) * u, 6.8 * u), 0.75 * u, 0.75 * u);
    for (int i = 0; i < 4; ++i)
        p.drawEllipse(QPointF((5 + 2 * i) * u, 9.2 * u), 0.75 * u, 0.75 * u);
}

QIcon paintedIcon(Painter paint) {
    QIcon icon;
    for (int size : {16, 24, 32, 48}) {
        QPixmap pm(size, size);
        pm.fill(Qt::transparent);
        QPainter p(&pm);
        p.setRenderHint(QPainter::Antialiasing);
        paint(p, size);
        p.end();
        icon.addPixmap(pm);
    }
    return icon;
}

QIcon builtInIcon(CommandIcon which) {
    QStyle* style = QApplication::style();
    switch (which) {
    case CommandIcon::New:
        return style->standardIcon(QStyle::SP_FileIcon);
    case CommandIcon::Open:
        return style->standardIcon(QStyle::SP_DialogOpenButton);
    case CommandIcon::Save:
        return style->standardIcon(QStyle::SP_DialogSaveButton);
    case CommandIcon::Print:
        return paintedIcon(paintPrinter);
    case CommandIcon::ComPort:
        return paintedIcon(paintSerialPort);
    case CommandIcon::Read:
        return style->standardIcon(QStyle::SP_ArrowDown);
    case CommandIcon::Write:
        return style->standardIcon(QStyle::SP_ArrowUp);
    case CommandIcon::Help:
        return style->standardIcon(QStyle::SP_DialogHelpButton);
    case CommandIcon::Exit:
        return style->standardIcon(QStyle::SP_DialogCloseButton);
    }
    return {};
}

} // namespace

QIcon commandIcon(CommandIcon which) {
    if (themeHasAll())
        return QIcon::fromTheme(QString::fromLatin1(kThemeNames[static_cast<int>(which)]));
    QIcon icon = builtInIcon(which);
    // A style without the picture still leaves no button empty.
    if (icon.isNull())
        icon = paintedIcon(paintSerialPort);
    return icon;
}

} // namespace ksv
