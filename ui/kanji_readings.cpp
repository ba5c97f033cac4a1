// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/kanji_readings.h"

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <exception>
#include <new>

#include "readings/readings.h"
#include "ui/busy_cursor.h"
#include "ui/messages.h"
#include "ui/units.h"

namespace ui {
namespace {

// Kanji runs that reach into the visible part from outside it are found from this far away.
constexpr int kLongestRun = 64;

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

QTextCharFormat MarkFormat(const Mark& mark) {
  QTextCharFormat format;
  switch (mark.kind) {
    case MarkKind::kRead:
      format.setBackground(QColor(0x1F, 0x3F, 0x5F));
      break;
    case MarkKind::kGuess:
      format.setBackground(QColor(0x4F, 0x2F, 0x5F));
      break;
    case MarkKind::kUnread:
      format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
      format.setUnderlineColor(QColor(0xFF, 0x40, 0x40));
      break;
  }
  if (mark.to_check && mark.kind != MarkKind::kUnread) {
    format.setUnderlineStyle(QTextCharFormat::DashUnderline);
    format.setUnderlineColor(QColor(0xFF, 0xD0, 0x40));
  }
  return format;
}

QTextCharFormat PendingFormat() {
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::DotLine);
  format.setUnderlineColor(QColor(0xFF, 0x80, 0x00));
  return format;
}

// `configured` as it is when absolute, else from the program's folder.
std::filesystem::path FromProgramFolder(const std::filesystem::path& configured) {
  if (configured.is_absolute()) return configured;
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()) /
         configured;
}

std::vector<std::pair<std::u16string, std::u16string>> InUnits(
    const std::vector<std::pair<QString, QString>>& words) {
  std::vector<std::pair<std::u16string, std::u16string>> units;
  for (const auto& [word, reading] : words) {
    units.emplace_back(word.toStdU16String(), reading.toStdU16String());
  }
  return units;
}

}  // namespace

std::filesystem::path DictionaryFolder() { return FromProgramFolder(MELIVANT_DICTIONARY_DIR); }

std::filesystem::path KanjiListFile() { return FromProgramFolder(MELIVANT_KANJI_LIST); }

KanjiReadings::KanjiReadings(QPlainTextEdit* box, MessagePresenter& messages,
                             std::filesystem::path dictionary, std::filesystem::path kanji_list,
                             QString remembered)
    : QObject(box),
      box_(box),
      messages_(messages),
      dictionary_(std::move(dictionary)),
      kanji_list_(std::move(kanji_list)),
      remembered_(std::move(remembered)) {
  setObjectName(QStringLiteral("KanjiReadings"));
  rewrite_ = new QAction(QStringLiteral(u"汉字→假名 (F7)"), this);
  rewrite_->setObjectName(QStringLiteral("RewriteKanji"));
  connect(rewrite_, &QAction::triggered, this, &KanjiReadings::Rewrite);

  box->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(box, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    ShowMenu(marks_.IndexAt(CharacterAt(position)), position);
  });
  QTextDocument* document = box->document();
  connect(document, &QTextDocument::undoCommandAdded, this, [this] { command_added_ = true; });
  connect(document, &QTextDocument::contentsChange, this, &KanjiReadings::FollowEdit);
  // The box lays out an edit only after telling of it, so the marks are drawn afterwards.
  decorate_ = new QTimer(this);
  decorate_->setSingleShot(true);
  decorate_->setInterval(0);
  connect(decorate_, &QTimer::timeout, this, &KanjiReadings::Decorate);
  connect(box->verticalScrollBar(), &QScrollBar::valueChanged, decorate_,
          qOverload<>(&QTimer::start));
  box->installEventFilter(this);
  box->viewport()->installEventFilter(this);
}

KanjiReadings::~KanjiReadings() = default;

bool KanjiReadings::Open() {
  QString reason;
  std::vector<int> bad_lines;
  {
    const BusyCursor busy;
    try {
      reader_ = std::make_unique<readings::Reader>(dictionary_, kanji_list_);
      bad_lines = remembered_.Load();
      reader_->Remember(InUnits(remembered_.Words()));
    } catch (const readings::DictionaryError& error) {
      reason = QString::fromUtf8(error.what());
    }
  }
  if (!reader_) {
    messages_.Show(box_, messages::DictionaryMissing(FromUnits(dictionary_.u16string()), reason));
    return false;
  }
  if (!bad_lines.empty()) {
    messages_.Show(box_, messages::RememberedBadLines(remembered_.File(), bad_lines));
  }
  return true;
}

