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
#include <exception>

#include "readings/readings.h"
#include "ui/busy_cursor.h"
#include "ui/guarded.h"
#include "ui/kanji_rewrite.h"
#include "ui/kept_readings.h"
#include "ui/mark_decoration.h"
#include "ui/mark_tracker.h"
#include "ui/review.h"
#include "ui/units.h"
#include "ui/word_menu.h"

namespace ui {
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
      kept_(std::make_unique<KeptReadings>(std::move(remembered), box, messages)),
      tracker_(new MarkTracker(box)),
      decoration_(new MarkDecoration(box, tracker_->Marks())),
      rewrite_(std::make_unique<KanjiRewrite>(box, *tracker_, *decoration_)),
      menu_(new WordMenu(box, *tracker_, *decoration_, *kept_, messages)),
      review_(std::make_unique<Review>(box, tracker_->Marks())) {
  setObjectName(QStringLiteral("KanjiReadings"));
  rewrite_action_ = new QAction(QStringLiteral(u"汉字→假名 (F7)"), this);
  rewrite_action_->setObjectName(QStringLiteral("RewriteKanji"));
  connect(rewrite_action_, &QAction::triggered, this, &KanjiReadings::Rewrite);
  connect(tracker_, &MarkTracker::Changed, decoration_, &MarkDecoration::DrawLater);

  box->setContextMenuPolicy(Qt::CustomContextMenu);
  connect(box, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    Guarded(
        box_, messages_, [&] { ShowMenu(Marks().IndexAt(CharacterAt(*box_, position)), position); },
        messages::RewriteFailed);
  });
  box->installEventFilter(this);
}

KanjiReadings::~KanjiReadings() = default;

const ReadingMarks& KanjiReadings::Marks() const { return tracker_->Marks(); }

bool KanjiReadings::InStep() const { return tracker_->InStep(); }

bool KanjiReadings::Open() {
  QString reason;
  bool unreadable = false;
  {
    const BusyCursor busy;
    try {
      // The reader takes the readings kept from kept_ at each read, as they are then.
      reader_ =
          std::make_unique<readings::Reader>(dictionary_, kanji_list_, word_list_, &kept_->Words());
    } catch (const readings::DictionaryError& error) {
      unreadable = true;
      reason = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
      reason = Reason(error);
    }
  }
  if (reader_) return true;
  messages_.Show(box_, unreadable
                           ? messages::DictionaryMissing(FromUnits(dictionary_.u16string()), reason)
                           : messages::RewriteFailed(reason));
  return false;
}

void KanjiReadings::Rewrite() {
  Guarded(
      box_, messages_,
      [this] {
        if (!reader_ && !Open()) return;
        kept_->Refresh();
        rewrite_->Run(*reader_);
      },
      messages::RewriteFailed);
}

void KanjiReadings::ReviewNext(bool back) {
  const int index = review_->Next(back);
  if (index < 0) return;
  QTextCursor start_of_word(box_->document());
  start_of_word.setPosition(Marks().At(index).position);
  ShowMenu(index, box_->cursorRect(start_of_word).bottomLeft());
}

QMenu* KanjiReadings::CreateContextMenu(const QPoint& position) {
  return menu_->Create(Marks().IndexAt(CharacterAt(*box_, position)), position, rewrite_action_,
                       reader_.get());
}

void KanjiReadings::ShowMenu(int index, const QPoint& viewport_position) {
  QMenu* menu = menu_->Create(index, viewport_position, rewrite_action_, reader_.get());
  menu->setAttribute(Qt::WA_DeleteOnClose);
  menu->popup(box_->viewport()->mapToGlobal(viewport_position));
}

void KanjiReadings::ShowMenuAtCursor() {
  const int at = box_->textCursor().selectionStart();
  int index = Marks().IndexAt(at);
  if (index < 0 && at > 0) index = Marks().IndexAt(at - 1);
  QTextCursor place(box_->document());
  place.setPosition(index >= 0 ? Marks().At(index).position : box_->textCursor().position());
  ShowMenu(index, box_->cursorRect(place).bottomLeft());
}

bool KanjiReadings::eventFilter(QObject* /*watched*/, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  // The keys are read as keys of the box, not as shortcuts, so that they work wherever the box
  // gets the keys, also before its window has been activated.
  const auto* key = static_cast<QKeyEvent*>(event);
  const Qt::KeyboardModifiers modifiers = key->modifiers() & ~Qt::KeypadModifier;
  if (key->key() == Qt::Key_F7 && modifiers == Qt::NoModifier) {
    Rewrite();
    return true;
  }
  if (key->key() == Qt::Key_F8 && (modifiers == Qt::NoModifier || modifiers == Qt::ShiftModifier)) {
    Guarded(
        box_, messages_, [&] { ReviewNext(modifiers == Qt::ShiftModifier); },
        messages::RewriteFailed);
    return true;
  }
  const bool menu_key = (key->key() == Qt::Key_Menu && modifiers == Qt::NoModifier) ||
                        (key->key() == Qt::Key_F10 && modifiers == Qt::ShiftModifier);
  if (menu_key) {
    Guarded(
        box_, messages_, [this] { ShowMenuAtCursor(); }, messages::RewriteFailed);
  }
  return menu_key;
}

}  // namespace ui
