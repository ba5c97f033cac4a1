// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/mark_history.h"

#include <QAbstractUndoItem>
#include <QPointer>
#include <QTextDocument>
#include <algorithm>

namespace ui {
namespace {

// Takes `changes`, those of one command, back from the last, or, unless `undo`, makes them again
// from the first.
void Replay(ReadingMarks& marks, const std::vector<ReadingMarks::Change>& changes, bool undo) {
  if (undo) {
    for (auto change = changes.rbegin(); change != changes.rend(); ++change) marks.Revert(*change);
  } else {
    for (const ReadingMarks::Change& change : changes) marks.Replay(change);
  }
}

}  // namespace

// The marks' changes of one command of the program's own, on the document's undo stack: the
// document undoes and redoes them with the command's text.
class MarkUndoItem : public QAbstractUndoItem {
 public:
  explicit MarkUndoItem(MarkHistory* history) : history_(history) {}
  ~MarkUndoItem() override {
    if (history_) history_->Forget(this);
  }

  void Add(ReadingMarks::Change change) { changes_.push_back(std::move(change)); }

  void undo() override {
    if (history_) history_->Replayed(changes_, true);
  }
  void redo() override {
    if (history_) history_->Replayed(changes_, false);
  }

 private:
  QPointer<MarkHistory> history_;
  std::vector<ReadingMarks::Change> changes_;
};

MarkHistory::MarkHistory(QTextDocument* document, ReadingMarks& marks, QObject* parent)
    : QObject(parent), document_(document), marks_(marks), state_(State()) {}

MarkHistory::~MarkHistory() = default;

int MarkHistory::State() const { return document_->availableUndoSteps(); }

void MarkHistory::OpenOwnCommand() {
  if (open_ != nullptr || !document_->isUndoRedoEnabled()) return;
  open_before_ = state_;
  open_ = new MarkUndoItem(this);
  document_->appendUndoItem(open_);
}

void MarkHistory::CloseOwnCommand(ReadingMarks::Change change) {
  const int now = State();
  if (open_ != nullptr) {
    DropUndone(open_before_);
    open_->Add(std::move(change));
    commands_.push_back({open_before_, now, std::exchange(open_, nullptr), {}});
  }
  state_ = now;
}

MarkHistory::Taken MarkHistory::Take(bool new_command) {
  const int now = State();
  if (std::exchange(replayed_, false)) {
    state_ = now;
    return Taken::kReplayed;
  }
  if (new_command || now == state_) return Taken::kEdit;
  // The document undid or redid a command of the user's.
  const bool undo = now < state_;
  const auto command = std::find_if(commands_.rbegin(), commands_.rend(), [&](const Command& c) {
    return undo ? c.after == state_ && c.before == now : c.before == state_ && c.after == now;
  });
  state_ = now;
  if (command == commands_.rend() || command->item != nullptr) {
    NoteOutOfStep();
    return Taken::kUnknown;
  }
  Replay(marks_, command->changes, undo);
  return Taken::kReplayed;
}

void MarkHistory::AddEdit(ReadingMarks::Change change, bool new_command) {
  const int now = State();
  const int before = std::exchange(state_, now);
  if (new_command) {
    DropUndone(before);
    commands_.push_back({before, now, nullptr, {std::move(change)}});
    return;
  }
  // Qt merged the edit into the last command.
  DropUndone(now);
  if (commands_.empty() || commands_.back().after != now) {
    NoteOutOfStep();
  } else if (commands_.back().item != nullptr) {
    commands_.back().item->Add(std::move(change));
  } else {
    commands_.back().changes.push_back(std::move(change));
  }
}

void MarkHistory::Clear() {
  commands_.clear();
  state_ = State();
}

void MarkHistory::DropUndone(int state) {
  while (!commands_.empty() && commands_.back().before >= state) commands_.pop_back();
}

void MarkHistory::Replayed(const std::vector<ReadingMarks::Change>& changes, bool undo) {
  Replay(marks_, changes, undo);
  replayed_ = true;
}

void MarkHistory::Forget(const MarkUndoItem* item) {
  std::erase_if(commands_, [item](const Command& command) { return command.item == item; });
  if (open_ == item) open_ = nullptr;
}

void MarkHistory::NoteOutOfStep() {
  in_step_ = false;
  commands_.clear();
  Q_ASSERT_X(false, "MarkHistory", "an undo or redo of a command whose marks' changes are unknown");
}

}  // namespace ui