void KanjiReadings::Rewrite() {
  if (!reader_ && !Open()) return;
  // The raw text counts a line break as one code unit, as the cursor positions do.
  const QString text = box_->document()->toRawText();
  const QTextCursor selection = box_->textCursor();
  const bool selected = selection.hasSelection();
  const int at = selection.position();
  const int begin = selected ? selection.selectionStart() : 0;
  const int end = selected ? selection.selectionEnd() : int(text.size());

  std::vector<readings::Replacement> found;
  QString failure;
  {
    const BusyCursor busy;
    try {
      found = reader_->Read(Units(text), static_cast<std::size_t>(begin),
                            static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
      failure = QStringLiteral(u"内存不足");
    } catch (const std::exception& error) {
      failure = QString::fromUtf8(error.what());
    }
  }
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
  std::vector<Mark> earlier = marks_.Between(span_begin, span_end);
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
      mark.kind = replacement.guess ? MarkKind::kGuess : MarkKind::kRead;
      mark.to_check = replacement.guess || replacement.readings.size() > 1;
      mark.word = marks_.WordOf(original, reading);
      delta += mark.length - length;
    } else {
      mark.word = marks_.WordOf(original, original);
    }
    put.push_back(mark);
  }
  for (; old != earlier.end(); ++old) {
    put.push_back(*old);
    put.back().position += delta;
  }

  const bool changes = std::any_of(found.begin(), found.end(), read);
  editing_ = true;
  if (changes) {
    QTextCursor edit(box_->document());
    edit.beginEditBlock();
    for (auto replacement = found.rbegin(); replacement != found.rend(); ++replacement) {
      if (!read(*replacement)) continue;
      edit.setPosition(int(replacement->position));
      edit.setPosition(int(replacement->position + replacement->length), QTextCursor::KeepAnchor);
      edit.insertText(FromUnits(replacement->readings.front()));
    }
    edit.endEditBlock();
  }
  editing_ = false;
  SyncUndoSteps();
  marks_.Edit(span_begin, span_end - span_begin, span_end - span_begin + delta,
              changes ? ReadingMarks::Step::kNewCommand : ReadingMarks::Step::kNoCommand,
              undo_steps_, std::move(put));

  QTextCursor cursor(box_->document());
  if (selected) {
    cursor.setPosition(begin);
    cursor.setPosition(end + delta, QTextCursor::KeepAnchor);
  } else {
    cursor.setPosition(Moved(at, found));
  }
  box_->setTextCursor(cursor);
  Decorate();
}

void KanjiReadings::ReviewNext(bool back) {
  const QTextCursor cursor = box_->textCursor();
  const int count = marks_.Count();
  // From the word after the selection (or before it), around the text once.
  int start = back ? marks_.FirstEndingAfter(cursor.selectionStart()) - 1
                   : marks_.FirstEndingAfter(cursor.selectionEnd());
  if (!back && start < count && marks_.At(start).position < cursor.selectionEnd()) ++start;
  for (int step = 0; step < count; ++step) {
    const int index = ((back ? start - step : start + step) % count + count) % count;
    const Mark mark = marks_.At(index);
    if (!mark.to_check || mark.kind == MarkKind::kUnread) continue;
    QTextCursor word(box_->document());
    word.setPosition(mark.position);
    word.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
    box_->setTextCursor(word);
    box_->ensureCursorVisible();
    QTextCursor start_of_word(box_->document());
    start_of_word.setPosition(mark.position);
    ShowMenu(index, box_->cursorRect(start_of_word).bottomLeft());
    return;
  }
}

QMenu* KanjiReadings::CreateContextMenu(const QPoint& position) {
  return CreateMenu(marks_.IndexAt(CharacterAt(position)), position);
}

void KanjiReadings::ShowMenu(int index, const QPoint& viewport_position) {
  QMenu* menu = CreateMenu(index, viewport_position);
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(box_->viewport()->mapToGlobal(viewport_position));
}

