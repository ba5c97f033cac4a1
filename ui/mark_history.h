// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#pragma once

#include <QObject>
#include <vector>

#include "ui/reading_marks.h"

class QTextDocument;

namespace ui {

class MarkUndoItem;

// The marks' side of a text box's undo history: for each command of the document's history, the
// changes it made to the marks, so that undoing or redoing the command by any path (keys, the
// context menu, undo() and redo() called on the box or on its document) takes them back or makes
// them again with the text.
//
// The changes of the program's own commands ride on the document's undo stack, as a custom undo
// item inside the command's edit block. Qt gives the user's edits no such place: it makes a typed
// character or a deletion a command of its own, outside any edit block, and merges the next ones
// into it, while a custom undo item joins a command only inside an edit block; added after the
// edit, it would be an undo step of its own and stop that merging. The changes of the user's
// commands are therefore kept here, each with the document's undo states before and after it, and
// are taken back when the document's undo state moves back over them. InStep() tells, and debug
// builds assert, that every undo and redo found the marks' changes of the command it took.
class MarkHistory : public QObject {
  Q_OBJECT

 public:
  MarkHistory(QTextDocument* document, ReadingMarks& marks, QObject* parent);
  ~MarkHistory() override;

  // Inside the edit block of a change of the program's own, once the command holds an edit:
  // puts the marks' record of the command on the document's undo stack.
  void OpenOwnCommand();
  // After the program's own change: `change` is what it did to the marks.
  void CloseOwnCommand(ReadingMarks::Change change);

  // How a change of the text that the program did not make was taken.
  enum class Taken {
    kReplayed,  // an undo or redo, whose marks' changes are taken back or made again
    kEdit,      // an edit, to be followed
    kUnknown,   // an undo or redo of a command the marks know nothing of: they are out of step
  };
  // Takes a change of the text that the program did not make; `new_command` when the document
  // announced a new command for it.
  Taken Take(bool new_command);
  // Keeps `change`, of the user's edit just taken, with its command.
  void AddEdit(ReadingMarks::Change change, bool new_command);
  // Forgets every command: the text was set anew.
  void Clear();

  // Whether every undo and redo so far found the marks' changes of its command.
  bool InStep() const { return in_step_; }

 private:
  friend class MarkUndoItem;

  // One command of the document's undo history.
  struct Command {
    int before;                                 // the document's undo state before it
    int after;                                  // and after it
    MarkUndoItem* item;                         // for the program's own: it keeps the changes
    std::vector<ReadingMarks::Change> changes;  // for the user's
  };

  // The document's undo state: how many steps of its history are done.
  int State() const;
  // Drops the commands undone from `state` on, which a new edit took out of the history.
  void DropUndone(int state);
  // Called by an item when the document undoes or redoes its command.
  void Replayed(const std::vector<ReadingMarks::Change>& changes, bool undo);
  // Called by an item that the document deletes.
  void Forget(const MarkUndoItem* item);
  // Notes that the marks' history fell out of step with the document's, and forgets it.
  void NoteOutOfStep();

  QTextDocument* document_;
  ReadingMarks& marks_;
  std::vector<Command> commands_;  // in the document's order
  int state_ = 0;                  // the document's undo state as last taken
  MarkUndoItem* open_ = nullptr;   // the item of the program's change under way
  int open_before_ = 0;
  bool replayed_ = false;  // an item has just taken its command back or made it again
  bool in_step_ = true;
};

}  // namespace ui
