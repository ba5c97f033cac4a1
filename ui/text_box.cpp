// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/text_box.h"

#include <QPlainTextEdit>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

namespace ui {
namespace {

// Paragraphs shorter than this are laid out again in well under a millisecond; keeping their
// layouts would only cost memory.
constexpr int kLongParagraph = 4096;

}  // namespace

QPlainTextEdit* CreateTextBox(QWidget* parent, const QString& accessible_name) {
  auto* box = new QPlainTextEdit(parent);
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
