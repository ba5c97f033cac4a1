// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/kanji_readings.h"

#include <QAction>
#include <QCoreApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <exception>
#include <new>
#include <optional>

#include "readings/readings.h"
#include "ui/busy_cursor.h"
#include "ui/mark_decoration.h"
#include "ui/mark_tracker.h"
#include "ui/undo_routing.h"
#include "ui/units.h"

namespace ui {
namespace {

// Where the text position `at` is after `found` are put in: behind the same text, or behind the
// reading of a word that held it.
int Moved(int at, const std::vector<readings::Replacement>& found) {
  int moved = at;
  for (const readings::Replacement& replacement : found) {
    const int position = int(replacement.position);
    const int length = int(replacement.length);
    if (replacement.readings.empty() || position >= at) continue;
    const int grown = int(replacement.readings.front().size()) - length;
    moved += position + length <= at ? grown : position + length - at + grown;
  }
  return moved;
}

// `configured` as it is when absolute, else from the program's folder.
std::filesystem::path FromProgramFolder(const std::filesystem::path& configured) {
  if (configured.is_absolute()) return configured;
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()) /
         configured;
}

// Why `failure` happened, in the user's words.
QString Reason(const std::exception& failure) {
  if (dynamic_cast<const std::bad_alloc*>(&failure) != nullptr) {
    return QStringLiteral(u"内存不足");
  }
  return QString::fromUtf8(failure.what());
}

}  // namespace

std::filesystem::path DictionaryFolder() { return FromProgramFolder(MELIVANT_DICTIONARY_DIR); }

std::filesystem::path KanjiListFile() { return FromProgramFolder(MELIVANT_KANJI_LIST); }

std::filesystem::path WordListFile() { return FromProgramFolder(MELIVANT_WORD_LIST); }

KanjiReadings::KanjiReadings(QPlainTextEdit* box, MessagePresenter& messages,
                             std::filesystem::path dictionary, std::filesystem::path kanji_list,
                             std::filesystem::path word_list, QString remembered)
    : QObject(box),
      box_(box),
      messages_(messages),
      dictionary_(std::move(dictionary)),
      kanji_list_(std::move(kanji_list)),
      word_list_(std::move(word_list)),
      remembered_(std::move(remembered)),
      tracker_(new MarkTracker(box)),
      undo_routing_(new UndoRouting(box, *tracker_)),
      decoration_(new MarkDecoration(box, tracker_->Marks())) {
  setObjectName(QStringLiteral("KanjiReadings"));
  rewrite_ = new QAction(QStringLiteral(u"汉字→假名 (F7)"), this);
  rewrite_->setObjectName(QStringLiteral("RewriteKanji"));
  connect(rewrite_, &QAction::triggered, this,
          [this] { Guarded([this] { Rewrite(); }, messages::RewriteFailed); });
  connect(tracker_, &MarkTracker::Changed, decoration_, &MarkDecoration::DrawLater);

  box->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(box, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    Guarded([&] { ShowMenu(Marks().IndexAt(CharacterAt(*box_, position)), position); },
            messages::RewriteFailed);
  });
  box->installEventFilter(this);
}

KanjiReadings::~KanjiReadings() = default;

const ReadingMarks& KanjiReadings::Marks() const { return tracker_->Marks(); }

void KanjiReadings::Guarded(const std::function<void()>& handler,
                            Message (*failure)(const QString& reason)) {
  QString reason;
  try {
    handler();
    return;
  } catch (const std::exception& error) {
    reason = Reason(error);
  }
  messages_.Show(box_, failure(reason));
}

bool KanjiReadings::Open() {
  QString reason;
  bool unreadable = false;
  RememberedReadings::Contents kept;
  {
    const BusyCursor busy;
    try {
      auto reader = std::make_unique<readings::Reader>(dictionary_, kanji_list_, word_list_);
      kept = remembered_.Load();
      reader->Remember(std::move(kept.words));
      reader_ = std::move(reader);
    } catch (const readings::DictionaryError& error) {
      unreadable = true;
      reason = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
      reason = Reason(error);
    }
  }
  if (!reader_) {
    messages_.Show(
        box_, unreadable ? messages::DictionaryMissing(FromUnits(dictionary_.u16string()), reason)
                         : messages::RewriteFailed(reason));
    return false;
  }
  if (!kept.bad_lines.empty()) {
    messages_.Show(box_, messages::RememberedBadLines(remembered_.File(), kept.bad_lines));
  }
  return true;
}

