#include "ui/move_list.h"

#include <QAbstractTableModel>
#include <QFontMetrics>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "core/notation.h"
#include "ui/design.h"

namespace quarne {

namespace {

// Design pixels at 144 dpi, divided by 1.5 for Qt's 96 dpi device-independent pixels.
constexpr int kZeilenHoehe = 36 * 2 / 3;

const QColor kRot(255, 0, 0);

ListenZelle FarbZelle(const QString& text, TFarbe c) {
  return c == clSchwarz ? ListenZelle{text, kSchwarz, kWeiss} : ListenZelle{text, kCreme, kSchwarz};
}

// The last row tells how the game ended at the last position; c is the side that would move.
QString EndeText(const Spielstand& spiel, TFarbe c) {
  const TZug& z =
      spiel.LetzterZugNr() == 0 ? spiel.StartZug() : spiel.Spielzuege()[spiel.LetzterZugNr()].Zug;
  const Spielende ende = PruefeSpielende(z);
  if (ende.gewinnDurchQuarne) return c == clSchwarz ? "Weiß gewinnt" : "Schwarz gewinnt";
  if (ende.gewinnDurchBlock) return c == clWeiss ? "Weiß geblockt" : "Schwarz geblockt";
  if (ende.remisDurchLimit) return "20. Zug ohne Quarne";
  if (ende.remisDurchWdh) return "3. Zugwiederholung";
  return "Nächster Zug";
}

QString Vorsilbe(TSpieler spieler, bool spVsSp) {
  if (spVsSp) return spieler == csHuman ? "S1: " : "S2: ";
  return spieler == csHuman ? "S: " : "C: ";
}

// Paints what the model says about a cell; the selection is not drawn, the shown position is
// marked by its row colour.
class ZugListenDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    p->fillRect(option.rect, index.data(Qt::BackgroundRole).value<QColor>());
    const QColor schrift = index.data(Qt::ForegroundRole).value<QColor>();
    p->setPen(schrift);
    p->setFont(option.font);
    p->drawText(option.rect.adjusted(5, 0, 0, 0),
                Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                index.data(Qt::DisplayRole).toString());
    if (option.state & QStyle::State_HasFocus) {
      p->setPen(QPen(schrift, 1, Qt::DotLine));
      p->drawRect(option.rect.adjusted(1, 1, -2, -2));
    }
  }
};

}  // namespace

ListenZelle ZeichneZugListe(const Spielstand& spiel, bool spVsSp, int spalte, int zeile) {
  if (zeile == 0) {
    if (spalte == 0) return {"0", kSilber, kSchwarz};
    return {"Start", spiel.AktZugNr() == 1 ? kGelb : kSilber, kSchwarz};
  }
  const int letzte = spiel.LetzterZugNr() + 1;
  // The grid's row count follows the record only after a change; until then draw nothing.
  if (zeile > letzte) return {{}, kWeiss, kSchwarz};

  const TFarbe c = spiel.FarbeVonZug(zeile);
  if (zeile == letzte) return {spalte == 0 ? QString() : EndeText(spiel, c), kWeiss, kSchwarz};

  const TSpielZug& s = spiel.Spielzuege()[zeile];
  if (spalte == 0) {
    // The computer announces a win in that many moves.
    if (s.Zug.Wertung.ZugResGesamt == rsWIN && s.Spieler == csComputer && !spVsSp)
      return {QString("%1 | %2").arg(zeile).arg(s.Zug.Wertung.ResultInXZuegen + 1), kRot, kWeiss};
    return FarbZelle(QString::number(zeile), c);
  }
  const QString text = Vorsilbe(s.Spieler, spVsSp) +
                       QString::fromStdString(ZugText(s.Zug.VonPosition, s.Zug.NachPosition,
                                                      s.Zug.EntfStein, s.Zug.EntfStein != 0));
  if (zeile == spiel.AktZugNr() - 1) return {text, kGelb, kSchwarz};
  return FarbZelle(text, c);
}

// The cells are computed from the game whenever they are drawn; the model only knows the row
// count the window sets.
class ZugListenModell : public QAbstractTableModel {
 public:
  using QAbstractTableModel::QAbstractTableModel;

  const Spielstand* spiel = nullptr;
  const SpielOptionen* optionen = nullptr;