QMenu* KanjiReadings::CreateMenu(int index, const QPoint& viewport_position) {
  QMenu* menu = box_->createStandardContextMenu(viewport_position);
  // The box's own undo and redo go through this object too.
  for (QAction* action : menu->actions()) {
    const bool undo = action->objectName() == QStringLiteral("edit-undo");
    if (!undo && action->objectName() != QStringLiteral("edit-redo")) continue;
    disconnect(action, &QAction::triggered, nullptr, nullptr);
    connect(action, &QAction::triggered, this, [this, undo] { UndoOrRedo(!undo); });
  }
  if (index >= 0) {
    QAction* first = menu->actions().value(0);
    AddMarkActions(menu, first, index);
    menu->insertSeparator(first);
  }
  menu->addSeparator();
  menu->addAction(rewrite_);
  return menu;
}

void KanjiReadings::AddMarkActions(QMenu* menu, QAction* before, int index) {
  const Mark mark = marks_.At(index);
  const ReadingMarks::Word& word = marks_.WordAt(mark.word);
  auto note = [menu, before](const QString& text) {
    QAction* action = menu->addAction(text);
    action->setEnabled(false);
    menu->insertAction(before, action);
  };
  auto add = [this, menu, before](const QString& text, auto slot) {
    QAction* action = new QAction(text, menu);
    connect(action, &QAction::triggered, this, slot);
    menu->insertAction(before, action);
    return action;
  };
  if (mark.kind == MarkKind::kUnread) {
    note(QStringLiteral(u"词典里没有「%1」的读音").arg(word.original));
    return;
  }
  if (mark.kind == MarkKind::kGuess) {
    note(QStringLiteral(u"没有含「%1」的词，读音是按单个汉字猜的").arg(word.original));
  }
  // The marks are looked up again when an action runs: the menu may outlive them.
  const int position = mark.position;
  const QString original = word.original;
  const QString current = word.reading;
  const QStringList readings = ReadingsOf(mark);
  for (int k = 0; k < readings.size(); ++k) {
    const QString reading = readings[k];
    QAction* action =
        add(QStringLiteral("&%1 %2").arg(k + 1).arg(reading), [this, position, reading] {
          if (const int at = marks_.IndexAt(position); at >= 0) Replace({at}, reading);
        });
    action->setCheckable(true);
    action->setChecked(reading == current);
  }
  QAction* restore = add(QStringLiteral(u"原文：%1").arg(original), [this, position, original] {
    if (const int at = marks_.IndexAt(position); at >= 0) Replace({at}, original);
  });
  restore->setCheckable(true);
  restore->setChecked(current == original);
  const std::vector<int> repeats = Repeats(mark);
  if (repeats.size() > 1) {
    menu->insertSeparator(before);
    for (const QString& reading : readings) {
      if (reading == current) continue;
      add(QStringLiteral(u"全部改为「%1」（%2 处）").arg(reading).arg(repeats.size()),
          [this, position, reading] {
            if (const int at = marks_.IndexAt(position); at >= 0) {
              Replace(Repeats(marks_.At(at)), reading);
            }
          });
    }
  }
  menu->insertSeparator(before);
  const std::optional<QString> kept = remembered_.ReadingOf(original);
  if (kept != current) {
    add(QStringLiteral(u"记住「%1」读作「%2」").arg(original, current),
        [this, original, current] { Remember(original, current); });
  }
  if (kept) {
    add(QStringLiteral(u"忘记「%1」的读法").arg(original),
        [this, original] { Remember(original, {}); });
  }
}

QStringList KanjiReadings::ReadingsOf(const Mark& mark) {
  const ReadingMarks::Word& word = marks_.WordAt(mark.word);
  QStringList readings;
  if (reader_) {
    // The word's line, with the word as it was, read around it alone.
    const QTextBlock block = box_->document()->findBlock(mark.position);
    const int offset = mark.position - block.position();
    QString line = block.text();
    line.replace(offset, mark.length, word.original);
    try {
      const auto found = reader_->Read(Units(line), static_cast<std::size_t>(offset),
                                       static_cast<std::size_t>(offset + word.original.size()));
      if (found.size() == 1 && int(found[0].length) == int(word.original.size())) {
        for (const std::u16string& reading : found[0].readings) readings.append(FromUnits(reading));
      }
    } catch (const std::exception&) {
      // The menu then offers the reading that was put in.
    }
  }
  if (!readings.contains(word.reading) && word.reading != word.original) {
    readings.prepend(word.reading);
  }
  while (readings.size() > int(readings::kMaxAlternatives)) readings.removeLast();
  return readings;
}

