#include "titlebar.h"

#include <QApplication>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QWidget>

#include <algorithm>

int TitleBarWidth(const QWidget* window)
{
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    const QFontMetrics metrics(font);
    QStyleOptionTitleBar option;
    option.initFrom(window);
    option.fontMetrics = metrics;
    option.text = window->windowTitle();
    option.icon = window->windowIcon();
    option.titleBarFlags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinMaxButtonsHint |
                           Qt::WindowCloseButtonHint;
    // What the icon and buttons take is what a wide title bar leaves beside its label.
    constexpr int Probe = 1000;
    QStyle* style = window->style();
    option.rect = QRect(0, 0, Probe, style->pixelMetric(QStyle::PM_TitleBarHeight, &option, window));
    const int label = style->subControlRect(QStyle::CC_TitleBar, &option, QStyle::SC_TitleBarLabel, window).width();
    // Desktops draw wider title bars than the style does: beside the label,
    // their icon, three buttons and margins take up to some 170 pixels at
    // 96 dpi (Windows 10 and 11; Openbox and KDE about 100).
    const int beside = std::max(Probe - label, window->logicalDpiX() * 170 / 96);
    return beside + metrics.horizontalAdvance(option.text) + 2 * metrics.averageCharWidth();
}
