// SPDX-FileCopyrightText: 2026 The MELIVANT helper tool developers
// SPDX-License-Identifier: MIT

#include "ui/appearance.h"

#include <QStringList>

namespace ui {

QFont DesignFont() {
  QFont font;
  // A monospaced CJK font has exactly the design's metrics; the others are close on systems
  // without it (SimSun is the Windows font the layout matches).
  font.setFamilies({QStringLiteral("Noto Sans Mono CJK SC"), QStringLiteral("SimSun"),
                    QStringLiteral("NSimSun"), QStringLiteral("Noto Sans CJK SC"),
                    QStringLiteral("Microsoft YaHei"), QStringLiteral("WenQuanYi Micro Hei")});
  font.setPixelSize(12);
  return font;
}

QString StyleSheet() {
  return QStringLiteral(R"(
#Main { background-color: #000000; }
QGroupBox#Frame {
  color: #FFFFFF; background-color: #000000;
  border: 1px solid #808080; margin-top: 6px;
}
QGroupBox#Frame::title {
  subcontrol-origin: margin; subcontrol-position: top left; left: 6px; padding: 0 2px;
}
#Label1, #Input { color: #00FF00; background-color: #000000; }
#Label2, #Output { color: #FFFF00; background-color: #000000; }
#Input, #Output { border: 1px solid #808080; }
#PJM { color: #FF8000; background-color: #000000; }
#LMY { color: #FF0000; background-color: #000000; }
#PJM::indicator, #LMY::indicator {
  width: 9px; height: 9px; border: 1px solid #C0C0C0; border-radius: 5px;
  background-color: #000000;
}
#PJM::indicator:checked { background-color: #FF8000; }
#LMY::indicator:checked { background-color: #FF0000; }
)");
}

QIcon AppIcon() {
  QIcon icon;
  for (int size : {16, 32, 48}) {
    icon.addFile(QStringLiteral(":/icons/melivant-helper-%1.png").arg(size), QSize(size, size));
  }
  return icon;
}

}  // namespace ui
