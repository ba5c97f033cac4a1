#include <QApplication>

#include "ui/appearance.h"
#include "ui/main_window.h"
#include "ui/messages.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QApplication::setFont(ui::DesignFont());
  QApplication::setWindowIcon(ui::AppIcon());
  QGuiApplication::setDesktopFileName(QStringLiteral("org.melivant.Helper"));

  ui::MessageBoxPresenter messages;
  ui::Main window(messages);
  window.show();
  return QApplication::exec();
}
