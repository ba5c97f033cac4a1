// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/main_window.h"

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <optional>

#include "ui/appearance.h"
#include "ui/busy_cursor.h"
#include "ui/key_router.h"
#include "ui/messages.h"
#include "ui/text_box.h"

namespace ui {
namespace {

template <typename Widget>
Widget* Place(Widget* widget, const char* name, const QRect& geometry) {
  widget->setObjectName(QString::fromLatin1(name));
  widget->setGeometry(geometry);
  return widget;
}

}  // namespace

Main::Main(MessagePresenter& messages, std::filesystem::path dictionary, QWidget* parent)
    : QWidget(parent), messages_(messages), dictionary_(std::move(dictionary)) {
  setObjectName(QStringLiteral("Main"));
  setWindowTitle(QStringLiteral(u"MELIVANT系列辅助工具  V1.0.1"));
  setWindowIcon(AppIcon());
  setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setAttribute(Qt::WA_StyledBackground);
  setFixedSize(509, 433);
  setStyleSheet(StyleSheet());
  CreateControls();
  ConnectHandlers();
}

void Main::CreateControls() {
  // Positions in pixels; those inside Frame count from its top-left corner.
  Frame = Place(new QGroupBox(QStringLiteral(u"歌词平假名/片假名/罗马音处理"), this), "Frame",
                {4, 4, 501, 425});
  Label1 = Place(new QLabel(QStringLiteral(u"歌词输入："), Frame), "Label1", {8, 16, 60, 12});
  Input = Place(CreateTextBox(Frame, QStringLiteral(u"歌词输入")), "Input", {8, 32, 489, 113});
  LMY = Place(new QRadioButton(QStringLiteral(u"歌词罗马音→MELIVANT序列罗马音"), Frame), "LMY",
              {292, 152, 205, 17});
  PJM = Place(new QRadioButton(QStringLiteral(u"歌词平假名/片假名→MELIVANT序列罗马音"), Frame),
              "PJM", {8, 152, 249, 17});
  Label2 = Place(new QLabel(QStringLiteral(u"MELIVANT序列罗马音输出："), Frame), "Label2",
                 {8, 172, 144, 12});
  Output = Place(CreateTextBox(Frame, QStringLiteral(u"MELIVANT序列罗马音输出")), "Output",
                 {8, 188, 489, 193});
  Begin = Place(new QPushButton(QStringLiteral(u"开始转换"), Frame), "Begin", {8, 388, 105, 29});
  Exit = Place(new QPushButton(QStringLiteral(u"退出程序"), Frame), "Exit", {392, 388, 105, 29});

  // Labels take the size of their captions in the window's own font and style.
  for (QLabel* label : {Label1, Label2}) {
    label->ensurePolished();
    label->adjustSize();
  }
  // Enter presses Begin (see KeyRouter); marking it default shows that on the button.
  Begin->setDefault(true);
  // The user pastes and types lyrics of any length; the cursor blinks over them while idle.
  KeepLongParagraphLayouts(Input);
  // F7 rewrites the kanji of the lyrics into kana, which the kana mode then converts.
  new KanjiReadings(Input, messages_, dictionary_);
  // Only the program writes the output; the user selects and copies it.
  Output->setReadOnly(true);
  Output->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);

  setTabOrder(Input, LMY);
  setTabOrder(LMY, PJM);
  setTabOrder(PJM, Output);
  setTabOrder(Output, Begin);
  setTabOrder(Begin, Exit);
  KeepOneTabStop({LMY, PJM});
  Input->setFocus();
}

void Main::ConnectHandlers() {
  connect(Begin, &QPushButton::clicked, this, &Main::Begin_Click);
  connect(Exit, &QPushButton::clicked, this, &Main::Exit_Click);
  connect(PJM, &QRadioButton::toggled, this, [this](bool selected) {
    if (selected) PJM_Click();
  });
  connect(Input, &QPlainTextEdit::textChanged, this, &Main::Input_Change);

  auto* keys = new KeyRouter(Begin, Exit, this);
  for (QWidget* control :
       std::initializer_list<QWidget*>{this, Input, LMY, PJM, Output, Begin, Exit}) {
    control->installEventFilter(keys);
  }
}

void Main::setVisible(bool visible) {
  if (visible && !loaded_) {
    loaded_ = true;
    Form_Load();
  }
  QWidget::setVisible(visible);
}

LyricsMode Main::SelectedMode() const {
  if (PJM->isChecked()) return LyricsMode::kKana;
  if (LMY->isChecked()) return LyricsMode::kRomaji;
  return LyricsMode::kNone;
}

void Main::Form_Load() { messages_.Show(this, messages::Greeting()); }

void Main::Begin_Click() {
  std::optional<Message> message;
  std::optional<Span> culprit;
  const LyricsMode mode = SelectedMode();
  {
    const BusyCursor busy;
    // The document's raw text counts a line break as one code unit, as its cursor positions do.
    const QString lyrics = Input->document()->toRawText();
    try {
      CommandResult result = RunConversion(mode, lyrics);
      if (result.output) Output->setPlainText(*result.output);
      message = result.message;
      culprit = result.culprit;
    } catch (...) {
      // Whatever went wrong, the press ends here with the output as it was.
      message = messages::UnexpectedError();
      culprit = FindCulprit(mode, lyrics);
    }
  }
  if (message) messages_.Show(this, *message);
  if (culprit) SelectCulprit(*culprit);
}

void Main::SelectCulprit(Span culprit) {
  QTextCursor cursor(Input->document());
  cursor.setPosition(culprit.first);
  cursor.setPosition(culprit.first + culprit.second, QTextCursor::KeepAnchor);
  Input->setTextCursor(cursor);  // which also scrolls the selection into view
  Input->setFocus();
}

void Main::Exit_Click() {
  close();
  QCoreApplication::quit();
}

void Main::PJM_Click() { messages_.Show(this, messages::KanaModeWarning()); }

void Main::Input_Change() {
  if (Input->document()->isEmpty()) Output->clear();
}

}  // namespace ui
