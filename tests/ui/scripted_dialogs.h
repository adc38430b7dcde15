// A dialog service for window tests: answers questions and picks files from a script, and
// records every box, file dialog and beep.
#pragma once

#include <gtest/gtest.h>

#include <QStringList>
#include <deque>

#include "ui/dialogs.h"

namespace quarne::test {

struct SkriptDialoge final : DialogDienst {
  std::deque<bool> antworten;
  // The files the next dialogs choose; an empty name cancels.
  std::deque<QString> dateien;
  QStringList fragen, nachrichten;
  // Filter, starting folder or proposed path, and (when saving) default extension of each file
  // dialog.
  QStringList dateiDialoge;
  // The pages the desktop was asked to show, and whether it has a browser to show them.
  QStringList seiten;
  bool browser = true;
  int beeps = 0;

  void ShowMessagePos(const QString& text) override { nachrichten << text; }
  bool Frage(const QString& text) override {
    fragen << text;
    if (antworten.empty()) {
      ADD_FAILURE() << "unerwartete Frage " << text.toStdString();
      return false;
    }
    const bool a = antworten.front();
    antworten.pop_front();
    return a;
  }
  void Beep() override { ++beeps; }
  QString OeffneDatei(const QString& filter, const QString& ordner) override {
    dateiDialoge << filter + " " + ordner;
    return NaechsteDatei();
  }
  QString SpeichereDatei(const QString& filter, const QString& vorschlag,
                         const QString& endung) override {
    dateiDialoge << filter + " " + vorschlag + " " + endung;
    return NaechsteDatei();
  }
  bool OeffneSeite(const QString& datei) override {
    seiten << datei;
    return browser;
  }

 private:
  QString NaechsteDatei() {
    if (dateien.empty()) {
      ADD_FAILURE() << "unerwarteter Dateidialog";
      return {};
    }
    const QString d = dateien.front();
    dateien.pop_front();
    return d;
  }
};

}  // namespace quarne::test
