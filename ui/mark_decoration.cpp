// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/mark_decoration.h"

#include <QHelpEvent>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QTimer>
#include <QToolTip>
#include <algorithm>

#include "readings/readings.h"
#include "ui/reading_marks.h"
#include "ui/units.h"

namespace ui {
namespace {

// Kanji runs that reach into the visible part from outside it are found from this far away.
constexpr int kLongestRun = 64;

QTextCharFormat MarkFormat(const Mark& mark) {
  QTextCharFormat format;
  switch (mark.kind) {
    case MarkKind::kRead:
      format.setBackground(QColor(0x1F, 0x3F, 0x5F));
      break;
    case MarkKind::kGuess:
      format.setBackground(QColor(0x4F, 0x2F, 0x5F));
      break;
    case MarkKind::kGiven:
      format.setBackground(QColor(0x1F, 0x4F, 0x3F));
      break;
    case MarkKind::kParticle:
      format.setBackground(QColor(0x5F, 0x3F, 0x1F));
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

}  // namespace

QString SungParticle(const QString& written) {
  const char16_t sung = written.size() == 1 ? readings::SungAsParticle(written[0].unicode()) : 0;
  return sung != 0 ? QString(QChar(sung)) : written;
}

QString ParticleNote(const ReadingMarks::Word& word) {
  const QString sung = SungParticle(word.original);
  return word.reading == word.original
             ? QStringLiteral(u"「%1」也可能是助词，助词唱作「%2」").arg(word.original, sung)
             : QStringLiteral(u"助词「%1」按唱法写作「%2」").arg(word.original, sung);
}

int CharacterAt(const QPlainTextEdit& box, const QPoint& point) {
  const QTextCursor cursor = box.cursorForPosition(point);
  return point.x() >= box.cursorRect(cursor).x() ? cursor.position() : cursor.position() - 1;
}

MarkDecoration::MarkDecoration(QPlainTextEdit* box, const ReadingMarks& marks)
    : QObject(box), box_(box), marks_(marks) {
  // The box lays out an edit only after telling of it, so the marks are drawn afterwards.
  later_ = new QTimer(this);
  later_->setSingleShot(true);
  later_->setInterval(0);
  connect(later_, &QTimer::timeout, this, &MarkDecoration::Draw);
  connect(box->verticalScrollBar(), &QScrollBar::valueChanged, later_, qOverload<>(&QTimer::start));
  // A scroll by the keys (Ctrl+Home, Page Down) moves the viewport only after the scroll bar.
  connect(box, &QPlainTextEdit::updateRequest, this, [this](const QRect&, int scrolled) {
    if (scrolled != 0) later_->start();
  });
  box->viewport()->installEventFilter(this);
}

void MarkDecoration::DrawLater() { later_->start(); }

void MarkDecoration::Draw() {
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

bool MarkDecoration::InKanjiRun(int position) const {
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

QString MarkDecoration::ToolTipAt(int position) const {
  if (const int index = marks_.IndexAt(position); index >= 0) {
    const Mark mark = marks_.At(index);
    const QString original = marks_.WordAt(mark.word).original;
    if (mark.kind == MarkKind::kUnread) {
      return QStringLiteral(u"词典里没有这些汉字的读音，请自己改写");
    }
    if (mark.kind == MarkKind::kGiven) {
      return QStringLiteral(u"原文：%1（读音是歌词里括号中给出的，右键可选择其他读音）")
          .arg(original);
    }
    if (mark.kind == MarkKind::kGuess) {
      return QStringLiteral(u"原文：%1（读音是猜的，按 F8 逐个检查，右键可选择其他读音）")
          .arg(original);
    }
    if (mark.kind == MarkKind::kParticle) {
      return ParticleNote(marks_.WordAt(mark.word)) +
             (mark.to_check ? QStringLiteral(u"（不一定是助词，按 F8 逐个检查，右键可改）")
                            : QStringLiteral(u"（右键可改回原文）"));
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

bool MarkDecoration::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString tip = ToolTipAt(CharacterAt(*box_, help->pos()));
    if (tip.isEmpty()) {
      QToolTip::hideText();
    } else {
      QToolTip::showText(help->globalPos(), tip, box_->viewport());
    }
    return true;
  }
  if (event->type() == QEvent::Resize) DrawLater();
  return QObject::eventFilter(watched, event);
}

}  // namespace ui
