// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/kanji_readings.h"

#include <QAction>
#include <QCoreApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <QToolTip>
#include <algorithm>
#include <exception>
#include <new>
#include <string_view>

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

// The first of `marks` (in text order) that ends after `position`.
template <typename Marks>
auto FirstEndingAfter(Marks& marks, int position) {
  return std::upper_bound(marks.begin(), marks.end(), position, [](int at, const auto& mark) {
    return at < mark.position + mark.length;
  });
}

QTextCharFormat RewrittenFormat() {
  QTextCharFormat format;
  format.setBackground(QColor(0x1F, 0x3F, 0x5F));
  return format;
}

QTextCharFormat GuessFormat() {
  QTextCharFormat format;
  format.setBackground(QColor(0x4F, 0x2F, 0x5F));
  return format;
}

QTextCharFormat UnreadFormat() {
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::WaveUnderline);
  format.setUnderlineColor(QColor(0xFF, 0x40, 0x40));
  return format;
}

QTextCharFormat PendingFormat() {
  QTextCharFormat format;
  format.setUnderlineStyle(QTextCharFormat::DotLine);
  format.setUnderlineColor(QColor(0xFF, 0x80, 0x00));
  return format;
}

}  // namespace

namespace {

// `configured` as it is when absolute, else from the program's folder.
std::filesystem::path FromProgramFolder(const std::filesystem::path& configured) {
  if (configured.is_absolute()) return configured;
  return std::filesystem::path(QCoreApplication::applicationDirPath().toStdU16String()) /
         configured;
}

}  // namespace

std::filesystem::path DictionaryFolder() { return FromProgramFolder(MELIVANT_DICTIONARY_DIR); }

std::filesystem::path KanjiListFile() { return FromProgramFolder(MELIVANT_KANJI_LIST); }

KanjiReadings::KanjiReadings(QPlainTextEdit* box, MessagePresenter& messages,
                             std::filesystem::path dictionary, std::filesystem::path kanji_list)
    : QObject(box),
      box_(box),
      messages_(messages),
      dictionary_(std::move(dictionary)),
      kanji_list_(std::move(kanji_list)) {
  setObjectName(QStringLiteral("KanjiReadings"));
  rewrite_ = new QAction(QStringLiteral(u"汉字→假名 (F7)"), this);
  rewrite_->setObjectName(QStringLiteral("RewriteKanji"));
  connect(rewrite_, &QAction::triggered, this, &KanjiReadings::Rewrite);

  box->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(box, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    const std::unique_ptr<QMenu> menu(CreateContextMenu(position));
    menu->exec(box_->viewport()->mapToGlobal(position));
  });
  connect(box->document(), &QTextDocument::contentsChange, this, &KanjiReadings::FollowEdit);
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

bool KanjiReadings::OpenDictionary() {
  QString reason;
  {
    const BusyCursor busy;
    try {
      reader_ = std::make_unique<readings::Reader>(dictionary_, kanji_list_);
      return true;
    } catch (const readings::DictionaryError& error) {
      reason = QString::fromUtf8(error.what());
    }
  }
  messages_.Show(box_, messages::DictionaryMissing(FromUnits(dictionary_.u16string()), reason));
  return false;
}

