// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

class QPlainTextEdit;

namespace readings {
class Reader;
}

namespace ui {

class MarkDecoration;
class MarkTracker;

// F7's rewrite: the kanji of a text box's selection, or of its whole text, put in hiragana as one
// undoable edit, each word marked with what was found for it, and the cursor kept by its text.
class KanjiRewrite {
 public:
  KanjiRewrite(QPlainTextEdit* box, MarkTracker& tracker, MarkDecoration& decoration);

  // Rewrites with `reader`; throws when reading fails, leaving the text and its marks as they
  // were.
  void Run(readings::Reader& reader);

 private:
  QPlainTextEdit* box_;
  MarkTracker& tracker_;
  MarkDecoration& decoration_;
};

}  // namespace ui
