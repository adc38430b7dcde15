// The window's keys: help, a new game, loading and saving a game, one move back. Each works on
// every tab and names its key in the tooltip of the control it stands for.
#include <QAction>
#include <QKeySequence>

#include "ui/main_tab.h"
#include "ui/main_window.h"
#include "ui/options_tab.h"

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

}  // namespace

void TQuarneForm::BaueTasten() {
  QAction* hilfe = Taste(this, "HilfeTaste", QKeySequence::HelpContents);
  QAction* neu = Taste(this, "NeuTaste", QKeySequence::New);
  QAction* laden = Taste(this, "LadenTaste", QKeySequence::Open);
  QAction* speichern = Taste(this, "SpeichernTaste", QKeySequence::Save);
  QAction* zurueck = Taste(this, "ZurueckTaste", QKeySequence::Undo);
  connect(hilfe, &QAction::triggered, this, [this] { ZeigeSeite("hilfe.html"); });
  connect(laden, &QAction::triggered, this, &TQuarneForm::LoadButnClick);
  connect(speichern, &QAction::triggered, this, &TQuarneForm::SaveButnClick);
  haupt_->SetzeTasten(neu, zurueck);
  optionen_->SetzeTasten(speichern, laden, hilfe);
}

}  // namespace quarne
