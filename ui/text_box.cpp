// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/text_box.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include "ui/ruby_paste.h"

namespace ui {
namespace {

// Paragraphs shorter than this are laid out again in well under a millisecond; keeping their
// layouts would only cost memory.
constexpr int kLongParagraph = 4096;

// A plain text box that takes a paste of lyrics with ruby readings as 運命（さだめ）, the reading
// kept in brackets after its word, rather than with the reading glued to it, and that redoes on
// Ctrl+Y on every system, as the program's help says and Windows users expect.
class TextBox : public QPlainTextEdit {
 public:
  using QPlainTextEdit::QPlainTextEdit;

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    const bool ctrl_y = event->key() == Qt::Key_Y &&
                        (event->modifiers() & ~Qt::KeypadModifier) == Qt::ControlModifier;
    if (ctrl_y && !isReadOnly()) {
      redo();
      event->accept();
      return;
    }
    QPlainTextEdit::keyPressEvent(event);
  }

  bool canInsertFromMimeData(const QMimeData* source) const override {
    return HasRuby(source) || QPlainTextEdit::canInsertFromMimeData(source);
  }

  void insertFromMimeData(const QMimeData* source) override {
    if (HasRuby(source)) {
      // As the box pastes plain text, so that undo takes the paste as any other.
      QMimeData plain;
      plain.setText(TextWithRubyReadings(source->text(), source->html()));
      QPlainTextEdit::insertFromMimeData(&plain);
    } else {
      QPlainTextEdit::insertFromMimeData(source);
    }
  }

 private:
  static bool HasRuby(const QMimeData* source) {
    return source->hasHtml() && HasRubyReadings(source->html());
  }
};

}  // namespace

QPlainTextEdit* CreateTextBox(QWidget* parent, const QString& accessible_name) {
  auto* box = new TextBox(parent);
  box->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  box->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  box->setTabChangesFocus(true);
  box->setAccessibleName(accessible_name);
  return box;
}

void KeepLongParagraphLayouts(QPlainTextEdit* box) {
  QTextDocument* document = box->document();
  QObject::connect(document, &QTextDocument::contentsChange, box,
                   [document](int position, int /*removed*/, int added) {
                     const int end = position + added;
                     for (QTextBlock block = document->findBlock(position);
                          block.isValid() && block.position() <= end; block = block.next()) {
                       if (block.length() > kLongParagraph) block.layout()->setCacheEnabled(true);
                     }
                   });
}

}  // namespace ui
