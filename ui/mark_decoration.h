// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <QString>

#include "ui/reading_marks.h"

class QPlainTextEdit;
class QPoint;
class QTimer;

namespace ui {

// Draws the marks of a text box's rewritten words and the dotted underline of kanji not yet
// rewritten, in the visible part only, and tells what they are in tooltips.
class MarkDecoration : public QObject {
  Q_OBJECT

 public:
  MarkDecoration(QPlainTextEdit* box, const ReadingMarks& marks);

  // Draws the marks now.
  void Draw();
  // Draws the marks once the box has laid out its last edit.
  void DrawLater();

  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QString ToolTipAt(int position) const;
  // Whether the character at `position` belongs to a kanji run.
  bool InKanjiRun(int position) const;

  QPlainTextEdit* box_;
  const ReadingMarks& marks_;
  QTimer* later_;
};

// The text position of the character under `point` of the viewport of `box`.
int CharacterAt(const QPlainTextEdit& box, const QPoint& point);

// How the particle `written` (は or へ) is sung: わ, え.
QString SungParticle(const QString& written);

// What a particle's mark says of `word` (は or へ, and what is in its place): that it is written
// as sung, or that it may be a particle.
QString ParticleNote(const ReadingMarks::Word& word);

}  // namespace ui