void KanjiReadings::Rewrite() {
  if (!reader_ && !OpenDictionary()) return;
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

  // Everything from the first word read to the last one is replaced in one edit, and each word
  // is marked where it lands.
  const auto read = [](const readings::Replacement& r) { return !r.readings.empty(); };
  const auto first = std::find_if(found.begin(), found.end(), read);
  const auto last = std::find_if(found.rbegin(), found.rend(), read);
  const int span_begin = first == found.end() ? begin : int(first->position);
  const int span_end = first == found.end() ? begin : int(last->position + last->length);
  QString rewritten;  // the new text of [span_begin, span_end)
  std::vector<Mark> marks;
  int copied = span_begin;
  int delta = 0;  // how much longer the text has grown so far
  for (const readings::Replacement& replacement : found) {
    const int position = int(replacement.position);
    const int length = int(replacement.length);
    Mark mark{position + delta, length, text.mid(position, length), {}, replacement.guess};
    if (read(replacement)) {
      rewritten += QStringView(text).mid(copied, position - copied);
      rewritten += FromUnits(replacement.readings.front());
      copied = position + length;
      mark.length = int(replacement.readings.front().size());
      for (const std::u16string& reading : replacement.readings) {
        mark.readings.append(FromUnits(reading));
      }
      delta += mark.length - length;
    }
    marks.push_back(std::move(mark));
  }
  rewritten += QStringView(text).mid(copied, span_end - copied);

  if (span_end > span_begin) {
    QTextCursor edit(box_->document());
    edit.beginEditBlock();
    edit.setPosition(span_begin);
    edit.setPosition(span_end, QTextCursor::KeepAnchor);
    edit.insertText(rewritten);
    edit.endEditBlock();
  }
  // A word marked again (kanji still unread) keeps only its new mark.
  std::erase_if(marks_, [&marks](const Mark& old) {
    const auto next = FirstEndingAfter(marks, old.position);
    return next != marks.end() && next->position < old.position + old.length;
  });
  marks_.insert(marks_.end(), marks.begin(), marks.end());
  std::sort(marks_.begin(), marks_.end(),
            [](const Mark& a, const Mark& b) { return a.position < b.position; });

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

QMenu* KanjiReadings::CreateContextMenu(const QPoint& position) {
  QMenu* menu = box_->createStandardContextMenu(position);
  QAction* first = menu->actions().value(0);
  if (const Mark* mark = MarkAt(CharacterAt(position))) {
    if (mark->readings.isEmpty()) {
      QAction* none =
          new QAction(QStringLiteral(u"词典里没有「%1」的读音").arg(mark->original), menu);
      none->setEnabled(false);
      menu->insertAction(first, none);
    } else {
      if (mark->guess) {
        QAction* guess = new QAction(
            QStringLiteral(u"没有含「%1」的词，读音是按单个汉字猜的").arg(mark->original), menu);
        guess->setEnabled(false);
        menu->insertAction(first, guess);
      }
      const QString current = box_->document()->toRawText().mid(mark->position, mark->length);
      QList<QAction*> actions;
      QStringList choices = mark->readings;
      choices.append(mark->original);
      const int position_of_mark = mark->position;
      for (const QString& choice : choices) {
        const QString caption =
            choice == mark->original ? QStringLiteral(u"原文：%1").arg(choice) : choice;
        auto* action = new QAction(caption, menu);
        actions.append(action);
        action->setCheckable(true);
        action->setChecked(choice == current);
        connect(action, &QAction::triggered, this, [this, position_of_mark, choice] {
          if (Mark* chosen = MarkAt(position_of_mark)) Replace(*chosen, choice);
        });
      }
      menu->insertActions(first, actions);
    }
    menu->insertSeparator(first);
  }
  menu->addSeparator();
  menu->addAction(rewrite_);
  return menu;
}

void KanjiReadings::Replace(Mark& mark, const QString& text) {
  const int delta = int(text.size()) - mark.length;
  QTextCursor edit(box_->document());
  edit.setPosition(mark.position);
  edit.setPosition(mark.position + mark.length, QTextCursor::KeepAnchor);
  // The document tells of the edit when the block ends; the marks are moved here instead.
  editing_ = true;
  edit.beginEditBlock();
  edit.insertText(text);
  edit.endEditBlock();
  editing_ = false;
  mark.length = int(text.size());
  for (Mark& later : marks_) {
    if (later.position > mark.position) later.position += delta;
  }
  Decorate();
}

void KanjiReadings::FollowEdit(int position, int removed, int added) {
  if (editing_) return;
  std::erase_if(marks_, [&](Mark& mark) {
    if (mark.position + mark.length <= position) return false;
    if (mark.position >= position + removed) {
      mark.position += added - removed;
      return false;
    }
    return true;  // the edit changed the word
  });
  decorate_->start();
}

int KanjiReadings::CharacterAt(const QPoint& point) const {
  const QTextCursor cursor = box_->cursorForPosition(point);
  return point.x() >= box_->cursorRect(cursor).x() ? cursor.position() : cursor.position() - 1;
}

KanjiReadings::Mark* KanjiReadings::MarkAt(int position) {
  const auto found = FirstEndingAfter(marks_, position);
  return found != marks_.end() && found->position <= position ? &*found : nullptr;
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
  auto mark = FirstEndingAfter(marks_, from);
  for (auto m = mark; m != marks_.end() && m->position < to; ++m) {
    select(m->position, m->length,
           m->readings.isEmpty() ? UnreadFormat()
           : m->guess            ? GuessFormat()
                                 : RewrittenFormat());
  }

  QTextCursor visible(box_->document());
  visible.setPosition(from);
  visible.setPosition(to, QTextCursor::KeepAnchor);
  const QString text = visible.selectedText();
  for (const auto& [run_position, run_length] : readings::KanjiRuns(Units(text))) {
    // The parts of the run that no mark holds.
    int at = from + int(run_position);
    const int run_end = at + int(run_length);
    while (at < run_end) {
      while (mark != marks_.end() && mark->position + mark->length <= at) ++mark;
      const int free_end = mark != marks_.end() ? std::min(run_end, mark->position) : run_end;
      if (free_end > at) select(at, free_end - at, PendingFormat());
      at = mark != marks_.end() && free_end < run_end ? mark->position + mark->length : run_end;
    }
  }
  box_->setExtraSelections(selections);
}

QString KanjiReadings::ToolTipAt(int position) {
  if (const Mark* mark = MarkAt(position)) {
    if (mark->readings.isEmpty()) return QStringLiteral(u"词典里没有这些汉字的读音，请自己改写");
    if (mark->guess) {
      return QStringLiteral(u"原文：%1（读音是猜的，右键可选择其他读音）").arg(mark->original);
    }
    return QStringLiteral(u"原文：%1（右键可选择其他读音）").arg(mark->original);
  }
  const QChar c = box_->document()->characterAt(position);
  const char16_t unit = c.unicode();
  if (position >= 0 && !readings::KanjiRuns(std::u16string_view(&unit, 1)).empty()) {
    return QStringLiteral(u"按 F7 把汉字改写成平假名");
  }
  return {};
}

bool KanjiReadings::eventFilter(QObject* watched, QEvent* event) {
  if (watched == box_) {
    // F7 is read as a key of the box, not as a shortcut, so that it works wherever the box gets
    // the keys, also before its window has been activated.
    const auto* key = static_cast<QKeyEvent*>(event);
    if (event->type() == QEvent::KeyPress && key->key() == Qt::Key_F7 &&
        key->modifiers() == Qt::NoModifier) {
      Rewrite();
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