std::vector<int> KanjiReadings::Repeats(const Mark& mark) const {
  // Words of the same original text and reading have the same number.
  std::vector<int> repeats;
  for (int index = 0; index < marks_.Count(); ++index) {
    const Mark other = marks_.At(index);
    if (other.word == mark.word && other.kind != MarkKind::kUnread) repeats.push_back(index);
  }
  return repeats;
}

void KanjiReadings::Replace(const std::vector<int>& indexes, const QString& reading) {
  if (indexes.empty()) return;
  const Mark first = marks_.At(indexes.front());
  const Mark last = marks_.At(indexes.back());
  std::vector<Mark> put = marks_.Between(first.position, last.position + last.length);
  editing_ = true;
  QTextCursor edit(box_->document());
  edit.beginEditBlock();
  int delta = 0;
  auto chosen = indexes.begin();
  for (Mark& mark : put) {
    mark.position += delta;
    if (chosen == indexes.end() || marks_.At(*chosen).position != mark.position - delta) continue;
    ++chosen;
    edit.setPosition(mark.position);
    edit.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
    edit.insertText(reading);
    const ReadingMarks::Word& word = marks_.WordAt(mark.word);
    mark.word = marks_.WordOf(word.original, reading);
    mark.to_check = false;
    delta += int(reading.size()) - mark.length;
    mark.length = int(reading.size());
  }
  edit.endEditBlock();
  editing_ = false;
  SyncUndoSteps();
  const int span = last.position + last.length - first.position;
  marks_.Edit(first.position, span, span + delta, ReadingMarks::Step::kNewCommand, undo_steps_,
              std::move(put));
  Decorate();
}

void KanjiReadings::Remember(const QString& word, const QString& reading) {
  const std::optional<RememberedReadings::Unsaved> unsaved = remembered_.Set(word, reading);
  if (reader_) reader_->Remember(InUnits(remembered_.Words()));
  if (!reading.isEmpty()) Checked(word, reading);
  if (unsaved) {
    messages_.Show(box_,
                   unsaved->bad_lines.empty()
                       ? messages::RememberedNotSaved(remembered_.File(), unsaved->error)
                       : messages::RememberedBadLines(remembered_.File(), unsaved->bad_lines));
  }
}

void KanjiReadings::Checked(const QString& original, const QString& reading) {
  const std::uint32_t word = marks_.WordOf(original, reading);
  for (int index = 0; index < marks_.Count(); ++index) {
    if (marks_.At(index).word == word) marks_.SetToCheck(index, false);
  }
  Decorate();
}

void KanjiReadings::FollowEdit(int position, int removed, int added) {
  // Undo and redo are taken once they are done, in UndoOrRedo.
  if (editing_ || undoing_) return;
  // The document counts its undo steps in operations, several to a command: typing on adds to
  // the last command, and a new command is announced before its change.
  using Step = ReadingMarks::Step;
  const int steps = box_->document()->availableUndoSteps();
  marks_.Edit(position, removed, added,
              command_added_                      ? Step::kNewCommand
              : steps == undo_steps_ && steps > 0 ? Step::kSameCommand
                                                  : Step::kNoHistory,
              steps);
  SyncUndoSteps();
  decorate_->start();
}

void KanjiReadings::UndoOrRedo(bool redo) {
  undoing_ = true;
  if (redo) {
    box_->redo();
  } else {
    box_->undo();
  }
  undoing_ = false;
  const int steps = box_->document()->availableUndoSteps();
  if (redo) {
    marks_.Redo(steps);
  } else {
    marks_.Undo(steps);
  }
  SyncUndoSteps();
  decorate_->start();
}

void KanjiReadings::SyncUndoSteps() {
  command_added_ = false;
  undo_steps_ = box_->document()->availableUndoSteps();
}

int KanjiReadings::CharacterAt(const QPoint& point) const {
  const QTextCursor cursor = box_->cursorForPosition(point);
  return point.x() >= box_->cursorRect(cursor).x() ? cursor.position() : cursor.position() - 1;
}

int KanjiReadings::MarkAtCursor() const {
  const QTextCursor cursor = box_->textCursor();
  const int at = cursor.selectionStart();
  const int index = marks_.IndexAt(at);
  return index >= 0 || at == 0 ? index : marks_.IndexAt(at - 1);
}

