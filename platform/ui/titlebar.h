#pragma once

class QWidget;

// The outer width (pixels) a window needs for the title bar of its frame to
// show its whole title: the title in a bold face of the title-bar font, beside
// a title bar's icon and buttons. Window managers draw their own title bars;
// this is the width of the widest common one, with a little to spare.
int TitleBarWidth(const QWidget* window);
