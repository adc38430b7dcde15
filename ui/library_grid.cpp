#include "ui/library_grid.h"

#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QScrollBar>
#include <QStyledItemDelegate>

#include "library/model.h"
#include "ui/design.h"

namespace quarne {
namespace {

const QColor kTitelSpalteOben(239, 239, 239);
const QColor kTitelSpalteUnten(255, 245, 221);
const QColor kGrauZelle(222, 222, 222);
const QColor kOrange(255, 240, 200);
// Rows 0 to 6 count positions; the rows below count them by depth.
constexpr int kErsteTiefenZeile = 7;

QString Titel(int zeile) {
  static const char* const kOben[kErsteTiefenZeile] = {
      "Anzahl der registrierten Stellungen",   "Zu berechnende Stlg (Computer Weiß)",
      "Zu berechnende Stlg (Spieler Weiß)",    "Speicherbedarf in MB (RAM)",
      "Zu kalkulierende Stellungen insgesamt", "Davon noch unkalkulierte Stellungen",
      "Davon bereits kalkulierte Stelllungen"};
  if (zeile < kErsteTiefenZeile) return QString::fromUtf8(kOben[zeile]);
  const int d = zeile - kErsteTiefenZeile;
  return d == 1 ? "Denktiefe 1 Zug" : QString("Denktiefe %1 Züge").arg(d);
}

// Fills the cell and ends its text two blanks before the right edge.
class ZellMaler final : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;
  void paint(QPainter* p, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override {
    p->fillRect(option.rect, BibZellFarbe(index.column() + 1, index.row()));
    const QString text = index.data().toString();
    if (text.isEmpty()) return;
    const int rand = option.fontMetrics.horizontalAdvance("  ");
    p->setPen(kSchwarz);
    p->setFont(option.font);
    p->drawText(option.rect.adjusted(0, 0, -rand, 0), Qt::AlignRight | Qt::AlignVCenter, text);
  }
};

}  // namespace

QString ZahlText(double wert, int dezimalen) {
  if (wert == 0) return {};
  if (wert > 9999999) return QLocale().toString(wert / 1000, 'f', dezimalen) + " T";
  return QLocale().toString(wert, 'f', dezimalen);
}

double BibMegabyte(std::int64_t eintraege) {
  return static_cast<double>(eintraege) * kBibZugBytes / 1048576;
}

QColor BibZellFarbe(int spalte, int zeile) {
  const bool oben = zeile < kErsteTiefenZeile;
  if (spalte == 1) return oben ? kTitelSpalteOben : kTitelSpalteUnten;
  if (spalte % 2 == 0) return oben ? kWeiss : kCreme;
  return oben ? kGrauZelle : kOrange;
}

BibGrid::BibGrid(QWidget* parent) : QTableWidget(kZeilen, kSpalten - 1, parent) {
  setObjectName("BibGrid");
  setItemDelegate(new ZellMaler(this));
  setEditTriggers(NoEditTriggers);
  setSelectionMode(NoSelection);
  setFocusPolicy(Qt::NoFocus);
  setHorizontalScrollMode(ScrollPerItem);
  setVerticalScrollMode(ScrollPerItem);
  horizontalHeader()->hide();
  // The row titles are the grid's fixed column.
  QHeaderView* titel = verticalHeader();
  titel->setSectionResizeMode(QHeaderView::Fixed);
  titel->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  titel->setDefaultSectionSize(D(27));
  QPalette pal = titel->palette();
  pal.setColor(QPalette::Button, kSilber);
  titel->setPalette(pal);
  for (int zeile = 0; zeile < kZeilen; ++zeile) {
    setVerticalHeaderItem(zeile, new QTableWidgetItem(Titel(zeile)));
    for (int spalte = 1; spalte < kSpalten; ++spalte)
      setItem(zeile, spalte - 1, new QTableWidgetItem);
  }
  connect(horizontalScrollBar(), &QScrollBar::valueChanged, this, &BibGrid::TopLeftChanged);
}

QString BibGrid::Zelle(int spalte, int zeile) const {
  return spalte == 0 ? verticalHeaderItem(zeile)->text() : item(zeile, spalte - 1)->text();
}

void BibGrid::SetzeZelle(int spalte, int zeile, const QString& text) {
  item(zeile, spalte - 1)->setText(text);
}

void BibGrid::SetzeSpaltenBreiten(int standard, int titel) {
  horizontalHeader()->setDefaultSectionSize(standard);
  verticalHeader()->setFixedWidth(titel);
}

int BibGrid::LinkeSpalte() const {
  return 1 + std::max(0, columnAt(0));
}

}  // namespace quarne