void KanjiReadings::Decorate() {
  const QRect area = box_->viewport()->rect();
  const int last = box_->document()->characterCount() - 1;
  const int from = std::max(0, box_->cursorForPosition(area.topLeft()).position() - kLongestRun);
  const int to =
      std::min(last, box_->cursorForPosition(area.bottomRight()).position() + kLongestRun);

  QList<QTextEdit::ExtraSelection> selections;
  auto select = [this, &selections](int position, int length, const QTextCharFormat& format) {
    QTextCursor cursor(box_->document());
    cursor.setPosition(position);
    cursor.setPosition(position + length, QTextCursor::KeepAnchor);
    selections.append({cursor, format});
  };
  const std::vector<Mark> visible_marks = marks_.Between(from, to);
  for (const Mark& mark : visible_marks) select(mark.position, mark.length, MarkFormat(mark));

  QTextCursor visible(box_->document());
  visible.setPosition(from);
  visible.setPosition(to, QTextCursor::KeepAnchor);
  const QString text = visible.selectedText();
  auto mark = visible_marks.begin();
  for (const auto& [run_position, run_length] : readings::KanjiRuns(Units(text))) {
    // The parts of the run that no mark holds.
    int at = from + int(run_position);
    const int run_end = at + int(run_length);
    while (at < run_end) {
      while (mark != visible_marks.end() && mark->position + mark->length <= at) ++mark;
      const int free_end =
          mark != visible_marks.end() ? std::min(run_end, mark->position) : run_end;
      if (free_end > at) select(at, free_end - at, PendingFormat());
      at = mark != visible_marks.end() && free_end < run_end ? mark->position + mark->length
                                                             : run_end;
    }
  }
  box_->setExtraSelections(selections);
}

bool KanjiReadings::InKanjiRun(int position) const {
  if (position < 0) return false;
  const QTextBlock block = box_->document()->findBlock(position);
  const int offset = position - block.position();
  const int from = std::max(0, offset - kLongestRun);
  const QString around = block.text().mid(from, 2 * kLongestRun);
  for (const auto& [run_position, run_length] : readings::KanjiRuns(Units(around))) {
    if (offset >= from + int(run_position) && offset < from + int(run_position + run_length)) {
      return true;
    }
  }
  return false;
}

QString KanjiReadings::ToolTipAt(int position) const {
  if (const int index = marks_.IndexAt(position); index >= 0) {
    const Mark mark = marks_.At(index);
    const QString original = marks_.WordAt(mark.word).original;
    if (mark.kind == MarkKind::kUnread) {
      return QStringLiteral(u"词典里没有这些汉字的读音，请自己改写");
    }
    if (mark.kind == MarkKind::kGuess) {
      return QStringLiteral(u"原文：%1（读音是猜的，按 F8 逐个检查，右键可选择其他读音）")
          .arg(original);
    }
    if (mark.to_check) {
      return QStringLiteral(u"原文：%1（读音待检查，按 F8 逐个检查，右键可选择其他读音）")
          .arg(original);
    }
    return QStringLiteral(u"原文：%1（右键可选择其他读音）").arg(original);
  }
  if (InKanjiRun(position)) return QStringLiteral(u"按 F7 把汉字改写成平假名");
  return {};
}

bool KanjiReadings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_) {
    if (event->type() != QEvent::KeyPress) return false;
    // The keys are read as keys of the box, not as shortcuts, so that they work wherever the box
    // gets the keys, also before its window has been activated.
    const auto* key = static_cast<QKeyEvent*>(event);
    const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
    // Undo and redo go through this object, which brings the marks back with the text.
    if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)) {
      UndoOrRedo(key->matches(QKeySequence::Redo));
      return true;
    }
    if (key->key() == Qt::Key_F7 && modifiers == Qt::NoModifier) {
      Rewrite();
      return true;
    }
    if (key->key() == Qt::Key_F8 &&
        (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
      ReviewNext(modifiers == Qt::ShiftModifier);
      return true;
    }
    const bool menu_key = (key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                          (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
    if (menu_key) {
      const int index = MarkAtCursor();
      QTextCursor at(box_->document());
      at.setPosition(index >= 0 ? marks_.At(index).position : box_->textCursor().position());
      ShowMenu(index, box_->cursorRect(at).bottomLeft());
      return true;
    }
    return false;
  }
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = ToolTipAt(CharacterAt(help->pos()));
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, box_->viewport());
    }
    return true;
  }
  if (event->type() == QEvent::Resize) decorate_->start();
  return QObject::eventFilter(watched, event);
}

}  // namespace ui
