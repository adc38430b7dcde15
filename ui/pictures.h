// The pictures of the main tab, drawn when the program starts: the background behind board
// and move list, a person and the computer for the player panels.
#pragma once

#include <QIcon>
#include <QPixmap>

namespace quarne {

QPixmap HintergrundBild(QSize groesse);
QPixmap SpielerBild(int seite, const QColor& farbe);
QPixmap ComputerBild(int seite);
// The sign on the stop button.
QIcon StopSymbol(int seite);

}  // namespace quarne