void KanjiReadings::Rewrite() {
  if (!reader_ && !Open()) return;
  if (remembered_.Changed()) {
    // Edited by hand or by another copy of the program since it was read.
    RememberedReadings::Contents kept = remembered_.Load();
    reader_->Remember(std::move(kept.words));
    if (!kept.bad_lines.empty()) {
      messages_.Show(box_, messages::RememberedBadLines(remembered_.File(), kept.bad_lines));
    }
  }
  std::vector<readings::Replacement> found;
  QString failure;
  std::optional<BusyCursor> busy(std::in_place);
  // The raw text counts a line break as one code unit, as the cursor positions do.
  const QString text = box_->document()->toRawText();
  const QTextCursor selection = box_->textCursor();
  const bool selected = selection.hasSelection();
  const int at = selection.position();
  const int begin = selected ? selection.selectionStart() : 0;
  const int end = selected ? selection.selectionEnd() : int(text.size());
  try {
    // The menus order each word's other readings by its line when they open.
    found = reader_->Read(Units(text), static_cast<std::size_t>(begin),
                          static_cast<std::size_t>(end), readings::Reader::Order::kQuick);
  } catch (const std::exception& error) {
    failure = Reason(error);
  }
  busy.reset();
  if (!failure.isEmpty()) {
    messages_.Show(box_, messages::RewriteFailed(failure));
    return;
  }
  if (found.empty()) return;

  // Everything from the first word found to the last one is one change, made as one edit that
  // replaces each word read; earlier marks in between move with the text, and a mark of kanji
  // still unread gives way to what was found for them.
  const auto read = [](const readings::Replacement& r) { return !r.readings.empty(); };
  const int span_begin = int(found.front().position);
  const int span_end = int(found.back().position + found.back().length);
  std::vector<Mark> put;
  ReadingMarks& marks = tracker_->Marks();
  std::vector<Mark> earlier = marks.Between(span_begin, span_end);
  auto old = earlier.begin();
  int delta = 0;  // how much longer the text has grown so far
  for (const readings::Replacement& replacement : found) {
    const int position = int(replacement.position);
    const int length = int(replacement.length);
    for (; old != earlier.end() && old->position < position; ++old) {
      if (old->position + old->length > position) continue;  // read again
      put.push_back(*old);
      put.back().position += delta;
    }
    while (old != earlier.end() && old->position < position + length) ++old;
    const QString original = text.mid(position, length);
    Mark mark{position + delta, length, 0, MarkKind::kUnread, false};
    if (read(replacement)) {
      const QString reading = FromUnits(replacement.readings.front());
      mark.length = int(reading.size());
      mark.kind = replacement.given   ? MarkKind::kGiven
                  : replacement.guess ? MarkKind::kGuess
                                      : MarkKind::kRead;
      mark.to_check = !replacement.given && (replacement.guess || replacement.readings.size() > 1);
      mark.word = marks.WordOf(original, reading);
      delta += mark.length - length;
    } else {
      mark.word = marks.WordOf(original, original);
    }
    put.push_back(mark);
  }
  for (; old != earlier.end(); ++old) {
    put.push_back(*old);
    put.back().position += delta;
  }

  tracker_->Change(span_begin, span_end - span_begin, span_end - span_begin + delta, std::move(put),
                   [&found, &read](QTextCursor& edit) {
                     for (auto replacement = found.rbegin(); replacement != found.rend();
                          ++replacement) {
                       if (!read(*replacement)) continue;
                       edit.setPosition(int(replacement->position));
                       edit.setPosition(int(replacement->position + replacement->length),
                                        QTextCursor::KeepAnchor);
                       edit.insertText(FromUnits(replacement->readings.front()));
                     }
                   });

  QTextCursor cursor(box_->document());
  if (selected) {
    cursor.setPosition(begin);
    cursor.setPosition(end + delta, QTextCursor::KeepAnchor);
  } else {
    cursor.setPosition(Moved(at, found));
  }
  box_->setTextCursor(cursor);
  decoration_->Draw();
}

bool KanjiReadings::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  // The keys are read as keys of the box, not as shortcuts, so that they work wherever the box
  // gets the keys, also before its window has been activated.
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (key->key() == Qt::Key_F7 && modifiers == Qt::NoModifier) {
    Guarded([this] { Rewrite(); }, messages::RewriteFailed);
    return true;
  }
  if (key->key() == Qt::Key_F8 && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
    Guarded([&] { ReviewNext(modifiers == Qt::ShiftModifier); }, messages::RewriteFailed);
    return true;
  }
  const bool menu_key = (key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                        (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
  if (menu_key) {
    Guarded(
        [this] {
          const int index = MarkAtCursor();
          QTextCursor at(box_->document());
          at.setPosition(index >= 0 ? Marks().At(index).position : box_->textCursor().position());
          ShowMenu(index, box_->cursorRect(at).bottomLeft());
        },
        messages::RewriteFailed);
    return true;
  }
  return false;
}

}  // namespace ui
