// The window's keys: help, a new game, loading and saving a game, one move back. Each works on
// every tab and names its key in the tooltip of the control it stands for.
#include <QAction>
#include <QKeySequence>
#include <QPushButton>

#include "ui/main_window.h"

namespace quarne {
namespace {

QAction* Taste(QWidget* fenster, const char* name, const QKeySequence& taste) {
  auto* a = new QAction(fenster);
  a->setObjectName(name);
  a->setShortcut(taste);
  a->setShortcutContext(Qt::WindowShortcut);
  fenster->addAction(a);
  return a;
}

// "Neues Spiel (Strg+N)", in the words of the user's desktop.
QString MitTaste(const QString& text, const QAction* taste) {
  return text + " (" + taste->shortcut().toString(QKeySequence::NativeText) + ")";
}

}  // namespace

void TQuarneForm::BaueTasten() {
  HilfeTaste = Taste(this, "HilfeTaste", QKeySequence::HelpContents);
  NeuTaste = Taste(this, "NeuTaste", QKeySequence::New);
  LadenTaste = Taste(this, "LadenTaste", QKeySequence::Open);
  SpeichernTaste = Taste(this, "SpeichernTaste", QKeySequence::Save);
  ZurueckTaste = Taste(this, "ZurueckTaste", QKeySequence::Undo);
  connect(HilfeTaste, &QAction::triggered, this, [this] { ZeigeSeite("hilfe.html"); });
  // As their buttons: a key does nothing where its button rests, during a search.
  connect(NeuTaste, &QAction::triggered, this, [this] {
    if (NeuBut->isEnabled()) NeuBut->click();
  });
  connect(ZurueckTaste, &QAction::triggered, this, [this] {
    if (ZurueckButn->isEnabled()) ZurueckButn->click();
  });
  connect(LadenTaste, &QAction::triggered, this, &TQuarneForm::LoadButnClick);
  connect(SpeichernTaste, &QAction::triggered, this, &TQuarneForm::SaveButnClick);

  HilfeButn->setToolTip(MitTaste("Hilfe anzeigen", HilfeTaste));
  NeuBut->setToolTip(MitTaste("Neues Spiel", NeuTaste));
  ZurueckButn->setToolTip(MitTaste("1 Zug zurück", ZurueckTaste));
  XBut->setToolTip(MitTaste("1 Zug zurück", ZurueckTaste));
  SaveButn->setToolTip(MitTaste("Auch über Popup", SpeichernTaste));
  LoadButn->setToolTip(MitTaste("Auch über Popup", LadenTaste));
}

}  // namespace quarne