  int rowCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : zeilen_; }
  int columnCount(const QModelIndex& parent) const override { return parent.isValid() ? 0 : 2; }

  QVariant data(const QModelIndex& index, int role) const override {
    if (!spiel || !optionen) return {};
    const ListenZelle z = ZeichneZugListe(*spiel, optionen->SpVsSpCB, index.column(), index.row());
    switch (role) {
      case Qt::DisplayRole:
        return z.text;
      case Qt::BackgroundRole:
        return z.hintergrund;
      case Qt::ForegroundRole:
        return z.schrift;
      default:
        return {};
    }
  }

  void SetzeZeilen(int n) {
    if (n > zeilen_) {
      beginInsertRows({}, zeilen_, n - 1);
      zeilen_ = n;
      endInsertRows();
    } else if (n < zeilen_) {
      beginRemoveRows({}, n, zeilen_ - 1);
      zeilen_ = n;
      endRemoveRows();
    }
  }

 private:
  int zeilen_ = 0;
};

MovesGrid::MovesGrid(QWidget* parent) : QTableView(parent), modell_(new ZugListenModell(this)) {
  setObjectName("MovesGrid");
  setFont(QFont("Tahoma", 8));
  setModel(modell_);
  setItemDelegate(new ZugListenDelegate(this));
  horizontalHeader()->hide();
  verticalHeader()->hide();
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(kZeilenHoehe);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollMode(ScrollPerItem);
  setSelectionMode(SingleSelection);
  setEditTriggers(NoEditTriggers);
  setTabKeyNavigation(false);
  setWordWrap(false);
  setCornerButtonEnabled(false);
}

void MovesGrid::SetzeSpiel(const Spielstand* spiel, const SpielOptionen* optionen) {
  modell_->spiel = spiel;
  modell_->optionen = optionen;
  Neuzeichnen();
}

void MovesGrid::SetzeZeilenAnzahl(int zeilen) {
  modell_->SetzeZeilen(zeilen);
  // The scroll range must follow at once: the window sets the top row right after.
  updateGeometries();
}

void MovesGrid::SetzeAuswahl(int zeile) {
  if (waehlend_) return;
  setCurrentIndex(modell_->index(zeile, 1));
}

void MovesGrid::Neuzeichnen() {
  viewport()->update();
}

int MovesGrid::SichtbareZeilen() const {
  return viewport()->height() / kZeilenHoehe;
}

int MovesGrid::ObersteZeile() const {
  return verticalScrollBar()->value();
}

void MovesGrid::SetzeObersteZeile(int zeile) {
  verticalScrollBar()->setValue(zeile);
}

void MovesGrid::ScrolleNachZug(int aktZugNr) {
  const int sichtbar = SichtbareZeilen();
  SetzeObersteZeile(sichtbar < aktZugNr + 1 ? aktZugNr - sichtbar + 1 : 0);
}

void MovesGrid::ScrolleVor(int aktZugNr) {
  const int sichtbar = SichtbareZeilen();
  SetzeObersteZeile(sichtbar >= aktZugNr ? 0 : aktZugNr - sichtbar + 1);
}

void MovesGrid::ScrolleZurueck(int aktZugNr) {
  if (aktZugNr - 1 < ObersteZeile()) SetzeObersteZeile(aktZugNr - 1);
}

void MovesGrid::SetzeSpaltenBreiten() {
  const QFontMetrics fm = fontMetrics();
  setColumnWidth(0, fm.horizontalAdvance("123 | 12"));
  setColumnWidth(1, width() - fm.horizontalAdvance("xxxxx"));
}

void MovesGrid::Waehle(const QModelIndex& index) {
  waehlend_ = true;
  setCurrentIndex(index);
  emit ZugGewaehlt(index.column(), index.row());
  waehlend_ = false;
}

void MovesGrid::keyPressEvent(QKeyEvent* event) {
  const QModelIndex vorher = currentIndex();
  QTableView::keyPressEvent(event);
  if (currentIndex().isValid() && currentIndex() != vorher) Waehle(currentIndex());
}

void MovesGrid::mousePressEvent(QMouseEvent* event) {
  // The arrow keys step on through the list from the row clicked.
  setFocus(Qt::MouseFocusReason);
  const QModelIndex index = indexAt(event->position().toPoint());
  if (event->button() == Qt::LeftButton && index.isValid()) Waehle(index);
}

// The list scrolls by rows only. Column 1 may reach past the visible width (the measured
// widths leave no room for the scroll bar); its end is blank and is never scrolled to.
void MovesGrid::scrollTo(const QModelIndex& index, ScrollHint hint) {
  QTableView::scrollTo(index.sibling(index.row(), 0), hint);
}

// Dragging over the list does not pick rows; only the press does.
void MovesGrid::mouseMoveEvent(QMouseEvent*) {}

}  // namespace quarne
